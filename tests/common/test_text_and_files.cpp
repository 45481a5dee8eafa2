#include "common/ByteReader.h"
#include "common/Files.h"
#include "common/Rounding.h"
#include "common/TextLines.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace tamboro;

namespace {

using tamboro::test::TempDir;

} // namespace

TEST(TextLines, SplitsEveryLineEnd) {
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"\n", {""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitLines(c.text), c.lines) << "text: " << c.text;
}

TEST(TextLines, WritesCrLfAndReadsBack) {
    TempDir dir;
    const auto file = dir.path / "t.txt";
    writeTextLines(file, {"0", "-250", ""});
    const auto bytes = readFileBytes(file);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "0\r\n-250\r\n\r\n");
    EXPECT_EQ(readTextLines(file), (std::vector<std::string>{"0", "-250", ""}));
}

TEST(TextLines, ParsesOnlyWholeIntegers) {
    struct Case {
        const char* text;
        bool ok;
        long long value;
    } cases[] = {{"0", true, 0}, {"-2000", true, -2000}, {" 42 ", true, 42}, {"+7", true, 7},
                 {"", false, 0}, {"4x", false, 0},       {"x", false, 0},    {"1.5", false, 0}};
    for (const auto& c : cases) {
        long long v = 0;
        EXPECT_EQ(parseInteger(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

TEST(AtomicWrite, ReplacesTargetAndLeavesNoTemporary) {
    TempDir dir;
    const auto file = dir.path / "kit.dxg";
    writeFileAtomically(file, std::string_view("old"));
    writeFileAtomically(file, std::string_view("new contents"));
    const auto bytes = readFileBytes(file);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "new contents");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(AtomicWrite, FailedWriteKeepsOldFile) {
    TempDir dir;
    const auto file = dir.path / "sub" / "x.txt";
    EXPECT_THROW(writeFileAtomically(file, std::string_view("data")), Error);
    EXPECT_FALSE(fs::exists(file));
}

TEST(CaseInsensitive, ResolvesNamesOfAnyCase) {
    TempDir dir;
    std::ofstream(dir.path / "Sample5.WAV") << "x";
    EXPECT_EQ(resolveCaseInsensitive(dir.path, "sample5.wav").filename(), "Sample5.WAV");
    EXPECT_EQ(resolveCaseInsensitive(dir.path, "missing.wav"), dir.path / "missing.wav");
    EXPECT_TRUE(equalsIgnoreCase("Blank.wav", "bLANK.WAV"));
    EXPECT_LT(compareIgnoreCase("apple", "Banana"), 0);
    EXPECT_GT(compareIgnoreCase("abc", "AB"), 0);
}

TEST(Rounding, HalvesGoToEven) {
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(187.5), 188);
    EXPECT_EQ(truncTowardZero(-1.7), -1);
    EXPECT_EQ(truncTowardZero(1.7), 1);
}

TEST(ByteReader, RefusesReadsPastTheEnd) {
    const std::uint8_t data[] = {1, 2, 3, 4, 5};
    ByteReader r(data);
    EXPECT_EQ(r.u32(), 0x04030201u);
    EXPECT_THROW(r.u16(), Error);
    EXPECT_EQ(r.u8(), 5);
    EXPECT_TRUE(r.atEnd());
    ByteReader r2(data, "Wave is invalid");
    try {
        r2.skip(6);
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Wave is invalid");
    }
}
