#pragma once
// The Play List's pattern files as the practice tools play them: each entry's tempo, length, loops
// and steps per beat for the plan, and its step cells for the player. The command-line player and
// the window's practice session read them the same way.

#include "song/PracticeSchedule.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tamboro {

struct PracticePatterns {
    std::vector<PracticeEntry> entries;
    // Per entry, its step rows' six channel cells, row after row.
    std::vector<std::vector<std::string>> cells;
};

// Reads the pattern files `names` of `programDir` (throws Error naming a file that cannot be read).
// A missing or unreadable steps-per-beat counts as 4.
PracticePatterns readPracticePatterns(const std::filesystem::path& programDir,
                                      const std::vector<std::string>& names);

} // namespace tamboro
