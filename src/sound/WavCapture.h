#pragma once
// The null device's recording of what it played: 16-bit stereo frames collected off the audio
// thread and written as one WAV file, atomically, by the shared WAV writer when the recording ends.

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace tamboro {

// Converts mixed float frames (interleaved stereo, already clamped) to 16-bit samples.
void floatToInt16(std::span<const float> in, std::span<std::int16_t> out);

// The WAV file (WavLayout::Standard) of 16-bit PCM samples.
std::vector<std::uint8_t> wavImage16(std::uint16_t channels, std::uint32_t rate,
                                     std::span<const std::int16_t> samples);

// Writes it atomically; throws Error when the file cannot be written.
void writeWav16(const std::filesystem::path& path, std::uint16_t channels, std::uint32_t rate,
                std::span<const std::int16_t> samples);

} // namespace tamboro
