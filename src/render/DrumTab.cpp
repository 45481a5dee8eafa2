#include "render/DrumTab.h"

#include "common/Error.h"
#include "common/Files.h"
#include "common/TextLines.h"
#include "song/PatternFile.h"

#include <array>

namespace tamboro {

namespace {

constexpr int kChannels = 6;
// Lines of a pattern file after its grid: the tempo, the loop count and 64 sample lines.
constexpr std::ptrdiff_t kTailLines = 66;
// The step rows end this many lines before the end of the file (the row after the last step, the
// tempo, the loop count and the sample lines).
constexpr std::ptrdiff_t kRowsEndFromBack = 78;
constexpr std::ptrdiff_t kFirstCell = 15; // row 2, column 1

long long countLine(const std::vector<std::string>& lines, std::ptrdiff_t index,
                    const std::string& patternName) {
    long long value = 0;
    if (index < 0 || index >= static_cast<std::ptrdiff_t>(lines.size()))
        throw Error("Pattern \"" + patternName + "\" is too short to be a pattern file.");
    if (!parseInteger(lines[static_cast<std::size_t>(index)], value))
        throw Error("'" + lines[static_cast<std::size_t>(index)] +
                    "' is not a valid integer value (pattern \"" + patternName + "\", line " +
                    std::to_string(index + 1) + ")");
    return value;
}

std::string trimBlanks(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

void addName(std::string& list, const std::string& name) {
    // A name already inside the list, even as part of a longer name, is not added again; an empty
    // name never counts as present.
    if (!name.empty() && list.find(name) != std::string::npos)
        return;
    list = list.empty() ? name : list + "\\" + name;
}

// Beat numbers stand over the first step of each beat; a number of two or more digits spills into
// the blanks after it and the line is cut to one character per step, so later numbers stay in place.
std::string counterLine(std::size_t steps, const std::vector<std::pair<std::size_t, int>>& beats) {
    std::string line(steps, ' ');
    std::vector<bool> beatStart(steps, false);
    for (const auto& [pos, number] : beats)
        if (pos < steps)
            beatStart[pos] = true;
    for (const auto& [pos, number] : beats) {
        const std::string digits = std::to_string(number);
        if (pos >= steps)
            continue;
        line[pos] = digits[0];
        for (std::size_t j = 1; j < digits.size(); ++j) {
            const std::size_t at = pos + j;
            if (at >= steps || beatStart[at] || line[at] != ' ')
                break;
            line[at] = digits[j];
        }
    }
    return line;
}

} // namespace

std::string drumTabTitle(const std::string& songFileName) {
    const auto cut = songFileName.find_last_of("\\:/");
    const std::string namePart = cut == std::string::npos ? songFileName : songFileName.substr(cut + 1);
    const std::string title = namePart.size() > 4 ? namePart.substr(0, namePart.size() - 4) : std::string();
    return title.empty() ? "Untitled Song" : title;
}

std::vector<std::string> drumTabBlock(const std::vector<std::string>& lines, const std::string& patternName) {
    const auto count = static_cast<std::ptrdiff_t>(lines.size());
    const long long steps = countLine(lines, 2, patternName);
    const long long stepsPerBeat = countLine(lines, 4, patternName);
    const long long tempo = countLine(lines, count - kTailLines, patternName);
    const long long repeat = countLine(lines, count - kTailLines + 1, patternName);

    std::array<std::string, kChannels> track, names;
    std::vector<std::pair<std::size_t, int>> beats{{0, 1}};
    std::size_t stepIndex = 0;
    long long beatPosition = 1;
    int beatNumber = 1;
    const std::ptrdiff_t end = count - kRowsEndFromBack;
    std::ptrdiff_t i = kFirstCell;
    while (i < end) {
        for (int ch = 0; ch < kChannels; ++ch, ++i) {
            const std::string s = i < count ? lines[static_cast<std::size_t>(i)] : std::string();
            if (s.empty()) {
                track[ch] += '-';
                continue;
            }
            track[ch] += s[0];
            addName(names[ch], trimBlanks(s.substr(0, 10)));
        }
        ++stepIndex;
        if (i < end) {
            if (beatPosition == stepsPerBeat) {
                beats.emplace_back(stepIndex, ++beatNumber);
                beatPosition = 0;
            }
            ++beatPosition;
            ++i; // the next row's step label
        }
    }

    std::vector<std::string> block;
    block.emplace_back();
    block.push_back(std::to_string(stepsPerBeat) + " : " + std::to_string(steps) +
                    "   BPM:" + std::to_string(tempo));
    block.push_back("Repeat " + std::to_string(repeat));
    block.push_back(counterLine(stepIndex, beats));
    for (int ch = 0; ch < kChannels; ++ch)
        block.push_back(track[ch] + "   " + names[ch]);
    return block;
}

std::vector<std::string> drumTabLines(const std::string& songFileName,
                                      const std::vector<std::string>& playList,
                                      const std::filesystem::path& patternDir) {
    std::vector<std::string> out{drumTabTitle(songFileName), ""};
    for (const auto& entry : playList) {
        // Found as song playback and the render find them: whatever the letter case, and never
        // outside the folder, whatever name a song file carries.
        const auto lines = readTextLines(patternFilePath(patternDir, entry));
        const auto block = drumTabBlock(lines, entry);
        out.insert(out.end(), block.begin(), block.end());
    }
    return out;
}

std::filesystem::path writeDrumTab(const std::string& songFileName, const std::vector<std::string>& playList,
                                   const std::filesystem::path& patternDir,
                                   const std::filesystem::path& outputDir) {
    const auto lines = drumTabLines(songFileName, playList, patternDir);
    const auto path = outputDir / (drumTabTitle(songFileName) + ".txt");
    writeTextLines(path, lines);
    return path;
}

} // namespace tamboro
