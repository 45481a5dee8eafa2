#include "common/Rounding.h"
#include "kits/DrumKit.h"
#include "sound/InstrumentList.h"
#include "sound/KitVoices.h"
#include "sound/PlaybackState.h"
#include "sound/Tempo.h"

namespace tamboro {

void PlaybackState::applyStepInterval() {
    stepInterval = stepIntervalForBpm(bpm_);
    // Both clocks at once, so a running pattern or song takes the tempo from its next step.
    songClock.setInterval(stepInterval);
    patternClock.setInterval(stepInterval);
}

void PlaybackState::setBpm(int bpm) {
    bpm = boundedBpm(bpm);
    if (bpm == bpm_)
        return;
    bpm_ = bpm;
    bpmChanged();
}

void PlaybackState::bpmChanged() {
    knob_ = tempoKnobValueFor(bpm_);
    applyStepInterval();
    if (events.tempoShown)
        events.tempoShown();
}

void PlaybackState::tempoKnobTurned(double value) {
    if (events.patternChanged)
        events.patternChanged();
    knob_ = value;
    setBpm(static_cast<int>(roundHalfEven(value)));
    knob_ = tempoKnobValueFor(bpm_);
    globalTempo = bpm_;
    applyStepInterval();
    if (events.tempoShown)
        events.tempoShown();
}

void PlaybackState::panKnobMouseMove(double knobValue) {
    const int index = instruments_.indexOf(instruments_.text());
    if (index <= instruments_.lastKitIndex()) {
        const std::string& name = instruments_.entry(index);
        if (name.empty())
            return;
        if (DrumKitItem* item = kit_.kit().findOrNull(name))
            kit_.setPan(item->index(), static_cast<std::int32_t>(roundHalfEven(knobValue)));
        return;
    }
    if (panMessageShown_)
        return;
    panMessageShown_ = true;
    if (events.message)
        events.message("Use the sample to change your imported samples panning", "Sample Panning");
}

void PlaybackState::toggleChannel(int tag) {
    const int channel = tag - 60;
    if (channel < 1 || channel > 6)
        return;
    auto& on = channelsOn[static_cast<std::size_t>(channel)];
    on = !on;
    if (events.channelCaption)
        events.channelCaption(channel, on ? "ON" : "OFF");
}

} // namespace tamboro
