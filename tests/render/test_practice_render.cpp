// Practice tracks on rendered frames: a kit of one-frame impulses and impulse clicks make every
// onset exact, so each rule (count-in, tempo scale, speed trainer, swing, bar breaks, dropper,
// section, click) is checked against positions worked out here from the rule's own formula.

#include "RenderTestSupport.h"

#include "common/Files.h"
#include "common/TextLines.h"
#include "kits/DrumKit.h"
#include "kits/Wave.h"
#include "render/SongRender.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace tamboro;
using namespace tamboro::rendertest;
namespace fs = std::filesystem;

namespace {

// Left-channel heights of each sound as mixed: the kick at level " " (gain 0.9), the clicks at 100 %.
constexpr int kKick = 9000;
constexpr int kAccent = 3000;
constexpr int kTick = 1000;

Wave impulse(int height) {
    std::vector<std::uint8_t> data(8, 0);
    data[0] = static_cast<std::uint8_t>(height & 0xFF);
    data[1] = static_cast<std::uint8_t>(height >> 8);
    return Wave::pcm(1, 44100, 16, data);
}

struct Onset {
    std::int64_t frame;
    int height;
    bool operator==(const Onset&) const = default;
};

struct PracticeWorkspace {
    TempDir dir;
    DrumKit kit;
    PracticeWorkspace() {
        fs::create_directories(dir.path / "temp");
        Wave::pcm(2, 44100, 16, std::vector<std::uint8_t>(400, 0)).writeFile(dir.path / "Blank.wav");
        kit.add().setName("");
        auto& kick = kit.add();
        kick.setName("Kick      [ ]");
        kick.setWave(impulse(10000));
    }
    // A pattern of `steps` steps, T = `perBeat`, with the kick on the given steps (from 1).
    void pattern(const std::string& name, int bpm, int loops, int steps, int perBeat,
                 const std::vector<int>& kicks) const {
        std::vector<std::string> lines(static_cast<std::size_t>(7 * (steps + 3)));
        lines[0] = name;
        lines[1] = "Length:";
        lines[2] = std::to_string(steps);
        lines[3] = "Time:";
        lines[4] = std::to_string(perBeat);
        for (const int k : kicks)
            lines[static_cast<std::size_t>(7 * (k + 1) + 1)] = "Kick      [ ]";
        lines.push_back(std::to_string(bpm));
        lines.push_back(std::to_string(loops));
        writeTextLines(dir.path / (name + ".pat"), lines);
    }
    std::vector<Onset> render(const std::vector<std::string>& playList, const PracticeSettings& settings,
                              int plays) const {
        RenderRequest request;
        request.programDir = dir.path;
        request.kit = &kit;
        request.playList = playList;
        request.scriptDumpDir = dir.path;
        PracticeRender track{settings, plays, impulse(kAccent), impulse(kTick)};
        request.practice = &track;
        const RenderPlan plan = prepareRender(request);
        RenderObserver quiet;
        renderSong(request, plan, dir.path / "out.wav", quiet);
        const auto wav = readFileBytes(dir.path / "out.wav");
        std::vector<Onset> onsets;
        for (std::size_t at = 44; at + 3 < wav.size(); at += 4) {
            const auto left = static_cast<std::int16_t>(wav[at] | (wav[at + 1] << 8));
            if (left != 0)
                onsets.push_back({static_cast<std::int64_t>((at - 44) / 4), left});
        }
        return onsets;
    }
};

// The rules as the practice tools state them, step by step: where each step starts (in seconds,
// from the lead-in) and what sounds on it.
struct Expected {
    std::vector<double> times;
    std::vector<int> heights;
};

struct Pass {
    double s;
    int steps;
    int perBeat;
    bool countIn;
    bool audible;
    std::vector<int> kicks; // 0-based steps
};

Expected expect(const std::vector<Pass>& passes, double swing, bool click) {
    Expected e;
    const double lead = std::round(passes.front().s * 1000) / 1000;
    double start = lead;
    for (const auto& p : passes) {
        for (int i = 0; i < p.steps; ++i) {
            int height = 0;
            if (p.audible && !p.countIn && std::count(p.kicks.begin(), p.kicks.end(), i))
                height += kKick;
            if (i % p.perBeat == 0 && (p.countIn || (click && p.audible)))
                height += i == 0 ? kAccent : kTick;
            if (height) {
                e.times.push_back(start + i * p.s + (i % 2 ? (swing / 50 - 1) * p.s : 0));
                e.heights.push_back(height);
            }
        }
        start += p.steps * p.s;
    }
    return e;
}

// The onsets match the expected times within one frame of rounding, in order, with the same heights.
void expectOnsets(const std::vector<Onset>& got, const Expected& want) {
    ASSERT_EQ(got.size(), want.times.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_NEAR(static_cast<double>(got[i].frame), want.times[i] * 44100, 1.0) << "onset " << i;
        EXPECT_EQ(got[i].height, want.heights[i]) << "onset " << i;
    }
}

double stepOf(int bpm, double percent) {
    return 60.0 / (bpm * percent / 100) / 4;
}

} // namespace

