// tamboro-clickcheck: the measuring tool of the live-timing checks.
//   tamboro-clickcheck make DIR STEPS BPM       writes DIR/Click.dxg and DIR/Clicks.pat
//   tamboro-clickcheck check FILE.wav BPM COUNT [TOLERANCE]
//                                                finds the clicks in a recording and requires
//                                                COUNT of them (0: any number), each within
//                                                TOLERANCE frames (default 1) of the grid
//   tamboro-clickcheck steps FILE.wav TOLERANCE LEAD_MS MS:COUNT...
//                                                a grid whose step changes: COUNT clicks MS
//                                                milliseconds apart, then the next run; the first
//                                                click LEAD_MS after the first sound (a quiet
//                                                count-in); each within TOLERANCE frames
// Prints what it measured; exits 1 when the recording fails the check.

#include "common/Error.h"
#include "common/TextLines.h"
#include "kits/Wave.h"
#include "sound/Tempo.h"
#include "testsupport/ClickPattern.h"
#include "testsupport/OnsetAnalysis.h"

#include <algorithm>
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

std::vector<std::int16_t> samplesOf(const tamboro::Wave& wave) {
    if (wave.formatTag() != 1 || wave.bitsPerSample() != 16 || wave.channels() == 0)
        throw tamboro::Error("the recording must be 16-bit PCM");
    const auto& bytes = wave.data();
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return samples;
}

// `runs` are "MS:COUNT": COUNT steps MS milliseconds long, one run after the other.
int checkSteps(const char* file, double tolerance, double leadMs, const std::vector<std::string>& runs) {
    const tamboro::Wave wave = tamboro::Wave::readFile(file);
    const std::vector<std::int16_t> samples = samplesOf(wave);
    const double framesPerMs = wave.sampleRate() / 1000.0;
    std::vector<double> expected; // frames after the first click
    double at = 0.0, shortest = 1e9;
    for (const std::string& run : runs) {
        const auto colon = run.find(':');
        if (colon == std::string::npos)
            throw tamboro::Error("not MS:COUNT: " + run);
        const double ms = static_cast<double>(number(run.substr(0, colon).c_str()));
        const long long count = number(run.substr(colon + 1).c_str());
        if (ms <= 0)
            throw tamboro::Error("not a step length: " + run);
        shortest = std::min(shortest, ms);
        for (long long k = 0; k < count; ++k, at += ms * framesPerMs)
            expected.push_back(at);
    }
    const auto onsets = tamboro::findOnsets(samples, wave.channels(), tamboro::kClickLevel / 2,
                                            static_cast<std::size_t>(shortest * framesPerMs / 2));
    std::size_t firstSound = 0;
    while (firstSound < samples.size() && samples[firstSound] == 0)
        ++firstSound;
    firstSound /= wave.channels();
    std::printf("%zu clicks (expected %zu)", onsets.size(), expected.size());
    if (onsets.empty() || onsets.size() != expected.size()) {
        std::printf("\nFAILED: the recording holds %zu clicks, not %zu\n", onsets.size(), expected.size());
        return 1;
    }
    const double lead = static_cast<double>(onsets[0]) - static_cast<double>(firstSound);
    double worst = 0.0;
    std::size_t worstAt = 0;
    for (std::size_t k = 0; k < onsets.size(); ++k) {
        const double off = std::abs(static_cast<double>(onsets[k] - onsets[0]) - expected[k]);
        if (off > worst) {
            worst = off;
            worstAt = k;
        }
    }
    const double leadOff = std::abs(lead - leadMs * framesPerMs);
    std::printf(": worst %.2f frames off the grid (click %zu), first click %.0f frames after the first sound "
                "(%.2f off)\n",
                worst, worstAt, lead, leadOff);
    if (worst > tolerance || leadOff > tolerance) {
        std::printf("FAILED: more than %.0f frames off\n", tolerance);
        return 1;
    }
    return 0;
}

int check(const char* file, int bpm, std::size_t count, double tolerance) {
    const tamboro::Wave wave = tamboro::Wave::readFile(file);
    const std::vector<std::int16_t> samples = samplesOf(wave);
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
        if (mode == "steps" && argc >= 6)
            return checkSteps(argv[2], static_cast<double>(number(argv[3])),
                              static_cast<double>(number(argv[4])),
                              std::vector<std::string>(argv + 5, argv + argc));
        std::fprintf(stderr,
                     "usage: %s make DIR STEPS BPM | check FILE.wav BPM COUNT [TOLERANCE] | steps FILE.wav "
                     "TOLERANCE LEAD_MS MS:COUNT...\n",
                     argv[0]);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
}
