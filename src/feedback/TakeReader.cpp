#include "feedback/TakeReader.h"

#include "common/Error.h"

#include <samplerate.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tamboro {

namespace {

// libsndfile reads the take from memory through these callbacks; every position stays within
// the bytes.
struct MemoryFile {
    std::span<const std::uint8_t> bytes;
    sf_count_t position = 0;
};

sf_count_t memoryLength(void* user) {
    return static_cast<sf_count_t>(static_cast<MemoryFile*>(user)->bytes.size());
}

sf_count_t memorySeek(sf_count_t offset, int whence, void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    const auto size = static_cast<sf_count_t>(file->bytes.size());
    sf_count_t base = 0;
    if (whence == SEEK_CUR)
        base = file->position;
    else if (whence == SEEK_END)
        base = size;
    else if (whence != SEEK_SET)
        return -1;
    if ((offset > 0 && base > size - offset) || base + offset < 0)
        return -1;
    file->position = base + offset;
    return file->position;
}

sf_count_t memoryRead(void* destination, sf_count_t count, void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    const auto size = static_cast<sf_count_t>(file->bytes.size());
    if (count <= 0 || file->position >= size)
        return 0;
    const sf_count_t n = std::min(count, size - file->position);
    std::copy_n(file->bytes.data() + file->position, n, static_cast<std::uint8_t*>(destination));
    file->position += n;
    return n;
}

sf_count_t memoryWrite(const void*, sf_count_t, void*) {
    return 0; // read only
}

sf_count_t memoryTell(void* user) {
    return static_cast<MemoryFile*>(user)->position;
}

constexpr std::size_t kBlockFrames = 4096;
constexpr int kMaxChannels = 64;
constexpr int kMinRate = 4000;
constexpr int kMaxRate = 768000;

bool isWav(int format) {
    const int major = format & SF_FORMAT_TYPEMASK;
    return major == SF_FORMAT_WAV || major == SF_FORMAT_WAVEX || major == SF_FORMAT_RF64;
}

} // namespace

std::int64_t TakeFormat::framesAtTakeRate() const {
    if (sampleRate <= 0)
        return 0;
    return static_cast<std::int64_t>(std::llround(static_cast<double>(frames) * kTakeRate / sampleRate));
}

struct TakeReader::State {
    MemoryFile memory;
    SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
    SNDFILE* file = nullptr;
    SRC_STATE* resampler = nullptr;
    std::string label;
    std::vector<float> interleaved;
    std::vector<float> mono;   // mixed frames not yet handed to the resampler
    std::size_t monoStart = 0; // first of them
    bool endOfFile = false;
    bool finished = false;

    ~State() {
        if (resampler)
            src_delete(resampler);
        if (file)
            sf_close(file);
    }
};

TakeReader::TakeReader(std::span<const std::uint8_t> bytes, std::string fileLabel)
    : state_(std::make_unique<State>()) {
    State& s = *state_;
    s.label = std::move(fileLabel);
    s.memory.bytes = bytes;
    SF_INFO info{};
    s.file = sf_open_virtual(&s.io, SFM_READ, &info, &s.memory);
    if (!s.file)
        throw Error("\"" + s.label + "\" is not a sound file Tamboro can read: " + sf_strerror(nullptr));
    if (!isWav(info.format))
        throw Error("\"" + s.label + "\" is not a WAV file.");
    if (info.channels < 1 || info.channels > kMaxChannels)
        throw Error("\"" + s.label + "\" has " + std::to_string(info.channels) +
                    " channels; a take has 1 to " + std::to_string(kMaxChannels) + ".");
    if (info.samplerate < kMinRate || info.samplerate > kMaxRate)
        throw Error("\"" + s.label + "\" has a sample rate of " + std::to_string(info.samplerate) +
                    " Hz; a take is recorded at " + std::to_string(kMinRate) + " to " +
                    std::to_string(kMaxRate) + " Hz.");
    format_.sampleRate = info.samplerate;
    format_.channels = info.channels;
    format_.frames = std::max<sf_count_t>(info.frames, 0);
    // Integer samples come as -1..1 without rescaling float files' own values.
    sf_command(s.file, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
    s.interleaved.resize(kBlockFrames * static_cast<std::size_t>(info.channels));
    if (format_.resampled()) {
        int error = 0;
        // Linear interpolation: it keeps every sound where it was in time, which is all onset
        // timing needs, at a small part of the cost of the band-limited converters.
        s.resampler = src_new(SRC_LINEAR, 1, &error);
        if (!s.resampler)
            throw Error("\"" + s.label + "\" cannot be resampled: " + src_strerror(error));
    }
}

TakeReader::~TakeReader() = default;

std::size_t TakeReader::read(std::span<float> out) {
    State& s = *state_;
    std::size_t written = 0;
    while (written < out.size() && !s.finished) {
        if (s.monoStart == s.mono.size() && !s.endOfFile) {
            const sf_count_t got =
                sf_readf_float(s.file, s.interleaved.data(), static_cast<sf_count_t>(kBlockFrames));
            if (sf_error(s.file) != SF_ERR_NO_ERROR)
                throw Error("\"" + s.label + "\" cannot be read: " + sf_strerror(s.file));
            const auto channels = static_cast<std::size_t>(format_.channels);
            s.mono.assign(static_cast<std::size_t>(std::max<sf_count_t>(got, 0)), 0.0f);
            s.monoStart = 0;
            for (std::size_t f = 0; f < s.mono.size(); ++f) {
                float sum = 0;
                for (std::size_t c = 0; c < channels; ++c) {
                    const float v = s.interleaved[f * channels + c];
                    if (!(std::fabs(v) < 0.9999f))
                        ++clipped_; // NaN counts too: it cannot be a real sample
                    sum += std::isfinite(v) ? std::clamp(v, -1.0f, 1.0f) : 0.0f;
                }
                s.mono[f] = sum / static_cast<float>(channels);
            }
            if (got <= 0)
                s.endOfFile = true;
        }
        const std::size_t pending = s.mono.size() - s.monoStart;
        if (!s.resampler) {
            const std::size_t n = std::min(pending, out.size() - written);
            std::copy_n(s.mono.data() + s.monoStart, n, out.data() + written);
            s.monoStart += n;
            written += n;
            if (s.endOfFile && s.monoStart == s.mono.size())
                s.finished = true;
            continue;
        }
        SRC_DATA data{};
        data.data_in = s.mono.data() + s.monoStart;
        data.input_frames = static_cast<long>(pending);
        data.data_out = out.data() + written;
        data.output_frames = static_cast<long>(out.size() - written);
        data.src_ratio = static_cast<double>(kTakeRate) / format_.sampleRate;
        data.end_of_input = s.endOfFile ? 1 : 0;
        if (const int error = src_process(s.resampler, &data))
            throw Error("\"" + s.label + "\" cannot be resampled: " + src_strerror(error));
        s.monoStart += static_cast<std::size_t>(data.input_frames_used);
        written += static_cast<std::size_t>(data.output_frames_gen);
        if (s.endOfFile && data.output_frames_gen == 0 && s.monoStart == s.mono.size())
            s.finished = true;
    }
    return written;
}

} // namespace tamboro
