// Feeds arbitrary bytes to the WAV reader. Any outcome but a wave or an Error is a bug; a wave
// that was read must come back unchanged from its own written form.
#include "common/Error.h"
#include "kits/Wave.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tamboro::Wave wave;
    try {
        wave = tamboro::Wave::fromBytes(std::span(data, size));
    } catch (const tamboro::Error&) {
        return 0;
    }
    (void)wave.frames();
    if (!wave.empty() && !(tamboro::Wave::fromBytes(wave.toBytes()) == wave))
        std::abort();
    return 0;
}
