// tamboro-cli kit: inspect a kit file, write the default kit, write a kit's sounds as WAV files, or
// build a kit from sound files.

#include "cli/CliCommand.h"
#include "common/Error.h"
#include "kitimport/KitImport.h"
#include "kits/DefaultKitSynth.h"
#include "kits/DrumKit.h"
#include "kits/KitMaker.h"

#include <cstdio>
#include <filesystem>

namespace tamboro::cli {

namespace {

constexpr char usage[] = "kit info KIT.dxg | kit synth OUT.dxg | kit export KIT.dxg DIR | kit make -o "
                         "KIT.dxg NAME=FILE... | kit import SOURCE -o KIT.dxg";

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

// Builds a kit from sound files through the kit maker's own document, one row per NAME=FILE in
// order; any file that cannot be read refuses the whole kit and leaves KIT.dxg as it was.
int kitMake(const CliArgs& args) {
    std::filesystem::path out;
    std::vector<std::string> names;
    std::vector<std::filesystem::path> files;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size()) {
            out = args[++i];
            continue;
        }
        const auto equals = args[i].find('=');
        if (equals == std::string::npos || equals == 0 || equals + 1 == args[i].size()) {
            std::fprintf(stderr, "kit make: \"%s\" is not NAME=FILE\n", args[i].c_str());
            return 2;
        }
        names.push_back(args[i].substr(0, equals));
        files.emplace_back(args[i].substr(equals + 1));
    }
    if (out.empty() || files.empty()) {
        std::fprintf(stderr, "usage: tamboro-cli %s\n", usage);
        return 2;
    }
    KitMaker maker;
    maker.startEmpty(static_cast<int>(files.size()), blankWave());
    for (std::size_t i = 0; i < files.size(); ++i) {
        try {
            maker.chooseFile(static_cast<int>(i), files[i]);
        } catch (const Error& e) {
            std::fprintf(stderr, "kit make: %s: %s\n", names[i].c_str(), e.what());
            return 1;
        }
    }
    const auto texts = KitMaker::uniqueNameBoxTexts(names);
    maker.saveKit(texts, out);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const Wave& wave = maker.kit().item(static_cast<int>(i) + 1).wave();
        std::printf("%zu\t%s\t%s\t%u Hz\t%u bits\t%zu frames\n", i + 1, texts[i].c_str(),
                    files[i].string().c_str(), wave.sampleRate(), wave.bitsPerSample(), wave.frames());
    }
    return 0;
}

// Imports a drumkit.xml folder or archive or an SFZ file; prints the per-instrument report.
int kitImport(const CliArgs& args) {
    if (args.size() != 4 || args[2] != "-o") {
        std::fprintf(stderr, "usage: tamboro-cli kit import SOURCE -o KIT.dxg\n");
        return 2;
    }
    const KitImportResult kit = importKit(args[1]);
    writeImportedKit(kit, args[3]);
    std::printf("kit \"%s\": %zu instruments\n", kit.kitName.c_str(), kit.sounds.size());
    for (const std::string& line : kit.report)
        std::printf("%s\n", line.c_str());
    return 0;
}

int runKit(const CliArgs& args) {
    if (!args.empty() && args[0] == "import")
        return kitImport(args);
    if (!args.empty() && args[0] == "make")
        return kitMake(args);
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
