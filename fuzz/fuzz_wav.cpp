// Feeds arbitrary bytes to the kit's WAV reader and to the shared chunk walker under it. Any
// outcome but a wave or an Error is a bug; a wave that was read must come back unchanged from its
// own written form (the shared WAV writer's kit layout), and every chunk body the walker hands out
// must lie within the bytes, whichever way the walk is bounded.
#include "common/Error.h"
#include "common/RiffChunks.h"
#include "kits/Wave.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    for (const auto bound :
         {tamboro::RiffChunks::Bound::EndOfBytes, tamboro::RiffChunks::Bound::DeclaredSize}) {
        tamboro::RiffChunks chunks(bytes, "WAVE", bound);
        while (const auto chunk = chunks.next()) {
            if (chunk->body.size() > chunk->size ||
                (!chunk->body.empty() &&
                 (chunk->body.data() < data || chunk->body.data() + chunk->body.size() > data + size)))
                std::abort();
        }
    }
    tamboro::Wave wave;
    try {
        wave = tamboro::Wave::fromBytes(bytes);
    } catch (const tamboro::Error&) {
        return 0;
    }
    (void)wave.frames();
    if (!wave.empty() && !(tamboro::Wave::fromBytes(wave.toBytes()) == wave))
        std::abort();
    return 0;
}
