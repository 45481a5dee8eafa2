#include "kits/KitLibrary.h"

#include "common/Files.h"

#include <array>
#include <optional>

namespace tamboro {

namespace fs = std::filesystem;

namespace {

// Positions whose pan and volume follow a kit change.
constexpr int carriedPositions = 16;

struct Mix {
    std::int32_t volume;
    std::int32_t pan;
};

// The kit item at instrument position `position` (1 to lastKitIndex hold the kit's names in kit
// order), or nullptr when that position holds no named kit instrument.
DrumKitItem* kitItemAt(DrumKit& kit, int lastKitIndex, int position) {
    if (position < 1 || position > lastKitIndex || position >= kit.count())
        return nullptr;
    const std::string& name = kit.item(position).name();
    return name.empty() ? nullptr : kit.findOrNull(name);
}

} // namespace

std::string fileNamePart(const std::string& path) {
    const auto cut = path.find_last_of("/\\:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

fs::path KitLibrary::resolveKitPath(const std::string& name) const {
    const fs::path given(name);
    const std::string leaf = fileNamePart(name);
    if (leaf == name)
        return resolveCaseInsensitive(programDir_, name);
    fs::path folder = given.parent_path();
    if (folder.is_relative())
        folder = programDir_ / folder;
    return resolveCaseInsensitive(folder, leaf);
}

void KitLibrary::loadKit() {
    std::error_code ec;
    fs::path path = resolveKitPath(kitFileName_);
    if (!fs::is_regular_file(path, ec)) {
        kitFileName_ = defaultKitFileName;
        path = resolveKitPath(kitFileName_);
    }
    // Read into a fresh kit first: a file that fails to load leaves the current kit playing.
    DrumKit loaded;
    loaded.loadFromFile(path);
    kit_ = std::move(loaded);
    if (!deferKitListPaint && paintKitList)
        paintKitList();
    deferKitListPaint = false;
    kitFileName_ = fileNamePart(kitFileName_);
    lastKitIndex_ = kit_.count() - 1;
    if (fillInstrumentList)
        fillInstrumentList(kit_);
}

bool KitLibrary::chooseKit(const std::string& chosenFile) {
    if (chosenFile.empty() || chosenFile == ".dxg")
        return false;
    std::array<std::optional<Mix>, carriedPositions + 1> remembered;
    for (int i = 1; i <= carriedPositions; ++i)
        if (const auto* item = kitItemAt(kit_, lastKitIndex_, i))
            remembered[static_cast<std::size_t>(i)] = Mix{item->volume(), item->pan()};
    const std::string previousFileName = kitFileName_;
    kitFileName_ = chosenFile;
    try {
        loadKit();
    } catch (...) {
        // The kit in use stays, and so does the name saved at shut-down.
        kitFileName_ = previousFileName;
        throw;
    }
    for (int i = 1; i <= carriedPositions; ++i) {
        auto* item = kitItemAt(kit_, lastKitIndex_, i);
        const auto& mix = remembered[static_cast<std::size_t>(i)];
        if (item && mix) {
            item->setVolume(mix->volume);
            item->setPan(mix->pan);
        }
    }
    return true;
}

std::string toggleInstrument(std::string_view cellText, std::string_view currentInstrument) {
    return cellText != currentInstrument ? std::string(currentInstrument) : std::string();
}

std::string KitLibrary::kitListCaption() const {
    const std::string& name = kitFileName_;
    return "Kit List-" + name.substr(0, name.size() >= 4 ? name.size() - 4 : 0);
}

} // namespace tamboro
