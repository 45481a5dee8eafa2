#include "render/DrumNoteMap.h"

#include "common/Error.h"
#include "common/Files.h"
#include "common/TextLines.h"

#include <array>
#include <cmath>
#include <vector>

namespace tamboro {

namespace {

// Lower-case letters and digits only: "Hi-Hat Open" -> "hihatopen".
std::string foldName(std::string_view name) {
    std::string folded;
    for (const char c : name) {
        if (c >= 'A' && c <= 'Z')
            folded += static_cast<char>(c - 'A' + 'a');
        else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            folded += c;
    }
    return folded;
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::string overrideKey(std::string_view name) {
    return toLowerAscii(trimBlanks(name));
}

// The drum notes no name rule gives, most useful first (a second kick, snare, floor toms, then the
// other cymbals and percussion), then the rest of the note range outside the extra samples' notes.
std::vector<int> makeDefaultOrder() {
    std::vector<int> order{35, 40, 41, 43, 48, 52, 55, 57, 58, 59};
    for (int n = 34; n >= 0; --n)
        order.push_back(n);
    for (int n = 92; n <= 127; ++n)
        order.push_back(n);
    return order;
}

constexpr std::size_t kMaxNoteMapBytes = 1 << 20;

} // namespace

int midiVelocity(int level) {
    const double velocity = std::round(127.0 * std::pow(10.0, -5.0 * level / 40.0));
    return velocity < 1 ? 1 : velocity > 127 ? 127 : static_cast<int>(velocity);
}

int generalMidiDrumNote(std::string_view name) {
    const std::string n = foldName(name);
    auto has = [&](std::string_view part) { return n.find(part) != std::string::npos; };
    if (n.empty())
        return -1;
    if (has("ride") && has("bell"))
        return 53;
    if (has("cowbell"))
        return 56;
    if (has("ride"))
        return 51;
    if (has("crash"))
        return 49;
    if (has("hat") || has("hiat") || n.starts_with("hh")) {
        if (has("open") || n.starts_with("oh") || n == "hho")
            return 46;
        if (has("pedal") || has("foot") || has("ped"))
            return 44;
        return 42;
    }
    if (has("rim"))
        return 37;
    if (has("snare") || has("snr") || n == "sd")
        return 38;
    if (has("clap"))
        return 39;
    if (has("kick") || has("bassdrum") || n == "bd")
        return 36;
    if (has("tom")) {
        if (has("low") || has("floor") || n.starts_with("lo"))
            return 45;
        if (has("mid") || has("med"))
            return 47;
        if (has("high") || n.starts_with("hi"))
            return 50;
        return 47;
    }
    if (has("tamb"))
        return 54;
    if (has("shake"))
        return 70;
    return -1;
}

int extraSampleNumber(std::string_view name) {
    const std::string n = toLowerAscii(trimBlanks(name));
    if (!n.starts_with("sample") || n.size() < 7 || n.size() > 8)
        return 0;
    long long number = 0;
    const std::string digits = n.substr(6);
    if (digits.front() == '0' || digits.find_first_not_of("0123456789") != std::string::npos ||
        !parseInteger(digits, number) || number < 1 || number > 32)
        return 0;
    return static_cast<int>(number);
}

NoteMapOverrides parseNoteMapFile(std::span<const std::uint8_t> bytes, const std::string& fileLabel) {
    if (bytes.size() > kMaxNoteMapBytes)
        throw Error("The note map \"" + fileLabel + "\" is larger than a note map can be (1 MiB).");
    const std::string text(bytes.begin(), bytes.end());
    NoteMapOverrides map;
    std::map<std::string, std::size_t> lineOf;
    const std::vector<std::string> lines = splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string where = "The note map \"" + fileLabel + "\", line " + std::to_string(i + 1) + ": ";
        const std::string_view line = trimBlanks(lines[i]);
        for (const char c : line)
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
                throw Error(where + "holds a character that is not text.");
        if (line.empty() || line.front() == '#')
            continue;
        const auto equals = line.find('=');
        if (equals == std::string_view::npos)
            throw Error(where + "\"" + std::string(line) + "\" is not of the form name=note.");
        const std::string key = overrideKey(line.substr(0, equals));
        if (key.empty())
            throw Error(where + "the instrument name before '=' is empty.");
        const std::string noteText(trimBlanks(line.substr(equals + 1)));
        long long note = -1;
        if (!parseInteger(noteText, note) || note < 0 || note > 127)
            throw Error(where + "the note \"" + noteText + "\" is not a number from 0 to 127.");
        if (const auto first = lineOf.find(key); first != lineOf.end())
            throw Error(where + "\"" + std::string(trimBlanks(line.substr(0, equals))) +
                        "\" is mapped already on line " + std::to_string(first->second) + ".");
        lineOf.emplace(key, i + 1);
        map.emplace(key, static_cast<int>(note));
    }
    return map;
}

NoteMapOverrides readNoteMapFile(const std::filesystem::path& path) {
    // One byte past the limit is enough for the parser to refuse an oversized file.
    return parseNoteMapFile(readFileBytes(path, kMaxNoteMapBytes + 1), path.string());
}

DrumNoteMap::DrumNoteMap(NoteMapOverrides overrides) : overrides_(std::move(overrides)) {
    for (const auto& [name, note] : overrides_)
        taken_.insert(note);
}

int DrumNoteMap::noteFor(std::string_view name) {
    const std::string key = overrideKey(name);
    if (const auto it = overrides_.find(key); it != overrides_.end())
        return it->second;
    if (const int gm = generalMidiDrumNote(name); gm >= 0)
        return gm;
    if (const int sample = extraSampleNumber(name); sample > 0)
        return 59 + sample;
    if (const auto it = assigned_.find(key); it != assigned_.end())
        return it->second;
    static const std::vector<int> order = makeDefaultOrder();
    int note = order.front();
    for (std::size_t tries = 0; tries < order.size(); ++tries) {
        const int candidate = order[nextDefault_++ % order.size()];
        if (!taken_.contains(candidate)) {
            note = candidate;
            break;
        }
    }
    assigned_.emplace(key, note);
    return note;
}

} // namespace tamboro
