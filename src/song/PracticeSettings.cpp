#include "song/PracticeSettings.h"

#include "common/Error.h"
#include "common/TextLines.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tamboro {

namespace {

const std::vector<PracticeOption> kOptions = {
    {"--count-in", "CountIn", true},
    {"--click", "Click", false},
    {"--click-level", "ClickLevel", true},
    {"--tempo-scale", "TempoScale", true},
    {"--speed-trainer", "SpeedTrainer", true},
    {"--section", "Section", true},
    {"--bar-breaks", "BarBreaks", true},
    {"--drop", "Drop", true},
    {"--seed", "Seed", true},
    {"--swing", "Swing", true},
};

[[noreturn]] void refuse(const std::string& label, std::string_view text, const std::string& rule) {
    throw Error(label + ": \"" + std::string(text) + "\" is not " + rule);
}

long long wholeNumber(std::string_view text, long long low, long long high, const std::string& label) {
    long long value = 0;
    if (!parseInteger(text, value) || value < low || value > high)
        refuse(label, text, "a whole number from " + std::to_string(low) + " to " + std::to_string(high));
    return value;
}

// A decimal number in plain notation ("66.7"), read the same way whatever the locale.
double decimal(std::string_view text, double low, double high, const std::string& label) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (text.empty() || result.ec != std::errc() || result.ptr != end || !std::isfinite(value) ||
        value < low || value > high)
        refuse(label, text, "a number from " + formatNumber(low) + " to " + formatNumber(high));
    return value;
}

// Splits "a:b:c" at `separator`; exactly `count` parts or none.
std::vector<std::string_view> parts(std::string_view text, char separator, std::size_t count) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    while (true) {
        const std::size_t at = text.find(separator, start);
        out.push_back(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos)
            break;
        start = at + 1;
    }
    if (out.size() != count)
        out.clear();
    return out;
}

bool isOff(std::string_view text) {
    return text == "off";
}

} // namespace

