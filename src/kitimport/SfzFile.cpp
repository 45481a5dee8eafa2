#include "kitimport/SfzFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <utility>

namespace tamboro {

namespace {

constexpr int kMaxIncludeDepth = 16;
// Expanded text beyond this is refused: a file including itself through many names stays small.
constexpr std::size_t kMaxExpandedBytes = std::size_t{16} << 20;

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

bool isNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

struct Preprocessor {
    const SfzIncludeLoader& load;
    std::vector<std::string>& warnings;
    std::map<std::string, std::string> defines;
    std::vector<std::string> stack; // include chain, for loops
    std::string out;

    std::string substitute(const std::string& line) const {
        if (defines.empty() || line.find('$') == std::string::npos)
            return line;
        std::string result;
        for (std::size_t i = 0; i < line.size();) {
            if (line[i] == '$') {
                std::size_t end = i + 1;
                while (end < line.size() && isNameChar(line[end]))
                    ++end;
                // The longest defined name that matches wins ($NOTE before $N).
                bool replaced = false;
                for (std::size_t len = end - i; len > 1; --len) {
                    const auto found = defines.find(line.substr(i, len));
                    if (found != defines.end()) {
                        result += found->second;
                        i += len;
                        replaced = true;
                        break;
                    }
                }
                if (replaced)
                    continue;
            }
            result += line[i++];
        }
        return result;
    }

    // Appends `text` (of file `name`) with #define and #include handled; every file's text is
    // marked with a line "\x01file name" so regions know where they were written.
    void expand(const std::string& text, const std::string& name) {
        if (stack.size() >= kMaxIncludeDepth) {
            warnings.push_back(name + ": includes nest deeper than " + std::to_string(kMaxIncludeDepth) +
                               " files; left out.");
            return;
        }
        stack.push_back(name);
        out += "\n\x01" + name + "\n";
        std::size_t pos = 0;
        while (pos < text.size() && out.size() < kMaxExpandedBytes) {
            std::size_t end = text.find('\n', pos);
            if (end == std::string::npos)
                end = text.size();
            const std::string line = text.substr(pos, end - pos);
            pos = end + 1;
            const std::string stripped = trim(line);
            if (stripped.rfind("#define", 0) == 0) {
                const std::string rest = trim(stripped.substr(7));
                const auto space = rest.find_first_of(" \t");
                if (!rest.empty() && rest[0] == '$' && space != std::string::npos)
                    defines[rest.substr(0, space)] = trim(rest.substr(space));
                continue;
            }
            if (stripped.rfind("#include", 0) == 0) {
                const auto open = stripped.find('"');
                const auto close = stripped.find('"', open + 1);
                if (open == std::string::npos || close == std::string::npos) {
                    warnings.push_back(name + ": an #include without a quoted file name; left out.");
                    continue;
                }
                const std::string path = substitute(stripped.substr(open + 1, close - open - 1));
                if (std::find(stack.begin(), stack.end(), path) != stack.end()) {
                    warnings.push_back(name + ": #include \"" + path +
                                       "\" would include itself again (a loop); left out.");
                    continue;
                }
                const auto included = load(path);
                if (!included)
                    warnings.push_back(name + ": #include \"" + path + "\" cannot be read; left out.");
                else
                    expand(*included, path);
                out += "\n\x01" + name + "\n";
                continue;
            }
            out += substitute(line);
            out += '\n';
        }
        if (out.size() >= kMaxExpandedBytes)
            warnings.push_back(name + ": the expanded text is too large; the rest is left out.");
        stack.pop_back();
    }
};

using Opcodes = std::map<std::string, std::string>;

double toNumber(const std::string& value, double fallback) {
    double v = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), v);
    return error == std::errc() && end != value.data() && std::isfinite(v) ? v : fallback;
}

int toInt(const std::string& value, int fallback) {
    const double v = toNumber(value, fallback);
    return static_cast<int>(std::clamp(std::round(v), -1e6, 1e6));
}

