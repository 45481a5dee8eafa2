// Feeds arbitrary bytes to the sound-file reader (libsndfile over memory, resampling, dither).
// Any outcome but an Error or a wave the players take is a bug: a decoded sound is empty or
// playable PCM, and a converted one is always 16 bits at a rate the players take directly.
#include "common/Error.h"
#include "kits/SoundFile.h"

#include <cstdint>
#include <cstdlib>
#include <span>

// libsndfile's Ogg reader leaves libvorbis's info block behind on some damaged streams (the leak is
// allocated and lost inside libvorbis, whatever the caller does); it is not ours to find here.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libvorbis.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tamboro::DecodedSound sound;
    try {
        sound = tamboro::decodeSound(std::span<const std::uint8_t>(data, size), "fuzz.snd");
    } catch (const tamboro::Error&) {
        return 0;
    }
    if (sound.source == tamboro::SoundSource::Empty)
        return sound.wave.empty() ? 0 : (std::abort(), 0);
    if (!sound.wave.isPlayablePcm())
        std::abort();
    if (sound.source == tamboro::SoundSource::Converted &&
        (sound.wave.bitsPerSample() != 16 || sound.wave.sampleRate() < tamboro::kMinDirectRate ||
         sound.wave.sampleRate() > tamboro::kMaxDirectRate))
        std::abort();
    return 0;
}
