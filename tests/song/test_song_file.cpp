#include "common/Error.h"
#include "common/TextLines.h"
#include "song/SongFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tamboro;

namespace {
std::vector<std::uint8_t> bytesOf(const std::vector<std::string>& lines) {
    const std::string text = joinLinesCrLf(lines);
    return {text.begin(), text.end()};
}
} // namespace

TEST(SongFile, ThreeEntriesGiveOneHundredSixtyThreeLinesAndReadBack) {
    test::TempDir dir;
    std::vector<SongSample> samples(32, SongSample{"Blank.wav", 22050, 0});
    samples[2] = {"C:\\loops\\Groove.wav", 44100, -1500};
    const auto lines = buildSongFileLines({"A", "B", "A"}, samples);
    ASSERT_EQ(lines.size(), 163u);
    EXPECT_EQ(lines[3], "<*sam1");
    EXPECT_EQ(lines[3 + 5 * 2 + 1], "C:\\loops\\Groove.wav");
    EXPECT_EQ(lines[3 + 5 * 2 + 3], "//");
    EXPECT_EQ(lines.back(), "0");
    writeSongFile(dir.path / "Song.sng", lines);
    const auto song = readSongFile(dir.path / "Song.sng");
    EXPECT_EQ(song.entries, (std::vector<std::string>{"A", "B", "A"}));
    ASSERT_EQ(song.samples.size(), 32u);
    EXPECT_EQ(song.samples[2].fileName, "C:\\loops\\Groove.wav");
    EXPECT_EQ(song.samples[2].frequency, 44100);
    EXPECT_EQ(song.samples[2].pan, -1500);
}

TEST(SongFile, ThreeLineBlocksKeepThePans) {
    std::vector<std::string> lines = {"Rock"};
    for (int n = 1; n <= 32; ++n) {
        lines.push_back("<*sam" + std::to_string(n));
        lines.push_back(n == 5 ? "Hit.wav" : "Blank.wav");
        lines.push_back(std::to_string(11025 * (n % 4 + 1)));
    }
    const auto song = parseSongFile(bytesOf(lines), "Old.sng");
    EXPECT_EQ(song.entries, std::vector<std::string>{"Rock"});
    ASSERT_EQ(song.samples.size(), 32u);
    EXPECT_EQ(song.samples[4].fileName, "Hit.wav");
    EXPECT_EQ(song.samples[4].frequency, 22050);
    for (const auto& s : song.samples)
        EXPECT_FALSE(s.pan.has_value());
}

TEST(SongFile, WithoutSampleSectionEveryLineIsAnEntry) {
    const auto song = parseSongFile(bytesOf({"A", "", "B", "// not a marker"}), "Plain.sng");
    EXPECT_EQ(song.entries, (std::vector<std::string>{"A", "", "B", "// not a marker"}));
    EXPECT_TRUE(song.samples.empty());
    EXPECT_TRUE(parseSongFile({}, "Empty.sng").entries.empty());
}

TEST(SongFile, ASectionCutShortKeepsWhatWasRead) {
    auto lines = buildSongFileLines({"A"}, {});
    lines.resize(1 + 5 * 3 + 1); // ends on the fourth sample's marker
    const auto song = parseSongFile(bytesOf(lines), "Cut.sng");
    EXPECT_EQ(song.samples.size(), 3u);
}

TEST(SongFile, BadNumbersAreRefusedWithTheFileAndLine) {
    const auto good = buildSongFileLines({"A", "B"}, {});
    struct Case {
        std::size_t index;
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {4, "fast", "line 5: the sample frequency \"fast\""},
        {6, "left", "line 7: the sample pan \"left\""},
        {6 + 5 * 31, "9999999999", "line 162: the sample pan"},
    };
    for (const auto& c : cases) {
        auto lines = good;
        lines[c.index] = c.text;
        try {
            parseSongFile(bytesOf(lines), "Bad.sng");
            ADD_FAILURE() << c.text << ": accepted";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find("\"Bad.sng\""), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
    auto cut = good;
    cut.resize(2 + 2); // marker and name, no frequency
    EXPECT_THROW(parseSongFile(bytesOf(cut), "Bad.sng"), Error);
}

TEST(SongFile, BytesThatAreNotTextLinesAreRefusedWithTheFileAndLine) {
    struct Case {
        std::string bytes;
        const char* where;
    };
    const Case cases[] = {
        {std::string("\x7F"
                     "ELF\x02\x01\x01\0\0",
                     9),
         "line 1:"},
        {std::string("A\r\nB\r\nC\0D\r\n", 10), "line 3:"},
        {"A\nB\x1b[31m\n", "line 2:"},
    };
    for (const auto& c : cases) {
        const std::vector<std::uint8_t> bytes(c.bytes.begin(), c.bytes.end());
        try {
            parseSongFile(bytes, "Junk.sng");
            ADD_FAILURE() << "accepted";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find("\"Junk.sng\", " + std::string(c.where)), std::string::npos)
                << e.what();
        }
    }
    // Tabs, both line ends and bytes above 127 (names in any 8-bit encoding) are text.
    const std::string text = "Caf\xc3\xa9\tA\r\nB\n";
    const auto song = parseSongFile(std::vector<std::uint8_t>(text.begin(), text.end()), "Ok.sng");
    EXPECT_EQ(song.entries.size(), 2u);
}

TEST(SongFile, RefusesEntriesThatWouldReadBackAsSamples) {
    EXPECT_THROW(buildSongFileLines({"A", "<*odd"}, {}), Error);
}

TEST(SongFile, SaveDialogAddsTheExtensionOnlyWhenMissing) {
    const std::pair<const char*, const char*> cases[] = {
        {"/w/Gig", "/w/Gig.sng"},
        {"/w/Gig.sng", "/w/Gig.sng"},
        {"/w/Gig.txt", "/w/Gig.txt"},
        {"/w.d/Gig", "/w.d/Gig.sng"},
        {"", ""},
    };
    for (const auto& [chosen, expected] : cases)
        EXPECT_EQ(songPathWithDefaultExtension(chosen), std::filesystem::path(expected)) << chosen;
}
