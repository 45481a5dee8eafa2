#include "app/ProgramOptions.h"

#include <gtest/gtest.h>

namespace tamboro {
namespace {

TEST(ProgramOptions, ParsesEachOption) {
    const ProgramOptions none = parseProgramOptions({});
    EXPECT_TRUE(none.dir.empty());
    EXPECT_EQ(none.audio, AudioChoice::Default);
    EXPECT_TRUE(none.capture.empty());

    const ProgramOptions all =
        parseProgramOptions({"--dir", "/tmp/ws", "--audio", "null", "--capture", "out.wav"});
    EXPECT_EQ(all.dir, "/tmp/ws");
    EXPECT_EQ(all.audio, AudioChoice::Null);
    EXPECT_EQ(all.capture, "out.wav");

    EXPECT_EQ(parseProgramOptions({"--audio", "default"}).audio, AudioChoice::Default);
    EXPECT_EQ(parseProgramOptions({"--capture", "c.wav"}).audio, AudioChoice::Null);
    EXPECT_TRUE(parseProgramOptions({"--help"}).showHelp);
    EXPECT_TRUE(parseProgramOptions({"--version"}).showVersion);
}

TEST(ProgramOptions, FilesToOpenAreSongsPatternsAndKitsMadeAbsolute) {
    const ProgramOptions options =
        parseProgramOptions({"Gig.SNG", "--audio", "null", "/w/Rock Beat.pat", "kits/Big.dxg"});
    const auto here = std::filesystem::current_path();
    EXPECT_EQ(options.filesToOpen, (std::vector<std::filesystem::path>{here / "Gig.SNG", "/w/Rock Beat.pat",
                                                                       here / "kits/Big.dxg"}));
    EXPECT_EQ(options.audio, AudioChoice::Null);
    for (const char* other : {"notes.txt", "Blank.wav", "song"})
        EXPECT_ANY_THROW(parseProgramOptions({other})) << other;
}

TEST(ProgramOptions, RefusesWhatItCannotUse) {
    const std::vector<std::vector<std::string>> bad = {
        {"--dir"},
        {"--audio", "loud"},
        {"--audio"},
        {"--frobnicate"},
        {"--capture", "x.wav", "--audio", "default"},
        {"--dir", ""},
    };
    for (const auto& args : bad)
        EXPECT_ANY_THROW(parseProgramOptions(args)) << args.front();
}

} // namespace
} // namespace tamboro
