#include "render/WaveBuffer.h"

#include "common/ByteWriter.h"
#include "common/Error.h"
#include "common/Files.h"
#include "common/RiffChunks.h"
#include "common/Rounding.h"
#include "common/WavWriter.h"
#include "render/HitContribution.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

namespace tamboro {

namespace {

// Bytes brought into the window at a time: a hit touches its frames in order, so reading ahead
// in blocks keeps file access sequential without loading the whole 1,000,000-frame window.
constexpr std::int64_t kWindowReadBlock = 64 * 1024;
constexpr std::size_t kCopyBlock = 1 << 20;

std::uint16_t u16At(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t u32At(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

struct FormatRecord {
    std::uint16_t formatTag, channels;
    std::uint32_t sampleRate, byteRate;
    std::uint16_t blockAlign, bitsPerSample;
};

std::int32_t framesOf(double bytes, std::uint16_t blockAlign) {
    const double frames = std::nearbyint(bytes / blockAlign);
    if (!(frames >= 0) || frames > std::numeric_limits<std::int32_t>::max())
        throw Error("Wave is invalid: it holds more frames than can be counted.");
    return static_cast<std::int32_t>(frames);
}

} // namespace

double WaveBuffer::duration() const {
    return static_cast<double>(frameCount) / sampleRate;
}

std::int64_t WaveBuffer::byteOffset(int channel, std::int64_t frame) const {
    // Round(blockAlign x f + bitsPerSample x c / 8), the division in floating point.
    const std::int64_t bits = static_cast<std::int64_t>(bitsPerSample) * channel;
    const std::int64_t base = static_cast<std::int64_t>(blockAlign) * frame;
    if (bits % 8 == 0)
        return base + bits / 8;
    return roundHalfEven(static_cast<double>(base) + static_cast<double>(bits) / 8);
}

bool WaveBuffer::inWindow(std::int64_t frame) const {
    return windowStart_ != kNoWindow && frame >= windowStart_ &&
           frame < std::int64_t{windowStart_} + kWindowFrames;
}

std::int16_t WaveBuffer::decode(const std::uint8_t* p) const {
    if (bitsPerSample == 8)
        return static_cast<std::int16_t>((p[0] - 128) * 255);
    return static_cast<std::int16_t>(u16At(p));
}

void WaveBuffer::encode(std::int16_t value, std::uint8_t* p) const {
    if (bitsPerSample == 8) {
        // Round(v / 255) + 128, kept within a byte (values above 32512 would pass 255).
        const double byte = std::nearbyint(value / 255.0) + 128;
        p[0] = static_cast<std::uint8_t>(std::clamp(byte, 0.0, 255.0));
        return;
    }
    const auto u = static_cast<std::uint16_t>(value);
    p[0] = static_cast<std::uint8_t>(u);
    p[1] = static_cast<std::uint8_t>(u >> 8);
}

void WaveBuffer::loadWindowUpTo(std::int64_t bytes) {
    bytes = std::min(bytes, windowSize_);
    const auto have = static_cast<std::int64_t>(window_.size());
    if (bytes <= have)
        return;
    const std::int64_t want = std::min(windowSize_, std::max(bytes, have + kWindowReadBlock));
    window_.resize(static_cast<std::size_t>(want));
    const std::uint64_t fileOffset =
        static_cast<std::uint64_t>(windowStart_) * blockAlign + static_cast<std::uint64_t>(have);
    const std::size_t got =
        backing_.readAt(fileOffset, window_.data() + have, static_cast<std::size_t>(want - have));
    // The window never reaches past the file, so this only happens if the file shrank under us.
    std::fill(window_.begin() + have + static_cast<std::int64_t>(got), window_.end(), silenceByte());
}

bool WaveBuffer::readWindow(std::int64_t offset, std::uint8_t* to) {
    const int width = sampleWidth();
    if (offset < 0 || offset + width > windowSize_)
        return false;
    loadWindowUpTo(offset + width);
    std::memcpy(to, window_.data() + offset, static_cast<std::size_t>(width));
    return true;
}

bool WaveBuffer::readBacking(std::int64_t offset, std::uint8_t* to) {
    const int width = sampleWidth();
    if (offset < 0 || static_cast<std::uint64_t>(offset + width) > backing_.size())
        return false;
    return backing_.readAt(static_cast<std::uint64_t>(offset), to, static_cast<std::size_t>(width)) ==
           static_cast<std::size_t>(width);
}

void WaveBuffer::markDirty(std::int64_t begin, std::int64_t end) {
    if (dirtyBegin_ >= dirtyEnd_) {
        dirtyBegin_ = begin;
        dirtyEnd_ = end;
    } else {
        dirtyBegin_ = std::min(dirtyBegin_, begin);
        dirtyEnd_ = std::max(dirtyEnd_, end);
    }
}

std::int16_t WaveBuffer::readSample(int channel, std::int64_t frame) {
    if (channel > channels || frame < 0 || frame >= frameCount)
        return 0;
    const std::int64_t b = byteOffset(channel, frame);
    std::uint8_t bytes[2] = {0, 0};
    bool present;
    if (fileBacked_ && backing_.isOpen()) {
        if (inWindow(frame))
            present = readWindow(b - std::int64_t{windowStart_} * blockAlign, bytes);
        else
            present = readBacking(b, bytes);
    } else {
        present = b >= 0 && b + sampleWidth() <= static_cast<std::int64_t>(window_.size());
        if (present)
            std::memcpy(bytes, window_.data() + b, static_cast<std::size_t>(sampleWidth()));
    }
    return present ? decode(bytes) : 0;
}

void WaveBuffer::writeSample(int channel, std::int64_t frame, std::int16_t value) {
    if (channel < 0 || channel > channels)
        return;
    const std::int64_t b = byteOffset(channel, frame);
    if (b < 0)
        return;
    std::uint8_t bytes[2];
    encode(value, bytes);
    const int width = sampleWidth();

    if (!fileBacked_) {
        if (b + width > static_cast<std::int64_t>(window_.size()))
            window_.resize(static_cast<std::size_t>(b + width), silenceByte());
        std::memcpy(window_.data() + b, bytes, static_cast<std::size_t>(width));
        return;
    }

    if (frame >= std::numeric_limits<std::int32_t>::max())
        throw Error("A wave buffer cannot hold more than 2147483646 frames.");
    std::int64_t target;
    bool toWindow = inWindow(frame);
    if (toWindow) {
        target = b - std::int64_t{windowStart_} * blockAlign;
        const std::int64_t dataEnd = (std::int64_t{frameCount} - windowStart_) * blockAlign;
        if (target > dataEnd) {
            // Silence up to the target, then the frame count covers the written frame.
            if (target > windowSize_) {
                loadWindowUpTo(windowSize_);
                window_.resize(static_cast<std::size_t>(target), silenceByte());
                markDirty(windowSize_, target);
                windowSize_ = target;
            }
            frameCount = static_cast<std::int32_t>(frame + 1);
        }
    } else {
        flushWindow();
        target = b;
        const std::int64_t dataEnd = std::int64_t{frameCount} * blockAlign;
        if (target > dataEnd) {
            const auto end = static_cast<std::uint64_t>(target);
            if (backing_.size() < end) {
                static const std::array<std::uint8_t, 4096> zeros{};
                std::array<std::uint8_t, 4096> fill;
                fill.fill(silenceByte());
                const auto& block = silenceByte() == 0 ? zeros : fill;
                for (std::uint64_t at = backing_.size(); at < end;) {
                    const std::size_t n =
                        static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), end - at));
                    backing_.writeAt(at, block.data(), n);
                    at += n;
                }
            }
            frameCount = static_cast<std::int32_t>(frame + 1);
        }
        // A write outside the window opens a new window at the written frame.
        windowStart_ = static_cast<std::int32_t>(frame);
        loadWindow();
        target = b - frame * blockAlign;
        toWindow = true;
    }