// A count-in of N passes shifts everything by N x L x s; its clicks are an accent on step 1 and a
// tick on the other beat marks, with the click itself off.
TEST(PracticeRender, CountInShiftsTheSongByWholePasses) {
    PracticeWorkspace ws;
    ws.pattern("A", 120, 1, 8, 4, {0 + 1, 3 + 1, 6 + 1});
    for (const int n : {1, 4}) {
        PracticeSettings settings;
        settings.countIn = n;
        const double s = stepOf(120, 100);
        std::vector<Pass> passes(static_cast<std::size_t>(n), Pass{s, 8, 4, true, true, {}});
        passes.push_back({s, 8, 4, false, true, {0, 3, 6}});
        expectOnsets(ws.render({"A"}, settings, 1), expect(passes, 50, false));
        const auto plain = ws.render({"A"}, PracticeSettings{}, 1);
        const auto counted = ws.render({"A"}, settings, 1);
        ASSERT_EQ(counted.size(), plain.size() + 2 * static_cast<std::size_t>(n));
        EXPECT_NEAR(static_cast<double>(counted.back().frame - plain.back().frame), n * 8 * s * 44100, 1.0);
    }
}

// With a scale, each step is exactly s = 60 / (BPM x scale) / 4 long, not rounded to whole BPM;
// a speed trainer sets each play's percentage and holds TO.
TEST(PracticeRender, TempoScaleAndSpeedTrainerSetEachStep) {
    PracticeWorkspace ws;
    std::vector<int> every(12);
    for (int i = 0; i < 12; ++i)
        every[static_cast<std::size_t>(i)] = i + 1;
    ws.pattern("A", 97, 2, 12, 3, every);
    std::vector<int> steps0(12);
    for (int i = 0; i < 12; ++i)
        steps0[static_cast<std::size_t>(i)] = i;

    PracticeSettings scaled;
    scaled.tempoScale = 73.5;
    const double s = stepOf(97, 73.5);
    expectOnsets(ws.render({"A"}, scaled, 1),
                 expect({{s, 12, 3, false, true, steps0}, {s, 12, 3, false, true, steps0}}, 50, false));

    PracticeSettings trainer;
    trainer.tempoScale = 30; // replaced while the trainer is on
    trainer.speedTrainer = SpeedTrainer{60, 100, 15, 2};
    // Plays 0-1 at 60 %, 2-3 at 75 %, 4-5 at 90 %, 6-7 at 100 % (held for EVERY plays).
    EXPECT_EQ(trainer.defaultPlays(), 8);
    std::vector<Pass> passes;
    for (const double percent : {60., 60., 75., 75., 90., 90., 100., 100.})
        for (int loop = 0; loop < 2; ++loop)
            passes.push_back({stepOf(97, percent), 12, 3, false, true, steps0});
    expectOnsets(ws.render({"A"}, trainer, trainer.defaultPlays()), expect(passes, 50, false));
}

// Swing delays the second step of every pair by (swing / 50 - 1) x s; the click follows its step.
TEST(PracticeRender, SwingDelaysEverySecondStep) {
    PracticeWorkspace ws;
    ws.pattern("A", 110, 1, 6, 3, {1, 2, 3, 4, 5, 6});
    for (const double swing : {50.0, 58.0, 66.7, 75.0}) {
        PracticeSettings settings;
        settings.swing = swing;
        settings.click = true;
        const double s = stepOf(110, 100);
        expectOnsets(ws.render({"A"}, settings, 2), expect({{s, 6, 3, false, true, {0, 1, 2, 3, 4, 5}},
                                                            {s, 6, 3, false, true, {0, 1, 2, 3, 4, 5}}},
                                                           swing, true));
    }
}

