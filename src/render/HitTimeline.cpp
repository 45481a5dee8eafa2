#include "render/HitTimeline.h"

#include "common/Error.h"

#include <algorithm>
#include <numeric>

namespace tamboro {

std::uint32_t HitTimeline::addSound(std::unique_ptr<HitContribution> sound) {
    Sound s;
    const auto values = static_cast<std::size_t>(sound->frames()) * kChannels;
    if (sound->frames() > 0 && cachedBytes_ + values * sizeof(std::int32_t) <= kShapeBudgetBytes) {
        s.cached.resize(values);
        sound->compute(0, sound->frames(), s.cached.data());
        cachedBytes_ += values * sizeof(std::int32_t);
    }
    s.contribution = std::move(sound);
    sounds_.push_back(std::move(s));
    return static_cast<std::uint32_t>(sounds_.size() - 1);
}

void HitTimeline::addHit(std::int64_t start, std::uint32_t sound) {
    const std::int64_t frames = sounds_.at(sound).contribution->frames();
    if (frames <= 0 || start + frames <= 0)
        return; // nothing to mix
    if (start + frames > kMaxRenderFrames)
        throw Error("The song is too long to be saved as a WAV file.");
    hits_.push_back({start, sound});
    length_ = std::max(length_, start + frames);
}

void HitTimeline::render(std::int64_t from, std::int64_t to,
                         const std::function<void(std::span<const std::int16_t>)>& sink) const {
    constexpr std::int64_t kBlock = 8192;
    // Hits in order of their start; the active ones are kept in the order they were added.
    std::vector<std::uint32_t> byStart(hits_.size());
    std::iota(byStart.begin(), byStart.end(), 0u);
    std::stable_sort(byStart.begin(), byStart.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return hits_[a].start < hits_[b].start; });
    std::size_t next = 0;
    std::vector<std::uint32_t> active;
    std::vector<std::int16_t> block(static_cast<std::size_t>(kBlock * kChannels));
    std::vector<std::int32_t> scratch;

    for (std::int64_t begin = from; begin < to; begin += kBlock) {
        const std::int64_t end = std::min(to, begin + kBlock);
        while (next < byStart.size() && hits_[byStart[next]].start < end) {
            const std::uint32_t h = byStart[next++];
            if (hits_[h].start + sounds_[hits_[h].sound].contribution->frames() > begin)
                active.insert(std::lower_bound(active.begin(), active.end(), h), h);
        }
        std::int16_t* out = block.data();
        std::fill(out, out + (end - begin) * kChannels, std::int16_t{0});
        for (const std::uint32_t h : active) {
            const Hit& hit = hits_[h];
            const Sound& sound = sounds_[hit.sound];
            const std::int64_t frames = sound.contribution->frames();
            const std::int64_t first = std::max(begin, hit.start);
            const std::int64_t last = std::min(end, hit.start + frames);
            if (first >= last)
                continue;
            const std::int32_t* add;
            if (!sound.cached.empty()) {
                add = sound.cached.data() + (first - hit.start) * kChannels;
            } else {
                scratch.resize(static_cast<std::size_t>((last - first) * kChannels));
                sound.contribution->compute(first - hit.start, last - hit.start, scratch.data());
                add = scratch.data();
            }
            std::int16_t* mix = out + (first - begin) * kChannels;
            const std::int64_t count = (last - first) * kChannels;
            for (std::int64_t i = 0; i < count; ++i)
                mix[i] = static_cast<std::int16_t>(std::clamp(std::int32_t{mix[i]} + add[i], -32767, 32767));
        }
        std::erase_if(active, [&](std::uint32_t h) {
            return hits_[h].start + sounds_[hits_[h].sound].contribution->frames() <= end;
        });
        sink(std::span<const std::int16_t>(block.data(), static_cast<std::size_t>((end - begin) * kChannels)));
    }
}

} // namespace tamboro
