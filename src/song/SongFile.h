#pragma once
// Song files (".sng"): the Play List's pattern names, one a line, then for each of the 32 extra
// samples a block of "<*sam" n, its file name, its frequency, "//" and its pan. Blocks of three
// lines (no "//" and pan) are read too; a file without a sample section is all Play List.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tamboro {

struct SongSample {
    std::string fileName;
    int frequency = 0;
    std::optional<int> pan; // absent in a three-line block: the sample keeps its pan
};

struct SongFileData {
    std::vector<std::string> entries;
    std::vector<SongSample> samples; // as many as the file holds, at most 32
};

// Parses a song file; errors name `fileLabel` and the line. Bytes that are not text lines (control
// bytes other than tab, CR and LF) refuse the whole file.
SongFileData parseSongFile(std::span<const std::uint8_t> bytes, const std::string& fileLabel);
SongFileData readSongFile(const std::filesystem::path& path);

// The lines of a song file: the entries, then 32 five-line sample blocks (missing samples are
// written as "Blank.wav", frequency 0, pan 0). Throws Error for an entry starting with "<*",
// which would be read back as the sample section.
std::vector<std::string> buildSongFileLines(const std::vector<std::string>& entries,
                                            const std::vector<SongSample>& samples);

// The save dialog's default extension: a chosen name without an extension gets ".sng".
std::filesystem::path songPathWithDefaultExtension(const std::filesystem::path& chosen);

// Writes the song atomically: a failed write leaves the old file whole.
void writeSongFile(const std::filesystem::path& path, const std::vector<std::string>& lines);

} // namespace tamboro
