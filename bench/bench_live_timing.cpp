// Live-timing measurements through the null device, with the look-ahead the program really uses:
//   - every click onset against the tempo grid at 60, 120, 240 and 300 BPM (worst deviation in
//     frames, missed or late starts), idle and with both cores kept busy (--load);
//   - the pattern tick handler's duration (six kit hits, lookups, voice starts, highlight): p50,
//     p99, max;
//   - from the Play handler to the block that carries the first hit leaving the mixer.
// Usage: bench_live_timing [--load] [--seconds S]   (S: length of each tempo run, default 8)

#include "kits/DrumKit.h"
#include "song/PatternFile.h"
#include "sound/EventLoop.h"
#include "sound/InstrumentList.h"
#include "sound/KitVoices.h"
#include "sound/NullAudioBackend.h"
#include "sound/PlaybackState.h"
#include "sound/SoundDevice.h"
#include "sound/Tempo.h"
#include "sound/ThreadPriority.h"
#include "testsupport/ClickPattern.h"
#include "testsupport/OnsetAnalysis.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace tamboro;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct Workspace {
    fs::path dir;
    DrumKit kit;
    PatternFileData pattern;
};

Workspace prepare(int steps, int bpm) {
    Workspace w;
    w.dir = fs::temp_directory_path() / "tamboro-bench-live-timing";
    fs::create_directories(w.dir);
    writeClickPattern(w.dir, steps, bpm);
    w.kit.loadFromFile(w.dir / kClickKitFile);
    w.pattern = readPatternFile(w.dir / (std::string(kClickPatternName) + ".pat"));
    return w;
}

bool timingRun(int bpm, double seconds) {
    const int steps = std::max(4, static_cast<int>(seconds * 1000.0 / stepIntervalForBpm(bpm)));
    Workspace w = prepare(steps, bpm);
    const fs::path recording = w.dir / "recording.wav";
    std::uint64_t late = 0, underruns = 0;
    double earlyMs = 0;
    {
        NullAudioOptions options;
        options.capturePath = recording;
        SoundDevice device(std::make_unique<NullAudioBackend>(options));
        EventLoop loop;
        PatternGrid grid;
        loadPatternIntoGrid(grid, w.pattern);
        InstrumentList instruments;
        instruments.fill(w.kit);
        KitVoices voices(w.kit);
        PlaybackState playback(loop, device, grid, instruments, voices, nullptr);
        playback.setBpm(bpm);
        loop.runFor(300ms);
        playback.playPattern();
        loop.runUntil([&] { return !playback.patternPlaying(); },
                      std::chrono::seconds(static_cast<long>(seconds * 2 + 10)));
        loop.runFor(100ms);
        late = device.lateStarts();
        underruns = device.underruns();
        earlyMs = device.maxEarlinessNs() / 1e6;
        voices.finalize();
        device.close();
    }
    const Wave wave = Wave::readFile(recording);
    std::vector<std::int16_t> samples(wave.data().size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(wave.data()[2 * i] | (wave.data()[2 * i + 1] << 8));
    const double period = stepIntervalForBpm(bpm) / 1000.0 * wave.sampleRate();
    const auto onsets = findOnsets(samples, 2, kClickLevel / 2, static_cast<std::size_t>(period / 2));
    const GridCheck check = checkGrid(onsets, period, 1.0, static_cast<std::size_t>(steps));
    std::printf("%3d BPM: %5zu/%d clicks, worst %.2f frames off the grid (mean %.3f), %llu late starts, "
                "%llu late blocks, %s\n",
                bpm, check.onsets, steps, check.worstDeviation, check.meanDeviation,
                static_cast<unsigned long long>(late), static_cast<unsigned long long>(underruns),
                check.ok ? "OK" : check.problem.c_str());
    (void)earlyMs;
    std::fflush(stdout);
    return check.ok && late == 0;
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())))];
}

