#include "CliRunner.h"

#include "common/Files.h"
#include "kits/DefaultKitSynth.h"
#include "kits/DrumKit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace tamboro;
namespace fs = std::filesystem;

namespace {

class KitCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("tamboro-kitcli-" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

} // namespace

TEST_F(KitCommand, InfoPrintsOneLinePerItem) {
    DrumKit kit;
    kit.add(); // no sound at all
    auto& kick = kit.add();
    kick.setName("Kick      [ ]");
    kick.setLooped(true);
    kick.setMaxPlayingCount(4);
    kick.setWave(Wave::pcm(2, 22050, 16, Wave::Bytes(18, 1))); // 18 bytes / 4 = 4 frames
    Wave::Bytes format(16, 0); // PCM, 1 channel, 8 bits, but rate and block align 0
    format[0] = 1;
    format[2] = 1;
    format[14] = 8;
    kit.add().setWave(Wave(format, Wave::Bytes(10, 0)));
    auto bytes = kit.saveToBytes();
    // Store MaxPlayingCount -1 for the last item in its 1-byte form: it reads as 0.
    // From the end: three closing zeros, the item's end, the 55-byte block, its length, 0x0A and
    // "Wave.WAVE" (10) come after the value byte.
    const std::size_t value = bytes.size() - 3 - 1 - 55 - 4 - 1 - 10 - 1;
    ASSERT_EQ(bytes[value - 1], 0x02);
    bytes[value] = 0xFF;
    writeFileAtomically(dir / "k.dxg", bytes);

    const auto r = test::runCli({"kit", "info", (dir / "k.dxg").string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "0\t\t0\t0\t0\t0\t0\t0\n"
                     "1\tKick      [ ]\t1\t4\t2\t22050\t16\t4\n"
                     "2\t\t0\t0\t1\t0\t8\t0\n");
}

TEST_F(KitCommand, BadKitsFailWithTheReadersMessage) {
    auto bytes = makeDefaultKit().saveToBytes();
    bytes.resize(bytes.size() - 100); // cut inside the last wave
    writeFileAtomically(dir / "cut.dxg", bytes);
    writeFileAtomically(dir / "junk.dxg", std::string("not a kit"));
    struct Case {
        const char* file;
        const char* message;
    };
    const Case cases[] = {{"cut.dxg", "Stream read error\n"}, {"junk.dxg", "Invalid stream format\n"}};
    for (const auto& c : cases) {
        const auto r = test::runCli({"kit", "info", (dir / c.file).string()});
        EXPECT_NE(r.status, 0) << c.file;
        // The message names the file it is about.
        EXPECT_EQ(r.err, "Kit file \"" + (dir / c.file).string() + "\": " + c.message) << c.file;
        EXPECT_EQ(r.out, "") << c.file;
    }
    EXPECT_NE(test::runCli({"kit", "info", (dir / "missing.dxg").string()}).status, 0);
    EXPECT_EQ(test::runCli({"kit", "frobnicate"}).status, 2);
}

TEST_F(KitCommand, SynthWritesTheDefaultKit) {
    const auto r = test::runCli({"kit", "synth", (dir / "Topkit.dxg").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFileBytes(dir / "Topkit.dxg"), makeDefaultKit().saveToBytes());
    const auto info = test::runCli({"kit", "info", (dir / "Topkit.dxg").string()});
    EXPECT_NE(info.out.find("16\tShaker    [ ]\t0\t0\t1\t44100\t16\t"), std::string::npos);
}