SfzRegion makeRegion(const Opcodes& opcodes, const std::string& defaultPath, const std::string& comment,
                     const std::string& file) {
    SfzRegion region;
    region.comment = comment;
    region.file = file;
    auto get = [&](const char* key) -> const std::string* {
        const auto found = opcodes.find(key);
        return found == opcodes.end() ? nullptr : &found->second;
    };
    if (const auto* sample = get("sample"); sample && !sample->empty()) {
        region.sample = defaultPath + *sample;
        std::replace(region.sample.begin(), region.sample.end(), '\\', '/');
    }
    if (const auto* key = get("key")) {
        region.loKey = region.hiKey = sfzKey(*key);
    }
    if (const auto* lo = get("lokey"))
        region.loKey = sfzKey(*lo);
    if (const auto* hi = get("hikey"))
        region.hiKey = sfzKey(*hi);
    if (region.loKey < 0 || region.hiKey < 0 || region.hiKey < region.loKey)
        region.loKey = region.hiKey = -1;
    if (const auto* v = get("lovel"))
        region.loVel = std::clamp(toInt(*v, 1), 0, 127);
    if (const auto* v = get("hivel"))
        region.hiVel = std::clamp(toInt(*v, 127), 0, 127);
    if (const auto* v = get("seq_position"))
        region.seqPosition = toInt(*v, 1);
    if (const auto* v = get("volume"))
        region.volumeDb = std::clamp(toNumber(*v, 0), -144.0, 24.0);
    if (const auto* v = get("amplitude"))
        region.amplitude = std::clamp(toNumber(*v, 100), 0.0, 100.0);
    if (const auto* v = get("pan"))
        region.pan = std::clamp(toNumber(*v, 0), -100.0, 100.0);
    return region;
}

// Splits a line of opcodes: "name=value" pairs where a value runs up to the next " name=" (sample
// paths may hold spaces).
void readOpcodes(const std::string& text, Opcodes& into) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto eq = text.find('=', pos);
        if (eq == std::string::npos)
            return;
        const std::string name = trim(text.substr(pos, eq - pos));
        std::size_t valueEnd = text.size();
        for (std::size_t i = eq + 1; i < text.size(); ++i) {
            if (text[i] != ' ' && text[i] != '\t')
                continue;
            std::size_t j = i;
            while (j < text.size() && (text[j] == ' ' || text[j] == '\t'))
                ++j;
            std::size_t k = j;
            while (k < text.size() && isNameChar(text[k]))
                ++k;
            if (k > j && k < text.size() && text[k] == '=') {
                valueEnd = i;
                break;
            }
        }
        if (!name.empty() && name.find_first_of(" \t") == std::string::npos)
            into[name] = trim(text.substr(eq + 1, valueEnd - eq - 1));
        pos = valueEnd;
    }
}

} // namespace

int sfzKey(const std::string& rawValue) {
    const std::string value = trim(rawValue);
    if (value.empty())
        return -1;
    if (std::isdigit(static_cast<unsigned char>(value[0])) || value[0] == '-') {
        const int key = toInt(value, -1);
        return key >= 0 && key <= 127 ? key : -1;
    }
    static constexpr std::array<int, 7> steps{9, 11, 0, 2, 4, 5, 7}; // a..g
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(value[0])));
    if (letter < 'a' || letter > 'g')
        return -1;
    int semitone = steps[static_cast<std::size_t>(letter - 'a')];
    std::size_t i = 1;
    if (i < value.size() && value[i] == '#')
        ++semitone, ++i;
    else if (i < value.size() && value[i] == 'b')
        --semitone, ++i;
    if (i >= value.size())
        return -1;
    int octave = 0;
    const auto [end, error] = std::from_chars(value.data() + i, value.data() + value.size(), octave);
    if (error != std::errc() || end != value.data() + value.size() || octave < -1 || octave > 9)
        return -1;
    const int key = (octave + 1) * 12 + semitone;
    return key >= 0 && key <= 127 ? key : -1;
}

std::string gmDrumName(int key) {
    static constexpr std::array<const char*, 47> names{"Acoustic Bass Drum",
                                                       "Bass Drum 1",
                                                       "Side Stick",
                                                       "Acoustic Snare",
                                                       "Hand Clap",
                                                       "Electric Snare",
                                                       "Low Floor Tom",
                                                       "Closed Hi-Hat",
                                                       "High Floor Tom",
                                                       "Pedal Hi-Hat",
                                                       "Low Tom",
                                                       "Open Hi-Hat",
                                                       "Low-Mid Tom",
                                                       "Hi-Mid Tom",
                                                       "Crash Cymbal 1",
                                                       "High Tom",
                                                       "Ride Cymbal 1",
                                                       "Chinese Cymbal",
                                                       "Ride Bell",
                                                       "Tambourine",
                                                       "Splash Cymbal",
                                                       "Cowbell",
                                                       "Crash Cymbal 2",
                                                       "Vibraslap",
                                                       "Ride Cymbal 2",
                                                       "Hi Bongo",
                                                       "Low Bongo",
                                                       "Mute Hi Conga",
                                                       "Open Hi Conga",
                                                       "Low Conga",
                                                       "High Timbale",
                                                       "Low Timbale",
                                                       "High Agogo",
                                                       "Low Agogo",
                                                       "Cabasa",
                                                       "Maracas",
                                                       "Short Whistle",
                                                       "Long Whistle",
                                                       "Short Guiro",
                                                       "Long Guiro",
                                                       "Claves",
                                                       "Hi Wood Block",
                                                       "Low Wood Block",
                                                       "Mute Cuica",
                                                       "Open Cuica",
                                                       "Mute Triangle",
                                                       "Open Triangle"};
    if (key >= 35 && key <= 81)
        return names[static_cast<std::size_t>(key - 35)];
    return "Key " + std::to_string(key);
}