std::string formatNumber(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

double PracticeSettings::percentForPlay(int k) const {
    if (!speedTrainer)
        return tempoScale;
    const SpeedTrainer& t = *speedTrainer;
    return std::min(t.to, t.from + t.step * std::floor(k / t.every));
}

int PracticeSettings::playsUntilChange(int k) const {
    if (!speedTrainer || percentForPlay(k) >= speedTrainer->to)
        return 0;
    return speedTrainer->every - k % speedTrainer->every;
}

int PracticeSettings::defaultPlays() const {
    if (!speedTrainer)
        return 1;
    const SpeedTrainer& t = *speedTrainer;
    int k = 0;
    while (percentForPlay(k) < t.to)
        k += t.every;
    return k + t.every;
}

double PracticeSettings::swingDelay(int step, double stepSeconds) const {
    return step % 2 == 1 ? (swing / 50 - 1) * stepSeconds : 0.0;
}

const std::vector<PracticeOption>& practiceOptions() {
    return kOptions;
}

const PracticeOption* findPracticeOption(std::string_view option) {
    const auto it = std::find_if(kOptions.begin(), kOptions.end(),
                                 [&](const PracticeOption& o) { return o.option == option; });
    return it == kOptions.end() ? nullptr : &*it;
}

const PracticeOption* findPracticeKey(std::string_view key) {
    const auto it =
        std::find_if(kOptions.begin(), kOptions.end(), [&](const PracticeOption& o) { return o.key == key; });
    return it == kOptions.end() ? nullptr : &*it;
}

void applyPracticeValue(PracticeSettings& settings, const PracticeOption& setting, std::string_view text,
                        const std::string& label) {
    PracticeSettings s = settings;
    const std::string_view key = setting.key;
    if (key == "CountIn") {
        s.countIn = static_cast<int>(wholeNumber(text, 0, PracticeSettings::kMaxCountIn, label));
    } else if (key == "Click") {
        if (text != "on" && !isOff(text))
            refuse(label, text, "\"on\" or \"off\"");
        s.click = text == "on";
    } else if (key == "ClickLevel") {
        s.clickLevel = static_cast<int>(wholeNumber(text, 0, 100, label));
    } else if (key == "TempoScale") {
        s.tempoScale = decimal(text, 25, 200, label);
    } else if (key == "SpeedTrainer") {
        if (isOff(text)) {
            s.speedTrainer.reset();
        } else {
            const auto p = parts(text, ':', 4);
            if (p.empty())
                refuse(label, text, "FROM:TO:STEP:EVERY (percent:percent:percent:plays)");
            SpeedTrainer t;
            t.from = decimal(p[0], 25, 200, label + " FROM");
            t.to = decimal(p[1], 25, 200, label + " TO");
            t.step = decimal(p[2], 0.1, 175, label + " STEP");
            t.every = static_cast<int>(wholeNumber(p[3], 1, 1000, label + " EVERY"));
            if (t.from > t.to)
                refuse(label, text, "a rise: FROM must not be above TO");
            s.speedTrainer = t;
        }
    } else if (key == "Section") {
        if (isOff(text)) {
            s.sectionFrom = s.sectionTo = 0;
        } else {
            const auto p = parts(text, '-', 2);
            if (p.empty())
                refuse(label, text, "A-B (Play List entries, counted from 1)");
            s.sectionFrom = static_cast<int>(wholeNumber(p[0], 1, 100000, label + " A"));
            s.sectionTo = static_cast<int>(wholeNumber(p[1], 1, 100000, label + " B"));
            if (s.sectionFrom > s.sectionTo)
                refuse(label, text, "a section: A must not be after B");
        }
    } else if (key == "BarBreaks") {
        if (isOff(text)) {
            s.barPlay = s.barMute = 0;
        } else {
            const auto p = parts(text, ':', 2);
            if (p.empty())
                refuse(label, text, "PLAY:MUTE (passes)");
            s.barPlay = static_cast<int>(wholeNumber(p[0], 1, 64, label + " PLAY"));
            s.barMute = static_cast<int>(wholeNumber(p[1], 1, 64, label + " MUTE"));
        }
    } else if (key == "Drop") {
        s.dropPercent = static_cast<int>(wholeNumber(text, 0, 50, label));
    } else if (key == "Seed") {
        s.seed = static_cast<std::uint32_t>(wholeNumber(text, 0, 4294967295LL, label));
    } else if (key == "Swing") {
        s.swing = decimal(text, 50, 75, label);
    } else {
        throw Error(label + ": unknown practice setting");
    }
    settings = s;
}

std::string practiceValueText(const PracticeSettings& s, const PracticeOption& setting) {
    const std::string_view key = setting.key;
    if (key == "CountIn")
        return std::to_string(s.countIn);
    if (key == "Click")
        return s.click ? "on" : "off";
    if (key == "ClickLevel")
        return std::to_string(s.clickLevel);
    if (key == "TempoScale")
        return formatNumber(s.tempoScale);
    if (key == "SpeedTrainer")
        return s.speedTrainer
                   ? formatNumber(s.speedTrainer->from) + ":" + formatNumber(s.speedTrainer->to) + ":" +
                         formatNumber(s.speedTrainer->step) + ":" + std::to_string(s.speedTrainer->every)
                   : "off";
    if (key == "Section")
        return s.sectionFrom > 0 ? std::to_string(s.sectionFrom) + "-" + std::to_string(s.sectionTo) : "off";
    if (key == "BarBreaks")
        return s.barPlay > 0 ? std::to_string(s.barPlay) + ":" + std::to_string(s.barMute) : "off";
    if (key == "Drop")
        return std::to_string(s.dropPercent);
    if (key == "Seed")
        return std::to_string(s.seed);
    return formatNumber(s.swing);
}

void checkPracticeSection(const PracticeSettings& settings, std::size_t entries, const std::string& label) {
    if (settings.sectionFrom > 0 && static_cast<std::size_t>(settings.sectionTo) > entries)
        throw Error(label + ": the section " + std::to_string(settings.sectionFrom) + "-" +
                    std::to_string(settings.sectionTo) + " reaches past the Play List's " +
                    std::to_string(entries) + " entries");
}

} // namespace tamboro
