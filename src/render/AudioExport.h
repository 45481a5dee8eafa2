#pragma once
// The render's output formats, chosen by the output file's extension: WAV (our own byte-exact
// writer), FLAC (lossless, the same 16-bit samples) and Ogg Vorbis, the last two encoded by
// libsndfile.

#include "common/AtomicFileWriter.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

struct sf_private_tag;

namespace tamboro {

enum class AudioFileFormat { Wav, Flac, OggVorbis };

// The format a file name asks for: ".wav", ".flac" or ".ogg" in any letter case. Throws Error
// naming the extension (or its absence) for any other name.
AudioFileFormat audioFileFormatFor(const std::filesystem::path& file);

// Writes 16-bit PCM frames as a FLAC or Ogg Vorbis file: into a temporary file beside the target,
// renamed over it by commit(); an abandoned writer leaves the target as it was.
class EncodedAudioWriter {
public:
    // Throws Error when the folder cannot take the file or the encoder refuses the format.
    EncodedAudioWriter(const std::filesystem::path& target, AudioFileFormat format, int channels,
                       int sampleRate);
    ~EncodedAudioWriter();
    EncodedAudioWriter(const EncodedAudioWriter&) = delete;
    EncodedAudioWriter& operator=(const EncodedAudioWriter&) = delete;

    // Appends whole frames, channels interleaved. Throws Error when the encoder fails.
    void write(std::span<const std::int16_t> interleaved);
    // Finishes the stream and puts the file in place. Throws Error.
    void commit();

private:
    void closeEncoder();

    std::filesystem::path target_;
    AtomicFileWriter file_;
    sf_private_tag* encoder_ = nullptr;
    int channels_;
};

} // namespace tamboro
