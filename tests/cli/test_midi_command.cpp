// tamboro-cli midi: a song and a pattern file through the command line, the note map file, muted
// channels, and errors that leave the output as it was.
#include "cli/CliRunner.h"
#include "common/Files.h"
#include "common/TextLines.h"
#include "render/SmfDecoder.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tamboro;
using namespace tamboro::miditest;

TEST(CliMidi, SongPatternMapAndMutesWithErrorsLeavingTheOutput) {
    tamboro::test::TempDir dir;
    // A pattern file of 2 steps: a kick on step 1, a snare on step 2 (channel 2), 2 loops.
    std::vector<std::string> lines(7 * 5 + 66);
    lines[0] = "Beat";
    lines[1] = "Length:";
    lines[2] = "2";
    lines[3] = "Time:";
    lines[4] = "4";
    lines[7 * 2 + 1] = kitCell("Kick", ' ');
    lines[7 * 3 + 2] = kitCell("Snare", '3');
    lines[7 * 5] = "100";
    lines[7 * 5 + 1] = "2";
    for (int n = 0; n < 32; ++n) {
        lines[7 * 5 + 2 + 2 * n] = "Blank.wav";
        lines[7 * 5 + 3 + 2 * n] = "0";
    }
    writeTextLines(dir.path / "Beat.pat", lines);
    writeTextLines(dir.path / "Song.sng", {"Beat", "Beat"});
    writeTextLines(dir.path / "good.map", {"Kick=35"});
    writeTextLines(dir.path / "bad.map", {"Kick=35", "Snare"});
    const std::string d = dir.path.string();
    const std::string out = (dir.path / "out.mid").string();

    auto r =
        test::runCli({"midi", "Song.sng", "-o", out, "--dir", d, "--map", (dir.path / "good.map").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("8 notes, 2 tempo events"), std::string::npos) << r.out;
    const Decoded song = decodeSmf(readFileBytes(dir.path / "out.mid"));
    EXPECT_EQ(song.events[1][1], on(0, 35, 95));

    r = test::runCli({"midi", (dir.path / "Beat.pat").string(), "-o", out, "--mute", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("2 notes, 1 tempo events"), std::string::npos) << r.out;
    const auto written = readFileBytes(dir.path / "out.mid");

    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"midi", "Song.sng", "-o", out, "--dir", d, "--map", (dir.path / "bad.map").string()},
         "bad.map\", line 2"},
        {{"midi", "Song.sng", "-o", out, "--dir", d, "--map", (dir.path / "none.map").string()}, "none.map"},
        {{"midi", "Other.pat", "-o", out, "--dir", d}, "Other"},
        {{"midi", "Song.txt", "-o", out, "--dir", d}, "neither a song"},
        {{"midi", "Song.sng", "-o", out, "--dir", d, "--mute", "0"}, "--mute"},
        {{"midi", "Song.sng", "--dir", d}, "usage"},
    };
    for (const auto& c : cases) {
        r = test::runCli(c.args);
        EXPECT_NE(r.status, 0) << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(readFileBytes(dir.path / "out.mid"), written) << c.message;
    }
}
