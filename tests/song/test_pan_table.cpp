#include "song/PanTable.h"

#include "common/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace tamboro {
namespace {

namespace fs = std::filesystem;

std::string nineteenLines(const std::string& line18 = "4251050", const std::string& line19 = "8405056") {
    std::string text = "0\r\n";
    for (int i = 1; i <= 16; ++i)
        text += std::to_string(i * 100 - 900) + "\r\n";
    return text + line18 + "\r\n" + line19 + "\r\n";
}

class TempDir : public ::testing::Test {
protected:
    tamboro::test::TempDir scratch;
    fs::path dir = scratch.path;
};

TEST(PanTable, FormatsExactlyNineteenCrLfLines) {
    PanTable table;
    table.pans[0] = -2000;
    table.pans[2] = 480;
    table.pans[15] = 7;
    const std::string expected =
        "0\r\n-2000\r\n0\r\n480\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
        "0\r\n7\r\n4251050\r\n8405056\r\n";
    EXPECT_EQ(formatPanTable(table), expected);
    EXPECT_EQ(parsePanTable(expected), table);
}

TEST(PanTable, ParsesAnyLineEndAndIgnoresLineOne) {
    std::string text = nineteenLines("255", "16777215");
    text.replace(0, 1, "junk");
    const PanTable t = parsePanTable(text);
    EXPECT_EQ(t.pans[0], -800);
    EXPECT_EQ(t.pans[15], 700);
    EXPECT_EQ(t.gridBackground, 255u);
    EXPECT_EQ(t.gridText, 16777215u);
    std::string lf = nineteenLines();
    std::erase(lf, '\r');
    EXPECT_EQ(parsePanTable(lf), parsePanTable(nineteenLines()));
}

TEST(PanTable, RefusesShortOrNonNumericText) {
    const std::map<std::string, std::string> bad = {
        {"empty", ""},
        {"short", "0\r\n1\r\n2\r\n"},
        {"word pan", nineteenLines().replace(3, 4, "left")},
        {"word colour", nineteenLines("green")},
        {"negative colour", nineteenLines("-5")},
    };
    for (const auto& [name, text] : bad)
        EXPECT_ANY_THROW(parsePanTable(text)) << name;
}

TEST(PanTable, ClampsPansToTheOutputRange) {
    std::string text = nineteenLines();
    text.replace(3, 4, "99999");
    EXPECT_EQ(parsePanTable(text).pans[0], 10000);
}

TEST_F(TempDir, UnusableFileGivesCentrePansAndDefaultColours) {
    const PanTableLoad missing = loadPanTable(dir / "Panning.dat");
    EXPECT_EQ(missing.table, PanTable{});
    EXPECT_FALSE(missing.problem.empty());

    std::ofstream(dir / "Panning.dat", std::ios::binary) << "0\r\n12\r\nabc\r\n";
    const PanTableLoad broken = loadPanTable(dir / "Panning.dat");
    EXPECT_EQ(broken.table.gridBackground, kDefaultGridBackground);
    EXPECT_EQ(broken.table.gridText, kDefaultGridText);
    EXPECT_EQ(broken.table.pans[0], 0);
    EXPECT_FALSE(broken.problem.empty());
}

TEST_F(TempDir, SaveAndLoadRoundTrip) {
    PanTable table;
    table.pans = {1, -2, 3, -4, 5, -6, 7, -8, 9, -10, 11, -12, 13, -14, 15, -16};
    table.gridBackground = 0x123456;
    table.gridText = 0;
    savePanTable(dir / "Panning.dat", table);
    const PanTableLoad back = loadPanTable(dir / "Panning.dat");
    EXPECT_TRUE(back.problem.empty()) << back.problem;
    EXPECT_EQ(back.table, table);
}

TEST(PanTablePositions, AppliesOnlyToPositionsHoldingKitInstruments) {
    // A kit of 4 items (empty instrument + 3), followed by the extra samples.
    InstrumentPositions list;
    list.entries = {"", "Kick      [ ]", "Snare     [ ]", "", "Sample1", "Sample2"};
    list.lastKitIndex = 3;
    PanTable table;
    for (int i = 0; i < 16; ++i)
        table.pans[static_cast<std::size_t>(i)] = (i + 1) * 10;
    std::map<std::string, int> applied;
    applyPanTable(table, list, [&](const std::string& name, int pan) { applied[name] = pan; });
    EXPECT_EQ(applied, (std::map<std::string, int>{{"Kick      [ ]", 10}, {"Snare     [ ]", 20}}));

    const std::map<std::string, int> pans = {{"Kick      [ ]", -300}, {"Snare     [ ]", 450}};
    const PanTable saved = capturePanTable(
        list, [&](const std::string& name) { return pans.at(name); }, 1, 2);
    PanTable expected;
    expected.pans[0] = -300;
    expected.pans[1] = 450;
    expected.gridBackground = 1;
    expected.gridText = 2;
    EXPECT_EQ(saved, expected);
}

TEST(PanTablePositions, FullKitUsesAllSixteenPositionsByPositionNotName) {
    InstrumentPositions list;
    list.entries.push_back("");
    for (int i = 1; i <= 20; ++i)
        list.entries.push_back("Item" + std::to_string(i));
    list.lastKitIndex = 20;
    PanTable table;
    table.pans[2] = 1234;
    int calls = 0;
    applyPanTable(table, list, [&](const std::string& name, int pan) {
        ++calls;
        if (name == "Item3")
            EXPECT_EQ(pan, 1234);
        else
            EXPECT_EQ(pan, 0);
    });
    EXPECT_EQ(calls, 16);
}

} // namespace
} // namespace tamboro
