#include "render/HitContribution.h"

#include "common/Error.h"
#include "common/Rounding.h"
#include "render/WaveBuffer.h"

#include <algorithm>
#include <cmath>

namespace tamboro {

BalanceGains balanceGains(double pan) {
    BalanceGains g;
    if (pan > 1) {
        g.left = 0;
    } else if (pan > 0) {
        g.left = 1 - pan;
    } else if (pan < -1) {
        g.right = 0;
    } else if (pan < 0) {
        g.right = 1 - std::fabs(pan);
    }
    return g;
}

HitContribution::HitContribution(WaveBuffer& source, std::uint32_t destSampleRate, int destChannels, int rate,
                                 double volume, double pan)
    : source_(source), channels_(destChannels), volume_(std::isnan(volume) ? 0.0 : volume),
      gains_(balanceGains(pan)) {
    const std::int32_t sourceFrames = source.frameCount;
    if (sourceFrames <= 0 || destChannels <= 0)
        return;
    // N = Round(dest sampleRate x (source duration x source sampleRate / rate)), in this order.
    const double length = static_cast<double>(destSampleRate) *
                          (source.duration() * static_cast<double>(source.sampleRate) / rate);
    if (!std::isfinite(length) || length < 0)
        return; // a zero or negative rate, or a source without a rate: nothing to mix
    if (length > static_cast<double>(kMaxRenderFrames))
        throw Error("The sound played at " + std::to_string(rate) +
                    " Hz would be longer than a WAV file can hold.");
    frames_ = roundHalfEven(length);
    ratio_ = static_cast<double>(frames_) / static_cast<double>(sourceFrames);
}

void HitContribution::compute(std::int64_t from, std::int64_t to, std::int32_t* out) const {
    const std::int64_t last = source_.frameCount - 1;
    const double gain[2] = {gains_.left, gains_.right};
    for (std::int64_t i = from; i < to; ++i) {
        const double x = static_cast<double>(i) / ratio_;
        const std::int64_t i0 = truncTowardZero(x);
        const std::int64_t i1 = std::min(i0 + 1, last);
        const double w0 = 1 - (x - static_cast<double>(i0));
        const double w1 = 1 - w0;
        for (int c = 0; c < channels_; ++c) {
            const double a = source_.readSample(c, i0);
            const double b = source_.readSample(c, i1);
            const double g = c < 2 ? gain[c] : 1.0;
            double y = std::nearbyint((a * w0 + b * w1) * volume_ * g);
            if (std::isnan(y))
                y = 0;
            *out++ = static_cast<std::int32_t>(std::clamp(y, -1000000.0, 1000000.0));
        }
    }
}

} // namespace tamboro
