#pragma once
// The one reader for every sound file the user opens (kit maker rows, extra samples, kit import,
// `kit make`): WAV of any PCM width or float (WAVE_FORMAT_EXTENSIBLE too), AIFF, FLAC, Ogg Vorbis
// and MP3, decoded by libsndfile from bytes in memory and turned into a wave the kits and the
// sample players play (common PCM, 1 or 2 channels, 8 or 16 bits).
//
// A RIFF WAVE that already holds such PCM is taken exactly as the program always read it (same
// format record, same bytes), so existing 8/16-bit WAV files give the same kits and working copies
// as before. Everything else is decoded: more than two channels keep the first two, a rate outside
// kMinDirectRate..kMaxDirectRate is resampled to kMaxDirectRate by libsamplerate's best sinc, and
// sources finer than 16 bits (or resampled) are reduced to 16 bits with TPDF dither from a fixed
// seed, so the same file always gives the same bytes.

#include "kits/Wave.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace tamboro {

struct SoundFileLimits {
    // Larger files are refused before they are read.
    static constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{2} << 30;
    // Most frames a decoded sound may hold (about 50 minutes at 44.1 kHz, 512 MiB of 16-bit stereo).
    static constexpr std::int64_t kMaxFrames = std::int64_t{1} << 27;
};

// The rates the players and the renderer take as they are; others are resampled to kMaxDirectRate.
inline constexpr std::uint32_t kMinDirectRate = 4410;
inline constexpr std::uint32_t kMaxDirectRate = 44100;

// How a sound file was read.
enum class SoundSource {
    Empty,     // no bytes: the empty wave, as the kit keeps a slot without sound
    WavAsIs,   // a RIFF WAVE of playable PCM, taken byte for byte
    Converted, // decoded and converted
};

struct DecodedSound {
    Wave wave;
    SoundSource source = SoundSource::Empty;
};

// Decodes the bytes of a sound file; `label` (the file's name) starts every error message. Throws
// Error for damaged or unknown data, for more than kMaxFrames frames, and with the old messages
// ("Wave is invalid", "Stream read error") for a RIFF WAVE whose chunks are damaged.
DecodedSound decodeSound(std::span<const std::uint8_t> bytes, const std::string& label);

// Reads and decodes a file (refusing one over kMaxFileBytes before reading it).
DecodedSound readSoundFile(const std::filesystem::path& path);

// The wave of readSoundFile(path).
Wave readSoundWave(const std::filesystem::path& path);

} // namespace tamboro
