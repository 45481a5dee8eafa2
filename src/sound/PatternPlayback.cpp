#include "app/PatternGrid.h"
#include "common/Error.h"
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
    : StepInterval(StepIntervalForBpm(kInitialBpm)), GlobalTempo(kInitialBpm), DXTimer1(dispatcher),
      DXTimer2(dispatcher), device_(device), grid_(grid), instruments_(instruments), kit_(kit), samples_(samples),
      bpm_(kInitialBpm), knob_(kInitialBpm) {
    ChannelOn.fill(true);
    DXTimer1.SetThreadPriority(TThreadPriority::tpTimeCritical);
    DXTimer2.SetThreadPriority(TThreadPriority::tpTimeCritical);
    DXTimer1.OnTimer = [this](TThreadTimer&) { DXTimer1Timer(); };
    DXTimer2.OnTimer = [this](TThreadTimer&) { DXTimer2Timer(); };
}

void PlaybackState::setPlayButtons(bool enabled) {
    PlayButtonsEnabled = enabled;
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

void PlaybackState::btnPlayClick() {
    StopRequest.clear();
    setPlayButtons(false);
    PlayRow = PatternGrid::kFirstStepRow;
    if (!reinitializeSound())
        return;
    DXTimer2.SetInterval(StepInterval);
    DXTimer2.SetEnabled(true);
}

void PlaybackState::DXTimer2Timer() {
    // Voice starts of this tick land at the tick's planned time, a fixed look-ahead later.
    SoundDevice::ScheduledStarts onTheBeat(device_, DXTimer2.tickTime());
    if (!GridClicked && GridIndicator && events.highlightRow)
        events.highlightRow(PlayRow);
    GridClicked = false;
    DXTimer2.SetInterval(StepInterval);
    for (int channel = 1; channel <= PatternGrid::kChannels; ++channel) {
        if (SoundCell(grid_.channelCell(channel, PlayRow), channel) && events.pulse)
            events.pulse(channel);
    }
    ++PlayRow;
    const int endRow = grid_.endRow();
    if (PlayRow == endRow && RepeatPattern)
        PlayRow = PatternGrid::kFirstStepRow;
    if (PlayRow > endRow)
        PlayRow = PatternGrid::kFirstStepRow;
    if (PlayRow == endRow) {
        DXTimer2.SetEnabled(false);
        setPlayButtons(true);
    }
}

void PlaybackState::btnStopClick() {
    if (samples_)
        samples_->stopAll();
    StopRequest = "Stop";
    setPlayButtons(true);
    DXTimer1.SetEnabled(false);
    DXTimer2.SetEnabled(false);
    SongScript.clear();
}

void PlaybackState::ToolButton3Click() {
    RepeatPattern = !RepeatPattern;
    if (events.repeatGlyph)
        events.repeatGlyph(RepeatPattern ? 2 : 3);
}

void PlaybackState::GridIndicatorClick() { GridIndicator = !GridIndicator; }

void PlaybackState::StringGrid1MouseDown() { GridClicked = true; }

} // namespace tamboro
