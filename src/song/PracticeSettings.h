#pragma once
// The practice tools' settings as one value: count-in, click, tempo scale or speed trainer, section
// loop, bar breaks, beat dropper and swing. Every setting has one text form, shared by the command
// line (`--count-in 2`) and the `.practice` file (`CountIn=2`), so both refuse the same values with
// the same words. Defaults change nothing: a song plays as written.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamboro {

struct SpeedTrainer {
    double from = 100; // percent of the written tempi at play 0
    double to = 100;   // percent held once reached
    double step = 5;   // percent added every `every` plays
    int every = 1;
    bool operator==(const SpeedTrainer&) const = default;
};

struct PracticeSettings {
    static constexpr int kMaxCountIn = 4;

    int countIn = 0;                          // passes of clicks before the first pass, 0..4
    bool click = false;                       // a click on every beat mark of every pass
    int clickLevel = 100;                     // percent, 0..100
    double tempoScale = 100;                  // percent of the written tempi, 25..200
    std::optional<SpeedTrainer> speedTrainer; // replaces tempoScale when set
    int sectionFrom = 0;                      // 1-based Play List entries A..B; 0 = the whole list
    int sectionTo = 0;
    int barPlay = 0; // bar breaks PLAY:MUTE passes; 0 = off
    int barMute = 0;
    int dropPercent = 0;    // beat dropper probability, 0..50
    std::uint32_t seed = 1; // the dropper's generator seed
    double swing = 50;      // percent, 50..75; 50 = straight

    bool operator==(const PracticeSettings&) const = default;

    // True when anything differs from the defaults (the song would sound different).
    bool changesPlayback() const { return *this != PracticeSettings{}; }
    // The tempo of play `k` (0-based) in percent of the written tempi.
    double percentForPlay(int k) const;
    // Plays from play `k` until the percentage next changes; 0 when it never changes again.
    int playsUntilChange(int k) const;
    // With the speed trainer: the plays that reach TO and hold it for EVERY plays; else 1.
    int defaultPlays() const;
    // The swing delay of 0-based step `step` of a pass: (swing / 50 - 1) x s on every second step.
    double swingDelay(int step, double stepSeconds) const;
};

// One setting's names: the command-line option and the `.practice` file key.
struct PracticeOption {
    std::string_view option; // "--count-in"
    std::string_view key;    // "CountIn"
    bool takesValue;         // false for a switch ("--click")
};

// Every setting, in the order the `.practice` file lists them.
const std::vector<PracticeOption>& practiceOptions();

// Finds the setting with command-line option `option` or file key `key`; nullptr when none.
const PracticeOption* findPracticeOption(std::string_view option);
const PracticeOption* findPracticeKey(std::string_view key);

// Sets `setting` from its text. Throws Error naming `label` (the option or "key on line N") and the
// value for text that is malformed or out of range; `settings` is then unchanged.
void applyPracticeValue(PracticeSettings& settings, const PracticeOption& setting, std::string_view text,
                        const std::string& label);

// The text form of one setting's value in `settings` (what applyPracticeValue reads back).
std::string practiceValueText(const PracticeSettings& settings, const PracticeOption& setting);

// Refuses a section that reaches past a Play List of `entries` entries, naming "--section" or the
// given label.
void checkPracticeSection(const PracticeSettings& settings, std::size_t entries, const std::string& label);

// A number in its shortest exact text ("66.7", "100").
std::string formatNumber(double value);

} // namespace tamboro
