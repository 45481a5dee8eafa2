#include "render/PracticeTrack.h"

#include "common/Error.h"

#include <cstdio>

namespace tamboro {

std::vector<PracticeEntry> practiceEntries(const RenderSong& song) {
    std::vector<PracticeEntry> entries;
    for (const auto& segment : song.script.segments())
        entries.push_back({segment.entry, segment.tempo, segment.steps, segment.loops, segment.stepsPerBeat});
    return entries;
}

int practiceTrackPlays(const RenderSong& song, const PracticeSettings& settings, std::optional<int> plays,
                       std::optional<double> minutes) {
    if (plays)
        return *plays;
    if (!minutes)
        return settings.defaultPlays();
    const PracticeSequence sequence(practiceEntries(song), settings);
    const int fitting = playsFittingMinutes(sequence, *minutes);
    if (fitting < 1) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.1f", sequence.secondsFor(1));
        throw Error("--minutes " + formatNumber(*minutes) + " is shorter than one play with its count-in (" +
                    seconds + " seconds)");
    }
    return fitting;
}

} // namespace tamboro
