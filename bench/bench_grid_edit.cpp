// Times the grid's editing gestures on a full 64-step pattern: placing and removing an instrument,
// the level step, a level digit with a cell jump, the Delete key on the whole pattern, the
// Time/Bar change, clearing, and saving / loading the pattern's lines.

#include "common/TextLines.h"
#include "song/GridEditing.h"
#include "song/PatternFile.h"

#include <benchmark/benchmark.h>

using namespace tamboro;

namespace {

const std::string kKick = "Kick      [ ]";

PatternGrid fullPattern() {
    PatternGrid grid;
    grid.layOut(64, 4);
    grid.setName("Bench");
    for (int row = 2; row <= 65; ++row)
        for (int col = 1; col <= 6; ++col)
            grid.setCell(col, row, kKick);
    return grid;
}

void BM_PlaceOrRemove(benchmark::State& st) {
    PatternGrid grid = fullPattern();
    PatternEditState state;
    int row = 2;
    for (auto _ : st) {
        benchmark::DoNotOptimize(placeOrRemove(grid, state, 3, row, kKick));
        row = row == 65 ? 2 : row + 1;
    }
}
BENCHMARK(BM_PlaceOrRemove);

void BM_LevelStep(benchmark::State& st) {
    PatternGrid grid = fullPattern();
    for (auto _ : st)
        benchmark::DoNotOptimize(stepCellLevel(grid, 2, 40));
}
BENCHMARK(BM_LevelStep);

void BM_LevelDigitWithJump(benchmark::State& st) {
    PatternGrid grid = fullPattern();
    PatternEditState state;
    state.cellJump = 3;
    int row = 2;
    for (auto _ : st) {
        row = applyLevelDigit(grid, state, 4, row, '5', kKick);
        if (row > 60)
            row = 2;
    }
}
BENCHMARK(BM_LevelDigitWithJump);

void BM_DeleteWholePattern(benchmark::State& st) {
    PatternGrid grid = fullPattern();
    PatternEditState state;
    for (auto _ : st) {
        st.PauseTiming();
        grid = fullPattern();
        st.ResumeTiming();
        deleteSelectedCells(grid, state, {1, 2, 6, 65});
    }
}
BENCHMARK(BM_DeleteWholePattern);

void BM_TimeBarChange(benchmark::State& st) {
    PatternGrid grid = fullPattern();
    PatternEditState state;
    int playRow = 2;
    bool longer = false;
    for (auto _ : st) {
        setPendingTimeBar(state, longer ? "64/4" : "16/8");
        applyTimeBar(grid, state, playRow);
        longer = !longer;
    }
}
BENCHMARK(BM_TimeBarChange);

void BM_ClearGridCells(benchmark::State& st) {
    PatternGrid grid = fullPattern();
    for (auto _ : st) {
        st.PauseTiming();
        grid = fullPattern();
        st.ResumeTiming();
        clearGridCells(grid);
    }
}
BENCHMARK(BM_ClearGridCells);

void BM_SaveAndLoadLines(benchmark::State& st) {
    const PatternGrid grid = fullPattern();
    const std::vector<PatternSample> samples(32, PatternSample{"Blank.wav", 44100});
    PatternGrid loaded;
    for (auto _ : st) {
        const std::string text = joinLinesCrLf(buildPatternFileLines(grid, 120, 1, samples));
        const auto data =
            parsePatternFile({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, "Bench.pat");
        loadPatternIntoGrid(loaded, data);
    }
}
BENCHMARK(BM_SaveAndLoadLines);

} // namespace

BENCHMARK_MAIN();
