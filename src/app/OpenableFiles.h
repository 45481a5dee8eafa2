#pragma once
// The files a user can hand to Tamboro by dropping them or naming them on the command line, told
// apart by their extension (any letter case), and the Recent songs list's rules.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace tamboro {

enum class OpenableKind { Song, Pattern, Kit, Wave, Other };

// ".sng" a song, ".pat" a pattern, ".dxg" a kit, ".wav" a sound for an extra sample.
OpenableKind openableKindOf(const std::filesystem::path& file);

// Recent songs: the newest first, each file once, at most kRecentSongCount.
inline constexpr std::size_t kRecentSongCount = 8;
// The list after `file` was opened or saved: it moves to the top.
std::vector<std::string> recentSongsAfterUse(std::vector<std::string> recent, const std::string& file);
// The list without `file` (a file that no longer exists).
std::vector<std::string> recentSongsWithout(std::vector<std::string> recent, const std::string& file);

} // namespace tamboro