void tickHandlerCost() {
    Workspace w = prepare(16, 120);
    // Six channels of kit hits on every row: the busiest tick there is.
    PatternGrid grid;
    loadPatternIntoGrid(grid, w.pattern);
    for (int row = 2; row < 18; ++row)
        for (int c = 1; c <= 6; ++c)
            grid.setCell(c, row, "Click     [" + std::to_string(c) + "]");
    SoundDevice device(std::make_unique<NullAudioBackend>());
    EventLoop loop;
    InstrumentList instruments;
    instruments.fill(w.kit);
    KitVoices voices(w.kit);
    voices.initialize(device);
    PlaybackState playback(loop, device, grid, instruments, voices, nullptr);
    playback.repeatPattern = true;
    int highlighted = 0;
    playback.events.highlightRow = [&](int) { ++highlighted; };
    std::vector<double> us;
    for (int i = 0; i < 4000; ++i) {
        const auto t0 = Clock::now();
        playback.onPatternTick();
        us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
        if (i % 8 == 7)
            std::this_thread::sleep_for(1ms); // let the mixer drain its queue as in real playback
    }
    std::printf("tick handler (6 kit hits): p50 %.1f us, p99 %.1f us, max %.1f us over %zu ticks\n",
                percentile(us, 0.5), percentile(us, 0.99), percentile(us, 1.0), us.size());
    voices.finalize();
}

void playToFirstHit() {
    Workspace w = prepare(4, 300);
    SoundDevice device(std::make_unique<NullAudioBackend>());
    EventLoop loop;
    PatternGrid grid;
    loadPatternIntoGrid(grid, w.pattern);
    InstrumentList instruments;
    instruments.fill(w.kit);
    KitVoices voices(w.kit);
    PlaybackState playback(loop, device, grid, instruments, voices, nullptr);
    loop.runFor(300ms);
    std::vector<double> ms;
    for (int i = 0; i < 30; ++i) {
        const std::uint64_t before = device.startsApplied();
        const std::int64_t pressed = steadyNowNanos();
        playback.playPattern();
        loop.runUntil([&] { return device.startsApplied() > before; }, 2s);
        ms.push_back((device.lastStartRenderNs() - pressed) / 1e6);
        playback.stopPlayback();
        loop.runFor(40ms);
    }
    std::printf(
        "Play handler to first hit leaving the mixer: median %.2f ms, max %.2f ms (look-ahead %.2f ms, "
        "buffer %.2f ms)\n",
        percentile(ms, 0.5), percentile(ms, 1.0), 1000.0 * device.lookaheadFrames() / device.sampleRate(),
        1000.0 * device.bufferFrames() / device.sampleRate());
    voices.finalize();
}

} // namespace

int main(int argc, char** argv) {
    bool load = false;
    double seconds = 8;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--load"))
            load = true;
        else if (!std::strcmp(argv[i], "--seconds") && i + 1 < argc)
            seconds = std::atof(argv[++i]);
    }
    std::atomic<bool> busy{load};
    std::vector<std::thread> burners;
    if (load)
        for (unsigned i = 0; i < std::max(2u, std::thread::hardware_concurrency()); ++i)
            burners.emplace_back([&busy] {
                volatile double x = 1.0;
                while (busy.load(std::memory_order_relaxed))
                    x = x * 1.0000001 + 1e-9;
            });
    // The loop thread plays the window thread, at the priority the headless player gives it.
    const bool raised = applyThreadPriority(ThreadPriority::highest);
    std::printf("live timing through the null device%s%s\n", load ? ", every core kept busy" : "",
                raised ? "" : " (window thread priority could not be raised)");
    bool ok = true;
    for (int bpm : {60, 120, 240, 300})
        ok = timingRun(bpm, seconds) && ok;
    tickHandlerCost();
    playToFirstHit();
    busy = false;
    for (auto& t : burners)
        t.join();
    std::error_code ec;
    fs::remove_all(fs::temp_directory_path() / "tamboro-bench-live-timing", ec);
    return ok ? 0 : 1;
}
