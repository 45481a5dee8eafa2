#include "windows/feedback/PlayTakeRecorder.h"

#include "song/PatternGrid.h"
#include "song/SongScript.h"
#include "sound/PlaybackState.h"
#include "sound/SoundDevice.h"
#include "windows/feedback/TakeFeedbackCommand.h"

#include <algorithm>
#include <chrono>

namespace tamboro {

PlayTakeRecorder::PlayTakeRecorder(SoundDevice& device, PlaybackState& playback, TakeFeedbackCommand& command,
                                   QObject* parent)
    : QObject(parent), device_(device), playback_(playback), command_(command) {
    watch_.setInterval(50);
    connect(&watch_, &QTimer::timeout, this, [this] {
        if (playback_.patternPlaying() || playback_.songPlaying())
            return;
        watch_.stop();
        ringOut_.start();
    });
    // The look-ahead twice over, then half a second for the last notes' onsets to be heard.
    ringOut_.setSingleShot(true);
    ringOut_.setInterval(static_cast<int>(2000ull * device_.lookaheadFrames() / device_.sampleRate()) + 500);
    connect(&ringOut_, &QTimer::timeout, this, &PlayTakeRecorder::finish);
    if (device_.recordsInput())
        device_.onStepMarked([this](std::uint32_t id) { stepMarked(id); });
}

void PlayTakeRecorder::playStarting() {
    if (!device_.recordsInput())
        return;
    if (recording_)
        finish();
    steps_.clear();
    tempoBpm_ = playback_.bpm();
    device_.beginTake();
    // The first step comes a little after the recording starts, so the note played on it is heard
    // whole with some quiet before it (the onset finder compares a note with what sounded before).
    const auto firstStep = std::chrono::steady_clock::now() + kLeadIn;
    playback_.patternClock.setNextStart(firstStep);
    playback_.songClock.setNextStart(firstStep);
    recording_ = true;
    watch_.start();
}

void PlayTakeRecorder::stepMarked(std::uint32_t id) {
    if (!recording_)
        return;
    // Called as a tick begins, before it plays its step: the playback still points at that step.
    MarkedStep step;
    if (playback_.patternPlaying()) {
        step.position = playback_.playRow - PatternGrid::kFirstStepRow;
    } else if (playback_.songPlaying()) {
        const auto at = static_cast<std::size_t>(std::max(0, playback_.scriptPosition));
        const std::vector<std::string>& script = playback_.songScript;
        step.counted = playback_.scriptPosition >= 0 && at < script.size() && script[at] != kScriptEnd &&
                       playback_.stopRequest != "Stop";
        // A pattern starts its rows again; otherwise the step follows the one before.
        const bool patternStart = step.counted && script[at] == kScriptPatternStart;
        step.position = patternStart || steps_.empty() ? 0 : steps_.back().position + 1;
    } else {
        step.counted = false;
    }
    if (id == 1) // a song sets its tempo in its first tick
        tempoBpm_ = playback_.bpm();
    if (steps_.size() <= id)
        steps_.resize(id + 1, MarkedStep{0, false});
    steps_[id] = step;
}

void PlayTakeRecorder::finish() {
    watch_.stop();
    ringOut_.stop();
    if (!recording_)
        return;
    recording_ = false;
    command_.analyseLive(device_.endTake(), std::move(steps_), tempoBpm_);
    steps_.clear();
    emit takeEnded();
}

} // namespace tamboro
