// Timing-feedback analysis speed: a take of plucked strings, muted strums and claps on the eighths
// of 120 BPM over a -40 dBFS noise floor, 1 and 10 minutes long, read from its WAV bytes (mono
// 16-bit at 44100 Hz, and at 48 kHz for the resampling path) and analysed to onsets on one
// thread. The "x_realtime" counter is take seconds per second of analysis. Memory beyond the WAV
// bytes stays flat (blocks and a short history): check with /usr/bin/time -v on one length alone.

#include "feedback/TimingFeedback.h"
#include "testsupport/SyntheticTake.h"

#include <benchmark/benchmark.h>

#include <map>

using namespace tamboro;

namespace {

const std::vector<std::uint8_t>& takeBytes(int minutes, int rate) {
    static std::map<std::pair<int, int>, std::vector<std::uint8_t>> takes;
    auto& bytes = takes[{minutes, rate}];
    if (bytes.empty()) {
        const double seconds = minutes * 60.0;
        SyntheticTake take(rate, seconds, 0.01, 11);
        int n = 0;
        for (double t = 0.5; t < seconds - 0.5; t += 0.25, ++n)
            take.addNote(static_cast<SyntheticNote>(n % 3), t + 0.001 * (n % 41 - 20), 0.4);
        bytes = monoWav16(take.samples(), rate);
    }
    return bytes;
}

void BM_AnalyseTake(benchmark::State& state) {
    const int minutes = static_cast<int>(state.range(0));
    const int rate = static_cast<int>(state.range(1));
    const auto& bytes = takeBytes(minutes, rate);
    std::size_t onsets = 0;
    for (auto _ : state) {
        const TakeAnalysis analysis = analyseTake(bytes, "bench.wav");
        onsets = analysis.onsets.size();
        benchmark::DoNotOptimize(onsets);
    }
    state.counters["onsets"] = static_cast<double>(onsets);
    state.counters["x_realtime"] = benchmark::Counter(
        minutes * 60.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_AnalyseTake)
    ->Args({1, 44100})
    ->Args({10, 44100})
    ->Args({10, 48000})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
