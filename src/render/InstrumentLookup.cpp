#include "render/InstrumentLookup.h"

#include "common/Files.h"
#include "kits/DrumKit.h"

namespace tamboro {

InstrumentLookup::InstrumentLookup(std::vector<std::string> entries, int lastKitIndex)
    : entries_(std::move(entries)), lastKitIndex_(lastKitIndex) {
    for (int i = 0; i < static_cast<int>(entries_.size()); ++i)
        firstByFoldedName_.emplace(toLowerAscii(entries_[static_cast<std::size_t>(i)]), i);
}

InstrumentLookup InstrumentLookup::forKit(const DrumKit& kit) {
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(kit.count() + kRenderExtraSamples));
    for (int i = 0; i < kit.count(); ++i)
        entries.push_back(kit.item(i).name());
    for (int n = 1; n <= kRenderExtraSamples; ++n)
        entries.push_back("Sample" + std::to_string(n));
    return InstrumentLookup(std::move(entries), kit.count() - 1);
}

int InstrumentLookup::find(std::string_view text) const {
    const auto it = firstByFoldedName_.find(toLowerAscii(text));
    return it == firstByFoldedName_.end() ? -1 : it->second;
}

std::string cellLookupText(std::string_view cell) {
    std::string text(cell);
    if (text.size() > 11)
        text[11] = ' ';
    return text;
}

CellLevel cellLevel(std::string_view cell) {
    CellLevel level;
    if (cell.size() < 12)
        return level;
    const char c = cell[11];
    if (c == ' ')
        level.digit = 1;
    else if (c >= '0' && c <= '9')
        level.digit = c - '0';
    else
        level.bad = c;
    return level;
}

} // namespace tamboro
