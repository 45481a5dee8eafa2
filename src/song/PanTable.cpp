#include "song/PanTable.h"

#include "common/Error.h"
#include "common/Files.h"
#include "common/TextLines.h"

#include <algorithm>
#include <limits>

namespace tamboro {

namespace {

constexpr int kPanLimit = 10000;
// The table is a few hundred bytes; anything far larger is not a pan table.
constexpr std::uintmax_t kMaxPanTableBytes = 64 * 1024;

long long integerOnLine(const std::vector<std::string>& lines, int lineNumber) {
    long long value = 0;
    if (!parseInteger(lines[static_cast<std::size_t>(lineNumber - 1)], value))
        throw Error("line " + std::to_string(lineNumber) + " of the pan table is not a number: '" +
                    lines[static_cast<std::size_t>(lineNumber - 1)] + "'");
    return value;
}

std::uint32_t colourOnLine(const std::vector<std::string>& lines, int lineNumber) {
    const long long value = integerOnLine(lines, lineNumber);
    if (value < 0 || value > 0x00FFFFFF)
        throw Error("line " + std::to_string(lineNumber) +
                    " of the pan table is not a colour: " + std::to_string(value));
    return static_cast<std::uint32_t>(value);
}

} // namespace

PanTable parsePanTable(const std::string& text) {
    const std::vector<std::string> lines = splitLines(text);
    if (lines.size() < static_cast<std::size_t>(kPanTableLines))
        throw Error("the pan table has " + std::to_string(lines.size()) + " lines instead of " +
                    std::to_string(kPanTableLines));
    PanTable table;
    for (int position = 1; position <= kPanTablePositions; ++position) {
        const long long pan = integerOnLine(lines, position + 1);
        table.pans[static_cast<std::size_t>(position - 1)] =
            static_cast<int>(std::clamp<long long>(pan, -kPanLimit, kPanLimit));
    }
    table.gridBackground = colourOnLine(lines, 18);
    table.gridText = colourOnLine(lines, 19);
    return table;
}

std::string formatPanTable(const PanTable& table) {
    std::vector<std::string> lines;
    lines.reserve(kPanTableLines);
    lines.emplace_back("0");
    for (int pan : table.pans)
        lines.push_back(std::to_string(pan));
    lines.push_back(std::to_string(table.gridBackground));
    lines.push_back(std::to_string(table.gridText));
    return joinLinesCrLf(lines);
}

PanTableLoad loadPanTable(const std::filesystem::path& file) {
    PanTableLoad result;
    try {
        const std::vector<std::uint8_t> bytes = readFileBytes(file, kMaxPanTableBytes);
        result.table = parsePanTable(std::string(bytes.begin(), bytes.end()));
    } catch (const Error& e) {
        result.table = PanTable{};
        result.problem = e.what();
    }
    return result;
}

void savePanTable(const std::filesystem::path& file, const PanTable& table) {
    writeFileAtomically(file, formatPanTable(table));
}

bool InstrumentPositions::holdsKitInstrument(int position) const {
    return position >= 1 && position <= lastKitIndex && position < static_cast<int>(entries.size()) &&
           !entries[static_cast<std::size_t>(position)].empty();
}

void applyPanTable(const PanTable& table, const InstrumentPositions& list,
                   const std::function<void(const std::string& name, int pan)>& setPan) {
    for (int position = 1; position <= kPanTablePositions; ++position) {
        if (list.holdsKitInstrument(position))
            setPan(list.entries[static_cast<std::size_t>(position)],
                   table.pans[static_cast<std::size_t>(position - 1)]);
    }
}

PanTable capturePanTable(const InstrumentPositions& list,
                         const std::function<int(const std::string& name)>& panOf,
                         std::uint32_t gridBackground, std::uint32_t gridText) {
    PanTable table;
    for (int position = 1; position <= kPanTablePositions; ++position) {
        table.pans[static_cast<std::size_t>(position - 1)] =
            list.holdsKitInstrument(position) ? panOf(list.entries[static_cast<std::size_t>(position)]) : 0;
    }
    table.gridBackground = gridBackground;
    table.gridText = gridText;
    return table;
}

} // namespace tamboro
