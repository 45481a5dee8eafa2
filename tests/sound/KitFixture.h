#pragma once
// A small kit on a manually rendered device, with the instrument list and extra-sample players a
// main window would hold.

#include "ManualBackend.h"

#include "kits/DrumKit.h"
#include "song/PatternGrid.h"
#include "sound/EventLoop.h"
#include "sound/InstrumentList.h"
#include "sound/KitVoices.h"
#include "sound/PlaybackState.h"
#include "sound/SampleStreams.h"
#include "sound/SoundDevice.h"

#include <memory>
#include <string>
#include <vector>

namespace tamboro::test {

// "Kick" -> "Kick      [ ]": the display name padded to 10, then the brackets.
inline std::string kitName(const std::string& display) {
    std::string name = display;
    name.resize(10, ' ');
    return name + "[ ]";
}

inline Wave toneWave(std::size_t frames, std::int16_t value = 8000) {
    Wave::Bytes bytes;
    for (std::size_t i = 0; i < frames; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(value) & 0xff));
        bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(value) >> 8));
    }
    return Wave::pcm(1, 44100, 16, std::move(bytes));
}

struct KitFixture {
    explicit KitFixture(int instruments = 16) {
        kit.add(); // the empty instrument
        for (int i = 1; i <= instruments; ++i) {
            auto& item = kit.add();
            item.setName(kitName("Drum" + std::to_string(i)));
            item.setWave(toneWave(4410)); // 100 ms
        }
        auto backendPtr = std::make_unique<ManualBackend>();
        backend = backendPtr.get();
        device = std::make_unique<SoundDevice>(std::move(backendPtr));
        instruments_.fill(kit);
        voices = std::make_unique<KitVoices>(kit);
        voices->initialize(*device);
        samples = std::make_unique<SampleStreams>(*device, toneWave(441));
        playback = std::make_unique<PlaybackState>(loop, *device, grid, instruments_, *voices, samples.get());
    }

    // Renders `ms` milliseconds, so the mixer applies what was posted and voices move on.
    void renderMs(int ms) { backend->render(static_cast<std::uint32_t>(44.1 * ms)); }

    DrumKit kit;
    ManualBackend* backend = nullptr;
    std::unique_ptr<SoundDevice> device;
    InstrumentList instruments_;
    std::unique_ptr<KitVoices> voices;
    std::unique_ptr<SampleStreams> samples;
    EventLoop loop;
    PatternGrid grid;
    std::unique_ptr<PlaybackState> playback;
};

} // namespace tamboro::test
