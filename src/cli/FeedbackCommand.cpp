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
#include "feedback/TimingFeedback.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

namespace tamboro::cli {

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage = "feedback TAKE.wav SONG.sng|NAME.pat -o NOTES.csv [--dir DIR] [--latency MS]  "
                               "show how far each note of a take lands from the song's steps";

// Takes longer than this are refused before they are read (a 16-bit stereo hour is 635 MB).
constexpr std::uintmax_t kMaxTakeBytes = std::uintmax_t{1} << 31;

// The song (or the one pattern) as the render reads it.
RenderSong readSong(const fs::path& source, const fs::path& dir) {
    const SongSource song = resolveSongSource(source, dir, "feedback", "play");
    return readRenderSong(song.patternDir, song.entries, 0);
}

void reportTake(const fs::path& take, const TakeAnalysis& analysis, const SongSteps& steps) {
    const std::string name = take.string();
    if (analysis.format.resampled())
        std::fprintf(stderr, "%s: recorded at %d Hz, resampled to %d Hz\n", name.c_str(),
                     analysis.format.sampleRate, kTakeRate);
    if (analysis.peak < 1e-4f)
        std::fprintf(stderr, "%s: the take is silent\n", name.c_str());
    if (analysis.clippedSamples > 0)
        std::fprintf(stderr, "%s: the take clips (%lld samples at full scale); onsets may be less exact\n",
                     name.c_str(), static_cast<long long>(analysis.clippedSamples));
    if (analysis.frames < steps.endFrame)
        std::fprintf(stderr,
                     "%s: the take (%.1f s) is shorter than the song (%.1f s); only its notes count\n",
                     name.c_str(), static_cast<double>(analysis.frames) / kTakeRate,
                     static_cast<double>(steps.endFrame) / kTakeRate);
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

    const SongSteps steps = songSteps(readSong(source, dir));
    const std::vector<std::uint8_t> bytes = readFileBytes(take, kMaxTakeBytes);
    const TakeAnalysis analysis = analyseTake(bytes, take.string());
    reportTake(take, analysis, steps);
    const std::vector<FeedbackNote> notes = matchOnsets(analysis.onsets, steps, latencyMs);
    writeFileAtomically(output, notesCsv(notes));

    const FeedbackSummary summary = summarise(notes);
    for (const PositionOffset& position : summary.positions)
        std::printf("step %d: %+.1f ms over %zu notes\n", position.position + 1, position.meanMs,
                    position.notes);
    std::printf("%s\n", summaryLine(summary).c_str());
    return 0;
}

const CliRegistration registration{{"feedback", kUsage, runFeedback}};

} // namespace

} // namespace tamboro::cli