    if (target + width > windowSize_) {
        loadWindowUpTo(windowSize_);
        window_.resize(static_cast<std::size_t>(target + width), silenceByte());
        markDirty(windowSize_, target + width);
        windowSize_ = target + width;
    } else {
        loadWindowUpTo(target + width);
    }
    std::memcpy(window_.data() + target, bytes, static_cast<std::size_t>(width));
    markDirty(target, target + width);
}

void WaveBuffer::loadWindow() {
    window_.clear();
    dirtyBegin_ = dirtyEnd_ = 0;
    windowSize_ = 0;
    if (!fileBacked_ || windowStart_ == kNoWindow || windowStart_ < 0)
        return;
    const std::uint64_t start = static_cast<std::uint64_t>(windowStart_) * blockAlign;
    const std::uint64_t size = backing_.size();
    if (start < size)
        windowSize_ = static_cast<std::int64_t>(
            std::min<std::uint64_t>(size - start, std::uint64_t{kWindowFrames} * blockAlign));
}

void WaveBuffer::flushWindow() {
    if (!fileBacked_)
        return;
    if (windowStart_ != kNoWindow && windowSize_ > 0 && dirtyBegin_ < dirtyEnd_) {
        // Only the changed bytes differ from the file; at most the window's frames are written.
        const std::int64_t limit = std::int64_t{kWindowFrames} * blockAlign;
        const std::int64_t end = std::min(dirtyEnd_, limit);
        if (dirtyBegin_ < end)
            backing_.writeAt(static_cast<std::uint64_t>(windowStart_) * blockAlign +
                                 static_cast<std::uint64_t>(dirtyBegin_),
                             window_.data() + dirtyBegin_, static_cast<std::size_t>(end - dirtyBegin_));
    }
    if (blockAlign != 0)
        frameCount = framesOf(static_cast<double>(backing_.size()), blockAlign);
    window_.clear();
    window_.shrink_to_fit();
    windowSize_ = 0;
    dirtyBegin_ = dirtyEnd_ = 0;
    windowStart_ = kNoWindow;
}

