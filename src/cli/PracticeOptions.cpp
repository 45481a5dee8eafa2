#include "cli/PracticeOptions.h"

#include "common/Error.h"
#include "common/TextLines.h"
#include "song/PracticeFile.h"
#include "song/PracticeSchedule.h"

#include <charconv>
#include <cmath>

namespace tamboro::cli {

bool PracticeOptions::take(const CliArgs& args, std::size_t& i, const std::string& command) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
        if (i + 1 >= args.size())
            throw Error(command + ": " + a + " needs a value");
        return args[++i];
    };
    if (a == "--practice") {
        file = value();
        return true;
    }
    if (a == "--plays") {
        const std::string& text = value();
        long long n = 0;
        if (!parseInteger(text, n) || n < 1 || n > kMaxPracticePlays)
            throw Error(command + ": --plays: \"" + text + "\" is not a whole number from 1 to " +
                        std::to_string(kMaxPracticePlays));
        plays = static_cast<int>(n);
        return true;
    }
    if (a == "--minutes") {
        const std::string& text = value();
        double m = 0;
        const auto result =
            std::from_chars(text.data(), text.data() + text.size(), m, std::chars_format::fixed);
        if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size() ||
            !std::isfinite(m) || m <= 0 || m > 600)
            throw Error(command + ": --minutes: \"" + text + "\" is not a number above 0 and up to 600");
        minutes = m;
        return true;
    }
    const PracticeOption* setting = findPracticeOption(a);
    if (!setting)
        return false;
    given.emplace_back(a, setting->takesValue ? value() : std::string("on"));
    // Checked at once, so a bad value is refused before anything is read or written.
    PracticeSettings check;
    applyPracticeValue(check, *setting, given.back().second, command + ": " + a);
    return true;
}

PracticeSettings PracticeOptions::settings(const std::string& command) const {
    if (plays && minutes)
        throw Error(command + ": --plays and --minutes cannot be given together");
    PracticeSettings s = file ? readPracticeFile(*file) : PracticeSettings{};
    for (const auto& [option, text] : given)
        applyPracticeValue(s, *findPracticeOption(option), text, command + ": " + option);
    return s;
}

} // namespace tamboro::cli
