#pragma once
// A program folder in a temporary directory (Blank.wav, temp/sample1..32.wav) with a sound device
// rendered by hand, the 32 players and the editor's fields, for the sample editor and Extra
// samples window tests.

#include "common/Files.h"
#include "kits/Wave.h"
#include "sound/ExtraSamples.h"
#include "sound/ManualBackend.h"
#include "sound/SampleStreams.h"
#include "sound/SoundDevice.h"

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace tamboro::test {

inline Wave rampWave(std::uint32_t rate, std::size_t frames) {
    Wave::Bytes bytes(frames * 2);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 13 + 1);
    return Wave::pcm(1, rate, 16, bytes);
}

// Plain writes: an atomic write per file (with its flush to disk) would make every test slow.
inline void writeWav(const std::filesystem::path& path, const Wave& wave) {
    const Wave::Bytes bytes = wave.toBytes();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

struct ExtraSamplesWorkspace {
    QTemporaryDir dir;
    std::filesystem::path programDir{dir.path().toStdString()};
    ManualBackend* backend = nullptr;
    std::unique_ptr<SoundDevice> device;
    std::unique_ptr<SampleStreams> streams;
    std::unique_ptr<ExtraSamples> samples;

    ExtraSamplesWorkspace() {
        std::filesystem::create_directories(programDir / "temp");
        const Wave silence = Wave::pcm(1, 44100, 16, Wave::Bytes(882, 0));
        writeWav(programDir / "Blank.wav", silence);
        for (int n = 1; n <= ExtraSamples::kCount; ++n)
            writeWav(programDir / "temp" / ("sample" + std::to_string(n) + ".wav"), silence);
        auto manual = std::make_unique<ManualBackend>();
        backend = manual.get();
        device = std::make_unique<SoundDevice>(std::move(manual));
        const Wave blank = ExtraSamples::loadBlank(programDir);
        streams = std::make_unique<SampleStreams>(*device, blank);
        samples = std::make_unique<ExtraSamples>(*streams, programDir, blank);
    }

    // A WAV file outside the program folder, as a user would pick one.
    std::filesystem::path wav(const std::string& name, std::uint32_t rate, std::size_t frames = 200) {
        const auto path = programDir / "chosen" / name;
        std::filesystem::create_directories(path.parent_path());
        writeWav(path, rampWave(rate, frames));
        return path;
    }

    std::vector<std::uint8_t> workingCopy(int n) const { return readFileBytes(samples->workingCopyPath(n)); }
};

} // namespace tamboro::test
