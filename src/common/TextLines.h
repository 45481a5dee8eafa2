#pragma once
// Text files as lists of lines: read with any line end (CR LF, LF or CR), written with CR LF.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tamboro {

std::vector<std::string> splitLines(std::string_view text);
std::string joinLinesCrLf(const std::vector<std::string>& lines);

std::vector<std::string> readTextLines(const std::filesystem::path& path);
// Atomic: the old file stays intact if the write fails.
void writeTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines);

// Parses a whole decimal integer (optional sign, surrounding blanks allowed); false if not one.
bool parseInteger(std::string_view text, long long& value);

} // namespace tamboro
