#include "cli/CliRunner.h"
#include "common/TextLines.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using tamboro::test::runCli;
using tamboro::test::TempDir;

TEST(CliTab, WritesTheDemoSongsTab) {
    TempDir dir;
    fs::copy(fs::path(TAMBORO_ASSETS) / "demo", dir.path, fs::copy_options::recursive);
    const auto r = runCli({"tab", "Demo.sng", "--dir", dir.path.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, (dir.path / "Demo.txt").string() + "\n");
    const auto lines = tamboro::readTextLines(dir.path / "Demo.txt");
    ASSERT_GE(lines.size(), 12u);
    EXPECT_EQ(lines[0], "Demo");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ((lines.size() - 2) % 10, 0u);
    EXPECT_EQ(lines[3].find(" : "), 1u); // "<steps per beat> : <steps>   BPM:<tempo>"
}

TEST(CliTab, MissingPatternFailsWithoutWriting) {
    TempDir dir;
    tamboro::writeTextLines(dir.path / "Broken.sng", {"Nowhere"});
    const auto r = runCli({"tab", "Broken.sng", "--dir", dir.path.string()});
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("Nowhere"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir.path / "Broken.txt"));
}

TEST(CliTab, UsageErrors) {
    EXPECT_NE(runCli({"tab"}).status, 0);
    EXPECT_NE(runCli({"tab", "a.sng", "--bogus"}).status, 0);
    EXPECT_EQ(runCli({"--version"}).status, 0);
    EXPECT_NE(runCli({"no-such-command"}).status, 0);
}