void WaveBuffer::setFileBacked(bool on) {
    if (on && !fileBacked_) {
        backing_.open(backingFileName, true);
        for (std::size_t at = 0; at < window_.size(); at += kCopyBlock)
            backing_.writeAt(at, window_.data() + at, std::min(kCopyBlock, window_.size() - at));
        window_.clear();
        window_.shrink_to_fit();
        windowSize_ = 0;
        dirtyBegin_ = dirtyEnd_ = 0;
        windowStart_ = kNoWindow;
    } else if (!on && fileBacked_) {
        flushWindow();
        std::vector<std::uint8_t> all(static_cast<std::size_t>(backing_.size()));
        const std::size_t got = backing_.readAt(0, all.data(), all.size());
        all.resize(got);
        backing_.close();
        window_ = std::move(all);
        windowStart_ = kNoWindow;
    }
    fileBacked_ = on;
}

std::uint64_t WaveBuffer::dataSize() const {
    return fileBacked_ ? backing_.size() : static_cast<std::uint64_t>(window_.size());
}

std::vector<std::uint8_t> WaveBuffer::dataBytes() {
    if (!fileBacked_)
        return window_;
    std::vector<std::uint8_t> all(static_cast<std::size_t>(backing_.size()));
    all.resize(backing_.readAt(0, all.data(), all.size()));
    return all;
}

void WaveBuffer::loadFromFile(const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = readFileBytes(path, std::uintmax_t{1} << 32);
    loadFromBytes(bytes, path.string());
}

