// tamboro-clickcheck: the measuring tool of the live-timing checks.
//   tamboro-clickcheck make DIR STEPS BPM       writes DIR/Click.dxg and DIR/Clicks.pat
//   tamboro-clickcheck check FILE.wav BPM COUNT [TOLERANCE]
//                                                finds the clicks in a recording and requires
//                                                COUNT of them (0: any number), each within
//                                                TOLERANCE frames (default 1) of the grid
// Prints what it measured; exits 1 when the recording fails the check.

#include "common/Error.h"
#include "common/TextLines.h"
#include "kits/Wave.h"
#include "sound/Tempo.h"
#include "testsupport/ClickPattern.h"
#include "testsupport/OnsetAnalysis.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

long long number(const char* text) {
    long long v = 0;
    if (!tamboro::parseInteger(text, v) || v < 0)
        throw tamboro::Error(std::string("not a whole number: ") + text);
    return v;
}

int check(const char* file, int bpm, std::size_t count, double tolerance) {
    const tamboro::Wave wave = tamboro::Wave::readFile(file);
    if (wave.formatTag() != 1 || wave.bitsPerSample() != 16 || wave.channels() == 0)
        throw tamboro::Error("the recording must be 16-bit PCM");
    const auto& bytes = wave.data();
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    const double rate = wave.sampleRate();
    const double period = tamboro::stepIntervalForBpm(bpm) / 1000.0 * rate;
    const auto onsets = tamboro::findOnsets(samples, wave.channels(), tamboro::kClickLevel / 2,
                                            static_cast<std::size_t>(period / 2));
    const auto result = tamboro::checkGrid(onsets, period, tolerance, count);
    std::printf("%zu clicks at %d BPM (%.1f frames apart at %.0f Hz): worst %.2f frames, mean %.3f frames "
                "off the grid\n",
                result.onsets, bpm, period, rate, result.worstDeviation, result.meanDeviation);
    if (!result.ok) {
        std::printf("FAILED: %s\n", result.problem.c_str());
        std::size_t shown = 0;
        for (std::size_t k = 0; k < onsets.size() && shown < 50; ++k) {
            const double grid = static_cast<double>(onsets[0]) + static_cast<double>(k) * period;
            if (std::abs(static_cast<double>(onsets[k]) - grid) <= tolerance)
                continue;
            std::printf("  click %zu at frame %lld (grid %.1f)\n", k, static_cast<long long>(onsets[k]),
                        grid);
            ++shown;
        }
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const std::string mode = argc > 1 ? argv[1] : "";
        if (mode == "make" && argc == 5) {
            tamboro::writeClickPattern(argv[2], static_cast<int>(number(argv[3])),
                                       static_cast<int>(number(argv[4])));
            return 0;
        }
        if (mode == "check" && (argc == 5 || argc == 6))
            return check(argv[2], static_cast<int>(number(argv[3])),
                         static_cast<std::size_t>(number(argv[4])),
                         argc == 6 ? static_cast<double>(number(argv[5])) : 1.0);
        std::fprintf(stderr, "usage: %s make DIR STEPS BPM | check FILE.wav BPM COUNT [TOLERANCE]\n",
                     argv[0]);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
}
