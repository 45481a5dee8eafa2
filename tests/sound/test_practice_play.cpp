// tamboro-cli play with practice options, recorded through the null device: the count-in, a
// speed-trainer change and swing land on the clock's grid (whole-millisecond steps of each pass's
// scaled tempo) plus the swing delay, within one frame.

#include "kits/Wave.h"
#include "testsupport/ClickPattern.h"
#include "testsupport/OnsetAnalysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace tamboro {
namespace {

namespace fs = std::filesystem;

// Runs `tamboro-cli play`; its messages go to `messages` when given.
int runPlay(const std::string& arguments, const fs::path& messages = "/dev/null") {
    const std::string command =
        std::string("'") + TAMBORO_CLI + "' play " + arguments + " >'" + messages.string() + "' 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::int16_t> samplesOf(const fs::path& file) {
    const Wave wave = Wave::readFile(file);
    std::vector<std::int16_t> samples(wave.data().size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(wave.data()[2 * i] | (wave.data()[2 * i + 1] << 8));
    return samples;
}

std::string readText(const fs::path& file) {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(PracticePlay, CountInSpeedTrainerAndSwingLandOnTheGrid) {
    const fs::path dir = fs::temp_directory_path() / ("tamboro-practice-play-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    writeClickPattern(dir, 8, 150); // a click on every step; 100 ms steps at 100 %
    const fs::path out = dir / "out.wav";
    // Play 0 at 75 % (133.3 ms steps: the clock ticks every 133 ms), play 1 at 100 %; quiet clicks
    // so that only the pattern's clicks reach the onset threshold.
    ASSERT_EQ(runPlay("Clicks --dir '" + dir.string() + "' --kit '" + (dir / kClickKitFile).string() +
                          "' --audio null --capture '" + out.string() +
                          "' --count-in 1 --click-level 20 --speed-trainer 75:100:25:1 --swing 60",
                      dir / "messages.txt"),
              0);
    // The health line counts the steps of the practice player's clock (the count-in's and the
    // two plays'), as the practice line does.
    const std::string messages = readText(dir / "messages.txt");
    unsigned long long steps = 0, ticks = 0;
    const auto practiceLine = messages.find("practice: ");
    const auto ticksEnd = messages.find(" ticks, ");
    ASSERT_NE(practiceLine, std::string::npos) << messages;
    ASSERT_NE(ticksEnd, std::string::npos) << messages;
    ASSERT_EQ(std::sscanf(messages.c_str() + practiceLine, "practice: %*d plays, %llu steps", &steps), 1);
    ASSERT_EQ(std::sscanf(messages.c_str() + messages.rfind(": ", ticksEnd), ": %llu ticks", &ticks), 1);
    EXPECT_GE(steps, 24u) << messages;
    EXPECT_EQ(ticks, steps) << messages;
    const auto samples = samplesOf(out);
    const auto onsets = findOnsets(samples, 2, kClickLevel / 2, 500);
    ASSERT_EQ(onsets.size(), 16u);

    // Tick times in milliseconds after the first pattern step, and the swing of odd steps.
    const double slow = 60.0 / (150 * 0.75) / 4, fast = 60.0 / 150 / 4;
    std::vector<double> expected;
    for (int k = 0; k < 8; ++k)
        expected.push_back(k * 133 / 1000.0 + (k % 2 ? 0.2 * slow : 0));
    for (int k = 0; k < 8; ++k)
        expected.push_back((8 * 133 + k * 100) / 1000.0 + (k % 2 ? 0.2 * fast : 0));
    for (std::size_t i = 0; i < onsets.size(); ++i)
        EXPECT_NEAR(static_cast<double>(onsets[i] - onsets[0]), expected[i] * 44100, 1.0) << "step " << i;

    // The count-in's accent starts one pass of 133 ms ticks before the first step.
    std::int64_t first = 0;
    while (first * 2 < static_cast<std::int64_t>(samples.size()) &&
           samples[static_cast<std::size_t>(first * 2)] == 0)
        ++first;
    EXPECT_NEAR(static_cast<double>(onsets[0] - first), 8 * 0.133 * 44100, 2.0);
    fs::remove_all(dir);
}

TEST(PracticePlay, RefusesBadPracticeOptions) {
    for (const std::string args :
         {"Clicks --audio null --count-in 9", "Clicks --audio null --bpm 100 --click",
          "Clicks --audio null --plays 1 --minutes 1", "Clicks --audio null --section 2-3"})
        EXPECT_NE(runPlay(args), 0) << args;
}

} // namespace tamboro
