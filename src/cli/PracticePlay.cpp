#include "cli/PracticePlay.h"

#include "common/Error.h"
#include "kits/ClickSynth.h"
#include "song/PracticePatterns.h"
#include "song/PracticeSchedule.h"
#include "sound/EventLoop.h"
#include "sound/PracticePlayer.h"
#include "sound/SoundDevice.h"

namespace tamboro::cli {

PracticeSession playPracticeSession(const PracticeOptions& options, bool repeat,
                                    const std::filesystem::path& dir, const std::vector<std::string>& entries,
                                    EventLoop& loop, SoundDevice& device, PlaybackState& playback,
                                    std::chrono::steady_clock::duration limit,
                                    std::optional<std::chrono::steady_clock::time_point> firstStep,
                                    std::vector<MarkedStep>* marked) {
    const PracticeSettings settings = options.settings("play");
    checkPracticeSection(settings, entries.size(), "play: --section");
    PracticePatterns patterns = readPracticePatterns(dir, entries);
    const PracticeSequence sequence(std::move(patterns.entries), settings);
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
    if (firstStep)
        player.setFirstStep(*firstStep);
    if (marked)
        device.onStepMarked([marked, &player](std::uint32_t id) {
            if (marked->size() <= id)
                marked->resize(id + 1);
            (*marked)[id] = {player.currentStep(), !player.status().countIn};
        });
    if (!player.start(sequence, std::move(patterns.cells), session.plays, clickWave(ClickVoice::Accent),
                      clickWave(ClickVoice::Tick)))
        throw Error("play: the sound could not be set up");
    loop.runUntil([&] { return !player.playing(); }, limit);
    player.stop();
    session.steps = player.steps();
    session.worstTickDelay = player.clock.worstTickDelay();
    if (marked)
        device.onStepMarked(nullptr);
    return session;
}

} // namespace tamboro::cli
