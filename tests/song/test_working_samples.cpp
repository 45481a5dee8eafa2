#include "song/WorkingSamples.h"

#include "common/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tamboro {
namespace {

namespace fs = std::filesystem;

class WorkingSamples : public ::testing::Test {
protected:
    tamboro::test::TempDir scratch;
    void write(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }
    std::string read(const fs::path& p) {
        const auto bytes = readFileBytes(p);
        return std::string(bytes.begin(), bytes.end());
    }
    fs::path dir = scratch.path;
};

TEST_F(WorkingSamples, ResetsAllThirtyTwoFromBlank) {
    fs::create_directories(dir / "temp");
    write(dir / "Blank.wav", "RIFFblank");
    write(dir / "temp" / "sample5.wav", "edited sample");
    write(dir / "temp" / "Sample7.WAV", "other case");
    EXPECT_EQ(resetWorkingSamples(dir), 32);
    for (int n = 1; n <= 32; ++n)
        EXPECT_EQ(read(workingSamplePath(dir, n)), "RIFFblank") << n;
    EXPECT_FALSE(fs::exists(dir / "temp" / "Sample7.WAV"));
    EXPECT_EQ(workingSamplePath(dir, 12), dir / "temp" / "sample12.wav");
}

TEST_F(WorkingSamples, MissingBlankOrTempFolderIsSilent) {
    EXPECT_EQ(resetWorkingSamples(dir), 0); // neither
    write(dir / "blank.WAV", "x");
    EXPECT_EQ(resetWorkingSamples(dir), 0); // no temp folder: it is not created
    EXPECT_FALSE(fs::exists(dir / "temp"));
    fs::create_directories(dir / "temp");
    write(dir / "temp" / "sample1.wav", "old");
    EXPECT_EQ(resetWorkingSamples(dir), 32); // the lower-case Blank is found
    EXPECT_EQ(read(dir / "temp" / "sample1.wav"), "x");
}

} // namespace
} // namespace tamboro
