#include "CliRunner.h"

#include "common/Files.h"
#include "kits/DefaultKitSynth.h"
#include "kits/DrumKit.h"
#include "support/SoundFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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

// `kit make` is the kit maker's document driven from the command line: rows in order, any format,
// names cut and made unique; a file that cannot be read refuses the kit and leaves KIT.dxg alone.
TEST_F(KitCommand, MakeBuildsAKitFromSoundFiles) {
    test::writeSoundFile(dir / "kick.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 1, 96000, 9600,
                         test::sine(60, 96000));
    const Wave hat = Wave::pcm(1, 22050, 8, Wave::Bytes(200, 0x90));
    hat.writeFile(dir / "hat.wav");
    const auto r = test::runCli({"kit", "make", "-o", (dir / "new.dxg").string(),
                                 "Kick Drum Deluxe=" + (dir / "kick.flac").string(),
                                 "kick drum deluxe=" + (dir / "hat.wav").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    DrumKit kit;
    kit.loadFromFile(dir / "new.dxg");
    ASSERT_EQ(kit.count(), 3);
    EXPECT_EQ(kit.item(1).name(), "Kick Drum [ ]");
    EXPECT_EQ(kit.item(2).name(), "kick drum2[ ]");
    EXPECT_EQ(kit.item(1).wave().sampleRate(), 44100u);
    EXPECT_EQ(kit.item(1).wave().frames(), 4410u);
    EXPECT_EQ(kit.item(2).wave(), hat);

    const auto before = readFileBytes(dir / "new.dxg");
    std::ofstream(dir / "text.wav") << "not a sound";
    const auto bad = test::runCli({"kit", "make", "-o", (dir / "new.dxg").string(),
                                   "A=" + (dir / "hat.wav").string(), "B=" + (dir / "text.wav").string()});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("B: Wave is invalid: " + (dir / "text.wav").string()), std::string::npos)
        << bad.err;
    EXPECT_EQ(readFileBytes(dir / "new.dxg"), before);
    EXPECT_EQ(test::runCli({"kit", "make", "-o", (dir / "x.dxg").string(), "noequals"}).status, 2);
}

TEST_F(KitCommand, ImportPrintsTheReportAndRefusesAnEmptyKit) {
    fs::create_directories(dir / "sfz");
    test::writeSoundFile(dir / "sfz" / "k.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 1, 44100, 441,
                         test::sine(60, 44100));
    std::ofstream(dir / "sfz" / "kit.sfz")
        << "<region> key=36 sample=k.wav\n<region> key=38 sample=gone.wav\n";
    const auto r =
        test::runCli({"kit", "import", (dir / "sfz" / "kit.sfz").string(), "-o", (dir / "i.dxg").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("took    \"Bass Drum 1\" from \"k.wav\" as \"Bass Drum\""), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("skipped \"Acoustic Snare\" (gone.wav): \"gone.wav\" is missing."),
              std::string::npos)
        << r.out;
    DrumKit kit;
    kit.loadFromFile(dir / "i.dxg");
    EXPECT_EQ(kit.count(), 2);

    std::ofstream(dir / "sfz" / "none.sfz") << "<region> key=38 sample=gone.wav\n";
    const auto refused =
        test::runCli({"kit", "import", (dir / "sfz" / "none.sfz").string(), "-o", (dir / "i.dxg").string()});
    EXPECT_NE(refused.status, 0);
    EXPECT_NE(refused.err.find("no instrument gives a usable sound"), std::string::npos) << refused.err;
    kit.loadFromFile(dir / "i.dxg"); // the earlier kit is still there
    EXPECT_EQ(kit.count(), 2);
}
