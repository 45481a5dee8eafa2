#pragma once
// The `.practice` file: a song's practice settings, kept beside it as `<song name>.practice` so the
// song and pattern files never change. Small INI text, CR LF lines:
//   [Practice]
//   CountIn=2
//   Click=on
//   ...
// one line per setting in its text form (song/PracticeSettings.h). Reading takes any line end,
// blanks around names and values, comment lines starting with ";" or "#", and ignores other
// sections and keys it does not know (a newer program's additions), so an older program still
// reads what it understands.

#include "song/PracticeSettings.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace tamboro {

inline constexpr const char* kPracticeFileExtension = ".practice";
inline constexpr std::size_t kMaxPracticeFileBytes = 64 * 1024;

// Parses a `.practice` file's bytes. Throws Error naming `fileLabel`, the line and the value for a
// file that is too large, not text, has no [Practice] section, a line that is not `key=value` or a
// value out of range; nothing is returned then.
PracticeSettings parsePracticeFile(std::span<const std::uint8_t> bytes, const std::string& fileLabel);
PracticeSettings readPracticeFile(const std::filesystem::path& path);

// The file's text for `settings`.
std::string formatPracticeFile(const PracticeSettings& settings);
// Writes it atomically.
void writePracticeFile(const std::filesystem::path& path, const PracticeSettings& settings);

// The `.practice` file beside a song: the song's path with its extension replaced.
std::filesystem::path practiceFileFor(const std::filesystem::path& songPath);

struct PracticeFileLoad {
    PracticeSettings settings; // the defaults when there is no file or it was unusable
    std::string problem;       // empty when read as it stands (or absent)
};
// What Open Song does: the song's `.practice` file if there is one; a damaged one gives the default
// settings and a message saying so, never an exception.
PracticeFileLoad loadPracticeFor(const std::filesystem::path& songPath);

} // namespace tamboro
