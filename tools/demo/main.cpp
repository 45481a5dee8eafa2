// Writes the demo workspace: a set of patterns in different feels and meters for the default kit,
// and "Demo.sng", which strings them into a practice track.
//
// Usage: tamboro-demo-writer OUTPUT_DIR
//
// Each pattern is written as channels of layers: an instrument and one character per step, where
// '.' is a rest, 'x' a hit at the plain level and '2'..'9' a hit at that level (higher is quieter).

#include "common/Error.h"
#include "song/PatternFile.h"
#include "song/SongFile.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

using tamboro::PatternGrid;

struct Layer {
    const char* instrument;
    const char* steps;
};

struct DemoPattern {
    const char* name;
    int length;
    int stepsPerBeat;
    int bpm;
    int loops;
    std::vector<std::vector<Layer>> channels; // at most six
};

// The default kit's instruments as the instrument list shows them: the name padded to 10, then "[ ]".
std::string kitName(const std::string& name) {
    std::string padded = name;
    padded.resize(10, ' ');
    return padded + "[ ]";
}

std::string cellFor(const char* instrument, char mark) {
    std::string text = kitName(instrument);
    if (mark >= '2' && mark <= '9')
        text[11] = mark;
    return text;
}

PatternGrid buildGrid(const DemoPattern& p) {
    if (p.channels.size() > PatternGrid::kChannels)
        throw tamboro::Error(std::string(p.name) + ": more than six channels");
    PatternGrid grid;
    grid.layOut(p.length, p.stepsPerBeat);
    grid.setName(p.name);
    for (std::size_t c = 0; c < p.channels.size(); ++c) {
        const int col = static_cast<int>(c) + 1;
        for (const Layer& layer : p.channels[c]) {
            const std::string steps = layer.steps;
            if (static_cast<int>(steps.size()) != p.length)
                throw tamboro::Error(std::string(p.name) + ": " + layer.instrument + " has " +
                                     std::to_string(steps.size()) + " steps, not " +
                                     std::to_string(p.length));
            for (int s = 0; s < p.length; ++s) {
                const char mark = steps[static_cast<std::size_t>(s)];
                if (mark == '.')
                    continue;
                if (!grid.cell(col, s + 2).empty())
                    throw tamboro::Error(std::string(p.name) + ": two instruments on channel " +
                                         std::to_string(col) + " at step " + std::to_string(s + 1));
                grid.setCell(col, s + 2, cellFor(layer.instrument, mark));
            }
        }
    }
    return grid;
}

