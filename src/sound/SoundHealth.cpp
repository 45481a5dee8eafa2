#include "sound/SoundHealth.h"

#include <cstdio>

namespace tamboro {

std::string describeSoundHealth(const SoundHealth& h) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "%llu late starts, %llu underruns, %llu re-anchors, look-ahead %u frames (%lld left), card "
                  "%+.1f ppm",
                  static_cast<unsigned long long>(h.lateStarts), static_cast<unsigned long long>(h.underruns),
                  static_cast<unsigned long long>(h.reanchors), h.lookaheadFrames,
                  static_cast<long long>(h.lookaheadLeftFrames), h.skewPpm);
    return text;
}

} // namespace tamboro
