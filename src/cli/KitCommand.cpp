// tamboro-cli kit: inspect a kit file, write the default kit, or write a kit's sounds as WAV files.

#include "cli/CliCommand.h"
#include "common/Error.h"
#include "kits/DefaultKitSynth.h"
#include "kits/DrumKit.h"

#include <cstdio>
#include <filesystem>

namespace tamboro::cli {

namespace {

constexpr char usage[] = "kit info KIT.dxg | kit synth OUT.dxg | kit export KIT.dxg DIR";

// One tab-separated line per item: index, name as stored, looped, MaxPlayingCount, channels,
// sample rate, bits per sample, frames (the last four 0 for an item without a sound).
int kitInfo(const std::string& path) {
    DrumKit kit;
    kit.loadFromFile(path);
    for (int i = 0; i < kit.count(); ++i) {
        const auto& item = kit.item(i);
        const Wave& wave = item.wave();
        const bool silent = wave.empty();
        std::printf("%d\t%s\t%d\t%d\t%u\t%u\t%u\t%zu\n", i, item.name().c_str(), item.looped() ? 1 : 0,
                    static_cast<int>(item.maxPlayingCount()), silent ? 0u : wave.channels(),
                    silent ? 0u : wave.sampleRate(), silent ? 0u : wave.bitsPerSample(),
                    silent ? std::size_t{0} : wave.frames());
    }
    return 0;
}

// Writes item n's sound to DIR/n.wav, as the kit maker and the renderer name them.
int kitExport(const std::string& path, const std::filesystem::path& dir) {
    DrumKit kit;
    kit.loadFromFile(path);
    std::filesystem::create_directories(dir);
    for (int i = 0; i < kit.count(); ++i)
        kit.item(i).wave().writeFile(dir / (std::to_string(i) + ".wav"));
    return 0;
}

int runKit(const CliArgs& args) {
    if (args.size() == 2 && args[0] == "info")
        return kitInfo(args[1]);
    if (args.size() == 2 && args[0] == "synth") {
        makeDefaultKit().saveToFile(args[1]);
        return 0;
    }
    if (args.size() == 3 && args[0] == "export")
        return kitExport(args[1], args[2]);
    std::fprintf(stderr, "usage: tamboro-cli %s\n", usage);
    return 2;
}

const CliRegistration registration({"kit", usage, runKit});

} // namespace

} // namespace tamboro::cli
