#include "sound/InstrumentList.h"

#include "common/Files.h"
#include "kits/DrumKit.h"

namespace tamboro {

void InstrumentList::fill(const DrumKit& kit) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(kit.count()));
    for (int i = 0; i < kit.count(); ++i)
        names.push_back(kit.item(i).name());
    fill(names);
}

void InstrumentList::fill(const std::vector<std::string>& kitNames) {
    entries_ = kitNames;
    lastKitIndex_ = static_cast<int>(kitNames.size()) - 1;
    for (int n = 1; n <= kExtraSampleStreams; ++n)
        entries_.push_back(extraSampleName(n));
}

int InstrumentList::indexOf(std::string_view text) const {
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (equalsIgnoreCase(entries_[i], text))
            return static_cast<int>(i);
    return -1;
}

const std::string& InstrumentList::entry(int index) const {
    static const std::string empty;
    if (index < 0 || index >= count())
        return empty;
    return entries_[static_cast<std::size_t>(index)];
}

std::string extraSampleName(int n) {
    return "Sample" + std::to_string(n);
}

} // namespace tamboro
