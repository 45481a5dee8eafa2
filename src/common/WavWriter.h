#pragma once
// The program's one WAV writer: a RIFF WAVE file of a "fmt " chunk holding any format record and
// a "data" chunk, in one of two layouts. Everything is written atomically (AtomicFileWriter).

#include "common/AtomicFileWriter.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace tamboro {

enum class WavLayout {
    // "RIFF", F + D + 20, "WAVE", "fmt ", F, the F-byte format record, "data", D, the D data bytes;
    // nothing else (a 44-byte header for the 16-byte PCM record).
    Standard,
    // The form of a sound inside a kit: as Standard, but the RIFF size field says F + D + 31 and one
    // zero byte follows the data (F + D + 29 bytes in all). A reader that bounds its walk by the
    // RIFF size has to allow for that size running 2 bytes past the end of the file.
    KitBlock,
};

// The 16-byte PCM format record (format tag 1); byte rate and block align worked out from the rest.
std::vector<std::uint8_t> pcmFormatRecord(std::uint16_t channels, std::uint32_t sampleRate,
                                          std::uint16_t bitsPerSample);

// Everything before the data bytes. Throws Error when the sizes do not fit the RIFF size field.
std::vector<std::uint8_t> wavHeader(std::span<const std::uint8_t> formatRecord, std::uint64_t dataBytes,
                                    WavLayout layout);
// The whole file.
std::vector<std::uint8_t> wavImage(std::span<const std::uint8_t> formatRecord,
                                   std::span<const std::uint8_t> data, WavLayout layout);

// Streams a WAV file whose data size is known up front: the header on construction, the data in
// blocks by write(), and on commit the layout's trailer and the rename over the target. commit
// throws Error unless exactly the declared data bytes were written.
class WavFileWriter {
public:
    WavFileWriter(const std::filesystem::path& path, std::span<const std::uint8_t> formatRecord,
                  std::uint64_t dataBytes, WavLayout layout);

    void write(std::span<const std::uint8_t> data);
    void commit();

private:
    AtomicFileWriter out_;
    WavLayout layout_;
    std::uint64_t dataBytes_;
    std::uint64_t written_ = 0;
};

// Writes a whole WAV file in one call.
void writeWavFile(const std::filesystem::path& path, std::span<const std::uint8_t> formatRecord,
                  std::span<const std::uint8_t> data, WavLayout layout);

} // namespace tamboro
