// Loading the default kit and filling the instrument list, as the program does at start-up and on
// every kit change (goal: at most 10 ms).
#include "kits/DefaultKitSynth.h"
#include "kits/KitLibrary.h"
#include "sound/InstrumentList.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The built Topkit.dxg when the build has made it, else a freshly synthesised one.
fs::path kitFolder() {
    const fs::path built = TAMBORO_BUILD_ASSETS;
    if (fs::exists(built / tamboro::defaultKitFileName))
        return built;
    const fs::path dir = fs::temp_directory_path() / ("tamboro-bench-kit-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    tamboro::makeDefaultKit().saveToFile(dir / tamboro::defaultKitFileName);
    return dir;
}

void BM_LoadTopkitAndFillInstrumentList(benchmark::State& state) {
    tamboro::KitLibrary library(kitFolder());
    tamboro::InstrumentList list;
    library.fillInstrumentList = [&](const tamboro::DrumKit& kit) { list.fill(kit); };
    for (auto _ : state) {
        library.setKitFileName(tamboro::defaultKitFileName);
        library.loadKit();
        benchmark::DoNotOptimize(list.count());
    }
    state.counters["items"] = library.kit().count();
}

} // namespace

BENCHMARK(BM_LoadTopkitAndFillInstrumentList)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);
BENCHMARK_MAIN();
