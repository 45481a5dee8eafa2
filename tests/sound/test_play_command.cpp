// tamboro-cli play from the outside: refusals with a non-zero status, and a pattern played into a
// recording that holds every click.

#include "kits/Wave.h"
#include "testsupport/ClickPattern.h"
#include "testsupport/OnsetAnalysis.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace tamboro {
namespace {

namespace fs = std::filesystem;

int runCli(const std::string& arguments) {
    const std::string command = std::string("'") + TAMBORO_CLI + "' play " + arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(PlayCommand, RefusesBadArguments) {
    const fs::path dir = fs::temp_directory_path() / ("tamboro-play-refusals-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string d = " --dir '" + dir.string() + "'";
    const std::string cases[] = {
        "",                                                    // no pattern
        "Missing" + d + " --audio null",                       // no such pattern file
        "Clicks --audio null --capture x.wav --audio default", // capture needs the null device
        "Clicks --bpm 0 --audio null",                         // no tempo below 1
        "Clicks --seconds -1 --audio null",
        "Clicks --audio loud",
        "Clicks --frobnicate",
        "A B --audio null",
    };
    for (const auto& args : cases)
        EXPECT_NE(runCli(args), 0) << args;
    // The null device's test options, against a pattern that plays.
    writeClickPattern(dir, 2, 600);
    const std::string clicks = "Clicks" + d + " --kit '" + (dir / kClickKitFile).string() + "' ";
    const std::string testOptionCases[] = {
        "--null-skew-ppm 100 --audio default", // they need the null device
        "--audio null --null-late 30:3",
        "--audio null --null-late 30:4:3", // longer than its period
        "--audio null --null-blocks 512-64",    "--audio null --null-blocks 0-64",
        "--audio null --null-blocks 64-5000",   "--audio null --null-drop 0",
        "--audio null --null-skew-ppm fast",    "--audio null --null-skew-ppm 200000",
        "--audio null --null-start-stall 9000", "--null-start-stall 10 --audio default",
    };
    for (const auto& args : testOptionCases)
        EXPECT_NE(runCli(clicks + args), 0) << args;
    EXPECT_EQ(
        runCli(clicks + "--audio null --null-skew-ppm -300 --null-late 20:0.2:0.5 --null-blocks 64-700"), 0);
    fs::remove_all(dir);
}

TEST(PlayCommand, PlaysAPatternIntoARecording) {
    const fs::path dir = fs::temp_directory_path() / ("tamboro-play-clicks-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    writeClickPattern(dir, 8, 240);
    const fs::path out = dir / "out.wav";
    ASSERT_EQ(runCli("Clicks.pat --dir '" + dir.string() + "' --kit '" + (dir / kClickKitFile).string() +
                     "' --audio null --capture '" + out.string() + "'"),
              0);
    const Wave wave = Wave::readFile(out);
    std::vector<std::int16_t> samples(wave.data().size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(wave.data()[2 * i] | (wave.data()[2 * i + 1] << 8));
    EXPECT_EQ(findOnsets(samples, 2, kClickLevel / 2, 1000).size(), 8u);
    fs::remove_all(dir);
}

// A misbehaving null device: every click is still there and the summary counts what went wrong.
TEST(PlayCommand, ReportsTheOutputsHealth) {
    const fs::path dir = fs::temp_directory_path() / ("tamboro-play-health-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    writeClickPattern(dir, 20, 240);
    const std::string command = std::string("'") + TAMBORO_CLI + "' play Clicks --dir '" + dir.string() +
                                "' --kit '" + (dir / kClickKitFile).string() +
                                "' --audio null --null-drop 40 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char chunk[256];
    while (std::fgets(chunk, sizeof chunk, pipe))
        output += chunk;
    EXPECT_EQ(::pclose(pipe), 0) << output;
    // About 1.5 s of 256-frame blocks, every 40th lost: a few underruns, each re-anchoring the
    // clock (but the last, if the stream ends first). Blocks the device thread renders late on a
    // busy machine or under a sanitizer count as underruns too, without a re-anchor.
    unsigned long long late = 99, underruns = 0, reanchors = 0;
    const auto at = output.find(" late starts");
    ASSERT_NE(at, std::string::npos) << output;
    const auto from = output.rfind(": ", at);
    ASSERT_EQ(std::sscanf(output.c_str() + from,
                          ": %*u ticks, %llu late starts, %llu underruns, %llu re-anchors", &late, &underruns,
                          &reanchors),
              3)
        << output;
    EXPECT_GE(underruns, 3u) << output;
    EXPECT_GE(reanchors, 3u) << output;
    EXPECT_LE(reanchors, underruns) << output;
    fs::remove_all(dir);
}

} // namespace
} // namespace tamboro