const std::vector<DemoPattern>& demoPatterns() {
    static const std::vector<DemoPattern> patterns = {
        {"Rock Beat",
         16,
         4,
         112,
         3,
         {{{"Kick", "x.......x.x....."}},
          {{"Snare", "....x.......x..."}},
          {{"ClsHiat", "x.4.x.4.x.4.x.4."}},
          {{"Crash", "................"}}}},
        {"Rock Fill",
         16,
         4,
         112,
         1,
         {{{"Kick", "x.......x......."}},
          {{"Snare", "....x...x3x3...."}},
          {{"ClsHiat", "x.4.x.4........."}},
          {{"High Tom", "............x3.."}, {"Mid Tom", "..............x."}},
          {{"Low Tom", "...............x"}}}},
        {"Rock Crash",
         16,
         4,
         112,
         1,
         {{{"Kick", "x.......x.x....."}},
          {{"Snare", "....x.......x..."}},
          {{"ClsHiat", "..4.x.4.x.4.x.4."}},
          {{"Crash", "x..............."}}}},
        {"Funk Groove",
         16,
         4,
         98,
         3,
         {{{"Kick", "x.....x...x..x.."}},
          {{"Snare", "....x..6.6..x..6"}},
          {{"ClsHiat", "x5x5x5x5x5x5x5.."}, {"OpenHiat", "..............x."}},
          {{"Cowbell", "................"}}}},
        {"Funk Break",
         16,
         4,
         98,
         1,
         {{{"Kick", "x.x....x..x....."}},
          {{"Snare", "....x..6.6..x.xx"}},
          {{"ClsHiat", "x5x5x5x5x5x5...."}},
          {{"Cowbell", "x...x...x...x..."}}}},
        {"Half Time",
         16,
         4,
         140,
         3,
         {{{"Kick", "x.....x...x....."}},
          {{"Snare", "........x......."}},
          {{"Ride", "x.4.x.4.x.4.x.4."}},
          {{"Ride Bell", "................"}},
          {{"PedalHiat", "....x.......x..."}}}},
        {"Half Time Fill",
         16,
         4,
         140,
         1,
         {{{"Kick", "x.....x........."}},
          {{"Snare", "........x...x4x3"}},
          {{"Ride", "x.4.x.4.x......."}, {"Ride Bell", "..........x....."}},
          {{"Low Tom", "..............x."}, {"Mid Tom", "...........x...."}},
          {{"Crash", "...............x"}}}},
        {"Shuffle",
         24,
         3,
         68,
         2,
         {{{"Kick", "x.....x..x..x.....x..x.."}},
          {{"Snare", "...x.....x.5...x.....x.5"}},
          {{"ClsHiat", "x.5x.5x.5x.5x.5x.5x.5x.5"}}}},
        {"Shuffle Fill",
         24,
         3,
         68,
         1,
         {{{"Kick", "x.....x..x..x..........."}},
          {{"Snare", "...x.....x.5...x.5x.5..."}},
          {{"ClsHiat", "x.5x.5x.5x.5x.5........."}},
          {{"High Tom", ".................x.5...."}, {"Low Tom", "....................x.x."}},
          {{"Crash", "........................"}}}},
        {"Bossa Nova",
         32,
         4,
         128,
         2,
         {{{"Kick", "x..xx..xx..xx..xx..xx..xx..xx..x"}},
          {{"Rimshot", "x..x..x...x..x..x..x...x..x....."}},
          {{"Shaker", "x4x4x4x4x4x4x4x4x4x4x4x4x4x4x4x4"}},
          {{"PedalHiat", "....x.......x.......x.......x..."}}}},
        {"Reggae One Drop",
         16,
         4,
         76,
         3,
         {{{"Kick", "........x......."}},
          {{"Rimshot", "........x......."}},
          {{"ClsHiat", "x.5.x.5.x.5.x.5."}, {"OpenHiat", "................"}},
          {{"Tambourine", "....x.......x..."}}}},
        {"Reggae Fill",
         16,
         4,
         76,
         1,
         {{{"Kick", "........x......."}},
          {{"Rimshot", "........x......."}, {"Snare", "............x4x3"}},
          {{"ClsHiat", "x.5.x.5.x.5....."}, {"OpenHiat", ".............x.."}},
          {{"Tambourine", "....x..........."}}}},
        {"Six Eight",
         12,
         3,
         60,
         4,
         {{{"Kick", "x.....x..x.."}},
          {{"Snare", "...x.....x.."}},
          {{"ClsHiat", "x55x55x55x55"}},
          {{"Ride Bell", "x.....x....."}}}},
        {"Seven Eight",
         14,
         2,
         120,
         4,
         {{{"Kick", "x.......x....."}},
          {{"Snare", "....x.......x."}},
          {{"ClsHiat", "x.5.x.5.x.5.5."}},
          {{"Cowbell", "x...x...x....."}},
          {{"Clap", "............x."}}}},
        {"Big Ending",
         16,
         4,
         112,
         1,
         {{{"Kick", "x..............."}},
          {{"Snare", "x..............."}},
          {{"Crash", "x..............."}},
          {{"Low Tom", "x..............."}}}},
    };
    return patterns;
}

// The practice track: each feel with its variation, tempo changes at the pattern boundaries.
const std::vector<std::string>& demoSong() {
    static const std::vector<std::string> song = {
        "Rock Beat",    "Rock Fill",   "Rock Crash",   "Rock Beat",  "Rock Fill",      "Funk Groove",
        "Funk Break",   "Funk Groove", "Funk Break",   "Half Time",  "Half Time Fill", "Shuffle",
        "Shuffle Fill", "Shuffle",     "Shuffle Fill", "Bossa Nova", "Bossa Nova",     "Reggae One Drop",
        "Reggae Fill",  "Six Eight",   "Seven Eight",  "Rock Crash", "Rock Beat",      "Big Ending"};
    return song;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    try {
        const std::filesystem::path out = argv[1];
        std::filesystem::create_directories(out);
        const std::vector<tamboro::PatternSample> samples(tamboro::kExtraSampleCount, {"Blank.wav", 44100});
        for (const auto& p : demoPatterns()) {
            const PatternGrid grid = buildGrid(p);
            tamboro::writePatternFile(out, p.name,
                                      tamboro::buildPatternFileLines(grid, p.bpm, p.loops, samples));
        }
        const std::vector<tamboro::SongSample> songSamples(tamboro::kExtraSampleCount,
                                                           {"Blank.wav", 44100, 0});
        tamboro::writeSongFile(out / "Demo.sng", tamboro::buildSongFileLines(demoSong(), songSamples));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
