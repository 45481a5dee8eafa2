#include "kits/DrumKit.h"

#include "common/Error.h"
#include "common/Files.h"
#include "kits/KitFile.h"

#include <algorithm>
#include <utility>

namespace tamboro {

void DrumKitItem::setName(std::string name) {
    std::string old = std::move(name_);
    name_ = std::move(name);
    owner_->rehash(*this, old);
}

std::string DrumKitItem::displayName() const {
    std::string_view shown = name_;
    shown = shown.substr(0, shown.size() >= 3 ? shown.size() - 3 : 0);
    const auto first = shown.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = shown.find_last_not_of(' ');
    return std::string(shown.substr(first, last - first + 1));
}

DrumKit::DrumKit() = default;
DrumKit::~DrumKit() = default;

DrumKit::DrumKit(const DrumKit& other) {
    copyFrom(other);
}

DrumKit& DrumKit::operator=(const DrumKit& other) {
    if (this != &other) {
        clear();
        copyFrom(other);
    }
    return *this;
}

DrumKit::DrumKit(DrumKit&& other) noexcept
    : items_(std::move(other.items_)), chains_(std::move(other.chains_)) {
    for (auto& item : items_)
        item->owner_ = this;
    other.clear();
}

DrumKit& DrumKit::operator=(DrumKit&& other) noexcept {
    if (this != &other) {
        items_ = std::move(other.items_);
        chains_ = std::move(other.chains_);
        for (auto& item : items_)
            item->owner_ = this;
        other.clear();
    }
    return *this;
}

// Copies item by item in index order; renaming each copy in that order rebuilds the chains, and
// then each chain is given the source's order so that ties resolve exactly as in the source.
void DrumKit::copyFrom(const DrumKit& other) {
    for (const auto& source : other.items_) {
        auto& copy = add();
        copy.name_ = source->name_;
        copy.looped_ = source->looped_;
        copy.maxPlayingCount_ = source->maxPlayingCount_;
        copy.wave_ = source->wave_;
        copy.frequency_ = source->frequency_;
        copy.pan_ = source->pan_;
        copy.volume_ = source->volume_;
    }
    for (int c = 0; c < chainCount; ++c) {
        chains_[c].clear();
        for (const auto* source : other.chains_[c])
            chains_[c].push_back(items_[source->index_].get());
    }
}

void DrumKit::clear() {
    items_.clear();
    for (auto& chain : chains_)
        chain.clear();
}

DrumKitItem& DrumKit::add() {
    items_.push_back(std::unique_ptr<DrumKitItem>(new DrumKitItem(this, count())));
    auto& item = *items_.back();
    chains_[chainOf(item.name_)].push_back(&item);
    return item;
}

DrumKitItem& DrumKit::item(int index) {
    return const_cast<DrumKitItem&>(std::as_const(*this).item(index));
}

const DrumKitItem& DrumKit::item(int index) const {
    if (index < 0 || index >= count())
        throw Error("List index out of bounds (" + std::to_string(index) + ")");
    return *items_[static_cast<std::size_t>(index)];
}

int DrumKit::chainOf(std::string_view name) {
    const std::string lower = toLowerAscii(name);
    unsigned h = 16u * static_cast<unsigned>(lower.size());
    if (lower.size() >= 2)
        h += static_cast<unsigned char>(lower.front()) + static_cast<unsigned char>(lower[lower.size() - 2]);
    return static_cast<int>(h % chainCount);
}

void DrumKit::rehash(DrumKitItem& item, const std::string& oldName) {
    auto& oldChain = chains_[chainOf(oldName)];
    oldChain.erase(std::find(oldChain.begin(), oldChain.end(), &item));
    chains_[chainOf(item.name_)].push_back(&item);
}

const DrumKitItem* DrumKit::findOrNull(std::string_view name) const {
    const auto& chain = chains_[chainOf(name)];
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        if (equalsIgnoreCase((*it)->name_, name))
            return *it;
    return nullptr;
}

DrumKitItem* DrumKit::findOrNull(std::string_view name) {
    return const_cast<DrumKitItem*>(std::as_const(*this).findOrNull(name));
}

const DrumKitItem& DrumKit::find(std::string_view name) const {
    if (const auto* found = findOrNull(name))
        return *found;
    throw Error("Wave '" + std::string(name) + "' not found");
}

DrumKitItem& DrumKit::find(std::string_view name) {
    return const_cast<DrumKitItem&>(std::as_const(*this).find(name));
}

int DrumKit::indexOf(std::string_view name) const {
    const auto* found = findOrNull(name);
    return found ? found->index_ : -1;
}

void DrumKit::loadFromBytes(std::span<const std::uint8_t> bytes) {
    readKit(bytes, *this);
}

void DrumKit::loadFromFile(const std::filesystem::path& path) {
    // A file that cannot be opened leaves the kit as it was; reading it empties the kit first.
    const auto bytes = readFileBytes(path);
    try {
        loadFromBytes(bytes);
    } catch (const Error& e) {
        throw Error("Kit file \"" + path.string() + "\": " + e.what());
    }
}

std::vector<std::uint8_t> DrumKit::saveToBytes() const {
    return writeKit(*this);
}

void DrumKit::saveToFile(const std::filesystem::path& path) const {
    writeFileAtomically(path, saveToBytes());
}

} // namespace tamboro
