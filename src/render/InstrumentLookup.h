#pragma once
// The instrument list as the renderer reads it: position 0 the kit's empty instrument, 1 to
// lastKitIndex the kit's instruments, then "Sample1" to "Sample32". A text is found at the first
// position whose entry equals it ignoring letter case.

#include "song/ExtraSampleCount.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tamboro {

class DrumKit;

inline constexpr int kRenderExtraSamples = kExtraSampleCount;

class InstrumentLookup {
public:
    InstrumentLookup(std::vector<std::string> entries, int lastKitIndex);
    // The list of a kit: its item names in order, then "Sample1" to "Sample32".
    static InstrumentLookup forKit(const DrumKit& kit);

    // The first position of `text`, or -1.
    int find(std::string_view text) const;
    const std::string& entry(int position) const { return entries_.at(static_cast<std::size_t>(position)); }
    int lastKitIndex() const { return lastKitIndex_; }
    int size() const { return static_cast<int>(entries_.size()); }
    const std::vector<std::string>& entries() const { return entries_; }

private:
    std::vector<std::string> entries_;
    int lastKitIndex_;
    std::unordered_map<std::string, int> firstByFoldedName_;
};

// A cell as the lookup sees it: a text longer than 10 characters gets a space back at its 12th
// character (where a level digit may stand).
std::string cellLookupText(std::string_view cell);

// The level of a cell longer than 10 characters, from its 12th character: a digit, or 1 for a
// blank; 0 when the cell has none. `bad` holds a 12th character that is neither.
struct CellLevel {
    int digit = 0;
    char bad = 0;
};
CellLevel cellLevel(std::string_view cell);

} // namespace tamboro
