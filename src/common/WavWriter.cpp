#include "common/WavWriter.h"

#include "common/ByteWriter.h"
#include "common/Error.h"

#include <string>

namespace tamboro {

namespace {

// Bytes the RIFF size field counts beyond the format record and the data.
std::uint64_t riffOverhead(WavLayout layout) {
    // Standard: "WAVE" and the two chunk headers. KitBlock: kits store the block length plus 2.
    return layout == WavLayout::KitBlock ? 31 : 20;
}

} // namespace

std::vector<std::uint8_t> pcmFormatRecord(std::uint16_t channels, std::uint32_t sampleRate,
                                          std::uint16_t bitsPerSample) {
    const auto blockAlign = static_cast<std::uint16_t>(channels * bitsPerSample / 8);
    ByteWriter format;
    format.u16(1);
    format.u16(channels);
    format.u32(sampleRate);
    format.u32(sampleRate * blockAlign);
    format.u16(blockAlign);
    format.u16(bitsPerSample);
    return std::move(format.data());
}

std::vector<std::uint8_t> wavHeader(std::span<const std::uint8_t> formatRecord, std::uint64_t dataBytes,
                                    WavLayout layout) {
    const std::uint64_t riffSize = formatRecord.size() + dataBytes + riffOverhead(layout);
    if (riffSize > 0xFFFFFFFFull)
        throw Error("The sound is too long to be saved as a WAV file.");
    ByteWriter w;
    w.text("RIFF");
    w.u32(static_cast<std::uint32_t>(riffSize));
    w.text("WAVE");
    w.text("fmt ");
    w.u32(static_cast<std::uint32_t>(formatRecord.size()));
    w.bytes(formatRecord);
    w.text("data");
    w.u32(static_cast<std::uint32_t>(dataBytes));
    return std::move(w.data());
}

std::vector<std::uint8_t> wavImage(std::span<const std::uint8_t> formatRecord,
                                   std::span<const std::uint8_t> data, WavLayout layout) {
    std::vector<std::uint8_t> image = wavHeader(formatRecord, data.size(), layout);
    image.reserve(image.size() + data.size() + 1);
    image.insert(image.end(), data.begin(), data.end());
    if (layout == WavLayout::KitBlock)
        image.push_back(0);
    return image;
}

WavFileWriter::WavFileWriter(const std::filesystem::path& path, std::span<const std::uint8_t> formatRecord,
                             std::uint64_t dataBytes, WavLayout layout)
    : out_(path), layout_(layout), dataBytes_(dataBytes) {
    out_.write(wavHeader(formatRecord, dataBytes, layout));
}

void WavFileWriter::write(std::span<const std::uint8_t> data) {
    out_.write(data);
    written_ += data.size();
}

void WavFileWriter::commit() {
    if (written_ != dataBytes_)
        throw Error("The WAV file got " + std::to_string(written_) + " data bytes instead of the " +
                    std::to_string(dataBytes_) + " its header declares.");
    if (layout_ == WavLayout::KitBlock) {
        const std::uint8_t pad = 0;
        out_.write(std::span(&pad, 1));
    }
    out_.commit();
}

void writeWavFile(const std::filesystem::path& path, std::span<const std::uint8_t> formatRecord,
                  std::span<const std::uint8_t> data, WavLayout layout) {
    WavFileWriter out(path, formatRecord, data.size(), layout);
    out.write(data);
    out.commit();
}

} // namespace tamboro
