#pragma once
// The test oracle for the song renderer: the preparation and the engine written out literally,
// step by step, over a flattened list of script lines, a file-backed literal wave buffer for the
// mix and one mixWave per hit. Independent of the production renderer (it uses the kit's wave
// reader and writer, which the preparation uses too, and the literal wave buffer).
//
// The decided mends are mirrored: no level digit or the digit 0 gives gain 1, any number of used
// instruments, loop counts below 1 count as 1, a pattern without steps adds no lines, a fresh
// sample buffer per hit.

#include "LiteralWaveBuffer.h"

#include "common/Error.h"
#include "common/Files.h"
#include "common/TextLines.h"
#include "kits/DrumKit.h"
#include "kits/Wave.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace oracle {

struct LiteralExtraSample {
    std::string fileName = "Blank.wav";
    int frequency = 0;
    int pan = 0;
    int volume = 0;
};

struct LiteralRenderInput {
    std::filesystem::path programDir;
    const tamboro::DrumKit* kit = nullptr;
    std::array<LiteralExtraSample, 32> extraSamples{};
    std::array<bool, 7> channelOn{true, true, true, true, true, true, true}; // 1..6
    std::vector<std::string> playList;
    std::size_t start = 0;
    bool acid = false;
    // Stop: cancel before line `stopLine` of pass `stopPass` (0-based); -1 never.
    long stopPass = -1;
    long stopLine = 0;
};

struct LiteralRenderResult {
    std::vector<std::string> script;
    double firstStepSeconds = -1;
    double songSeconds = 0;
    std::vector<int> usedInstruments;
    bool acidRefused = false;
};

