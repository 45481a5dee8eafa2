// The render's output format by extension: FLAC holds exactly the WAV file's samples, Ogg Vorbis
// decodes to the same length, and a name of no known format is refused before anything is written.
#include "cli/CliRunner.h"
#include "render/RenderWorkspace.h"

#include "common/Files.h"
#include "kits/Wave.h"

#include <gtest/gtest.h>
#include <sndfile.h>

namespace fs = std::filesystem;
using namespace tamboro;
using namespace tamboro::rendertest;
using tamboro::test::runCli;

namespace {

struct Decoded {
    SF_INFO info{};
    std::vector<std::int16_t> samples;
};

Decoded decode(const fs::path& file) {
    Decoded d;
    SNDFILE* in = sf_open(file.c_str(), SFM_READ, &d.info);
    if (!in)
        return d;
    d.samples.resize(static_cast<std::size_t>(d.info.frames * d.info.channels));
    d.samples.resize(
        static_cast<std::size_t>(sf_readf_short(in, d.samples.data(), d.info.frames) * d.info.channels));
    sf_close(in);
    return d;
}

struct FormatWorkspace : RenderWorkspace {
    FormatWorkspace() {
        PatternCells a;
        for (int s = 1; s <= 8; ++s) {
            a[{s, 1}] = s % 2 ? "Kick      [ ]" : "Snare     [4]";
            a[{s, 3}] = "Crash     [2]";
        }
        pattern("A", 110, 2, 8, a);
        writeTextLines(dir.path / "Song.sng", {"A", "A"});
        kit.saveToFile(dir.path / "Topkit.dxg");
    }
    int render(const std::string& out, std::vector<std::string> extra = {}) const {
        std::vector<std::string> args{"render", "Song.sng",       "-o", (dir.path / out).string(),
                                      "--dir",  dir.path.string()};
        args.insert(args.end(), extra.begin(), extra.end());
        const auto r = runCli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return r.status;
    }
};

} // namespace

TEST(CliRenderFormats, FlacHoldsTheWavSamplesAndOggTheSameLength) {
    FormatWorkspace ws;
    for (const bool acid : {false, true}) {
        const std::vector<std::string> extra =
            acid ? std::vector<std::string>{"--acid"} : std::vector<std::string>{};
        ASSERT_EQ(ws.render("mix.wav", extra), 0);
        ASSERT_EQ(ws.render("mix.FLAC", extra), 0);
        ASSERT_EQ(ws.render("mix.Ogg", extra), 0);
        const Wave wav = Wave::readFile(ws.dir.path / "mix.wav");
        const Decoded flac = decode(ws.dir.path / "mix.FLAC");
        EXPECT_EQ(flac.info.format, SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
        EXPECT_EQ(flac.info.samplerate, 44100);
        ASSERT_EQ(flac.info.channels, 2);
        ASSERT_EQ(flac.samples.size() * 2, wav.data().size()) << "acid " << acid;
        for (std::size_t i = 0; i < flac.samples.size(); ++i) {
            const auto expected = static_cast<std::int16_t>(wav.data()[2 * i] | (wav.data()[2 * i + 1] << 8));
            ASSERT_EQ(flac.samples[i], expected) << "sample " << i << ", acid " << acid;
        }
        const Decoded ogg = decode(ws.dir.path / "mix.Ogg");
        EXPECT_EQ(ogg.info.format, SF_FORMAT_OGG | SF_FORMAT_VORBIS);
        EXPECT_EQ(ogg.samples.size(), flac.samples.size()) << "acid " << acid;
    }
}

TEST(CliRenderFormats, UnknownExtensionsAreRefusedAndNothingIsWritten) {
    FormatWorkspace ws;
    writeBytes(ws.dir.path / "kept.mp3", {1, 2, 3});
    struct Case {
        std::string out;
        std::vector<std::string> extra;
        const char* message;
    } cases[] = {
        {"kept.mp3", {}, "\".mp3\""},    {"mix.aiff", {}, "\".aiff\""},           {"mix", {}, "no extension"},
        {"mix.wav.tmp", {}, "\".tmp\""}, {"mix.flac", {"--mp3", "128"}, "--mp3"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"render", "Song.sng",          "-o", (ws.dir.path / c.out).string(),
                                      "--dir",  ws.dir.path.string()};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const auto r = runCli(args);
        EXPECT_NE(r.status, 0) << c.out;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(ws.dir.path / "mainplay.txt")) << "prepared despite " << c.out;
    }
    EXPECT_EQ(readFileBytes(ws.dir.path / "kept.mp3"), (std::vector<std::uint8_t>{1, 2, 3}));
    for (const auto& entry : fs::directory_iterator(ws.dir.path))
        EXPECT_EQ(entry.path().filename().string().find("mix"), std::string::npos) << entry.path();
}
