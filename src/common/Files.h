#pragma once
// File helpers shared by every reader and writer: whole-file reads with a size limit, atomic writes,
// and case-insensitive name resolution.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tamboro {

// Reads a whole file. Throws Error with the file system's message when it cannot be opened, and
// refuses files larger than `maxBytes` before allocating.
std::vector<std::uint8_t> readFileBytes(const std::filesystem::path& path,
                                        std::uintmax_t maxBytes = std::uintmax_t{1} << 31);

// Replaces the file with `bytes` through AtomicFileWriter: a failed write never leaves a partial
// file where the old one stood.
void writeFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
void writeFileAtomically(const std::filesystem::path& path, std::string_view text);

// Finds `name` in `dir` ignoring letter case. Returns the exact match if present, else the first
// entry whose name equals ignoring ASCII case, else dir / name (which may not exist).
std::filesystem::path resolveCaseInsensitive(const std::filesystem::path& dir, const std::string& name);

// ASCII case folding and comparison, as the program matches names and file names.
std::string toLowerAscii(std::string_view s);
bool equalsIgnoreCase(std::string_view a, std::string_view b);
int compareIgnoreCase(std::string_view a, std::string_view b);

} // namespace tamboro
