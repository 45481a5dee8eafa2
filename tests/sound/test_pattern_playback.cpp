// Pattern playback and the mixer controls: the tick's walk over the rows, repeat, the highlight,
// pulse lights, Stop, tempo and the BPM field, channel switches and the pan knob.

#include "KitFixture.h"

#include "sound/Tempo.h"

#include <gtest/gtest.h>

namespace tamboro {
namespace {

using namespace std::chrono_literals;
using test::kitName;

struct Recorded {
    std::vector<int> highlighted;
    std::vector<int> pulses;
    std::vector<bool> buttons;
    std::vector<std::pair<std::string, std::string>> messages;
};

void record(PlaybackState& p, Recorded& r) {
    p.events.highlightRow = [&r](int row) { r.highlighted.push_back(row); };
    p.events.pulse = [&r](int channel) { r.pulses.push_back(channel); };
    p.events.playButtonsEnabled = [&r](bool on) { r.buttons.push_back(on); };
    p.events.message = [&r](const std::string& text, const std::string& caption) {
        r.messages.emplace_back(text, caption);
    };
}

// A pattern of `steps` steps with a kit hit on channel 1 of every step and a sample on channel 2 of
// the first.
void fillPattern(PatternGrid& grid, int steps) {
    grid.layOut(steps, 4);
    for (int row = 2; row < 2 + steps; ++row)
        grid.setCell(1, row, kitName("Drum1"));
    grid.setCell(2, 2, "Sample1");
}

TEST(PatternTick, WalksTheRowsAndStopsAfterTheLast) {
    test::KitFixture f;
    Recorded r;
    record(*f.playback, r);
    fillPattern(f.grid, 16);
    f.playback->playRow = 2;
    for (int tick = 0; tick < 16; ++tick) {
        EXPECT_TRUE(r.buttons.empty()) << tick;
        f.playback->onPatternTick();
    }
    std::vector<int> rows;
    for (int row = 2; row <= 17; ++row)
        rows.push_back(row);
    EXPECT_EQ(r.highlighted, rows);
    EXPECT_EQ(r.pulses, std::vector<int>(16, 1)); // kit hits flash, the sample hit does not
    EXPECT_EQ(f.playback->playRow, 18);           // stays at endRow
    ASSERT_EQ(r.buttons.size(), 1u);              // buttons come back after the 16th tick
    EXPECT_TRUE(r.buttons[0]);
}

TEST(PatternTick, RepeatWrapsWithoutAGapAndCanBeToggledInTheLastStep) {
    test::KitFixture f;
    Recorded r;
    record(*f.playback, r);
    fillPattern(f.grid, 4);
    f.playback->playRow = 2;
    f.playback->toggleRepeatPattern(); // repeat on
    for (int tick = 0; tick < 6; ++tick)
        f.playback->onPatternTick();
    EXPECT_EQ(r.highlighted, (std::vector<int>{2, 3, 4, 5, 2, 3}));
    EXPECT_TRUE(r.buttons.empty());
    // Switched off during the pass: the pass ends at its last step.
    f.playback->toggleRepeatPattern();
    f.playback->onPatternTick();
    f.playback->onPatternTick();
    EXPECT_EQ(f.playback->playRow, 6);
    EXPECT_EQ(r.buttons, std::vector<bool>{true});
    // A pattern shortened while playing wraps to the first step.
    f.playback->playRow = 9;
    f.playback->onPatternTick();
    EXPECT_EQ(f.playback->playRow, 2);
}

TEST(PatternTick, GridClickSuppressesTheHighlightForOneTick) {
    test::KitFixture f;
    Recorded r;
    record(*f.playback, r);
    fillPattern(f.grid, 8);
    f.playback->playRow = 2;
    f.playback->onPatternTick();
    f.playback->gridMousePressed();
    f.playback->onPatternTick();
    f.playback->onPatternTick();
    EXPECT_EQ(r.highlighted, (std::vector<int>{2, 4}));
    f.playback->toggleGridScrollIndicator(); // check mark cleared: no highlight at all
    f.playback->onPatternTick();
    EXPECT_EQ(r.highlighted.size(), 2u);
}

TEST(PatternPlay, PlaysThroughTheClockAndTakesATempoChangeFromTheNextStep) {
    test::KitFixture f;
    Recorded r;
    record(*f.playback, r);
    fillPattern(f.grid, 6);
    std::vector<std::chrono::steady_clock::time_point> planned;
    f.playback->events.highlightRow = [&](int row) {
        planned.push_back(f.playback->patternClock.tickTime());
        if (row == 3)
            f.playback->tempoKnobTurned(150); // 100 ms steps from the next wait on
    };
    f.playback->setBpm(300);
    f.playback->playPattern();
    EXPECT_FALSE(f.playback->playButtonsEnabled);
    ASSERT_TRUE(f.loop.runUntil([&] { return !f.playback->patternPlaying(); }, 5s));
    ASSERT_EQ(planned.size(), 6u);
    EXPECT_EQ(planned[1] - planned[0], 50ms);
    for (std::size_t i = 2; i < planned.size(); ++i)
        EXPECT_EQ(planned[i] - planned[i - 1], 100ms) << i;
    EXPECT_TRUE(f.playback->playButtonsEnabled);
    EXPECT_EQ(f.playback->bpm(), 150);
}

TEST(PatternPlay, StopEndsAtOnceAndPlayStartsAgainFromTheTop) {
    test::KitFixture f;
    fillPattern(f.grid, 16);
    f.playback->playPattern();
    ASSERT_TRUE(f.loop.runUntil([&] { return f.playback->playRow >= 4; }, 5s));
    f.playback->stopPlayback();
    const int stoppedAt = f.playback->playRow;
    f.loop.runFor(300ms);
    EXPECT_EQ(f.playback->playRow, stoppedAt);
    EXPECT_FALSE(f.playback->patternPlaying());
    EXPECT_TRUE(f.playback->playButtonsEnabled);
    f.playback->playPattern();
    EXPECT_EQ(f.playback->playRow, 2);
    EXPECT_TRUE(f.playback->stopRequest.empty());
    f.playback->stopPlayback();
}

TEST(Tempo, StepIntervalRoundsHalvesToEven) {
    const std::pair<int, int> table[] = {{60, 250}, {80, 188}, {90, 167}, {100, 150}, {120, 125}, {140, 107},
                                         {160, 94}, {200, 75}, {240, 62}, {300, 50},  {301, 50},  {400, 38},
                                         {401, 38}, {20, 750}, {19, 750}, {0, 750},   {-5, 750}};
    for (auto [bpm, interval] : table)
        EXPECT_EQ(stepIntervalForBpm(bpm), interval) << bpm;
}

TEST(Tempo, KnobAndFieldStayInStep) {
    struct Case {
        bool knob; // turn the knob, else set the field
        double value;
        int bpm;
        double knobShown;
        std::int32_t interval;
    } cases[] = {
        {true, 150, 150, 150, 100}, {true, 142.5, 142, 142, 106},  {true, 143.5, 144, 144, 104},
        {false, 301, 301, 300, 50}, {false, 45, 45, 60, 333},      {false, 0, 20, 60, 750},
        {false, -3, 20, 60, 750},   {false, 100000, 400, 300, 38}, {false, 19, 20, 60, 750},
    };
    for (const auto& c : cases) {
        test::KitFixture f;
        int changed = 0;
        f.playback->events.patternChanged = [&] { ++changed; };
        if (c.knob)
            f.playback->tempoKnobTurned(c.value);
        else
            f.playback->setBpm(static_cast<int>(c.value));
        EXPECT_EQ(f.playback->bpm(), c.bpm) << c.value;
        EXPECT_EQ(f.playback->tempoKnob(), c.knobShown) << c.value;
        EXPECT_EQ(f.playback->stepInterval, c.interval) << c.value;
        EXPECT_EQ(f.playback->songClock.interval(), c.interval);
        EXPECT_EQ(f.playback->patternClock.interval(), c.interval);
        EXPECT_EQ(changed, c.knob ? 1 : 0);
        if (c.knob) {
            EXPECT_EQ(f.playback->globalTempo, c.bpm);
        }
    }
}

TEST(ChannelSwitch, TogglesCaptionAndChannel) {
    test::KitFixture f;
    std::vector<std::string> captions;
    f.playback->events.channelCaption = [&](int channel, const std::string& caption) {
        EXPECT_EQ(channel, 3);
        captions.push_back(caption);
    };
    f.playback->toggleChannel(63);
    EXPECT_FALSE(f.playback->channelsOn[3]);
    f.playback->toggleChannel(63);
    EXPECT_TRUE(f.playback->channelsOn[3]);
    f.playback->toggleChannel(60); // not a channel
    f.playback->toggleChannel(67);
    EXPECT_EQ(captions, (std::vector<std::string>{"OFF", "ON"}));
}

TEST(PanKnob, PansKitInstrumentsAndWarnsOncePerVisitForSamples) {
    test::KitFixture f;
    Recorded r;
    record(*f.playback, r);
    f.instruments_.setText(kitName("Drum2"));
    f.playback->panKnobMouseMove(-1234.5);
    EXPECT_EQ(f.kit.item(2).pan(), -1234);
    f.instruments_.setText("Sample5");
    f.playback->panKnobMouseMove(500);
    f.playback->panKnobMouseMove(600);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].first, "Use the sample to change your imported samples panning");
    EXPECT_EQ(r.messages[0].second, "Sample Panning");
    f.playback->panKnobMouseLeave();
    f.playback->panKnobMouseMove(600);
    EXPECT_EQ(r.messages.size(), 2u);
}

} // namespace
} // namespace tamboro
