#include "cli/CliRunner.h"
#include "render/RenderWorkspace.h"

#include "common/Files.h"
#include "kits/DefaultKitSynth.h"
#include "song/PanTable.h"
#include "song/SongFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>

namespace fs = std::filesystem;
using namespace tamboro;
using namespace tamboro::rendertest;
using tamboro::test::runCli;

namespace {

// A workspace with Topkit.dxg, Panning.dat and a song of three entries using extra samples.
struct CliWorkspace : RenderWorkspace {
    std::vector<std::string> entries{"A", "B", "A"};

    CliWorkspace() {
        PatternCells a;
        for (int s = 1; s <= 8; ++s) {
            a[{s, 1}] = s % 2 ? "Kick      [ ]" : "Snare     [4]";
            a[{s, 3}] = "Crash     [2]";
            a[{s, 4}] = "Sample1";
        }
        pattern("A", 110, 2, 8, a);
        pattern("B", 150, 1, 4, {{{1, 2}, "Long      [ ]"}, {{2, 3}, "Hat       [7]"}, {{4, 6}, "Sample2"}});
        kit.saveToFile(dir.path / "Topkit.dxg");
        PanTable pans;
        for (int i = 0; i < kPanTablePositions; ++i)
            pans.pans[static_cast<std::size_t>(i)] = (i * 1700) % 4000 - 2000;
        savePanTable(dir.path / "Panning.dat", pans);
        for (int i = 1; i < kit.count() && i <= kPanTablePositions; ++i)
            kit.item(i).setPan(pans.pans[static_cast<std::size_t>(i - 1)]);
        std::vector<SongSample> samples;
        for (const auto& e : extra)
            samples.push_back({e.fileName, e.frequency, e.pan});
        writeSongFile(dir.path / "Song.sng", buildSongFileLines(entries, samples));
        // A song file keeps no volumes: opened, every player is at full level.
        for (auto& e : extra)
            e.volume = 0;
    }
};

} // namespace

TEST(CliRender, WritesWhatTheRenderEngineWrites) {
    CliWorkspace ws;
    struct Case {
        std::vector<std::string> options;
        std::size_t start;
        int muted;
        bool acid;
    } cases[] = {
        {{}, 0, 0, false},
        {{"--from", "2", "--mute", "3"}, 1, 3, false},
        {{"--from", "3", "--acid"}, 2, 0, true},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"render", "Song.sng",          "-o", (ws.dir.path / "cli.wav").string(),
                                      "--dir",  ws.dir.path.string()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto r = runCli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, ""); // no progress bar when stderr is not a terminal

        auto request = ws.request(ws.entries);
        request.startEntry = c.start;
        request.acidize = c.acid;
        if (c.muted)
            request.channelOn[static_cast<std::size_t>(c.muted - 1)] = false;
        const auto literal = ws.literal(request);
        oracle::literalRender(literal, ws.dir.path / "expected.wav");
        EXPECT_EQ(readFileBytes(ws.dir.path / "cli.wav"), readFileBytes(ws.dir.path / "expected.wav"));
    }
}

TEST(CliRender, ErrorsLeaveTheOutputUntouched) {
    CliWorkspace ws;
    writeTextLines(ws.dir.path / "Missing.sng", {"A", "Nowhere"});
    writeTextLines(ws.dir.path / "Empty.sng", {});
    ws.pattern("Long", 100, 8, 16, {{{1, 1}, "Kick      [ ]"}});
    writeTextLines(ws.dir.path / "LongSong.sng", {"Long"});
    const fs::path out = ws.dir.path / "out.wav";
    writeBytes(out, {1, 2, 3});
    const std::string dir = ws.dir.path.string();
    struct Case {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"render", "Missing.sng", "-o", out.string(), "--dir", dir}, "Nowhere"},
        {{"render", "Empty.sng", "-o", out.string(), "--dir", dir}, "no patterns"},
        {{"render", "LongSong.sng", "-o", out.string(), "--dir", dir, "--acid"},
         "You can only acid loops less than 12 seconds"},
        {{"render", "Song.sng", "-o", out.string(), "--dir", dir, "--from", "4"}, "--from"},
        {{"render", "Song.sng", "-o", out.string(), "--dir", dir, "--mute", "7"}, "--mute"},
        {{"render", "Song.sng", "-o", out.string(), "--dir", dir, "--kit", "nokit.dxg"}, "nokit.dxg"},
        {{"render", "Song.sng", "--dir", dir}, "usage"},
    };
    for (const auto& c : cases) {
        const auto r = runCli(c.args);
        EXPECT_NE(r.status, 0) << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(readFileBytes(out), (std::vector<std::uint8_t>{1, 2, 3})) << c.message;
    }
}

TEST(CliRender, TheDemoWithTheDefaultKitHasHeadroom) {
    // The shipped demo rendered with the synthesised default kit: not one sample at full scale,
    // and the loudest near -1 dBFS.
    tamboro::test::TempDir dir;
    for (const auto& entry : fs::directory_iterator(fs::path(TAMBORO_ASSETS) / "demo"))
        fs::copy_file(entry.path(), dir.path / entry.path().filename());
    makeDefaultKit().saveToFile(dir.path / "Topkit.dxg");
    blankWave().writeFile(dir.path / "Blank.wav");
    const auto r = runCli({"render", (dir.path / "Demo.sng").string(), "-o", (dir.path / "demo.wav").string(),
                           "--dir", dir.path.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const Wave rendered = Wave::readFile(dir.path / "demo.wav");
    const Wave::Bytes& data = rendered.data();
    ASSERT_GT(data.size(), 44100u * 4 * 60);
    int peak = 0;
    std::size_t fullScale = 0;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        const int v = static_cast<std::int16_t>(static_cast<std::uint16_t>(data[i] | (data[i + 1] << 8)));
        peak = std::max(peak, std::abs(v));
        fullScale += std::abs(v) >= 32767 ? 1 : 0;
    }
    EXPECT_EQ(fullScale, 0u);
    const double peakDb = 20 * std::log10(peak / 32768.0);
    EXPECT_GE(peakDb, -1.5);
    EXPECT_LE(peakDb, -0.5);
}
