#include "render/HitTimeline.h"

#include "common/Error.h"

#include <algorithm>
#include <numeric>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tamboro {

namespace {

// mix = clip(mix + add) to -32767..32767 for 16-bit contributions. The sum of two 16-bit values
// saturated to 16 bits and then raised to at least -32767 equals the sum clipped to the range.
void addClipped(std::int16_t* mix, const std::int16_t* add, std::int64_t count) {
    std::int64_t i = 0;
#if defined(__SSE2__)
    const __m128i floor = _mm_set1_epi16(-32767);
    for (; i + 8 <= count; i += 8) {
        const __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mix + i));
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(add + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(mix + i), _mm_max_epi16(_mm_adds_epi16(m, a), floor));
    }
#endif
    for (; i < count; ++i)
        mix[i] = static_cast<std::int16_t>(std::clamp(std::int32_t{mix[i]} + add[i], -32767, 32767));
}

void addClipped(std::int16_t* mix, const std::int32_t* add, std::int64_t count) {
    for (std::int64_t i = 0; i < count; ++i)
        mix[i] = static_cast<std::int16_t>(std::clamp(std::int32_t{mix[i]} + add[i], -32767, 32767));
}

} // namespace

std::uint32_t HitTimeline::addSound(std::unique_ptr<HitContribution> sound) {
    Sound s;
    const auto values = static_cast<std::size_t>(sound->frames()) * kChannels;
    if (sound->frames() > 0 && cachedBytes_ + values * sizeof(std::int32_t) <= kShapeBudgetBytes) {
        s.cached.resize(values);
        sound->compute(0, sound->frames(), s.cached.data());
        cachedBytes_ += values * sizeof(std::int32_t);
        if (std::all_of(s.cached.begin(), s.cached.end(),
                        [](std::int32_t v) { return v >= -32768 && v <= 32767; })) {
            s.cached16.assign(s.cached.begin(), s.cached.end());
            s.cached.clear();
            s.cached.shrink_to_fit();
            cachedBytes_ -= values * sizeof(std::int16_t);
        }
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
            std::int16_t* mix = out + (first - begin) * kChannels;
            const std::int64_t count = (last - first) * kChannels;
            const std::int64_t offset = (first - hit.start) * kChannels;
            if (!sound.cached16.empty()) {
                addClipped(mix, sound.cached16.data() + offset, count);
            } else if (!sound.cached.empty()) {
                addClipped(mix, sound.cached.data() + offset, count);
            } else {
                scratch.resize(static_cast<std::size_t>(count));
                sound.contribution->compute(first - hit.start, last - hit.start, scratch.data());
                addClipped(mix, scratch.data(), count);
            }
        }
        std::erase_if(active, [&](std::uint32_t h) {
            return hits_[h].start + sounds_[hits_[h].sound].contribution->frames() <= end;
        });
        sink(
            std::span<const std::int16_t>(block.data(), static_cast<std::size_t>((end - begin) * kChannels)));
    }
}

} // namespace tamboro
