#include "common/Error.h"
#include "common/Files.h"
#include "common/TextLines.h"
#include "song/PatternFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tamboro;

namespace {

std::vector<PatternSample> blankSamples() {
    return std::vector<PatternSample>(32, PatternSample{"Blank.wav", 22050});
}

std::vector<std::uint8_t> bytesOf(const std::vector<std::string>& lines) {
    const std::string text = joinLinesCrLf(lines);
    return {text.begin(), text.end()};
}

PatternGrid rockGrid() {
    PatternGrid grid;
    grid.setName("Rock");
    grid.setCell(1, 2, "Kick      [ ]");
    grid.setCell(2, 6, "Snare     [5]");
    grid.setCell(3, 17, "Sample3");
    return grid;
}

} // namespace

TEST(PatternFile, SixteenStepsGiveOneHundredNinetyNineLines) {
    const auto lines = buildPatternFileLines(rockGrid(), 120, 2, blankSamples());
    ASSERT_EQ(lines.size(), 199u);
    EXPECT_EQ(lines[0], "Rock");
    EXPECT_EQ(lines[1], "Length:");
    EXPECT_EQ(lines[2], "16");
    EXPECT_EQ(lines[4], "4");
    EXPECT_EQ(lines[8], "Ch:1");
    EXPECT_EQ(lines[14], "1:0*");
    EXPECT_EQ(lines[15], "Kick      [ ]");
    EXPECT_EQ(lines[7 * 6 + 2], "Snare     [5]");
    EXPECT_EQ(lines[133], "120");
    EXPECT_EQ(lines[134], "2");
    EXPECT_EQ(lines[135], "Blank.wav");
    EXPECT_EQ(lines[136], "22050");
}

TEST(PatternFile, SavesTheRowPastTheLastStepFromTheStore) {
    PatternGrid grid = rockGrid();
    grid.setCell(4, 18, "Clap      [ ]"); // row L + 2 of a 16-step pattern
    grid.setCell(4, 19, "never saved");
    const auto lines = buildPatternFileLines(grid, 120, 1, blankSamples());
    EXPECT_EQ(lines[7 * 18 + 4], "Clap      [ ]");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "never saved"), 0);
}

TEST(PatternFile, RoundTripsThroughTheFolder) {
    test::TempDir dir;
    const PatternGrid saved = rockGrid();
    auto samples = blankSamples();
    samples[4] = {"C:\\loops\\Groove.wav", 44100};
    writePatternFile(dir.path, "Rock", buildPatternFileLines(saved, 96, 3, samples));
    const auto bytes = readFileBytes(dir.path / "Rock.pat");
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 10), "Rock\r\nLeng");

    const PatternFileData data = readPatternFile(patternFilePath(dir.path, "rock"));
    EXPECT_EQ(data.length, 16);
    EXPECT_EQ(data.bpm, 96);
    EXPECT_EQ(data.loops, 3);
    ASSERT_EQ(data.samples.size(), 32u);
    EXPECT_EQ(data.samples[4].fileName, "C:\\loops\\Groove.wav");
    EXPECT_EQ(data.samples[4].frequency, 44100);

    PatternGrid loaded;
    loaded.setCell(1, 2, "old");
    loaded.setCell(5, 40, "kept below");
    loadPatternIntoGrid(loaded, data);
    for (int r = 0; r <= 18; ++r)
        for (int c = 0; c < 7; ++c)
            EXPECT_EQ(loaded.cell(c, r), saved.cell(c, r)) << c << "," << r;
    EXPECT_EQ(loaded.rowCount(), 18);
    EXPECT_EQ(loaded.endRow(), 18);
    EXPECT_EQ(loaded.cell(5, 40), "kept below");
}

TEST(PatternFile, AFileEndingAfterTheLoopCountLeavesTheSamplesAlone) {
    auto lines = buildPatternFileLines(rockGrid(), 110, 1, blankSamples());
    lines.resize(135);
    const auto data = parsePatternFile(bytesOf(lines), "Rock.pat");
    EXPECT_EQ(data.bpm, 110);
    EXPECT_EQ(data.loops, 1);
    EXPECT_TRUE(data.samples.empty());

    lines.push_back("Blank.wav"); // a name without its frequency line at the very end
    EXPECT_EQ(parsePatternFile(bytesOf(lines), "Rock.pat").samples.size(), 1u);
}

TEST(PatternFile, BadFilesAreRefusedWithTheFileAndLine) {
    const auto good = buildPatternFileLines(rockGrid(), 120, 1, blankSamples());
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        const char* message;
    };
    auto with = [&](std::size_t index, std::string text) {
        auto l = good;
        l[index] = std::move(text);
        return l;
    };
    auto cut = [&](std::size_t count) {
        return std::vector<std::string>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(count));
    };
    auto namedSample = with(135, "Groove.wav");
    namedSample[136] = "fast";
    const Case cases[] = {
        {"empty file", {}, "line 3"},
        {"length not a number", with(2, "sixteen"),
         "line 3: the pattern length \"sixteen\" is not a whole number"},
        {"negative length", with(2, "-4"), "line 3"},
        {"huge length", with(2, "2000000000"), "line 3"},
        {"cells cut short", cut(100), "ends inside the grid cells"},
        {"tempo missing", cut(133), "line 134"},
        {"tempo not a number", with(133, "1 20"), "line 134: the tempo"},
        {"loops not a number", with(134, "x"), "line 135: the loop count"},
        {"sample frequency not a number", namedSample, "line 137: the sample frequency"},
    };
    for (const auto& c : cases) {
        try {
            parsePatternFile(bytesOf(c.lines), "Rock.pat");
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find("\"Rock.pat\""), std::string::npos)
                << c.what << ": " << e.what();
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.what << ": " << e.what();
        }
    }
}

TEST(PatternFile, ReadsAnyLineEnd) {
    const auto lines = buildPatternFileLines(rockGrid(), 120, 1, blankSamples());
    std::string lf;
    for (const auto& l : lines)
        lf += l + "\n";
    const auto data = parsePatternFile(std::vector<std::uint8_t>(lf.begin(), lf.end()), "Rock.pat");
    EXPECT_EQ(data.cells[15], "Kick      [ ]");
    EXPECT_EQ(data.samples.size(), 32u);
}

TEST(PatternFile, MissingFileNamesIt) {
    test::TempDir dir;
    try {
        readPatternFile(patternFilePath(dir.path, "Nowhere"));
        ADD_FAILURE() << "accepted";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("Nowhere.pat"), std::string::npos) << e.what();
    }
}

TEST(PatternName, RefusesNamesThatCannotBeAFileInTheFolder) {
    for (const std::string& bad :
         std::vector<std::string>{"", "   ", ".", "..", "../Rock", "a/b", "a\\b", "C:Rock", "<Blank>",
                                  "<*sam1", "Ro\tck", std::string("Ro\x01") + "ck", "what?", "a|b"})
        EXPECT_THROW(checkPatternName(bad), Error) << bad;
    for (const std::string& good :
         std::vector<std::string>{"Rock", "Funk 2", "bossa-nova_1", "6 8 Ballad", "Ümlaut"})
        EXPECT_NO_THROW(checkPatternName(good)) << good;
}

TEST(PatternName, ARefusedNameWritesNothing) {
    test::TempDir dir;
    EXPECT_THROW(writePatternFile(dir.path, "../escape", {"x"}), Error);
    EXPECT_FALSE(std::filesystem::exists(dir.path.parent_path() / "escape.pat"));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path));
}
