#pragma once
// What a command given SONG.sng or NAME.pat plays: the Play List entries and the folder their
// pattern files are read from. A song is read from its path, else from DIR; a pattern file given
// by its path is read from its own folder, a bare name from DIR.

#include <filesystem>
#include <string>
#include <vector>

namespace tamboro::cli {

struct SongSource {
    std::filesystem::path patternDir;
    std::vector<std::string> entries;
};

// Throws Error: "<command>: ... is neither a song (.sng) nor a pattern (.pat)" for other files, and
// "The song ... has no patterns to <purpose>." for an empty song.
SongSource resolveSongSource(std::filesystem::path source, const std::filesystem::path& dir,
                             const std::string& command, const std::string& purpose);

} // namespace tamboro::cli