// Bar breaks alternate PLAY audible and MUTE silent passes from the first after the count-in;
// drums and click fall silent together, and the count-in is never muted.
TEST(PracticeRender, BarBreaksSilenceWholePasses) {
    PracticeWorkspace ws;
    ws.pattern("A", 120, 3, 4, 2, {1, 3});
    ws.pattern("B", 150, 2, 4, 2, {2});
    PracticeSettings settings;
    settings.countIn = 1;
    settings.click = true;
    settings.barPlay = 2;
    settings.barMute = 1;
    const double a = stepOf(120, 100), b = stepOf(150, 100);
    // Passes after the count-in: A A A B B | A A A B B; audible when index % 3 < 2.
    std::vector<Pass> passes{{a, 4, 2, true, true, {}}};
    int index = 0;
    for (int play = 0; play < 2; ++play)
        for (const bool isA : {true, true, true, false, false}) {
            passes.push_back({isA ? a : b, 4, 2, false, index % 3 < 2,
                              isA ? std::vector<int>{0, 2} : std::vector<int>{1}});
            ++index;
        }
    expectOnsets(ws.render({"A", "B"}, settings, 2), expect(passes, 50, true));
}

// The section plays only entries A..B, repeating, with the count-in at the section's first pattern.
TEST(PracticeRender, SectionPlaysOnlyItsEntries) {
    PracticeWorkspace ws;
    ws.pattern("A", 120, 1, 4, 4, {1});
    ws.pattern("B", 90, 1, 8, 2, {2});
    ws.pattern("C", 140, 1, 4, 4, {3});
    PracticeSettings settings;
    settings.sectionFrom = settings.sectionTo = 2;
    settings.countIn = 1;
    const double b = stepOf(90, 100);
    expectOnsets(ws.render({"A", "B", "C"}, settings, 3), expect({{b, 8, 2, true, true, {}},
                                                                  {b, 8, 2, false, true, {1}},
                                                                  {b, 8, 2, false, true, {1}},
                                                                  {b, 8, 2, false, true, {1}}},
                                                                 50, false));
}

// The dropper silences whole beats (the drums of a beat mark and the steps up to the next one) with
// about its probability; the same seed gives the same track, another seed another one.
TEST(PracticeRender, DropperIsSeededAndDropsWholeBeats) {
    PracticeWorkspace ws;
    std::vector<int> every(16);
    for (int i = 0; i < 16; ++i)
        every[static_cast<std::size_t>(i)] = i + 1;
    ws.pattern("A", 200, 1, 16, 4, every);
    PracticeSettings settings;
    settings.dropPercent = 30;
    settings.seed = 1234;
    const auto first = ws.render({"A"}, settings, 100);
    EXPECT_EQ(ws.render({"A"}, settings, 100), first);
    settings.seed = 1235;
    EXPECT_NE(ws.render({"A"}, settings, 100), first);

    // Every beat is whole: its 4 steps all sound or all are silent.
    const double s = stepOf(200, 100);
    std::map<std::int64_t, int> perBeat;
    for (const auto& onset : first)
        ++perBeat[std::llround((static_cast<double>(onset.frame) / 44100 - s) / s) / 4];
    for (const auto& [beat, count] : perBeat)
        EXPECT_EQ(count, 4) << "beat " << beat;
    const double dropped = 1.0 - static_cast<double>(perBeat.size()) / 400;
    EXPECT_NEAR(dropped, 0.30, 0.06);
}

// All of them at once: count-in, swing, a speed-trainer change and bar breaks, with the click.
TEST(PracticeRender, CountInSwingSpeedTrainerAndBarBreaksCombine) {
    PracticeWorkspace ws;
    ws.pattern("A", 100, 2, 8, 4, {1, 2, 4, 6, 8});
    PracticeSettings settings;
    settings.countIn = 2;
    settings.swing = 62.5;
    settings.speedTrainer = SpeedTrainer{80, 100, 20, 1};
    settings.barPlay = 2;
    settings.barMute = 1;
    settings.click = true;
    const std::vector<int> kicks{0, 1, 3, 5, 7};
    std::vector<Pass> passes(2, Pass{stepOf(100, 80), 8, 4, true, true, {}});
    int index = 0;
    // Play 0 at 80 %, play 1 at TO, held for EVERY = 1 play: two plays.
    EXPECT_EQ(settings.defaultPlays(), 2);
    for (const double percent : {80., 100.})
        for (int loop = 0; loop < 2; ++loop, ++index)
            passes.push_back({stepOf(100, percent), 8, 4, false, index % 3 < 2, kicks});
    expectOnsets(ws.render({"A"}, settings, settings.defaultPlays()), expect(passes, 62.5, true));
}
