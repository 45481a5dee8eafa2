#pragma once
// A program folder for render tests: Blank.wav, temp/, a small kit covering mono and stereo, 8-
// and 16-bit, 44100 and 22050 Hz sounds, two extra-sample files, and pattern files written on
// demand.

#include "LiteralRenderer.h"
#include "RenderTestSupport.h"

#include "common/TextLines.h"
#include "kits/DrumKit.h"
#include "kits/Wave.h"
#include "render/SongRender.h"

#include <map>
#include <utility>

namespace tamboro::rendertest {

// Cells of a pattern by (step from 1, channel from 1).
using PatternCells = std::map<std::pair<int, int>, std::string>;

struct RenderWorkspace {
    TempDir dir;
    DrumKit kit;
    std::array<ExtraSampleSound, kRenderExtraSamples> extra{};

    RenderWorkspace() {
        std::filesystem::create_directories(dir.path / "temp");
        Wave::pcm(2, 44100, 16, std::vector<std::uint8_t>(400, 0)).writeFile(dir.path / "Blank.wav");
        struct Item {
            const char* name;
            std::uint16_t channels, bits;
            std::uint32_t rate;
            int frames, pan;
        } items[] = {
            {"", 2, 16, 44100, 100, 0},
            {"Kick      [ ]", 1, 16, 44100, 6000, 0},
            {"Snare     [ ]", 2, 16, 22050, 3000, 800},
            {"Hat       [ ]", 1, 8, 44100, 2000, 0},
            {"Long      [ ]", 2, 16, 44100, 30000, -1500},
            {"Crash     [ ]", 2, 8, 22050, 9000, 2000},
            {"Tom", 1, 16, 44100, 1500, -700},
            {"Empty     [ ]", 0, 0, 0, 0, 0},
        };
        unsigned seed = 1;
        for (const auto& it : items) {
            auto& item = kit.add();
            item.setName(it.name);
            if (it.frames > 0)
                item.setWave(Wave::pcm(it.channels, it.rate, it.bits,
                                       testSignal(it.channels, it.bits, it.frames, seed++)));
            item.setPan(it.pan);
        }
        Wave::pcm(2, 44100, 16, testSignal(2, 16, 4000, 21)).writeFile(dir.path / "x1.wav");
        Wave::pcm(1, 22050, 8, testSignal(1, 8, 2500, 22)).writeFile(dir.path / "x2.wav");
        extra[0] = {(dir.path / "x1.wav").string(), 22050, -3000, -1000};
        extra[1] = {(dir.path / "x2.wav").string(), 0, 2500, 0};
    }

    void pattern(const std::string& name, int bpm, int loops, int steps, const PatternCells& cells) const {
        std::vector<std::string> lines;
        for (int row = 0; row < steps + 3; ++row) {
            for (int col = 0; col < 7; ++col) {
                std::string text;
                if (row == 0 && col == 0)
                    text = name;
                else if (row == 0 && col == 1)
                    text = "Length:";
                else if (row == 0 && col == 2)
                    text = std::to_string(steps);
                else if (row == 0 && col == 3)
                    text = "Time:";
                else if (row == 0 && col == 4)
                    text = "4";
                else if (row == 1 && col > 0)
                    text = "Ch" + std::to_string(col);
                else if (row >= 2 && row <= steps + 1 && col == 0)
                    text = std::to_string(row - 1) + ":0";
                else if (row >= 2 && row <= steps + 1) {
                    const auto it = cells.find({row - 1, col});
                    if (it != cells.end())
                        text = it->second;
                }
                lines.push_back(text);
            }
        }
        lines.push_back(std::to_string(bpm));
        lines.push_back(std::to_string(loops));
        writeTextLines(dir.path / (name + ".pat"), lines);
    }

    RenderRequest request(const std::vector<std::string>& playList) const {
        RenderRequest r;
        r.programDir = dir.path;
        r.kit = &kit;
        r.extraSamples = extra;
        r.playList = playList;
        r.scriptDumpDir = dir.path;
        return r;
    }

    oracle::LiteralRenderInput literal(const RenderRequest& r) const {
        oracle::LiteralRenderInput in;
        in.programDir = r.programDir;
        in.kit = r.kit;
        for (std::size_t i = 0; i < r.extraSamples.size(); ++i)
            in.extraSamples[i] = {r.extraSamples[i].fileName, r.extraSamples[i].frequency,
                                  r.extraSamples[i].pan, r.extraSamples[i].volume};
        for (std::size_t c = 0; c < 6; ++c)
            in.channelOn[c + 1] = r.channelOn[c];
        in.playList = r.playList;
        in.start = r.startEntry;
        in.acid = r.acidize;
        return in;
    }
};

} // namespace tamboro::rendertest
