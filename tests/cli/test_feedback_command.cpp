// tamboro-cli feedback: a synthesised take against a demo pattern through the command line (CSV,
// per-step lines, the one summary line at the end, latency), and bad takes that fail with a
// message or say how many notes they found, leaving NOTES.csv as it was.
#include "cli/CliRunner.h"
#include "common/Files.h"
#include "feedback/TimingFeedback.h"
#include "testsupport/ClickPattern.h"
#include "testsupport/SyntheticTake.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>
#include <vector>

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

struct CsvNote {
    double timeS = 0;
    int step = 0;
    double offsetMs = 0;
};

// The rows of a NOTES.csv.
std::vector<CsvNote> csvNotes(const std::string& text) {
    std::vector<CsvNote> notes;
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line); // the header
    while (std::getline(lines, line)) {
        CsvNote note;
        char comma1 = 0, comma2 = 0;
        std::istringstream row(line);
        row >> note.timeS >> comma1 >> note.step >> comma2 >> note.offsetMs;
        if (row && comma1 == ',' && comma2 == ',')
            notes.push_back(note);
    }
    return notes;
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

// The same take analysed after the fact and heard live through the null device's input gives the
// same notes; a round trip of the input is taken off by --latency.
TEST(CliFeedback, LiveInputGivesTheFiguresOfTheTake) {
    test::TempDir dir;
    // Live steps are whole milliseconds apart, the render's exact: at 120 BPM both are 125 ms.
    writeClickPattern(dir.path, 24, 120);
    const std::string kit = (dir.path / kClickKitFile).string();
    const SongSteps steps = songSteps(readRenderSong(dir.path, {kClickPatternName}, 0));
    SyntheticTake take(44100, static_cast<double>(steps.endFrame) / kTakeRate + 0.5, 0.01, 5);
    const double offsetsMs[] = {-22, -6, 0, 4, 13, 31};
    for (std::size_t s = 0; s < steps.frames.size(); s += 2)
        take.addNote(s % 4 ? SyntheticNote::Clap : SyntheticNote::Pluck,
                     static_cast<double>(steps.frames[s]) / kTakeRate + offsetsMs[s / 2 % 6] / 1000, 0.5);
    const std::string wav = (dir.path / "take.wav").string();
    writeFileAtomically(wav, monoWav16(take.samples(), 44100));

    const std::string csv = (dir.path / "after.csv").string();
    auto after = test::runCli(
        {"feedback", wav, std::string(kClickPatternName) + ".pat", "--dir", dir.path.string(), "-o", csv});
    ASSERT_EQ(after.status, 0) << after.err;
    EXPECT_TRUE(lastLine(after.out).starts_with("notes 12, mean +3.5 ms, sd 16.")) << after.out;
    const std::vector<CsvNote> afterNotes = csvNotes(readTextFile(csv));

    // Live steps sound on the frame the mixer maps their tick to, the render's on its own rounding
    // of the same time: they may part by one frame (0.023 ms, 0.03 in the CSV's rounding). A round trip moves
    // the take against the onset detector's analysis blocks, which moves onsets by a fraction of a
    // millisecond.
    struct Case {
        const char* delayFrames;
        const char* latencyMs;
        double toleranceMs;
        const char* startStallMs; // the device held back after its first block, as a sound server can
    };
    for (const Case c :
         {Case{"0", "0", 0.035, "0"}, Case{"441", "10", 0.5, "0"}, Case{"0", "0", 0.035, "1800"}}) {
        SCOPED_TRACE(std::string(c.delayFrames) + " frames, held " + c.startStallMs + " ms");
        const std::string liveCsv = (dir.path / "live.csv").string();
        auto live =
            test::runCli({"play", kClickPatternName, "--dir", dir.path.string(), "--kit", kit, "--audio",
                          "null", "--input", wav, "--null-input-delay", c.delayFrames, "--feedback", liveCsv,
                          "--latency", c.latencyMs, "--null-start-stall", c.startStallMs});
        ASSERT_EQ(live.status, 0) << live.err;
        if (c.toleranceMs < 0.1) {
            EXPECT_EQ(lastLine(live.out), lastLine(after.out));
        }
        const std::vector<CsvNote> liveNotes = csvNotes(readTextFile(liveCsv));
        ASSERT_EQ(liveNotes.size(), afterNotes.size());
        const double shift = std::stod(c.delayFrames) / 44100;
        for (std::size_t n = 0; n < liveNotes.size(); ++n) {
            EXPECT_EQ(liveNotes[n].step, afterNotes[n].step);
            EXPECT_NEAR(liveNotes[n].timeS, afterNotes[n].timeS + shift, c.toleranceMs / 1000 + 1e-5);
            EXPECT_NEAR(liveNotes[n].offsetMs, afterNotes[n].offsetMs, c.toleranceMs) << "note " << n;
        }
    }

    // Refusals: --feedback without an input, --input on the system device.
    auto r = test::runCli({"play", kClickPatternName, "--dir", dir.path.string(), "--kit", kit, "--audio",
                           "null", "--feedback", csv});
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("--feedback needs an input"), std::string::npos) << r.err;
    r = test::runCli({"play", kClickPatternName, "--dir", dir.path.string(), "--kit", kit, "--input", wav});
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("--input needs --audio null"), std::string::npos) << r.err;
}
