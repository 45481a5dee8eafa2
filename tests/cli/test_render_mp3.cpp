#include "cli/CliRunner.h"
#include "common/Files.h"
#include "common/TextLines.h"
#include "kits/Wave.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using tamboro::test::runCli;
using tamboro::test::TempDir;

namespace {

// A demo workspace with a default kit of its own, a one-entry song and the given encoder program.
void prepareWorkspace(const fs::path& dir, const fs::path& encoder) {
    fs::copy(fs::path(TAMBORO_ASSETS) / "demo", dir, fs::copy_options::recursive);
    ASSERT_EQ(runCli({"kit", "synth", (dir / "Topkit.dxg").string()}).status, 0);
    fs::create_directories(dir / "temp");
    tamboro::Wave::pcm(1, 44100, 16, tamboro::Wave::Bytes(882, 0)).writeFile(dir / "Blank.wav");
    tamboro::writeTextLines(dir / "Short.sng", {"Rock Beat"});
    fs::copy_file(encoder, dir / "BladeEnc");
}

} // namespace

TEST(CliRenderMp3, EncodesTheRenderWithTheShippedEncoder) {
    if (!fs::exists("/usr/bin/lame"))
        GTEST_SKIP() << "lame is not installed";
    TempDir dir;
    prepareWorkspace(dir.path, fs::path(TAMBORO_ASSETS) / "BladeEnc");
    const auto r = runCli({"render", "Short.sng", "-o", (dir.path / "out.wav").string(), "--dir",
                           dir.path.string(), "--mp3", "160"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto mp3 = tamboro::readFileBytes(dir.path / "out.mp3");
    ASSERT_GT(mp3.size(), 1000u);
    EXPECT_EQ(mp3[0], 0xFF);
    EXPECT_EQ(mp3[2] >> 4, 10); // bit-rate index 10: 160 kbit/s
    EXPECT_TRUE(fs::exists(dir.path / "out.wav"));
}

TEST(CliRenderMp3, FailingEncoderIsReported) {
    TempDir dir;
    const fs::path failing = dir.path / "failing-encoder";
    std::ofstream(failing) << "#!/bin/sh\nexit 7\n";
    fs::permissions(failing, fs::perms::owner_all, fs::perm_options::add);
    const fs::path work = dir.path / "work";
    fs::create_directories(work);
    prepareWorkspace(work, failing);
    const auto r = runCli(
        {"render", "Short.sng", "-o", (work / "out.wav").string(), "--dir", work.string(), "--mp3", "128"});
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("status 7"), std::string::npos) << r.err;
    EXPECT_TRUE(fs::exists(work / "out.wav"));
}
