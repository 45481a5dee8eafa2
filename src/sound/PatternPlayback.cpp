#include "common/Error.h"
#include "song/PatternGrid.h"
#include "sound/KitVoices.h"
#include "sound/PlaybackState.h"
#include "sound/SampleStreams.h"
#include "sound/SoundDevice.h"
#include "sound/Tempo.h"

namespace tamboro {

namespace {
// The primary format both plays request: 44200 Hz, 16 bits, 2 channels.
constexpr std::uint32_t kPrimaryRate = 44200;
constexpr std::uint16_t kPrimaryBits = 16;
} // namespace

PlaybackState::PlaybackState(TickDispatcher& dispatcher, SoundDevice& device, PatternGrid& grid,
                             InstrumentList& instruments, KitVoices& kit, SampleStreams* samples)
    : stepInterval(stepIntervalForBpm(kInitialBpm)), globalTempo(kInitialBpm), songClock(dispatcher),
      patternClock(dispatcher), device_(device), grid_(grid), instruments_(instruments), kit_(kit),
      samples_(samples), bpm_(kInitialBpm), knob_(kInitialBpm) {
    channelsOn.fill(true);
    songClock.setThreadPriority(ThreadPriority::timeCritical);
    patternClock.setThreadPriority(ThreadPriority::timeCritical);
    songClock.onTick = [this](StepClock&) { onSongTick(); };
    patternClock.onTick = [this](StepClock&) { onPatternTick(); };
}

void PlaybackState::setPlayButtons(bool enabled) {
    playButtonsEnabled = enabled;
    if (events.playButtonsEnabled)
        events.playButtonsEnabled(enabled);
}

bool PlaybackState::reinitializeSound() {
    try {
        kit_.initialize(device_);
    } catch (const Error& e) {
        // Shown to the user; both play buttons come back so the user can try again.
        if (events.message)
            events.message(e.what(), "Error");
        setPlayButtons(true);
        return false;
    }
    device_.setPrimaryFormat(PcmFormat{2, kPrimaryRate, kPrimaryBits});
    return true;
}

void PlaybackState::playPattern() {
    stopRequest.clear();
    setPlayButtons(false);
    playRow = PatternGrid::kFirstStepRow;
    if (!reinitializeSound())
        return;
    patternClock.setInterval(stepInterval);
    patternClock.setEnabled(true);
}

void PlaybackState::onPatternTick() {
    // Voice starts of this tick land at the tick's planned time, a fixed look-ahead later.
    SoundDevice::ScheduledStarts onTheBeat(device_, patternClock.tickTime());
    if (!gridClicked && gridScrollIndicator && events.highlightRow)
        events.highlightRow(playRow);
    gridClicked = false;
    patternClock.setInterval(stepInterval);
    for (int channel = 1; channel <= PatternGrid::kChannels; ++channel) {
        if (playCell(grid_.channelCell(channel, playRow), channel) && events.pulse)
            events.pulse(channel);
    }
    ++playRow;
    const int endRow = grid_.endRow();
    if (playRow == endRow && repeatPattern)
        playRow = PatternGrid::kFirstStepRow;
    if (playRow > endRow)
        playRow = PatternGrid::kFirstStepRow;
    if (playRow == endRow) {
        patternClock.setEnabled(false);
        setPlayButtons(true);
    }
}

void PlaybackState::stopPlayback() {
    if (samples_)
        samples_->stopAll();
    // Stopped while playing: ticks handled ahead of their time (a clock with a lead) have planned
    // hits still to come, and they must not sound. After a natural end every hit belongs.
    if (songClock.enabled() || patternClock.enabled())
        device_.cancelStartsFrom(std::chrono::steady_clock::now());
    stopRequest = "Stop";
    setPlayButtons(true);
    songClock.setEnabled(false);
    patternClock.setEnabled(false);
    songScript.clear();
}

void PlaybackState::toggleRepeatPattern() {
    repeatPattern = !repeatPattern;
    if (events.repeatGlyph)
        events.repeatGlyph(repeatPattern ? 2 : 3);
}

void PlaybackState::toggleGridScrollIndicator() {
    gridScrollIndicator = !gridScrollIndicator;
}

void PlaybackState::gridMousePressed() {
    gridClicked = true;
}

} // namespace tamboro
