#include "common/Error.h"
#include "common/Files.h"
#include "common/TextLines.h"
#include "render/DrumTab.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace tamboro;
using tamboro::test::TempDir;

namespace {

// The lines of a pattern file: 7 x (L + 3) cells row by row, the tempo, the loop count and 64
// sample lines.
struct PatternFile {
    int steps, stepsPerBeat;
    std::vector<std::string> lines;
    PatternFile(int l, int t, int bpm, int loops) : steps(l), stepsPerBeat(t), lines(7 * (l + 3) + 66) {
        lines[0] = "Name";
        lines[1] = "Length:";
        lines[2] = std::to_string(l);
        lines[3] = "Time:";
        lines[4] = std::to_string(t);
        lines[7 * (l + 3)] = std::to_string(bpm);
        lines[7 * (l + 3) + 1] = std::to_string(loops);
    }
    void set(int step, int channel, const std::string& text) { lines[7 * (step + 1) + channel] = text; }
};

std::string inst(const std::string& name) {
    std::string padded = name;
    padded.resize(10, ' ');
    return padded + "[ ]";
}

} // namespace

TEST(DrumTab, WorkedExampleBlock) {
    PatternFile p(16, 4, 120, 2);
    for (int s : {1, 5, 9, 13})
        p.set(s, 1, inst("Kick"));
    for (int s = 1; s <= 16; s += 2)
        p.set(s, 2, inst("HiHat"));
    p.set(5, 3, inst("Snare"));
    p.set(13, 3, inst("Snare"));
    p.set(15, 3, inst("Snare Rim"));
    const std::vector<std::string> expected{
        "",
        "4 : 16   BPM:120",
        "Repeat 2",
        "1   2   3   4   ",
        "K---K---K---K---   Kick",
        "H-H-H-H-H-H-H-H-   HiHat",
        "----S-------S-S-   Snare\\Snare Rim",
        "----------------   ",
        "----------------   ",
        "----------------   ",
    };
    EXPECT_EQ(drumTabBlock(p.lines, "Rock"), expected);
}

TEST(DrumTab, NameInsideALongerNameIsNotAddedAgain) {
    PatternFile p(4, 4, 100, 1);
    p.set(1, 1, inst("Snare Rim"));
    p.set(2, 1, inst("Snare"));
    p.set(3, 1, inst("Snare Rim"));
    p.set(4, 1, " " + inst("x").substr(1)); // first character a blank: a blank on the track line
    const auto block = drumTabBlock(p.lines, "P");
    // An all-blank name counts as absent and is appended as a lone separator.
    EXPECT_EQ(block[4], "SSS    Snare Rim\\");
}

TEST(DrumTab, CounterLines) {
    struct Case {
        int steps, stepsPerBeat;
        std::string counter;
    } cases[] = {
        {12, 3, "1  2  3  4  "},
        {16, 4, "1   2   3   4   "},
        // From the tenth beat on the numbers take two characters but stay over their beats.
        {24, 2, "1 2 3 4 5 6 7 8 9 101112"},
        {12, 1, "123456789111"},
        {1, 4, "1"},
    };
    for (const auto& c : cases) {
        PatternFile p(c.steps, c.stepsPerBeat, 120, 1);
        std::string expected = c.counter;
        expected.resize(static_cast<std::size_t>(c.steps), ' ');
        EXPECT_EQ(drumTabBlock(p.lines, "P")[3], expected) << c.steps << "/" << c.stepsPerBeat;
    }
}

TEST(DrumTab, Titles) {
    struct Case {
        const char* song;
        const char* title;
    } cases[] = {
        {"C:\\Songs\\Funk.sng", "Funk"}, {"/home/me/songs/Jam.sng", "Jam"},
        {"D:Groove.sng", "Groove"},      {"Untitled Song", "Untitled "},
        {"", "Untitled Song"},           {"a.sng", "a"},
        {"/x/.sng", "Untitled Song"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(drumTabTitle(c.song), c.title) << c.song;
}

TEST(DrumTab, BadCountLineIsAnErrorNamingThePattern) {
    PatternFile p(4, 4, 100, 1);
    p.lines[7 * 7] = "fast";
    try {
        drumTabBlock(p.lines, "Funky");
        FAIL();
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("Funky"), std::string::npos);
    }
    EXPECT_THROW(drumTabBlock({"a", "b"}, "Short"), Error);
}

TEST(DrumTab, WritesFileOnlyWhenEveryPatternReads) {
    TempDir dir;
    PatternFile p(4, 4, 90, 3);
    p.set(1, 6, inst("Shaker"));
    writeTextLines(dir.path / "Shake.pat", p.lines);

    const auto written = writeDrumTab("C:\\Songs\\Funk.sng", {"Shake", "Shake"}, dir.path, dir.path);
    EXPECT_EQ(written, dir.path / "Funk.txt");
    const auto lines = readTextLines(written);
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[0], "Funk");
    EXPECT_EQ(lines[3], "4 : 4   BPM:90");
    EXPECT_EQ(lines[11], "S---   Shaker");

    EXPECT_THROW(writeDrumTab("Other.sng", {"Shake", "Missing"}, dir.path, dir.path), Error);
    EXPECT_FALSE(fs::exists(dir.path / "Other.txt"));

    // Entries are found as playback finds them: any letter case, never outside the folder.
    EXPECT_EQ(readTextLines(writeDrumTab("Case.sng", {"SHAKE"}, dir.path, dir.path)).size(), 12u);
    fs::create_directories(dir.path / "inner");
    EXPECT_THROW(writeDrumTab("Escape.sng", {"../Shake"}, dir.path / "inner", dir.path / "inner"), Error);
    EXPECT_FALSE(fs::exists(dir.path / "inner" / "Escape.txt"));

    const auto empty = writeDrumTab("Empty.sng", {}, dir.path, dir.path);
    EXPECT_EQ(readTextLines(empty), (std::vector<std::string>{"Empty", ""}));
}
