// tamboro-cli render with the practice options: bad values refused before anything is written,
// a .practice file standing in for the same options, a pattern rendered as a one-entry song, and
// the practice walk agreeing with the plain render when no setting changes the song.

#include "cli/CliRunner.h"
#include "render/RenderWorkspace.h"

#include "common/Files.h"
#include "song/PracticeFile.h"
#include "song/SongFile.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace tamboro;
using namespace tamboro::rendertest;
using tamboro::test::runCli;

namespace {

struct PracticeCliWorkspace : RenderWorkspace {
    PracticeCliWorkspace() {
        PatternCells a;
        for (int s = 1; s <= 8; ++s) {
            a[{s, 1}] = s % 2 ? "Kick      [ ]" : "Snare     [4]";
            a[{s, 3}] = "Hat       [2]";
        }
        pattern("A", 110, 2, 8, a);
        pattern("B", 150, 1, 4, {{{1, 2}, "Long      [ ]"}, {{2, 3}, "Hat       [7]"}});
        kit.saveToFile(dir.path / "Topkit.dxg");
        writeSongFile(dir.path / "Song.sng", buildSongFileLines({"A", "B", "A"}, {}));
    }
    test::CliResult render(const std::string& song, const std::string& out,
                           std::vector<std::string> options) const {
        std::vector<std::string> args{"render", (dir.path / song).string(), "-o", (dir.path / out).string(),
                                      "--dir",  dir.path.string()};
        args.insert(args.end(), options.begin(), options.end());
        return runCli(args);
    }
};

} // namespace

TEST(CliRenderPractice, RefusesBadValuesNamingTheOptionAndWritesNothing) {
    PracticeCliWorkspace ws;
    const std::vector<std::vector<std::string>> bad = {
        {"--count-in", "5"},
        {"--tempo-scale", "20"},
        {"--speed-trainer", "50:100:10"},
        {"--section", "2-4"},
        {"--bar-breaks", "0:1"},
        {"--drop", "60"},
        {"--seed", "-1"},
        {"--swing", "80"},
        {"--plays", "0"},
        {"--minutes", "0.01"},
        {"--plays", "2", "--minutes", "3"},
        {"--acid", "--click"},
        {"--section", "1-2", "--from", "2"},
        {"--swing"},
    };
    for (const auto& options : bad) {
        const auto result = ws.render("Song.sng", "out.wav", options);
        EXPECT_NE(result.status, 0) << options[0];
        const std::string named = options.size() > 2 ? options[2] : options[0];
        EXPECT_NE(result.err.find(named == "--click" ? "--acid" : named), std::string::npos) << result.err;
        EXPECT_FALSE(fs::exists(ws.dir.path / "out.wav")) << options[0];
    }
}

// The options read from a .practice file give the same track as on the command line; options given
// as well change the file's settings.
TEST(CliRenderPractice, PracticeFileStandsInForTheOptions) {
    PracticeCliWorkspace ws;
    const std::vector<std::string> options{
        "--count-in", "1",       "--click", "--speed-trainer", "80:100:10:1", "--bar-breaks",
        "2:1",        "--swing", "60",      "--drop",          "20",          "--seed",
        "3"};
    const auto direct = ws.render("Song.sng", "direct.wav", options);
    ASSERT_EQ(direct.status, 0) << direct.err;
    EXPECT_NE(direct.out.find("practice track: 3 plays"), std::string::npos) << direct.out;

    PracticeSettings s;
    s.countIn = 1;
    s.click = true;
    s.speedTrainer = SpeedTrainer{80, 100, 10, 1};
    s.barPlay = 2;
    s.barMute = 1;
    s.swing = 60;
    s.dropPercent = 20;
    s.seed = 99;
    writePracticeFile(ws.dir.path / "Song.practice", s);
    const auto fromFile = ws.render("Song.sng", "file.wav",
                                    {"--practice", (ws.dir.path / "Song.practice").string(), "--seed", "3"});
    ASSERT_EQ(fromFile.status, 0) << fromFile.err;
    EXPECT_EQ(readFileBytes(ws.dir.path / "file.wav"), readFileBytes(ws.dir.path / "direct.wav"));

    writeFileAtomically(ws.dir.path / "Bad.practice", std::string_view("[Practice]\nCountIn=1\nSwing=20\n"));
    const auto bad =
        ws.render("Song.sng", "bad.wav", {"--practice", (ws.dir.path / "Bad.practice").string()});
    EXPECT_NE(bad.status, 0);
    EXPECT_NE(bad.err.find("line 3: Swing: \"20\""), std::string::npos) << bad.err;
    EXPECT_FALSE(fs::exists(ws.dir.path / "bad.wav"));
}

// Settings that change nothing walk the practice plan to the plain render's exact bytes; a pattern
// renders as a one-entry song.
TEST(CliRenderPractice, UnchangedSettingsGiveThePlainRender) {
    PracticeCliWorkspace ws;
    ASSERT_EQ(ws.render("Song.sng", "plain.wav", {}).status, 0);
    const auto practice = ws.render("Song.sng", "practice.wav", {"--tempo-scale", "100", "--plays", "1"});
    ASSERT_EQ(practice.status, 0) << practice.err;
    EXPECT_EQ(readFileBytes(ws.dir.path / "practice.wav"), readFileBytes(ws.dir.path / "plain.wav"));

    writeSongFile(ws.dir.path / "OnlyB.sng", buildSongFileLines({"B"}, {}));
    ASSERT_EQ(ws.render("OnlyB.sng", "song-b.wav", {}).status, 0);
    const auto pattern = ws.render("B.pat", "pattern-b.wav", {});
    ASSERT_EQ(pattern.status, 0) << pattern.err;
    EXPECT_EQ(readFileBytes(ws.dir.path / "pattern-b.wav"), readFileBytes(ws.dir.path / "song-b.wav"));
}
