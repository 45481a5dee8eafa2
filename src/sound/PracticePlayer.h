#pragma once
// Live practice playback: walks the practice plan (song/PracticeSchedule.h) step by step on its own
// step clock, sounding each step's cells through the playback's playCell (so channel switches,
// levels and the extra samples behave as in plain playback) and the click through two voices of
// its own. Every start carries its step's planned time plus the step's swing delay, so the mixer
// puts it on the grid (whole-millisecond step intervals of the pass's scaled tempo) exactly as a
// plain tick, shifted by the same offsets the practice track uses.
//
// The plan is fixed before the session starts, so each step is handed to the mixer kPlanAhead
// before it sounds, not at its own moment: a window thread held up for a while (a busy machine, a
// long repaint) still gets every start to the mixer before its frame is rendered, where a start
// made at its own moment has only the device's look-ahead (a few milliseconds) to spare. The step
// times are the player's own (the first step's time plus whole-millisecond steps), so a late tick
// never moves the grid. Stop calls off the steps already handed over that have not sounded.
//
// Window thread only, like PlaybackState.

#include "song/PracticeSchedule.h"
#include "sound/StepClock.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tamboro {

class PlaybackState;
class SoundBuffer;
class SoundDevice;
class Wave;

// What the practice panel and the command line show while a session plays.
struct PracticeStatus {
    bool playing = false;
    bool countIn = false;
    int play = 0;              // 0-based
    int pass = 0;              // 0-based among the passes after the count-in
    double percent = 100;      // of the written tempo
    double bpm = 0;            // the written tempo x percent
    int playsUntilChange = 0;  // 0: the tempo no longer changes
    double elapsedSeconds = 0; // since the session started
};

class PracticePlayer {
public:
    // How long before its planned time each step's starts go to the mixer.
    static constexpr std::chrono::milliseconds kPlanAhead{100};

    // `dispatcher`, `device` and `playback` must outlive the player.
    PracticePlayer(TickDispatcher& dispatcher, SoundDevice& device, PlaybackState& playback);
    ~PracticePlayer();
    PracticePlayer(const PracticePlayer&) = delete;
    PracticePlayer& operator=(const PracticePlayer&) = delete;

    // Starts a session. `cells[i]` holds the 6 x L channel cells (row by row) of Play List entry i;
    // `plays` ends it after that many plays (0: until stopped). Returns false (the playback has
    // shown why) when the sound could not be set up.
    bool start(const PracticeSequence& sequence, std::vector<std::vector<std::string>> cells, int plays,
               const Wave& accent, const Wave& tick);
    // The next start's first step sounds at `time` (when that is still kPlanAhead away then)
    // instead of kPlanAhead after the start.
    void setFirstStep(StepClock::Clock::time_point time) { firstStep_ = time; }
    // Ends the session; the steps already handed to the mixer that have not sounded are called off.
    void stop();
    // One tick of the player's clock planned for `tickTime`: hands every step due by tickTime +
    // kPlanAhead to the mixer and sets the clock's wait to the next one (the clock's ticks call it;
    // tests call it with times of their own). At the session's end, the tick at the last step's
    // time ends it.
    void tick(StepClock::Clock::time_point tickTime);
    bool playing() const { return clock.enabled(); }
    PracticeStatus status() const;

    // Called after each pass starts and when the session ends.
    std::function<void()> passChanged;
    // Steps played since the player was made (each is one clock tick).
    std::uint64_t steps() const { return steps_; }
    // The row of the current pass being played (inside a tick: the step whose starts are made; the
    // status likewise describes the step last handed over, up to kPlanAhead before it sounds).
    int currentStep() const { return step_; }

    StepClock clock;

private:
    // Hands the step at step_ of pass_ to the mixer and moves on to the next.
    void planStep();
    static std::int32_t intervalMs(const PracticePass& pass);

    SoundDevice& device_;
    PlaybackState& playback_;
    std::optional<PracticeSequence> sequence_;
    std::vector<std::vector<std::string>> cells_;
    PracticePass pass_;
    int step_ = 0;
    int plays_ = 0;
    std::unique_ptr<SoundBuffer> accent_, tick_;
    std::chrono::steady_clock::time_point startedAt_{};
    std::optional<StepClock::Clock::time_point> firstStep_;
    // The planned time of step_ (the next step to hand over); once the plan has run out
    // (finished_), of the last step handed over.
    StepClock::Clock::time_point stepAt_{};
    bool finished_ = false;
    std::uint64_t steps_ = 0;
};

} // namespace tamboro
