#include "sound/PracticePlayer.h"

#include "common/Rounding.h"
#include "kits/Wave.h"
#include "sound/PlaybackState.h"
#include "sound/SoundDevice.h"

#include <cmath>

namespace tamboro {

namespace {

// The click level (percent) as a voice volume in hundredths of a decibel.
std::int32_t clickVolume(int percent) {
    if (percent <= 0)
        return -10000;
    return static_cast<std::int32_t>(std::max(-10000.0, std::round(2000 * std::log10(percent / 100.0))));
}

} // namespace

PracticePlayer::PracticePlayer(TickDispatcher& dispatcher, SoundDevice& device, PlaybackState& playback)
    : clock(dispatcher), device_(device), playback_(playback) {
    clock.setThreadPriority(ThreadPriority::timeCritical);
    clock.onTick = [this](StepClock&) { onTick(); };
}

PracticePlayer::~PracticePlayer() {
    clock.setEnabled(false);
}

std::int32_t PracticePlayer::intervalMs(const PracticePass& pass) {
    return static_cast<std::int32_t>(roundHalfEven(pass.stepSeconds * 1000));
}

bool PracticePlayer::start(const PracticeSequence& sequence, std::vector<std::vector<std::string>> cells,
                           int plays, const Wave& accent, const Wave& tick) {
    stop();
    if (!playback_.reinitializeSound())
        return false;
    sequence_.emplace(sequence);
    cells_ = std::move(cells);
    plays_ = plays;
    const std::int32_t volume = clickVolume(sequence.settings().clickLevel);
    accent_ = device_.createBuffer(SampleData::fromWave(accent));
    tick_ = device_.createBuffer(SampleData::fromWave(tick));
    accent_->setVolume(volume);
    tick_->setVolume(volume);
    pass_ = sequence_->next();
    step_ = 0;
    startedAt_ = std::chrono::steady_clock::now();
    clock.setInterval(intervalMs(pass_));
    clock.setEnabled(true);
    if (passChanged)
        passChanged();
    return true;
}

void PracticePlayer::stop() {
    const bool was = clock.enabled();
    clock.setEnabled(false);
    // Stopped while playing: steps handled ahead of their time (the clock's lead) must not sound.
    if (was)
        device_.cancelStartsAfter(std::chrono::steady_clock::now());
    if (was && passChanged)
        passChanged();
}

void PracticePlayer::onTick() {
    ++steps_;
    // The wait after this tick is this step's length.
    clock.setInterval(intervalMs(pass_));
    const PracticeSettings& settings = sequence_->settings();
    const double delay = settings.swingDelay(step_, pass_.stepSeconds);
    {
        // Starts of this step land at its planned time on the grid plus the swing delay.
        SoundDevice::ScheduledStarts onTheBeat(
            device_, clock.tickTime() + std::chrono::duration_cast<StepClock::Clock::duration>(
                                            std::chrono::duration<double>(delay)));
        if (pass_.drumsSound(step_)) {
            const auto& entry = sequence_->entries()[pass_.entry];
            const std::vector<std::string>& cells = cells_.at(entry.listIndex);
            for (int channel = 1; channel <= 6; ++channel) {
                const auto at = static_cast<std::size_t>(step_ * 6 + channel - 1);
                if (at < cells.size() && !cells[at].empty())
                    playback_.playCell(cells[at], channel);
            }
        }
        const ClickSound click = pass_.click(step_, settings.click);
        if (click != ClickSound::None)
            (click == ClickSound::Accent ? accent_ : tick_)->restart(false);
    }
    if (++step_ < pass_.steps)
        return;
    pass_ = sequence_->next();
    step_ = 0;
    if (plays_ > 0 && pass_.play >= plays_)
        clock.setEnabled(false);
    if (passChanged)
        passChanged();
}

PracticeStatus PracticePlayer::status() const {
    PracticeStatus s;
    if (!sequence_)
        return s;
    s.playing = clock.enabled();
    s.countIn = pass_.countIn;
    s.play = pass_.play;
    s.pass = std::max(0, pass_.playedPass);
    s.percent = pass_.percent;
    const auto& entries = sequence_->entries();
    const auto& entry = entries[pass_.countIn ? 0 : pass_.entry];
    s.bpm = entry.tempo * pass_.percent / 100;
    s.playsUntilChange = sequence_->settings().playsUntilChange(pass_.play);
    s.elapsedSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - startedAt_).count();
    return s;
}

} // namespace tamboro
