// tamboro-cli feedback TAKE.wav SONG.sng|NAME.pat -o NOTES.csv [--dir DIR] [--latency MS] [practice
// options] Analyses a take recorded in step with the song's render (the take's frame 0 is the
// render's frame 0): finds every note's onset, matches it to the nearest step and writes the notes
// as CSV, atomically. With the practice options `render` takes, the steps are those of that
// practice track (the count-in's left out), as the window measures a take with practice settings. Patterns
// are read from DIR as a render reads them; a .pat path that exists is read from its own folder. stdout gives
// the mean offset of each step of the pattern and ends with one summary line; what is odd about the take
// (resampled, clipping, silent, shorter than the song) goes to stderr.

#include "cli/CliCommand.h"
#include "cli/PracticeOptions.h"
#include "cli/SongSource.h"
#include "common/Error.h"
#include "common/Files.h"
#include "feedback/TakeFeedback.h"
#include "song/PracticeSettings.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

namespace tamboro::cli {

namespace {

namespace fs = std::filesystem;

const std::string kUsage =
    std::string("feedback TAKE.wav SONG.sng|NAME.pat -o NOTES.csv [--dir DIR] [--latency MS] ") +
    kPracticeUsage +
    "  show how far each note of a take lands from the song's steps; the practice options measure a take "
    "played along with the practice track render makes with them";

// The steps of the song (or the one pattern) as the render places them, with the practice
// options those of its practice track. Throws Error naming the option that cannot apply.
SongSteps readSteps(const fs::path& source, const fs::path& dir, const PracticeOptions& practice) {
    const PracticeSettings settings = practice.settings("feedback");
    const SongSource song = resolveSongSource(source, dir, "feedback", "play");
    checkPracticeSection(settings, song.entries.size(), "feedback: --section");
    const RenderSong render = readRenderSong(song.patternDir, song.entries, 0);
    try {
        return takeSteps(render, settings, practice.plays, practice.minutes);
    } catch (const Error& e) {
        throw Error(std::string("feedback: ") + e.what());
    }
}

int runFeedback(const CliArgs& args) {
    fs::path take, source, output;
    fs::path dir = fs::current_path();
    double latencyMs = 0;
    PracticeOptions practice;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size())
                throw Error("feedback: " + a + " needs a value");
            return args[++i];
        };
        if (a == "-o" || a == "--output")
            output = value();
        else if (a == "--dir")
            dir = value();
        else if (a == "--latency") {
            const std::string text = value();
            std::size_t used = 0;
            try {
                latencyMs = std::stod(text, &used);
            } catch (const std::exception&) {
                used = 0;
            }
            if (used != text.size() || !std::isfinite(latencyMs) || std::fabs(latencyMs) > 2000)
                throw Error("feedback: --latency takes milliseconds from -2000 to 2000, not \"" + text +
                            "\"");
        } else if (practice.take(args, i, "feedback")) {
        } else if (!a.starts_with("-") && take.empty())
            take = a;
        else if (!a.starts_with("-") && source.empty())
            source = a;
        else
            throw Error("feedback: unexpected argument \"" + a + "\"");
    }
    if (take.empty() || source.empty() || output.empty())
        throw Error(std::string("usage: tamboro-cli ") + kUsage);

    const TakeFeedback feedback = analyseTakeFile(take, readSteps(source, dir, practice), latencyMs);
    for (const std::string& warning : takeWarnings(take, feedback))
        std::fprintf(stderr, "%s\n", warning.c_str());
    writeFileAtomically(output, notesCsv(feedback.notes));

    const FeedbackSummary& summary = feedback.summary;
    for (const PositionOffset& position : summary.positions)
        std::printf("step %d: %+.1f ms over %zu notes\n", position.position + 1, position.meanMs,
                    position.notes);
    std::printf("%s\n", summaryLine(summary).c_str());
    return 0;
}

const CliRegistration registration{{"feedback", kUsage, runFeedback}};

} // namespace

} // namespace tamboro::cli
