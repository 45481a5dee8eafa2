#pragma once
// The practice plan: turns the played patterns and the practice settings into the sequence of
// passes (one loop of one pattern each) with their step length, the count-in before them, which
// passes the bar breaks silence, which beats the dropper takes out, and what the click plays on
// each step. The renderer, the command-line player and the window's playback all walk the same
// sequence, so what is heard live is what a practice track holds.
//
// Terms: a pass is one play of a pattern's L steps; a step lasts s = 60 / (BPM x percent / 100) / 4
// seconds; the beat marks are steps 1, 1+T, 1+2T, ... (T = steps per beat); a play is every
// selected Play List entry once, with its loops.

#include "song/PracticeSettings.h"

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

namespace tamboro {

// One Play List entry as the plan sees it.
struct PracticeEntry {
    std::size_t listIndex = 0; // 0-based position in the Play List (the section counts these)
    int tempo = 120;           // written BPM, above 0
    int steps = 16;            // L, at least 1
    int loops = 1;             // at least 1
    int stepsPerBeat = 4;      // T; below 1 counts as 1
};

enum class ClickSound : std::uint8_t { None, Accent, Tick };

struct PracticePass {
    bool countIn = false;
    int play = 0;               // 0-based play number (the count-in belongs to play 0)
    int playedPass = -1;        // 0-based among the passes after the count-in; -1 in the count-in
    std::size_t entry = 0;      // index into the schedule's entries
    int loop = 0;               // 0-based loop of that entry
    double percent = 100;       // of the written tempo
    double stepSeconds = 0.125; // s
    int steps = 16;
    int stepsPerBeat = 4;
    bool audible = true;            // false in a bar break's MUTE passes
    std::vector<bool> droppedBeats; // one per beat of the pass

    // 0-based step `step` is a beat mark.
    bool onBeatMark(int step) const { return step % stepsPerBeat == 0; }
    // Whether the pattern's hits of step `step` sound (audible, not a count-in, beat not dropped).
    bool drumsSound(int step) const;
    // The click of step `step`: the count-in always clicks; a pass clicks when `clickOn`; step 1
    // takes the accent, other beat marks the tick; nothing in a silent pass.
    ClickSound click(int step, bool clickOn) const;
    double seconds() const { return stepSeconds * steps; }
};

// The endless sequence of passes: the count-in, then plays one after another. The dropper's
// generator is seeded once, so the same settings give the same passes.
class PracticeSequence {
public:
    // Throws Error when the section selects no entry with steps.
    PracticeSequence(std::vector<PracticeEntry> entries, PracticeSettings settings);

    PracticePass next();
    const std::vector<PracticeEntry>& entries() const { return entries_; }
    const PracticeSettings& settings() const { return settings_; }
    // s of the first pass, rounded to whole milliseconds: the lead-in before the first step, as a
    // plain render takes it from the first pattern's tempo.
    double leadInSeconds() const;
    // The seconds of the count-in, of play `k`, and of the count-in plus `plays` plays.
    double countInSeconds() const;
    double playSeconds(int k) const;
    double secondsFor(int plays) const;

private:
    double stepSeconds(const PracticeEntry& entry, double percent) const;

    std::vector<PracticeEntry> entries_; // the selected ones, in order
    PracticeSettings settings_;
    std::mt19937 dropper_;
    int countInLeft_;
    int play_ = 0;
    std::size_t entry_ = 0;
    int loop_ = 0;
    int playedPasses_ = 0;
};

// The most plays a practice session or track holds.
inline constexpr int kMaxPracticePlays = 100000;

// The passes of the count-in and `plays` plays.
std::vector<PracticePass> schedulePractice(const PracticeSequence& sequence, int plays);

// The most whole plays that, with the count-in, last at most `minutes`; 0 when not even one fits.
int playsFittingMinutes(const PracticeSequence& sequence, double minutes);

} // namespace tamboro
