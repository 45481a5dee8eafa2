#pragma once
// The instrument list (`instrumentBox`): the one numbering of instruments. Position 0 is the kit's
// first item (the empty instrument), 1..`lastKitIndex` the kit's other items in kit order, then
// "Sample1".."Sample32" for the extra samples. Its text is the current instrument.

#include <string>
#include <string_view>
#include <vector>

namespace tamboro {

class DrumKit;

inline constexpr int kExtraSampleStreams = 32;

class InstrumentList {
public:
    // Refills the list from a kit: item names in order, then the 32 sample names. `lastKitIndex`
    // becomes the kit's item count - 1.
    void fill(const DrumKit& kit);
    // The same from names, for callers that hold them already.
    void fill(const std::vector<std::string>& kitNames);

    // The first position whose entry equals `text` ignoring letter case, or -1.
    int indexOf(std::string_view text) const;
    // The entry at `index`; empty outside the list.
    const std::string& entry(int index) const;
    int count() const { return static_cast<int>(entries_.size()); }
    int lastKitIndex() const { return lastKitIndex_; }

    // The combo box's text: the current instrument (set by the Kit List window).
    const std::string& text() const { return text_; }
    void setText(std::string text) { text_ = std::move(text); }

private:
    std::vector<std::string> entries_;
    int lastKitIndex_ = -1;
    std::string text_;
};

// "Sample<n>".
std::string extraSampleName(int n);

} // namespace tamboro
