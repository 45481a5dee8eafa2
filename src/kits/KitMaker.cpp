#include "kits/KitMaker.h"

#include "common/Error.h"
#include "common/Files.h"
#include "kits/SoundFile.h"

#include <algorithm>

namespace tamboro {

namespace fs = std::filesystem;

std::string KitMaker::rowDisplayName(const std::vector<std::string>& instrumentList, int row) {
    const auto entry = static_cast<std::size_t>(row) + 1;
    if (entry >= instrumentList.size())
        return {};
    std::string name = instrumentList[entry];
    name.resize(name.size() >= 3 ? name.size() - 3 : 0);
    const auto first = name.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

std::string KitMaker::paddedItemName(const std::string& nameBoxText) {
    std::string name = nameBoxText.substr(0, 10);
    name.resize(10, ' ');
    return name + "[ ]";
}

Wave KitMaker::blankWave() const {
    return Wave::readFile(resolveCaseInsensitive(programDir_, "Blank.wav"));
}

void KitMaker::setSlotFile(int slot, std::string file) {
    if (slot < 0)
        return;
    if (static_cast<std::size_t>(slot) >= slotFiles_.size())
        slotFiles_.resize(static_cast<std::size_t>(slot) + 1);
    slotFiles_[static_cast<std::size_t>(slot)] = std::move(file);
}

const std::string& KitMaker::slotFile(int slot) const {
    static const std::string none;
    if (slot < 0 || static_cast<std::size_t>(slot) >= slotFiles_.size())
        return none;
    return slotFiles_[static_cast<std::size_t>(slot)];
}

void KitMaker::prepareKit(const DrumKit& mainKit, const std::vector<std::string>& instrumentList,
                          const fs::path& programDir, bool templateCurrentKit) {
    programDir_ = programDir;
    const Wave blank = blankWave();
    kit_.clear();
    slotFiles_.assign(static_cast<std::size_t>(kMaxRows) + 1, std::string());
    currentSlot_ = 1;
    const int n = mainKit.count();
    for (int k = 1; k <= n; ++k)
        setSlotFile(k, "Blank.wav");
    for (int k = 0; k < n; ++k) {
        auto& item = kit_.add();
        item.setName(static_cast<std::size_t>(k) < instrumentList.size()
                         ? instrumentList[static_cast<std::size_t>(k)]
                         : std::string());
        item.setWave(blank);
    }
    rowCount_ = rowsForKit(n);
    if (!templateCurrentKit)
        return;
    for (int k = 1; k < n; ++k) {
        const fs::path file = programDir_ / "temp" / (std::to_string(k) + ".wav");
        mainKit.item(k).wave().writeFile(file);
        kit_.item(k).setWave(Wave::readFile(file));
        setSlotFile(k, file.string());
    }
}

void KitMaker::chooseFile(int row, const fs::path& wavFile) {
    if (row < 0 || row >= rowCount_)
        throw Error("List index out of bounds (" + std::to_string(row) + ")");
    selectRow(row);
    currentSlot_ = row + 1;
    // Read first: a file that is not a sound must not take the slot or empty its sound.
    Wave wave = readSoundWave(wavFile);
    setSlotFile(currentSlot_, wavFile.string());
    kit_.item(currentSlot_).setWave(std::move(wave));
}

void KitMaker::startEmpty(int rows, const Wave& blank) {
    if (rows < 1 || rows > kMaxRows)
        throw Error("A kit can hold at most " + std::to_string(kMaxRows) + " instruments.");
    kit_.clear();
    slotFiles_.assign(static_cast<std::size_t>(kMaxRows) + 1, std::string());
    for (int k = 0; k <= rows; ++k) {
        kit_.add().setWave(blank);
        if (k > 0)
            setSlotFile(k, "Blank.wav");
    }
    rowCount_ = rows;
    selectedRow_ = 0;
    currentSlot_ = 1;
}

void KitMaker::setRowSound(int row, Wave wave, const std::string& sourceName) {
    if (row < 0 || row >= rowCount_)
        throw Error("List index out of bounds (" + std::to_string(row) + ")");
    setSlotFile(row + 1, sourceName);
    kit_.item(row + 1).setWave(std::move(wave));
}

std::vector<std::string> KitMaker::uniqueNameBoxTexts(const std::vector<std::string>& names) {
    constexpr std::size_t kBox = 10;
    auto trimmed = [](std::string text) {
        const auto first = text.find_first_not_of(' ');
        return first == std::string::npos ? std::string()
                                          : text.substr(first, text.find_last_not_of(' ') - first + 1);
    };
    std::vector<std::string> out;
    auto taken = [&out](const std::string& name) {
        return std::any_of(out.begin(), out.end(),
                           [&](const std::string& other) { return equalsIgnoreCase(other, name); });
    };
    for (const std::string& name : names) {
        std::string base = trimmed(trimmed(name).substr(0, kBox));
        if (base.empty())
            base = "Sound";
        std::string candidate = base;
        for (int n = 2; taken(candidate); ++n) {
            const std::string suffix = std::to_string(n);
            candidate = trimmed(base.substr(0, kBox - suffix.size())) + suffix;
        }
        out.push_back(candidate);
    }
    return out;
}

int KitMaker::addRow() {
    if (rowCount_ >= kMaxRows)
        throw Error("A kit can hold at most " + std::to_string(kMaxRows) + " instruments.");
    const Wave blank = blankWave();
    const int row = rowCount_;
    selectedRow_ = row;
    ++rowCount_;
    kit_.add().setWave(blank);
    currentSlot_ = rowCount_;
    return row;
}

void KitMaker::selectRow(int row) {
    if (row >= 0 && row < rowCount_)
        selectedRow_ = row;
}

fs::path KitMaker::auditionFile() {
    currentSlot_ = selectedRow_ + 1;
    const std::string& file = slotFile(currentSlot_);
    if (file.empty())
        throw Error("WaveStream not set");
    const fs::path path(file);
    return path.has_parent_path() ? path : resolveCaseInsensitive(programDir_, file);
}

void KitMaker::saveKit(const std::vector<std::string>& nameBoxTexts, const fs::path& file) {
    // Item 0 is the empty instrument: a kit without more would load as an empty Kit List, and once
    // chosen it would become the start-up kit.
    if (kit_.count() <= 1)
        throw Error("The kit has no instruments, so \"" + file.string() + "\" was not written.");
    for (std::size_t i = 1; i <= nameBoxTexts.size() && static_cast<int>(i) < kit_.count(); ++i)
        kit_.item(static_cast<int>(i)).setName(paddedItemName(nameBoxTexts[i - 1]));
    kit_.saveToFile(file);
}

} // namespace tamboro
