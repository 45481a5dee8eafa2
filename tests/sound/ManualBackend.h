#pragma once
// A back-end without a thread: the test renders blocks itself, at times it chooses, so mixer and
// voice behaviour can be checked frame by frame.

#include "sound/AudioBackend.h"
#include "sound/Mixer.h"

#include <cstdint>
#include <vector>

namespace tamboro::test {

class ManualBackend : public AudioBackend {
public:
    ManualBackend(std::uint32_t rate = 44100, std::uint32_t frames = 256) : rate_(rate), frames_(frames) {}
    void open() override {}
    void start(Mixer& mixer) override { mixer_ = &mixer; }
    void close() override { mixer_ = nullptr; }
    std::uint32_t sampleRate() const override { return rate_; }
    std::uint32_t bufferFrames() const override { return frames_; }
    std::string name() const override { return "manual"; }

    // Renders `frames` frames as if called at `nowNs`; returns them interleaved stereo.
    std::vector<float> render(std::uint32_t frames, std::int64_t nowNs = 0) {
        std::vector<float> out(2 * frames);
        if (mixer_)
            mixer_->render(out.data(), frames, nowNs);
        return out;
    }

private:
    std::uint32_t rate_;
    std::uint32_t frames_;
    Mixer* mixer_ = nullptr;
};

} // namespace tamboro::test
