#pragma once
// `songScript`: a song flattened into text lines. For each pattern "//", its tempo, then six cell
// texts per step row for every loop of the pattern; "%%%" at the end. Song playback steps through
// it row by row; the renderer mixes it.

#include "song/PatternGrid.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace tamboro {

inline constexpr const char* kScriptPatternStart = "//";
inline constexpr const char* kScriptEnd = "%%%";
// The tempo knob's range; a pattern's tempo is limited to it inside a song.
inline constexpr int kMinSongTempo = 60;
inline constexpr int kMaxSongTempo = 300;
// A guard against absurd loop counts in a file: about 50 000 patterns' worth of 16-step rows.
inline constexpr std::size_t kMaxSongScriptLines = 5'000'000;

struct SongScriptBuild {
    std::vector<std::string> lines; // the whole script, "%%%" included
    // What the main window shows after the build: the last pattern's stored tempo (unlimited, for
    // the BPM field), its loop count (at least 1) and its name (cell (0,0)). Unset when no pattern
    // was read (`patterns` is 0).
    int lastBpm = 0;
    int lastLoops = 1;
    std::string lastName;
    int patterns = 0;
};

// `playSong`'s flattening: reads the pattern file of each Play List entry from `first` on,
// writes its rows 0..L+2 into `grid` (row count and endRow untouched) and appends its lines. A
// pattern with fewer than one step adds no lines at all; a song past kMaxSongScriptLines is refused. On any
// failure (missing file, bad number) throws Error naming the file and line, and `grid` keeps what it had.
SongScriptBuild buildSongScript(const std::filesystem::path& programDir,
                                const std::vector<std::string>& entries, std::size_t first,
                                PatternGrid& grid);

// The tempo a pattern plays at inside a song: its stored tempo limited to 60..300.
int songTempo(int storedBpm);

} // namespace tamboro
