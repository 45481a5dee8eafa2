// Render speed and memory: a one-pattern song (120 BPM, 16 steps: kick on 1, 5, 9 and 13, snare
// on 5 and 13, closed hat on the odd steps) looped to 3 and to 30 minutes, rendered with the
// default kit from the Play List to the finished WAV file (temporary sound files, script dump,
// mix, output written and synced). The "x_realtime" counter is song seconds per second of
// rendering. Peak memory: run one length alone under /usr/bin/time -v, e.g.
//   bench_render --benchmark_filter='BM_RenderSong/1800'
// Set TAMBORO_BENCH_DIR to choose the folder written to (default: the system's temp folder).

#include "common/TextLines.h"
#include "kits/DefaultKitSynth.h"
#include "kits/DrumKit.h"
#include "kits/Wave.h"
#include "render/SongRender.h"
#include "song/PatternFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>

namespace fs = std::filesystem;
using namespace tamboro;

namespace {

void writeSong(const fs::path& dir, int loops) {
    std::vector<std::string> lines;
    const int steps = 16;
    for (int row = 0; row < steps + 3; ++row) {
        for (int col = 0; col < 7; ++col) {
            std::string text;
            if (row == 0 && col == 0)
                text = "Bench";
            else if (row == 0 && col == 2)
                text = std::to_string(steps);
            else if (row == 0 && col == 4)
                text = "4";
            else if (row >= 2 && row <= steps + 1) {
                const int step = row - 1;
                if (col == 0)
                    text = std::to_string(step);
                else if (col == 1 && step % 4 == 1)
                    text = "Kick      [ ]";
                else if (col == 2 && (step == 5 || step == 13))
                    text = "Snare     [ ]";
                else if (col == 3 && step % 2 == 1)
                    text = "ClsHiat   [ ]";
            }
            lines.push_back(text);
        }
    }
    lines.push_back("120");
    lines.push_back(std::to_string(loops));
    writeTextLines(dir / "Bench.pat", lines);
}

void BM_RenderSong(benchmark::State& state) {
    const int seconds = static_cast<int>(state.range(0));
    const int loops = seconds / 2; // one pattern lasts 2 s at 120 BPM
    const char* base = std::getenv("TAMBORO_BENCH_DIR");
    const fs::path dir =
        fs::path(base ? base : fs::temp_directory_path().string()) /
        ("tamboro-bench-render-" + std::to_string(seconds) + "-" + std::to_string(std::random_device{}()));
    fs::remove_all(dir);
    fs::create_directories(dir / "temp");
    const DrumKit kit = makeDefaultKit();
    Wave::pcm(2, 44100, 16, std::vector<std::uint8_t>(400, 0)).writeFile(dir / "Blank.wav");
    writeSong(dir, loops);

    RenderRequest request;
    request.programDir = dir;
    request.kit = &kit;
    request.playList = {"Bench"};
    request.scriptDumpDir = dir;
    RenderObserver quiet;
    std::int64_t frames = 0;
    for (auto _ : state) {
        const RenderPlan plan = prepareRender(request);
        const RenderOutcome outcome = renderSong(request, plan, dir / "out.wav", quiet);
        frames = outcome.frames;
        benchmark::DoNotOptimize(frames);
        // Each render writes a new file, as a user saving a take does: replacing an existing file
        // makes the file system flush the new one first, which is a separate cost.
        state.PauseTiming();
        fs::remove(dir / "out.wav");
        state.ResumeTiming();
    }
    state.counters["x_realtime"] = benchmark::Counter(
        static_cast<double>(seconds) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["frames"] = static_cast<double>(frames);
    fs::remove_all(dir);
}

} // namespace

BENCHMARK(BM_RenderSong)->Arg(180)->Arg(1800)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

BENCHMARK_MAIN();
