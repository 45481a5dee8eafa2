#include "sound/PracticePlayer.h"

#include "common/Rounding.h"
#include "kits/Wave.h"
#include "sound/PlaybackState.h"
#include "sound/SoundDevice.h"

#include <algorithm>
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
    clock.onTick = [this](StepClock& c) { tick(c.tickTime()); };
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
    finished_ = false;
    const auto now = StepClock::Clock::now();
    stepAt_ = firstStep_ && *firstStep_ > now ? *firstStep_ : now + kPlanAhead;
    firstStep_.reset();
    startedAt_ = stepAt_;
    // The first tick hands the first step over kPlanAhead before it sounds (at once when the
    // first step is nearer than that).
    clock.setNextStart(stepAt_ - kPlanAhead);
    clock.setInterval(intervalMs(pass_));
    clock.setEnabled(true);
    if (passChanged)
        passChanged();
    return true;
}

void PracticePlayer::stop() {
    const bool was = clock.enabled();
    clock.setEnabled(false);
    if (!was)
        return;
    // Steps handed over ahead of their time would otherwise still sound after Stop.
    device_.cancelStartsFrom(StepClock::Clock::now());
    if (passChanged)
        passChanged();
}

void PracticePlayer::tick(StepClock::Clock::time_point tickTime) {
    if (!sequence_ || !clock.enabled())
        return;
    while (!finished_ && stepAt_ <= tickTime + kPlanAhead)
        planStep();
    if (finished_ && tickTime >= stepAt_) {
        // The last step's time has come: the session ends, as it did when steps were handed over
        // at their own time.
        clock.setEnabled(false);
        if (passChanged)
            passChanged();
        return;
    }
    // The next tick: when the next step is due to be handed over, or at the last step's time.
    const auto next = finished_ ? stepAt_ : stepAt_ - kPlanAhead;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(next - tickTime).count();
    clock.setInterval(static_cast<std::int32_t>(std::max<std::int64_t>(1, wait)));
}

void PracticePlayer::planStep() {
    ++steps_;
    const PracticeSettings& settings = sequence_->settings();
    const double delay = settings.swingDelay(step_, pass_.stepSeconds);
    {
        // Starts of this step land at its planned time on the grid plus the swing delay.
        SoundDevice::ScheduledStarts onTheBeat(
            device_, stepAt_ + std::chrono::duration_cast<StepClock::Clock::duration>(
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
    const auto planned = stepAt_;
    stepAt_ += std::chrono::milliseconds(intervalMs(pass_));
    if (++step_ < pass_.steps)
        return;
    pass_ = sequence_->next();
    step_ = 0;
    if (plays_ > 0 && pass_.play >= plays_) {
        finished_ = true;
        stepAt_ = planned;
    }
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
    s.elapsedSeconds =
        std::max(0.0, std::chrono::duration<double>(std::chrono::steady_clock::now() - startedAt_).count());
    return s;
}

} // namespace tamboro