void WaveBuffer::loadFromBytes(std::span<const std::uint8_t> head, const std::string& label) {
    // The walk ends where the RIFF size says the file ends, or at the end of the bytes if sooner.
    RiffChunks chunks(head, "WAVE", RiffChunks::Bound::DeclaredSize);
    if (!chunks.isForm())
        return;

    FormatRecord format{formatTag, channels, sampleRate, byteRate, blockAlign, bitsPerSample};
    std::span<const std::uint8_t> data;
    bool haveData = false;
    std::int32_t frames = frameCount;
    while (const auto chunk = chunks.next()) {
        if (chunk->size > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()))
            throw Error("Wave is invalid: a chunk of \"" + label + "\" has a negative size.");
        if (chunk->is("fmt ")) {
            if (chunk->size < 16)
                throw Error("Wave is invalid: the format chunk of \"" + label +
                            "\" is shorter than 16 bytes.");
            if (!chunk->bodyComplete())
                throw Error("Wave is invalid: the format chunk of \"" + label +
                            "\" runs past the end of the file.");
            const std::uint8_t* f = chunk->body.data();
            format = {u16At(f), u16At(f + 2), u32At(f + 4), u32At(f + 8), u16At(f + 12), u16At(f + 14)};
            if (format.blockAlign == 0)
                throw Error("Wave is invalid: \"" + label + "\" has a block align of 0.");
        } else if (chunk->is("data")) {
            if (!chunk->bodyComplete())
                throw Error("Wave is invalid: the data chunk of \"" + label +
                            "\" runs past the end of the file.");
            haveData = true;
            data = chunk->body;
            frames = framesOf(static_cast<double>(data.size()), format.blockAlign);
        }
        // Any other chunk is skipped; one cut short is the last the walk hands out.
    }

    formatTag = format.formatTag;
    channels = format.channels;
    sampleRate = format.sampleRate;
    byteRate = format.byteRate;
    blockAlign = format.blockAlign;
    bitsPerSample = format.bitsPerSample;
    if (!haveData)
        return;
    frameCount = frames;
    if (!fileBacked_) {
        window_.assign(data.begin(), data.end());
        return;
    }
    // The old window belongs to the old data; the new data goes to a recreated backing file.
    window_.clear();
    windowSize_ = 0;
    dirtyBegin_ = dirtyEnd_ = 0;
    windowStart_ = kNoWindow;
    backing_.open(backingFileName, true);
    for (std::size_t at = 0; at < data.size(); at += kCopyBlock)
        backing_.writeAt(at, data.data() + at, std::min(kCopyBlock, data.size() - at));
}

void WaveBuffer::saveToFile(const std::filesystem::path& path) {
    ByteWriter format;
    format.u16(formatTag);
    format.u16(channels);
    format.u32(sampleRate);
    format.u32(byteRate);
    format.u16(blockAlign);
    format.u16(bitsPerSample);
    if (!fileBacked_) {
        writeWavFile(path, format.data(), window_, WavLayout::Standard);
        return;
    }
    const std::uint64_t dataBytes = dataSize();
    WavFileWriter out(path, format.data(), dataBytes, WavLayout::Standard);
    std::vector<std::uint8_t> block(std::min<std::uint64_t>(kCopyBlock, dataBytes));
    for (std::uint64_t at = 0; at < dataBytes;) {
        const std::size_t got =
            backing_.readAt(at, block.data(),
                            static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), dataBytes - at)));
        if (got == 0)
            throw Error("Cannot read the backing file \"" + backingFileName.string() + "\".");
        out.write(std::span<const std::uint8_t>(block.data(), got));
        at += got;
    }
    out.commit();
}

void WaveBuffer::mixWave(WaveBuffer& source, int rate, double volume, double pan, double start) {
    if (blockAlign == 0)
        throw Error("Cannot mix into a wave buffer whose block align is 0.");
    const double startFrame = static_cast<double>(byteRate) * start / blockAlign;
    if (!std::isfinite(startFrame) || std::fabs(startFrame) > static_cast<double>(kMaxRenderFrames))
        throw Error("A sound cannot start that far into a WAV file.");
    const std::int64_t s0 = roundHalfEven(startFrame);
    const HitContribution hit(source, sampleRate, channels, rate, volume, pan);
    const std::int64_t n = hit.frames();
    if (n > 0 && s0 + n > kMaxRenderFrames)
        throw Error("The mix would be longer than a WAV file can hold.");
    constexpr std::int64_t block = 4096;
    std::vector<std::int32_t> add(static_cast<std::size_t>(std::min(n, block) * channels));
    for (std::int64_t from = 0; from < n; from += block) {
        const std::int64_t to = std::min(n, from + block);
        hit.compute(from, to, add.data());
        const std::int32_t* r = add.data();
        for (std::int64_t i = from; i < to; ++i) {
            for (int c = 0; c < channels; ++c) {
                const std::int64_t y = std::int64_t{*r++} + readSample(c, s0 + i);
                writeSample(c, s0 + i, static_cast<std::int16_t>(std::clamp<std::int64_t>(y, -32767, 32767)));
            }
        }
    }
    if (fileBacked_)
        flushWindow();
}

} // namespace tamboro
