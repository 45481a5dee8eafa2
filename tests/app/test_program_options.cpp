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
