#include "render/AudioExport.h"

#include "common/Error.h"
#include "common/Files.h"

#include <sndfile.h>

namespace tamboro {

namespace fs = std::filesystem;

AudioFileFormat audioFileFormatFor(const fs::path& file) {
    const std::string extension = toLowerAscii(file.extension().string());
    if (extension == ".wav")
        return AudioFileFormat::Wav;
    if (extension == ".flac")
        return AudioFileFormat::Flac;
    if (extension == ".ogg")
        return AudioFileFormat::OggVorbis;
    const std::string what =
        extension.empty() ? std::string("has no extension") : "ends in \"" + file.extension().string() + "\"";
    throw Error("The file \"" + file.string() + "\" " + what +
                "; Tamboro writes .wav, .flac (FLAC) or .ogg (Ogg Vorbis) files.");
}

EncodedAudioWriter::EncodedAudioWriter(const fs::path& target, AudioFileFormat format, int channels,
                                       int sampleRate)
    : target_(target), file_(target), channels_(channels) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    switch (format) {
    case AudioFileFormat::Flac:
        info.format = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
        break;
    case AudioFileFormat::OggVorbis:
        info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
        break;
    case AudioFileFormat::Wav:
        throw Error("WAV files are written by the render's own writer.");
    }
    // The descriptor stays the atomic writer's: it syncs, closes and renames the file.
    encoder_ = sf_open_fd(file_.descriptor(), SFM_WRITE, &info, SF_FALSE);
    if (!encoder_)
        throw Error("Cannot write file \"" + target_.string() + "\". " + sf_strerror(nullptr));
    if (format == AudioFileFormat::OggVorbis) {
        // A little above libsndfile's default: drum transients survive the encoding.
        double quality = 0.6;
        sf_command(encoder_, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof quality);
    }
}

EncodedAudioWriter::~EncodedAudioWriter() {
    closeEncoder();
}

void EncodedAudioWriter::closeEncoder() {
    if (encoder_)
        sf_close(encoder_);
    encoder_ = nullptr;
}

void EncodedAudioWriter::write(std::span<const std::int16_t> interleaved) {
    if (!encoder_)
        throw Error("Cannot write file \"" + target_.string() + "\".");
    const auto frames = static_cast<sf_count_t>(interleaved.size() / static_cast<std::size_t>(channels_));
    if (sf_writef_short(encoder_, interleaved.data(), frames) != frames)
        throw Error("Cannot write file \"" + target_.string() + "\". " + sf_strerror(encoder_));
}

void EncodedAudioWriter::commit() {
    if (!encoder_)
        throw Error("Cannot write file \"" + target_.string() + "\".");
    // Closing the encoder writes the stream's end (and FLAC's final header) through the descriptor.
    const int status = sf_close(encoder_);
    encoder_ = nullptr;
    if (status != 0)
        throw Error("Cannot write file \"" + target_.string() + "\". " + sf_error_number(status));
    file_.commit();
}

} // namespace tamboro
