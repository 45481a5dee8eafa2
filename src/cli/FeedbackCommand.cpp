// tamboro-cli feedback TAKE.wav SONG.sng|NAME.pat -o NOTES.csv [--dir DIR] [--latency MS]
// Analyses a take recorded in step with the song's render (the take's frame 0 is the render's frame
// 0): finds every note's onset, matches it to the nearest step and writes the notes as CSV,
// atomically. Patterns are read from DIR as a render reads them; a .pat path that exists is read
// from its own folder. stdout gives the mean offset of each step of the pattern and ends with one
// summary line; what is odd about the take (resampled, clipping, silent, shorter than the song)
// goes to stderr.

#include "cli/CliCommand.h"
#include "cli/SongSource.h"
#include "common/Error.h"
#include "common/Files.h"
#include "feedback/TakeFeedback.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

namespace tamboro::cli {

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage = "feedback TAKE.wav SONG.sng|NAME.pat -o NOTES.csv [--dir DIR] [--latency MS]  "
                               "show how far each note of a take lands from the song's steps";

// The song (or the one pattern) as the render reads it.
RenderSong readSong(const fs::path& source, const fs::path& dir) {
    const SongSource song = resolveSongSource(source, dir, "feedback", "play");
    return readRenderSong(song.patternDir, song.entries, 0);
}

int runFeedback(const CliArgs& args) {
    fs::path take, source, output;
    fs::path dir = fs::current_path();
    double latencyMs = 0;
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
        } else if (!a.starts_with("-") && take.empty())
            take = a;
        else if (!a.starts_with("-") && source.empty())
            source = a;
        else
            throw Error("feedback: unexpected argument \"" + a + "\"");
    }
    if (take.empty() || source.empty() || output.empty())
        throw Error(std::string("usage: tamboro-cli ") + kUsage);

    const TakeFeedback feedback = analyseTakeFile(take, readSong(source, dir), latencyMs);
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
