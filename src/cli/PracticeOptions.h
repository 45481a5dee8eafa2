#pragma once
// The practice options `tamboro-cli render`, `play` and `feedback` share: the settings' options
// (song/PracticeSettings.h), `--practice FILE` (a `.practice` file read first, the options on the
// command line then change it), `--plays N` and `--minutes M`.

#include "cli/CliCommand.h"
#include "song/PracticeSettings.h"

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tamboro::cli {

struct PracticeOptions {
    std::vector<std::pair<std::string, std::string>> given; // option and value, in order
    std::optional<std::filesystem::path> file;
    std::optional<int> plays;
    std::optional<double> minutes;

    bool any() const { return !given.empty() || file || plays || minutes; }

    // Takes args[i] (and its value, moving i past it) when it is a practice option; false when it is
    // not one. Checks --plays and --minutes at once; `command` prefixes the messages.
    bool take(const CliArgs& args, std::size_t& i, const std::string& command);
    // The settings: the file's (if any), then each option given. Throws Error naming the option or
    // the file's line and value.
    PracticeSettings settings(const std::string& command) const;
};

// The usage text of the practice options.
inline constexpr const char* kPracticeUsage =
    "[--count-in N] [--click] [--click-level PCT] [--tempo-scale PCT] [--speed-trainer FROM:TO:STEP:EVERY] "
    "[--section A-B] [--bar-breaks PLAY:MUTE] [--drop PCT] [--seed N] [--swing PCT] [--plays N] [--minutes "
    "M] "
    "[--practice FILE]";

} // namespace tamboro::cli
