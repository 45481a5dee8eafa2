#include "app/ProgramFolder.h"

#include "common/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tamboro {
namespace {

namespace fs = std::filesystem;

class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(root / "assets");
        std::ofstream(root / "assets" / "Blank.wav", std::ios::binary) << "blank";
        std::ofstream(root / "assets" / "Topkit.dxg", std::ios::binary) << "kit";
    }
    std::string read(const fs::path& p) {
        const auto bytes = readFileBytes(p);
        return std::string(bytes.begin(), bytes.end());
    }
    tamboro::test::TempDir scratch;
    fs::path root = scratch.path;
};

TEST_F(ProgramFolderTest, FirstStartInAMissingFolderCreatesAndSeedsIt) {
    const ProgramFolder folder = prepareProgramFolder(root / "new" / "ws", root / "assets");
    EXPECT_EQ(folder.dir, root / "new" / "ws");
    EXPECT_EQ(read(folder.dir / "Blank.wav"), "blank");
    EXPECT_EQ(read(folder.dir / "Topkit.dxg"), "kit");
    EXPECT_TRUE(fs::is_directory(folder.dir / "temp"));
    EXPECT_EQ(folder.seeded, (std::vector<std::string>{"Blank.wav", "Topkit.dxg"}));
    EXPECT_TRUE(folder.warning.empty());
}

TEST_F(ProgramFolderTest, ExistingFilesAreKept) {
    fs::create_directories(root / "ws");
    std::ofstream(root / "ws" / "Topkit.dxg", std::ios::binary) << "my own kit";
    const ProgramFolder folder = prepareProgramFolder(root / "ws", root / "assets");
    EXPECT_EQ(read(root / "ws" / "Topkit.dxg"), "my own kit");
    EXPECT_EQ(folder.seeded, (std::vector<std::string>{"Blank.wav"}));
}

TEST_F(ProgramFolderTest, NoAssetsLeavesTheFolderAsItIsWithAWarning) {
    const ProgramFolder folder = prepareProgramFolder(root / "bare", {});
    EXPECT_TRUE(fs::is_directory(root / "bare"));
    EXPECT_FALSE(fs::exists(root / "bare" / "Blank.wav"));
    EXPECT_FALSE(folder.warning.empty());
}

TEST_F(ProgramFolderTest, AFileInTheWayIsRefused) {
    std::ofstream(root / "plainfile") << "x";
    EXPECT_ANY_THROW(prepareProgramFolder(root / "plainfile", root / "assets"));
}

} // namespace
} // namespace tamboro
