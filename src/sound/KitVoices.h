#pragma once
// The kit as the sound device plays it (the wave list attached to the device): for
// each kit item a main buffer holding its sample and a list of voices, duplicates of the main
// buffer that share its memory. Voices are reused (first free one in list order), added on demand
// up to the item's MaxPlayingCount (0 = no limit), and the oldest is cut off and reused when the
// list is full. A looped item restarts its main buffer instead. Initialising again (every Play)
// cuts every voice and drops all duplicates.
//
// Window thread only.

#include "sound/SoundBuffer.h"

#include <memory>
#include <vector>

namespace tamboro {

class SoundDevice;
class DrumKit;

class KitVoices {
public:
    explicit KitVoices(DrumKit& kit) : kit_(kit) {}

    // Finalises, then gives every item with a playable wave a fresh main buffer (with the item's
    // frequency, pan and volume) and an empty voice list. Items whose wave is not 8/16-bit mono or
    // stereo PCM stay silent (listed by silentItems()). Throws Error("Sound Buffer cannot be made")
    // when the device has no room, leaving the kit finalised.
    void initialize(SoundDevice& device);
    // Frees every voice and main buffer: all kit sound stops at once.
    void finalize();
    bool initialized() const { return device_ != nullptr; }

    // Starts a voice of item `index` (the play operation, never waiting). Returns false when
    // nothing could sound: not initialised, no such item, no buffer, or no voice could be made.
    bool play(int index);
    // The same, then polls every 10 ms until the voice has stopped (a looped item returns at once).
    bool playAndWait(int index);

    // Stores the value on the item and applies it to the item's main buffer only; voices take it
    // at their next start.
    void setPan(int index, std::int32_t pan);
    void setVolume(int index, std::int32_t volume);

    // Inspection, for tests and tools.
    const SoundBuffer* mainBuffer(int index) const;
    std::size_t voiceCount(int index) const;
    const SoundBuffer* voice(int index, std::size_t position) const;
    const std::vector<int>& silentItems() const { return silentItems_; }
    DrumKit& kit() { return kit_; }

private:
    struct ItemVoices {
        std::unique_ptr<SoundBuffer> main;
        std::vector<std::unique_ptr<SoundBuffer>> voices;
    };
    ItemVoices* entry(int index);
    const ItemVoices* entry(int index) const;
    SoundBuffer* startVoice(int index);

    DrumKit& kit_;
    SoundDevice* device_ = nullptr;
    std::vector<ItemVoices> items_;
    std::vector<int> silentItems_;
};

} // namespace tamboro
