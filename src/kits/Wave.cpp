#include "kits/Wave.h"

#include "common/Error.h"
#include "common/Files.h"
#include "common/RiffChunks.h"
#include "common/WavWriter.h"

namespace tamboro {

namespace {

constexpr char invalidWave[] = "Wave is invalid";
constexpr char readError[] = "Stream read error";

std::uint32_t readU32At(std::span<const std::uint8_t> bytes, std::size_t pos) {
    return static_cast<std::uint32_t>(bytes[pos]) | (static_cast<std::uint32_t>(bytes[pos + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[pos + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[pos + 3]) << 24);
}

std::uint32_t fieldU32(const Wave::Bytes& format, std::size_t offset) {
    return format.size() >= offset + 4 ? readU32At(format, offset) : 0;
}

std::uint16_t fieldU16(const Wave::Bytes& format, std::size_t offset) {
    return format.size() >= offset + 2
               ? static_cast<std::uint16_t>(format[offset] | (format[offset + 1] << 8))
               : 0;
}

const std::shared_ptr<const Wave::Bytes>& noSamples() {
    static const auto empty = std::make_shared<const Wave::Bytes>();
    return empty;
}

} // namespace

Wave::Wave() : data_(noSamples()) {}

Wave::Wave(Bytes formatRecord, Bytes sampleData)
    : format_(std::move(formatRecord)), data_(std::make_shared<const Bytes>(std::move(sampleData))) {}

Wave Wave::pcm(std::uint16_t channels, std::uint32_t sampleRate, std::uint16_t bitsPerSample,
               Bytes sampleData) {
    return Wave(pcmFormatRecord(channels, sampleRate, bitsPerSample), std::move(sampleData));
}

// The chunk walk follows the stored-kit rules exactly: it ends at a chunk identifier of four zero
// bytes (a header past the end reads as zeros), chunk sizes are not rounded up to even, an unknown
// chunk may claim more bytes than are left (the walk then simply ends), but a format record or
// sample data shorter than declared is an error. The last "fmt " and "data" chunks count.
Wave Wave::fromBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.empty())
        return Wave();
    RiffChunks chunks(bytes, "WAVE");
    if (!chunks.isForm())
        throw Error(invalidWave);
    Bytes format, data;
    while (const auto chunk = chunks.next()) {
        if (chunk->hasZeroId())
            break;
        const bool isFormat = chunk->is("fmt ");
        if (!isFormat && !chunk->is("data"))
            continue;
        if (!chunk->complete())
            throw Error(readError);
        (isFormat ? format : data).assign(chunk->body.begin(), chunk->body.end());
    }
    return Wave(std::move(format), std::move(data));
}

Wave Wave::readFile(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    const auto bytes = readFileBytes(path, maxBytes);
    try {
        return fromBytes(bytes);
    } catch (const Error& e) {
        throw Error("WAV file \"" + path.string() + "\": " + e.what());
    }
}

Wave::Bytes Wave::toBytes() const {
    if (empty())
        return {};
    return wavImage(format_, *data_, WavLayout::KitBlock);
}

void Wave::writeFile(const std::filesystem::path& path) const {
    if (empty())
        writeFileAtomically(path, Bytes{});
    else
        writeWavFile(path, format_, *data_, WavLayout::KitBlock);
}

std::uint16_t Wave::formatTag() const {
    return fieldU16(format_, 0);
}
std::uint16_t Wave::channels() const {
    return fieldU16(format_, 2);
}
std::uint32_t Wave::sampleRate() const {
    return fieldU32(format_, 4);
}
std::uint32_t Wave::avgBytesPerSec() const {
    return fieldU32(format_, 8);
}
std::uint16_t Wave::blockAlign() const {
    return fieldU16(format_, 12);
}
std::uint16_t Wave::bitsPerSample() const {
    return fieldU16(format_, 14);
}

std::size_t Wave::frames() const {
    const auto align = blockAlign();
    return align == 0 ? 0 : data_->size() / align;
}

bool Wave::isPlayablePcm() const {
    const auto ch = channels();
    const auto bits = bitsPerSample();
    return formatTag() == 1 && (ch == 1 || ch == 2) && (bits == 8 || bits == 16) && sampleRate() > 0 &&
           blockAlign() == ch * bits / 8;
}

} // namespace tamboro
