#include "song/PracticeFile.h"

#include "common/Error.h"
#include "common/Files.h"
#include "common/TextLines.h"

#include <system_error>

namespace tamboro {

namespace {

constexpr const char* kSection = "[Practice]";

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

} // namespace

PracticeSettings parsePracticeFile(std::span<const std::uint8_t> bytes, const std::string& fileLabel) {
    if (bytes.size() > kMaxPracticeFileBytes)
        throw Error(fileLabel + " is too large for a practice file (" + std::to_string(bytes.size()) +
                    " bytes; at most " + std::to_string(kMaxPracticeFileBytes) + ")");
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const auto lines = splitLines(text);
    PracticeSettings settings;
    bool seenSection = false;
    bool inSection = false;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string where = fileLabel + " line " + std::to_string(n + 1);
        for (const char c : lines[n])
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
                throw Error(where + ": not a text line (control character " +
                            std::to_string(static_cast<unsigned char>(c)) + ")");
        const std::string_view line = trimmed(lines[n]);
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            inSection = line == kSection;
            seenSection = seenSection || inSection;
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos)
            throw Error(where + ": \"" + std::string(line) + "\" is not a key=value line");
        if (!inSection)
            continue;
        const std::string_view key = trimmed(line.substr(0, equals));
        const std::string_view value = trimmed(line.substr(equals + 1));
        if (const PracticeOption* setting = findPracticeKey(key))
            applyPracticeValue(settings, *setting, value, where + ": " + std::string(key));
    }
    if (!seenSection)
        throw Error(fileLabel + " has no " + kSection + " section");
    return settings;
}

PracticeSettings readPracticeFile(const std::filesystem::path& path) {
    return parsePracticeFile(readFileBytes(path, kMaxPracticeFileBytes + 1), path.string());
}

std::string formatPracticeFile(const PracticeSettings& settings) {
    std::vector<std::string> lines{kSection};
    for (const auto& setting : practiceOptions())
        lines.push_back(std::string(setting.key) + "=" + practiceValueText(settings, setting));
    return joinLinesCrLf(lines);
}

void writePracticeFile(const std::filesystem::path& path, const PracticeSettings& settings) {
    writeFileAtomically(path, formatPracticeFile(settings));
}

std::filesystem::path practiceFileFor(const std::filesystem::path& songPath) {
    std::filesystem::path path = songPath;
    path.replace_extension(kPracticeFileExtension);
    return path;
}

PracticeFileLoad loadPracticeFor(const std::filesystem::path& songPath) {
    PracticeFileLoad load;
    const auto path = practiceFileFor(songPath);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return load;
    try {
        load.settings = readPracticeFile(path);
    } catch (const Error& e) {
        load.problem = std::string(e.what()) + "; the song opens with the default practice settings";
    }
    return load;
}

} // namespace tamboro
