#include "song/SongFile.h"

#include "common/Error.h"
#include "common/Files.h"
#include "common/TextLines.h"
#include "song/PatternFile.h"

#include <climits>

namespace tamboro {

namespace {

constexpr std::uintmax_t kMaxSongFileBytes = 16u << 20;

bool startsSampleSection(const std::string& line) {
    return line.rfind("<*", 0) == 0;
}

} // namespace

SongFileData parseSongFile(std::span<const std::uint8_t> bytes, const std::string& fileLabel) {
    // A song is text: a control byte (other than tab and the line ends) means the bytes are
    // something else, which would otherwise open as a Play List of junk entries.
    std::size_t line = 1;
    for (const std::uint8_t byte : bytes) {
        if (byte == '\n')
            ++line;
        else if ((byte < 0x20 && byte != '\t' && byte != '\r') || byte == 0x7F)
            throw Error("Song file \"" + fileLabel + "\", line " + std::to_string(line) +
                        ": it holds bytes that are not text (a control byte " + std::to_string(byte) +
                        "), so it is no song file.");
    }
    const auto lines =
        splitLines(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    auto fail = [&](std::size_t index, const std::string& what) -> void {
        throw Error("Song file \"" + fileLabel + "\", line " + std::to_string(index + 1) + ": " + what);
    };
    auto integer = [&](std::size_t index, const char* what) {
        if (index >= lines.size())
            fail(index, std::string("the file ends before the ") + what);
        long long value = 0;
        if (!parseInteger(lines[index], value) || value < INT_MIN || value > INT_MAX)
            fail(index, std::string("the ") + what + " \"" + lines[index] + "\" is not a whole number");
        return static_cast<int>(value);
    };

    SongFileData song;
    std::size_t i = 0;
    while (i < lines.size() && !startsSampleSection(lines[i]))
        song.entries.push_back(lines[i++]);
    for (int n = 1; n <= kExtraSampleCount && i < lines.size(); ++n) {
        // i stands on the block's marker line.
        if (++i >= lines.size())
            break;
        SongSample sample;
        sample.fileName = lines[i];
        sample.frequency = integer(++i, "sample frequency");
        ++i;
        if (i < lines.size() && lines[i] == "//") {
            sample.pan = integer(++i, "sample pan");
            ++i;
        }
        song.samples.push_back(std::move(sample));
    }
    return song;
}

SongFileData readSongFile(const std::filesystem::path& path) {
    return parseSongFile(readFileBytes(path, kMaxSongFileBytes), path.filename().string());
}

std::vector<std::string> buildSongFileLines(const std::vector<std::string>& entries,
                                            const std::vector<SongSample>& samples) {
    std::vector<std::string> lines;
    lines.reserve(entries.size() + 5 * kExtraSampleCount);
    for (const auto& entry : entries) {
        if (startsSampleSection(entry))
            throw Error("The Play List entry \"" + entry +
                        "\" cannot be stored in a song: it begins with \"<*\".");
        lines.push_back(entry);
    }
    for (int n = 1; n <= kExtraSampleCount; ++n) {
        const auto index = static_cast<std::size_t>(n - 1);
        const SongSample sample = index < samples.size() ? samples[index] : SongSample{"Blank.wav", 0, 0};
        lines.push_back("<*sam" + std::to_string(n));
        lines.push_back(sample.fileName);
        lines.push_back(std::to_string(sample.frequency));
        lines.emplace_back("//");
        lines.push_back(std::to_string(sample.pan.value_or(0)));
    }
    return lines;
}

void writeSongFile(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    writeTextLines(path, lines);
}

std::filesystem::path songPathWithDefaultExtension(const std::filesystem::path& chosen) {
    if (chosen.empty() || chosen.has_extension())
        return chosen;
    std::filesystem::path withExtension = chosen;
    withExtension += ".sng";
    return withExtension;
}

} // namespace tamboro
