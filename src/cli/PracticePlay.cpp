#include "cli/PracticePlay.h"

#include "common/Error.h"
#include "common/TextLines.h"
#include "kits/ClickSynth.h"
#include "song/PatternFile.h"
#include "song/PracticeSchedule.h"
#include "sound/EventLoop.h"
#include "sound/PracticePlayer.h"

namespace tamboro::cli {

PracticeSession playPracticeSession(const PracticeOptions& options, bool repeat,
                                    const std::filesystem::path& dir, const std::vector<std::string>& entries,
                                    EventLoop& loop, SoundDevice& device, PlaybackState& playback,
                                    std::chrono::steady_clock::duration limit) {
    const PracticeSettings settings = options.settings("play");
    checkPracticeSection(settings, entries.size(), "play: --section");
    std::vector<PracticeEntry> planned;
    std::vector<std::vector<std::string>> cells;
    for (std::size_t e = 0; e < entries.size(); ++e) {
        const PatternFileData data = readPatternFile(patternFilePath(dir, entries[e]));
        long long perBeat = 4;
        if (data.cells.size() <= 4 || !parseInteger(data.cells[4], perBeat) || perBeat < 1)
            perBeat = 4;
        planned.push_back({e, data.bpm, data.length, data.loops, static_cast<int>(perBeat)});
        std::vector<std::string> rows;
        for (int row = 2; row <= data.length + 1; ++row)
            for (int col = 1; col <= 6; ++col) {
                const auto at = static_cast<std::size_t>(7 * row + col);
                rows.push_back(at < data.cells.size() ? data.cells[at] : std::string());
            }
        cells.push_back(std::move(rows));
    }
    const PracticeSequence sequence(std::move(planned), settings);
    PracticeSession session;
    if (options.plays)
        session.plays = *options.plays;
    else if (options.minutes) {
        session.plays = playsFittingMinutes(sequence, *options.minutes);
        if (session.plays < 1)
            throw Error("play: --minutes " + formatNumber(*options.minutes) + " is shorter than one play");
    } else if (!repeat)
        session.plays = settings.defaultPlays();

    PracticePlayer player(loop, device, playback);
    if (!player.start(sequence, std::move(cells), session.plays, clickWave(ClickVoice::Accent),
                      clickWave(ClickVoice::Tick)))
        throw Error("play: the sound could not be set up");
    loop.runUntil([&] { return !player.playing(); }, limit);
    player.stop();
    session.steps = player.steps();
    return session;
}

} // namespace tamboro::cli
