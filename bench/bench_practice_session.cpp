// A practice session played live through the null device while two threads keep the cores busy:
// count-in, speed trainer, bar breaks and swing over a click pattern, for 30 minutes by default
// (the null device keeps real time, so this takes as long). Reports the voice starts that reached
// the mixer too late to land on their frame (goal: 0), the late blocks, and every recorded click
// against the plan's grid (whole-millisecond steps plus the swing delay).
// Usage: bench_practice_session [--minutes M] [--idle]   (--idle: no busy threads, to compare)

#include "kits/ClickSynth.h"
#include "kits/DrumKit.h"
#include "song/PatternFile.h"
#include "song/PracticeSchedule.h"
#include "sound/EventLoop.h"
#include "sound/InstrumentList.h"
#include "sound/KitVoices.h"
#include "sound/NullAudioBackend.h"
#include "sound/PlaybackState.h"
#include "sound/PracticePlayer.h"
#include "sound/SoundDevice.h"
#include "sound/ThreadPriority.h"
#include "testsupport/ClickPattern.h"
#include "testsupport/OnsetAnalysis.h"

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace tamboro;
using namespace std::chrono_literals;

} // namespace

int main(int argc, char** argv) {
    double minutes = 30;
    bool idle = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--minutes") && i + 1 < argc)
            minutes = std::atof(argv[++i]);
        else if (!std::strcmp(argv[i], "--idle"))
            idle = true;
    }
    const fs::path dir = fs::temp_directory_path() / "tamboro-bench-practice-session";
    fs::create_directories(dir);
    writeClickPattern(dir, 16, 120);
    DrumKit kit;
    kit.loadFromFile(dir / kClickKitFile);
    const PatternFileData pattern = readPatternFile(dir / (std::string(kClickPatternName) + ".pat"));
    std::vector<std::string> cells;
    for (int row = 2; row < 18; ++row)
        for (int col = 1; col <= 6; ++col)
            cells.push_back(pattern.cells[static_cast<std::size_t>(7 * row + col)]);

    PracticeSettings settings;
    settings.countIn = 2;
    settings.speedTrainer = SpeedTrainer{80, 100, 5, 4};
    settings.barPlay = 3;
    settings.barMute = 1;
    settings.swing = 60;
    const PracticeSequence sequence({{0, 120, 16, 1, 4}}, settings);
    const int plays = playsFittingMinutes(sequence, minutes);

    std::atomic<bool> busy{!idle};
    std::vector<std::thread> burners;
    for (int i = 0; i < (idle ? 0 : 2); ++i)
        burners.emplace_back([&busy] {
            volatile double x = 1.0;
            while (busy.load(std::memory_order_relaxed))
                x = x * 1.0000001 + 1e-9;
        });
    applyThreadPriority(ThreadPriority::highest);

    const fs::path recording = dir / "session.wav";
    std::uint64_t late = 0, underruns = 0, steps = 0;
    {
        NullAudioOptions options;
        options.capturePath = recording;
        SoundDevice device(std::make_unique<NullAudioBackend>(options));
        EventLoop loop;
        PatternGrid grid;
        InstrumentList instruments;
        instruments.fill(kit);
        KitVoices voices(kit);
        PlaybackState playback(loop, device, grid, instruments, voices, nullptr);
        loop.runFor(300ms);
        PracticePlayer player(loop, device, playback);
        settings.clickLevel = 0; // the pattern's clicks alone are measured
        player.start(PracticeSequence({{0, 120, 16, 1, 4}}, settings), {cells}, plays,
                     clickWave(ClickVoice::Accent), clickWave(ClickVoice::Tick));
        loop.runUntil([&] { return !player.playing(); },
                      std::chrono::seconds(static_cast<long>(minutes * 60 + 60)));
        loop.runFor(200ms);
        late = device.lateStarts();
        underruns = device.underruns();
        steps = player.steps();
        voices.finalize();
        device.close();
    }
    busy = false;
    for (auto& t : burners)
        t.join();

    // The expected onsets: every audible step, on the whole-millisecond grid plus the swing delay.
    std::vector<double> expected;
    double gridMs = 0;
    for (const auto& pass : schedulePractice(sequence, plays)) {
        const auto interval = static_cast<double>(std::llround(pass.stepSeconds * 1000));
        for (int step = 0; step < pass.steps; ++step) {
            if (pass.drumsSound(step))
                expected.push_back(gridMs / 1000 + settings.swingDelay(step, pass.stepSeconds));
            gridMs += interval;
        }
    }
    const Wave wave = Wave::readFile(recording);
    std::vector<std::int16_t> samples(wave.data().size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(wave.data()[2 * i] | (wave.data()[2 * i + 1] << 8));
    const auto onsets = findOnsets(samples, 2, kClickLevel / 2, 300);
    double worst = 0;
    std::size_t offGrid = 0;
    if (!onsets.empty() && onsets.size() == expected.size()) {
        // The first expected onset lies after the count-in: anchor the grid there.
        const double origin = static_cast<double>(onsets[0]) - expected[0] * 44100;
        for (std::size_t i = 0; i < onsets.size(); ++i) {
            const double off = std::fabs(static_cast<double>(onsets[i]) - origin - expected[i] * 44100);
            worst = std::max(worst, off);
            offGrid += off > 1.0 ? 1 : 0;
        }
    }
    std::printf("practice session: %.1f minutes, %d plays, %llu steps, %s\n", minutes, plays,
                static_cast<unsigned long long>(steps), idle ? "no busy threads" : "two busy threads");
    std::printf("  %zu/%zu clicks recorded, worst %.2f frames off the grid, %zu beyond 1 frame\n",
                onsets.size(), expected.size(), worst, offGrid);
    std::printf("  late hits: %llu, late blocks: %llu\n", static_cast<unsigned long long>(late),
                static_cast<unsigned long long>(underruns));
    std::error_code ec;
    fs::remove_all(dir, ec);
    return late == 0 && onsets.size() == expected.size() && offGrid == 0 ? 0 : 1;
}
