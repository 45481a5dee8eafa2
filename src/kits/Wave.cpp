#include "kits/Wave.h"

#include "common/ByteReader.h"
#include "common/ByteWriter.h"
#include "common/Error.h"
#include "common/Files.h"

#include <algorithm>
#include <cstring>

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
    const auto blockAlign = static_cast<std::uint16_t>(channels * bitsPerSample / 8);
    ByteWriter format;
    format.u16(1);
    format.u16(channels);
    format.u32(sampleRate);
    format.u32(sampleRate * blockAlign);
    format.u16(blockAlign);
    format.u16(bitsPerSample);
    return Wave(std::move(format.data()), std::move(sampleData));
}

// The chunk walk follows the stored-kit rules exactly: chunk headers that run past the end read
// as zeros (an all-zero identifier ends the walk), chunk sizes are not rounded up to even, an
// unknown chunk may claim more bytes than are left (the walk then simply ends), but a format
// record or sample data shorter than declared is an error. Nothing is allocated before its length
// has been checked against the bytes that are left.
Wave Wave::fromBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.empty())
        return Wave();
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        throw Error(invalidWave);

    Bytes format;
    bool haveData = false;
    std::uint64_t dataPos = 0, dataSize = 0;
    std::uint64_t pos = 12;
    for (;;) {
        std::uint8_t header[8] = {};
        if (pos < bytes.size())
            std::memcpy(header, bytes.data() + pos, std::min<std::uint64_t>(8, bytes.size() - pos));
        pos += 8;
        if (header[0] == 0 && header[1] == 0 && header[2] == 0 && header[3] == 0)
            break;
        const std::uint64_t size = readU32At(header, 4);
        if (std::memcmp(header, "fmt ", 4) == 0) {
            if (pos > bytes.size() || size > bytes.size() - pos)
                throw Error(readError);
            format.assign(bytes.begin() + static_cast<std::ptrdiff_t>(pos),
                          bytes.begin() + static_cast<std::ptrdiff_t>(pos + size));
        } else if (std::memcmp(header, "data", 4) == 0) {
            haveData = true;
            dataPos = pos;
            dataSize = size;
        }
        pos += size;
        if (pos >= bytes.size())
            break; // anything further would read as zeros and end the walk
    }

    Bytes data;
    if (haveData) {
        if (dataPos > bytes.size() || dataSize > bytes.size() - dataPos)
            throw Error(readError);
        data.assign(bytes.begin() + static_cast<std::ptrdiff_t>(dataPos),
                    bytes.begin() + static_cast<std::ptrdiff_t>(dataPos + dataSize));
    }
    return Wave(std::move(format), std::move(data));
}

Wave Wave::readFile(const std::filesystem::path& path) {
    return fromBytes(readFileBytes(path));
}

Wave::Bytes Wave::toBytes() const {
    if (empty())
        return {};
    const auto f = static_cast<std::uint32_t>(format_.size());
    const auto d = static_cast<std::uint32_t>(data_->size());
    ByteWriter w;
    w.data().reserve(std::size_t{f} + d + 29);
    w.text("RIFF");
    // Kits store the block length plus 2 here; readers never use it.
    w.u32(f + d + 31);
    w.text("WAVE");
    w.text("fmt ");
    w.u32(f);
    w.bytes(format_);
    w.text("data");
    w.u32(d);
    w.bytes(*data_);
    w.u8(0);
    return std::move(w.data());
}

void Wave::writeFile(const std::filesystem::path& path) const {
    writeFileAtomically(path, toBytes());
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