inline LiteralRenderResult literalRender(const LiteralRenderInput& in, const std::filesystem::path& output) {
    namespace fs = std::filesystem;
    LiteralRenderResult r;
    const auto& kit = *in.kit;
    const int lastKitIndex = kit.count() - 1;
    std::vector<std::string> list;
    for (int i = 0; i < kit.count(); ++i)
        list.push_back(kit.item(i).name());
    for (int n = 1; n <= 32; ++n)
        list.push_back("Sample" + std::to_string(n));
    auto lookup = [&](const std::string& text) {
        for (std::size_t i = 0; i < list.size(); ++i)
            if (tamboro::equalsIgnoreCase(list[i], text))
                return static_cast<int>(i);
        return -1;
    };
    auto number = [](const std::string& text) {
        long long v = 0;
        if (!tamboro::parseInteger(text, v))
            throw tamboro::Error("'" + text + "' is not a valid integer value");
        return static_cast<int>(v);
    };

    // Preparation.
    // The temporary sound files, written plainly (the kit's wave writer's bytes, without its sync).
    const fs::path temp = in.programDir / "temp";
    auto write = [](const fs::path& path, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    };
    for (int n = 0; n <= lastKitIndex; ++n)
        write(temp / (std::to_string(n) + ".wav"), kit.item(n).wave().toBytes());
    for (int n = 1; n <= 32; ++n) {
        const auto& s = in.extraSamples[static_cast<std::size_t>(n - 1)];
        const fs::path from = s.fileName == "Blank.wav" ? in.programDir / "Blank.wav" : fs::path(s.fileName);
        write(temp / ("sample" + std::to_string(n) + ".wav"), tamboro::Wave::readFile(from).toBytes());
    }
    for (std::size_t e = in.start; e < in.playList.size(); ++e) {
        const auto lines = tamboro::readTextLines(in.programDir / (in.playList[e] + ".pat"));
        const int steps = number(lines[2]);
        std::size_t next = static_cast<std::size_t>(7 * (steps + 3));
        const int tempo = number(lines[next]);
        const int stepInterval = static_cast<int>(tamboro::roundHalfEven(60.0 / tempo * 1000 / 4));
        if (r.firstStepSeconds == -1)
            r.firstStepSeconds = stepInterval / 1000.0;
        int loops = number(lines[next + 1]);
        if (loops < 1)
            loops = 1;
        if (steps >= 1) {
            r.script.push_back("//");
            r.script.push_back(std::to_string(tempo));
            for (int loop = 0; loop < loops; ++loop)
                for (int row = 2; row <= steps + 1; ++row)
                    for (int col = 1; col <= 6; ++col)
                        r.script.push_back(lines[static_cast<std::size_t>(7 * row + col)]);
        }
        r.songSeconds += loops * (60.0 / tempo / 4 * steps);
    }
    r.script.push_back("%%%");
    if (in.acid && r.songSeconds > 12) {
        r.acidRefused = true;
        return r;
    }
    for (std::string line : r.script) {
        if (line.size() > 11)
            line[11] = ' ';
        const int k = lookup(line);
        if (k >= 1 &&
            std::find(r.usedInstruments.begin(), r.usedInstruments.end(), k) == r.usedInstruments.end())
            r.usedInstruments.push_back(k);
    }

    // Engine.
    LiteralWaveBuffer mix;
    mix.backingFileName = in.programDir / "oracle-work1.tmp";
    mix.setFileBacked(true);
    bool cancelled = false;
    long pass = -1;
    for (int n = 1; n <= lastKitIndex + 32 && !cancelled; ++n) {
        if (std::find(r.usedInstruments.begin(), r.usedInstruments.end(), n) == r.usedInstruments.end())
            continue;
        ++pass;
        const bool kitPass = n <= lastKitIndex;
        double t = 0;
        double step = r.firstStepSeconds;
        int column = 1;
        fs::path sampleFile =
            kitPass
                ? temp / (std::to_string(n) + ".wav")
                : tamboro::resolveCaseInsensitive(temp, "Sample" + std::to_string(n - lastKitIndex) + ".wav");
        const fs::path blank = in.programDir / "temp" / "Blank.wav";
        std::size_t i = 0;
        for (long handled = 0;; ++handled) {
            if (pass == in.stopPass && handled == in.stopLine) {
                cancelled = true;
                break;
            }
            std::string line = r.script[i++];
            if (line == "//") {
                const int tempo = number(r.script[i++]);
                t += step;
                step = 60.0 / tempo / 4;
                line = r.script[i++];
                column = 1;
            } else {
                ++column;
            }
            int v = 0;
            if (kitPass && line.size() > 10) {
                if (line.size() >= 12) {
                    v = line[11] == ' ' ? 1 : number(std::string(1, line[11]));
                    line[11] = ' ';
                }
            }
            const int k = lookup(line);
            if (kitPass) {
                if (k < 1)
                    sampleFile = blank;
                else if (k <= lastKitIndex)
                    sampleFile = temp / (std::to_string(k) + ".wav");
            }
            if (column == 7) {
                column = 1;
                t += step;
            }
            if (k == n && sampleFile != blank) {
                double volume, pan;
                int rate;
                if (kitPass) {
                    volume = v == 0 ? 1.0 : (10.0 - v) / (10.0 * v);
                    pan = kit.item(k).pan() / 2000.0;
                    rate = 0;
                } else {
                    const auto& s = in.extraSamples[static_cast<std::size_t>(k - lastKitIndex - 1)];
                    volume = (s.volume + 4000) / 4000.0;
                    pan = s.pan / 4000.0;
                    rate = s.frequency;
                }
                LiteralWaveBuffer sample;
                sample.loadFromFile(sampleFile);
                if (rate == 0)
                    rate = static_cast<int>(sample.sampleRate);
                if (in.channelOn[static_cast<std::size_t>(column)])
                    mix.mixWave(sample, rate, volume, pan, t);
            }
            if (line == "%%%")
                break;
        }
    }

    if (in.acid && !cancelled) {
        LiteralWaveBuffer loop;
        loop.sampleRate = 44100;
        const std::int64_t first = tamboro::roundHalfEven(44100 * r.firstStepSeconds);
        const std::int64_t end = tamboro::roundHalfEven((r.songSeconds + r.firstStepSeconds) * 44100);
        for (std::int64_t f = first; f != end; ++f) {
            loop.writeSample(0, f - first, mix.readSample(0, f));
            loop.writeSample(1, f - first, mix.readSample(1, f));
        }
        loop.saveToFile(output);
    } else {
        mix.saveToFile(output);
    }
    mix.backingFile.close();
    fs::remove(mix.backingFileName);
    return r;
}

} // namespace oracle
