#pragma once
// The kit: an ordered collection of named wave sounds (item 0 is the empty instrument), looked up
// by name through 256 hash chains so that playback never scans the kit. Items also carry the
// run-time Frequency, Pan and Volume that the mixer sets; those are never stored in the kit file.

#include "kits/Wave.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tamboro {

class DrumKit;

class DrumKitItem {
public:
    const std::string& name() const { return name_; }
    // Renaming moves the item to the front of its hash chain: among equal names (ignoring case)
    // the one assigned last is the one lookups find.
    void setName(std::string name);

    bool looped() const { return looped_; }
    void setLooped(bool looped) { looped_ = looped; }

    // 0: any number of simultaneous plays; n > 0: at most n. Never negative (a negative value is
    // stored as 0).
    std::int32_t maxPlayingCount() const { return maxPlayingCount_; }
    void setMaxPlayingCount(std::int32_t count) { maxPlayingCount_ = count < 0 ? 0 : count; }

    const Wave& wave() const { return wave_; }
    void setWave(Wave wave) { wave_ = std::move(wave); }

    // Run-time only: playback rate in Hz (0 = the wave's own), pan and volume in hundredths of a
    // decibel. Every loaded or added item starts with 0 for all three.
    std::int32_t frequency() const { return frequency_; }
    void setFrequency(std::int32_t hz) { frequency_ = hz; }
    std::int32_t pan() const { return pan_; }
    void setPan(std::int32_t pan) { pan_ = pan; }
    std::int32_t volume() const { return volume_; }
    void setVolume(std::int32_t volume) { volume_ = volume; }

    // Position in the owning kit.
    int index() const { return index_; }

    // The display name: the name without its last three characters ("[ ]"), trimmed of spaces.
    std::string displayName() const;

private:
    friend class DrumKit;
    DrumKitItem(DrumKit* owner, int index) : owner_(owner), index_(index) {}

    DrumKit* owner_;
    int index_;
    std::string name_;
    bool looped_ = false;
    std::int32_t maxPlayingCount_ = 0;
    Wave wave_;
    std::int32_t frequency_ = 0;
    std::int32_t pan_ = 0;
    std::int32_t volume_ = 0;
};

class DrumKit {
public:
    static constexpr int chainCount = 256;

    DrumKit();
    ~DrumKit();
    // Copies are deep and independent (the sample memory itself is shared, being immutable).
    DrumKit(const DrumKit& other);
    DrumKit& operator=(const DrumKit& other);
    DrumKit(DrumKit&& other) noexcept;
    DrumKit& operator=(DrumKit&& other) noexcept;

    void clear();
    // Appends an item with default fields (empty name, not looped, MaxPlayingCount 0, empty wave).
    DrumKitItem& add();
    int count() const { return static_cast<int>(items_.size()); }
    // Item by index; throws Error("List index out of bounds (i)") outside 0..count()-1.
    DrumKitItem& item(int index);
    const DrumKitItem& item(int index) const;

    // The item of that name, ignoring letter case; throws Error("Wave '<name>' not found").
    DrumKitItem& find(std::string_view name);
    const DrumKitItem& find(std::string_view name) const;
    // The item of that name or nullptr.
    DrumKitItem* findOrNull(std::string_view name);
    const DrumKitItem* findOrNull(std::string_view name) const;
    // The index of the item of that name, or -1.
    int indexOf(std::string_view name) const;

    // The hash chain of a name: (16 x length + first char + second-to-last char) mod 256 of the
    // name in lower case; the two characters count only for names of two or more characters.
    static int chainOf(std::string_view name);

    // Kit file bytes (see KitFile.h). Loading empties the kit first; on failure it keeps the
    // items read completely so far and rethrows.
    void loadFromBytes(std::span<const std::uint8_t> bytes);
    void loadFromFile(const std::filesystem::path& path);
    std::vector<std::uint8_t> saveToBytes() const;
    // Atomic: a failed save leaves the old file intact.
    void saveToFile(const std::filesystem::path& path) const;

private:
    friend class DrumKitItem;
    void rehash(DrumKitItem& item, const std::string& oldName);
    void copyFrom(const DrumKit& other);

    std::vector<std::unique_ptr<DrumKitItem>> items_;
    // Each chain keeps its front at the back of the vector.
    std::array<std::vector<DrumKitItem*>, chainCount> chains_;
};

} // namespace tamboro