SfzParse parseSfz(const std::string& text, const std::string& label, const SfzIncludeLoader& load) {
    SfzParse result;
    Preprocessor pre{load, result.warnings, {}, {}, {}};
    pre.expand(text, label);

    enum class Level { None, Global, Master, Group, Region, Control, Other };
    Opcodes global, master, group, region, control, ignored;
    std::string globalComment, masterComment, groupComment, regionComment, pendingComment;
    std::string file = label;
    Level level = Level::None;

    auto finishRegion = [&] {
        if (level != Level::Region)
            return;
        Opcodes merged = global;
        for (const auto& [k, v] : master)
            merged[k] = v;
        for (const auto& [k, v] : group)
            merged[k] = v;
        for (const auto& [k, v] : region)
            merged[k] = v;
        std::string comment = !regionComment.empty()   ? regionComment
                              : !groupComment.empty()  ? groupComment
                              : !masterComment.empty() ? masterComment
                                                       : globalComment;
        const auto path = control.find("default_path");
        result.regions.push_back(
            makeRegion(merged, path == control.end() ? std::string() : path->second, comment, file));
    };

    const std::string& all = pre.out;
    std::size_t pos = 0;
    bool inBlockComment = false;
    while (pos < all.size()) {
        std::size_t end = all.find('\n', pos);
        if (end == std::string::npos)
            end = all.size();
        std::string line = all.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line[0] == '\x01') {
            file = line.substr(1);
            continue;
        }
        // Block comments, possibly over several lines.
        std::string kept;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (inBlockComment) {
                if (line.compare(i, 2, "*/") == 0)
                    inBlockComment = false, ++i;
                continue;
            }
            if (line.compare(i, 2, "/*") == 0) {
                inBlockComment = true;
                ++i;
                continue;
            }
            kept += line[i];
        }
        line = kept;
        if (const auto slash = line.find("//"); slash != std::string::npos) {
            const std::string comment = trim(line.substr(slash + 2));
            if (!comment.empty())
                pendingComment = comment;
            line.resize(slash);
        }
        // Headers and opcodes may share a line: split at each '<'.
        std::size_t at = 0;
        while (at < line.size()) {
            const auto open = line.find('<', at);
            readOpcodes(line.substr(at, open == std::string::npos ? std::string::npos : open - at),
                        level == Level::Global    ? global
                        : level == Level::Master  ? master
                        : level == Level::Group   ? group
                        : level == Level::Region  ? region
                        : level == Level::Control ? control
                                                  : ignored);
            if (open == std::string::npos)
                break;
            const auto close = line.find('>', open);
            if (close == std::string::npos)
                break;
            const std::string header = line.substr(open + 1, close - open - 1);
            at = close + 1;
            finishRegion();
            const std::string comment = std::exchange(pendingComment, std::string());
            if (header == "region") {
                level = Level::Region;
                region.clear();
                regionComment = comment;
            } else if (header == "group") {
                level = Level::Group;
                group.clear();
                groupComment = comment;
            } else if (header == "master") {
                level = Level::Master;
                master.clear();
                group.clear();
                masterComment = comment;
                groupComment.clear();
            } else if (header == "global") {
                level = Level::Global;
                global.clear();
                master.clear();
                group.clear();
                globalComment = comment;
                masterComment.clear();
                groupComment.clear();
            } else if (header == "control") {
                level = Level::Control;
                control.clear();
            } else {
                // <curve>, <effect>, <midi>, <sample>: nothing a drum kit's regions need.
                level = Level::Other;
            }
        }
    }
    finishRegion();
    return result;
}

} // namespace tamboro
