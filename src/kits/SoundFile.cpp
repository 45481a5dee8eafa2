#include "kits/SoundFile.h"

#include "common/Error.h"
#include "common/Files.h"
#include "kits/PcmConversion.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace tamboro {

namespace {

// libsndfile's virtual I/O over the caller's bytes: the decoder never sees a file.
struct MemoryFile {
    std::span<const std::uint8_t> bytes;
    sf_count_t position = 0;

    static MemoryFile& of(void* user) { return *static_cast<MemoryFile*>(user); }
    sf_count_t size() const { return static_cast<sf_count_t>(bytes.size()); }
};

sf_count_t memoryLength(void* user) {
    return MemoryFile::of(user).size();
}

sf_count_t memorySeek(sf_count_t offset, int whence, void* user) {
    MemoryFile& file = MemoryFile::of(user);
    sf_count_t base = 0;
    if (whence == SEEK_CUR)
        base = file.position;
    else if (whence == SEEK_END)
        base = file.size();
    // Offsets beyond either end are clamped; a decoder asking for them reads nothing further.
    if (offset > 0 && base > file.size() - offset)
        file.position = file.size();
    else
        file.position = std::clamp<sf_count_t>(base + offset, 0, file.size());
    return file.position;
}

sf_count_t memoryRead(void* ptr, sf_count_t count, void* user) {
    MemoryFile& file = MemoryFile::of(user);
    const sf_count_t n = std::clamp<sf_count_t>(count, 0, file.size() - file.position);
    if (n > 0)
        std::memcpy(ptr, file.bytes.data() + file.position, static_cast<std::size_t>(n));
    file.position += n;
    return n;
}

sf_count_t memoryWrite(const void*, sf_count_t, void*) {
    return 0;
}

sf_count_t memoryTell(void* user) {
    return MemoryFile::of(user).position;
}

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndfileHandle = std::unique_ptr<SNDFILE, SndfileCloser>;

bool isRiffWave(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 12 && std::memcmp(bytes.data(), "RIFF", 4) == 0 &&
           std::memcmp(bytes.data() + 8, "WAVE", 4) == 0;
}

bool rateIsDirect(std::uint32_t rate) {
    return rate >= kMinDirectRate && rate <= kMaxDirectRate;
}

// Sources whose samples 16 bits hold exactly: read as shorts, without dither.
bool fitsSixteenBits(int format) {
    const int sub = format & SF_FORMAT_SUBMASK;
    return sub == SF_FORMAT_PCM_S8 || sub == SF_FORMAT_PCM_U8 || sub == SF_FORMAT_PCM_16;
}

constexpr sf_count_t kChunkFrames = 4096;

// Reads every frame (shorts or floats), keeping the first two channels; more than kMaxFrames is an
// error. Compressed streams may declare a length other than what they hold, so the count read is
// what counts.
template <typename Sample, typename ReadFn>
std::vector<Sample> readFrames(SNDFILE* file, int channels, const std::string& label, ReadFn read) {
    const int kept = std::min(channels, 2);
    std::vector<Sample> chunk(static_cast<std::size_t>(kChunkFrames * channels));
    std::vector<Sample> out;
    std::int64_t total = 0;
    for (;;) {
        const sf_count_t got = read(file, chunk.data(), kChunkFrames);
        if (got <= 0)
            break;
        total += got;
        if (total > SoundFileLimits::kMaxFrames)
            throw Error(label + ": the sound is too long (more than " +
                        std::to_string(SoundFileLimits::kMaxFrames) + " frames).");
        for (sf_count_t f = 0; f < got; ++f)
            for (int c = 0; c < kept; ++c)
                out.push_back(chunk[static_cast<std::size_t>(f * channels + c)]);
    }
    if (sf_error(file) != SF_ERR_NO_ERROR && out.empty())
        throw Error(label + ": the sound cannot be decoded (" + sf_strerror(file) + ").");
    return out;
}

Wave decodeWithSndfile(std::span<const std::uint8_t> bytes, const std::string& label) {
    MemoryFile memory{bytes};
    SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
    SF_INFO info{};
    SndfileHandle file(sf_open_virtual(&io, SFM_READ, &info, &memory));
    if (!file)
        throw Error("Wave is invalid: " + label +
                    " is not a sound file Tamboro reads (WAV, AIFF, FLAC, Ogg Vorbis or MP3): " +
                    sf_strerror(nullptr));
    if (info.channels < 1 || info.samplerate < 1)
        throw Error(label + ": the file declares no channels or no sample rate.");
    if (info.frames > SoundFileLimits::kMaxFrames)
        throw Error(label + ": the sound is too long (more than " +
                    std::to_string(SoundFileLimits::kMaxFrames) + " frames).");
    const auto rate = static_cast<std::uint32_t>(info.samplerate);
    const auto channels = static_cast<std::uint16_t>(std::min(info.channels, 2));

    if (rateIsDirect(rate) && fitsSixteenBits(info.format)) {
        const auto samples = readFrames<short>(file.get(), info.channels, label, sf_readf_short);
        if (samples.empty())
            throw Error(label + ": the file holds no sound.");
        Wave::Bytes data(samples.size() * 2);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const auto u = static_cast<std::uint16_t>(samples[i]);
            data[2 * i] = static_cast<std::uint8_t>(u & 0xFF);
            data[2 * i + 1] = static_cast<std::uint8_t>(u >> 8);
        }
        return Wave::pcm(channels, rate, 16, std::move(data));
    }
    FloatFrames frames;
    frames.channels = channels;
    frames.rate = rate;
    frames.samples = readFrames<float>(file.get(), info.channels, label, sf_readf_float);
    if (frames.samples.empty())
        throw Error(label + ": the file holds no sound.");
    file.reset();
    if (!rateIsDirect(rate)) {
        // A very low rate grows by up to 256 times: the result must fit the limit too.
        if (static_cast<double>(frames.frames()) * kMaxDirectRate / rate > SoundFileLimits::kMaxFrames)
            throw Error(label + ": the sound is too long at " + std::to_string(kMaxDirectRate) +
                        " Hz (more than " + std::to_string(SoundFileLimits::kMaxFrames) + " frames).");
        frames = resample(frames, kMaxDirectRate, label);
    }
    return Wave::pcm(channels, frames.rate, 16, ditherTo16Bits(frames.samples));
}

} // namespace

DecodedSound decodeSound(std::span<const std::uint8_t> bytes, const std::string& label) {
    if (bytes.empty())
        return {Wave(), SoundSource::Empty};
    if (isRiffWave(bytes)) {
        // The program's own reading first, so playable PCM keeps its exact bytes; a WAV our walker
        // refuses may still be one libsndfile reads (pad bytes, odd chunks).
        try {
            Wave wave = Wave::fromBytes(bytes);
            if (wave.isPlayablePcm())
                return {std::move(wave), SoundSource::WavAsIs};
        } catch (const Error& e) {
            try {
                return {decodeWithSndfile(bytes, label), SoundSource::Converted};
            } catch (const Error&) {
                throw Error(std::string(e.what()) + ": " + label);
            }
        }
    }
    return {decodeWithSndfile(bytes, label), SoundSource::Converted};
}

DecodedSound readSoundFile(const std::filesystem::path& path) {
    return decodeSound(readFileBytes(path, SoundFileLimits::kMaxFileBytes), path.string());
}

Wave readSoundWave(const std::filesystem::path& path) {
    return readSoundFile(path).wave;
}

} // namespace tamboro
