#pragma once
// The song's hits, mixed in one pass over time. The renderer's rules add the hits one instrument
// pass at a time, each hit read-modify-written over the mix with clipping after every addition.
// Clipping makes the order matter, so this mixer adds, for every frame, the contributions of the
// hits covering it in exactly the order the passes would (the order the hits were added), clipping
// after each one, and produces the mix block by block in time order. The result is the same
// samples, while memory holds only one block, the sounds and the list of hits.

#include "render/HitContribution.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace tamboro {

class HitTimeline {
public:
    // Stereo mixes (the render format).
    static constexpr int kChannels = 2;
    // Contributions are kept in memory up to this many bytes; sounds beyond it are recomputed
    // whenever they are mixed.
    static constexpr std::size_t kShapeBudgetBytes = 16u << 20;

    HitTimeline() = default;
    HitTimeline(const HitTimeline&) = delete;
    HitTimeline& operator=(const HitTimeline&) = delete;

    // Registers how one sound at one rate, volume and pan contributes; returns its number. The
    // contribution's source buffer must outlive the timeline.
    std::uint32_t addSound(std::unique_ptr<HitContribution> sound);
    // Adds a hit of sound `sound` at destination frame `start`, after every hit added so far.
    // Throws Error when the mix would be longer than a WAV file can hold.
    void addHit(std::int64_t start, std::uint32_t sound);

    std::size_t hitCount() const { return hits_.size(); }
    // Frames of the mix: where the latest-ending hit ends (0 without hits).
    std::int64_t length() const { return length_; }

    // Mixes frames [from, to) (frames past the end are silence) and hands them to `sink` in
    // blocks, channels interleaved.
    void render(std::int64_t from, std::int64_t to,
                const std::function<void(std::span<const std::int16_t>)>& sink) const;

private:
    struct Sound {
        std::unique_ptr<HitContribution> contribution;
        std::vector<std::int32_t> cached; // all frames, when within the budget
        // The same values as 16-bit words, when every one fits (the usual case): mixed with
        // saturating vector additions.
        std::vector<std::int16_t> cached16;
    };
    struct Hit {
        std::int64_t start;
        std::uint32_t sound;
    };

    std::vector<Sound> sounds_;
    std::vector<Hit> hits_;
    std::int64_t length_ = 0;
    std::size_t cachedBytes_ = 0;
};

} // namespace tamboro
