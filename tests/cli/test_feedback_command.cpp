// tamboro-cli feedback: a synthesised take against a demo pattern through the command line (CSV,
// per-step lines, the one summary line at the end, latency), and bad takes that fail with a
// message or say how many notes they found, leaving NOTES.csv as it was.
#include "cli/CliRunner.h"
#include "common/Files.h"
#include "feedback/TimingFeedback.h"
#include "testsupport/SyntheticTake.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

using namespace tamboro;

namespace {

std::string readTextFile(const std::string& path) {
    const auto bytes = readFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

std::string lastLine(const std::string& text) {
    const auto end = text.find_last_not_of('\n');
    const auto start = text.rfind('\n', end);
    return text.substr(start == std::string::npos ? 0 : start + 1,
                       end - (start == std::string::npos ? 0 : start + 1) + 1);
}

} // namespace

TEST(CliFeedback, TakeAgainstAPatternWritesNotesAndOneSummaryLine) {
    test::TempDir dir;
    const std::filesystem::path demo = std::filesystem::path(TAMBORO_ASSETS) / "demo";
    const SongSteps steps = songSteps(readRenderSong(demo, {"Rock Beat"}, 0));
    // Every fourth step 15 ms late, heard 10 ms later still through the input.
    SyntheticTake take(44100, static_cast<double>(steps.endFrame) / kTakeRate + 0.5, 0.01, 21);
    std::size_t written = 0;
    for (std::size_t s = 0; s < steps.frames.size(); s += 4, ++written)
        take.addNote(SyntheticNote::Pluck, static_cast<double>(steps.frames[s]) / kTakeRate + 0.025, 0.5);
    writeFileAtomically(dir.path / "take.wav", monoWav16(take.samples(), 44100));
    const std::string csv = (dir.path / "notes.csv").string();

    auto r = test::runCli({"feedback", (dir.path / "take.wav").string(), "Rock Beat.pat", "--dir",
                           demo.string(), "--latency", "10", "-o", csv});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::regex_match(
        lastLine(r.out), std::regex(R"(notes 12, mean \+15\.[0-9] ms, sd [01]\.[0-9] ms, within 10 ms 0 %)")))
        << r.out;
    EXPECT_NE(r.out.find("step 5: +15."), std::string::npos) << r.out;
    const std::string notes = readTextFile(csv);
    EXPECT_TRUE(notes.starts_with("time_s,step,offset_ms\n"));
    EXPECT_EQ(std::count(notes.begin(), notes.end(), '\n'), static_cast<long>(written + 1));
    EXPECT_NE(notes.find(",5,15."), std::string::npos) << notes;

    // Bad takes: not a WAV fails naming the file and leaves the notes; silence finds no notes;
    // a short take says so.
    writeFileAtomically(dir.path / "text.wav", std::string_view("not a take"));
    r = test::runCli(
        {"feedback", (dir.path / "text.wav").string(), "Rock Beat.pat", "--dir", demo.string(), "-o", csv});
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("text.wav"), std::string::npos) << r.err;
    EXPECT_EQ(readTextFile(csv), notes);
    writeFileAtomically(dir.path / "silent.wav", monoWav16(std::vector<float>(44100, 0.0f), 44100));
    r = test::runCli(
        {"feedback", (dir.path / "silent.wav").string(), "Rock Beat.pat", "--dir", demo.string(), "-o", csv});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(lastLine(r.out), "notes 0, mean +0.0 ms, sd 0.0 ms, within 10 ms 0 %");
    EXPECT_NE(r.err.find("silent"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("shorter than the song"), std::string::npos) << r.err;
    EXPECT_EQ(readTextFile(csv), "time_s,step,offset_ms\n");
    r = test::runCli({"feedback", "take.wav", "Rock Beat.pat", "-o", csv, "--latency", "soon"});
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("--latency"), std::string::npos) << r.err;
}
