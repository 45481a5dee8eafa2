// The practice settings' text forms and rules, the plan's passes and the `.practice` file.

#include "common/Error.h"
#include "common/Files.h"
#include "song/PracticeFile.h"
#include "song/PracticeSchedule.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tamboro;

namespace {

PracticeSettings withOption(const std::string& option, const std::string& value) {
    PracticeSettings s;
    applyPracticeValue(s, *findPracticeOption(option), value, option);
    return s;
}

std::string refusal(const std::string& option, const std::string& value) {
    try {
        withOption(option, value);
    } catch (const Error& e) {
        return e.what();
    }
    return "";
}

std::vector<std::uint8_t> bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

} // namespace

// Every bad value is refused with a message naming the option and the value (or its bad part).
TEST(PracticeSettings, RefusesValuesOutOfRangeOrMalformed) {
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"--count-in", "5"},
        {"--count-in", "-1"},
        {"--count-in", "two"},
        {"--click-level", "101"},
        {"--tempo-scale", "24.9"},
        {"--tempo-scale", "201"},
        {"--tempo-scale", "1e2"},
        {"--tempo-scale", ""},
        {"--speed-trainer", "60:100:5"},
        {"--speed-trainer", "100:60:5:1"},
        {"--speed-trainer", "60:100:0:1"},
        {"--speed-trainer", "60:100:5:0"},
        {"--speed-trainer", "60:300:5:1"},
        {"--section", "3-2"},
        {"--section", "0-2"},
        {"--section", "2"},
        {"--bar-breaks", "3:0"},
        {"--bar-breaks", "3"},
        {"--drop", "51"},
        {"--seed", "4294967296"},
        {"--swing", "49.9"},
        {"--swing", "76"},
        {"--swing", "60%"},
    };
    for (const auto& [option, value] : bad) {
        const std::string message = refusal(option, value);
        EXPECT_NE(message.find(option), std::string::npos) << option << " " << value << ": " << message;
        // The value, or the part of it that is wrong, is quoted.
        const auto open = message.find('"');
        const auto close = message.find('"', open + 1);
        ASSERT_NE(close, std::string::npos) << message;
        EXPECT_NE(value.find(message.substr(open + 1, close - open - 1)), std::string::npos) << message;
    }
}

// Each value reads into its setting and writes back as the same text.
TEST(PracticeSettings, ValuesRoundTripThroughTheirText) {
    const std::vector<std::pair<std::string, std::string>> good = {
        {"--count-in", "4"},       {"--click-level", "35"},
        {"--tempo-scale", "72.5"}, {"--speed-trainer", "60:100:2.5:3"},
        {"--section", "2-5"},      {"--bar-breaks", "3:1"},
        {"--drop", "50"},          {"--seed", "4294967295"},
        {"--swing", "66.7"},
    };
    for (const auto& [option, value] : good) {
        const PracticeSettings s = withOption(option, value);
        EXPECT_TRUE(s.changesPlayback()) << option;
        EXPECT_EQ(practiceValueText(s, *findPracticeOption(option)), value);
    }
    EXPECT_FALSE(PracticeSettings{}.changesPlayback());
    EXPECT_TRUE(withOption("--click", "on").click);
}

// The speed trainer: play k at min(TO, FROM + STEP x floor(k / EVERY)), plays until the next
// change, and the default length that reaches TO and holds it for EVERY plays.
TEST(PracticeSettings, SpeedTrainerPercentages) {
    PracticeSettings s;
    s.tempoScale = 80;
    EXPECT_EQ(s.percentForPlay(7), 80);
    EXPECT_EQ(s.playsUntilChange(0), 0);
    EXPECT_EQ(s.defaultPlays(), 1);
    s.speedTrainer = SpeedTrainer{70, 100, 8, 3};
    const double want[] = {70, 70, 70, 78, 78, 78, 86, 86, 86, 94, 94, 94, 100, 100};
    const int until[] = {3, 2, 1, 3, 2, 1, 3, 2, 1, 3, 2, 1, 0, 0};
    for (int k = 0; k < 14; ++k) {
        EXPECT_DOUBLE_EQ(s.percentForPlay(k), want[k]) << k;
        EXPECT_EQ(s.playsUntilChange(k), until[k]) << k;
    }
    EXPECT_EQ(s.defaultPlays(), 15);
}

// Passes: the count-in, bar breaks counted after it, loops and plays in order; the dropper draws
// for every beat of every pass, so bar breaks never move the dropped beats.
TEST(PracticeSchedule, PassesFollowTheSettings) {
    PracticeSettings s;
    s.countIn = 2;
    s.barPlay = 1;
    s.barMute = 2;
    s.dropPercent = 40;
    s.seed = 9;
    const std::vector<PracticeEntry> entries{{0, 120, 6, 2, 3}, {1, 90, 5, 1, 2}};
    const auto passes = schedulePractice(PracticeSequence(entries, s), 2);
    ASSERT_EQ(passes.size(), 2u + 6u);
    EXPECT_TRUE(passes[0].countIn && passes[1].countIn);
    EXPECT_EQ(passes[0].steps, 6);
    EXPECT_EQ(passes[0].click(0, false), ClickSound::Accent);
    EXPECT_EQ(passes[0].click(3, false), ClickSound::Tick);
    EXPECT_EQ(passes[0].click(1, true), ClickSound::None);
    const int entryOf[] = {0, 0, 1, 0, 0, 1};
    for (int p = 0; p < 6; ++p) {
        const PracticePass& pass = passes[static_cast<std::size_t>(p + 2)];
        EXPECT_EQ(pass.playedPass, p);
        EXPECT_EQ(pass.entry, static_cast<std::size_t>(entryOf[p]));
        EXPECT_EQ(pass.play, p / 3);
        EXPECT_EQ(pass.audible, p % 3 == 0);
        EXPECT_EQ(pass.droppedBeats.size(), entryOf[p] == 0 ? 2u : 3u);
        EXPECT_EQ(pass.click(0, true), pass.audible ? ClickSound::Accent : ClickSound::None);
    }
    PracticeSettings noBreaks = s;
    noBreaks.barPlay = noBreaks.barMute = 0;
    const auto unbroken = schedulePractice(PracticeSequence(entries, noBreaks), 2);
    for (std::size_t p = 0; p < passes.size(); ++p)
        EXPECT_EQ(passes[p].droppedBeats, unbroken[p].droppedBeats);
}

// Minutes: as many whole plays (after the count-in) as fit; none when one play is too long.
TEST(PracticeSchedule, MinutesHoldWholePlays) {
    PracticeSettings s;
    s.countIn = 1;
    s.speedTrainer = SpeedTrainer{50, 100, 50, 1};
    // One 16-step pattern at 120 BPM: 2 s at 100 %, 4 s at 50 %; the count-in is 4 s.
    const PracticeSequence sequence({{0, 120, 16, 1, 4}}, s);
    EXPECT_DOUBLE_EQ(sequence.secondsFor(3), 4 + 4 + 2 + 2);
    EXPECT_EQ(playsFittingMinutes(sequence, 12.0 / 60), 3);
    EXPECT_EQ(playsFittingMinutes(sequence, 11.9 / 60), 2);
    EXPECT_EQ(playsFittingMinutes(sequence, 7.0 / 60), 0);
    EXPECT_THROW(PracticeSequence({{0, 120, 0, 1, 4}}, s), Error);
}

TEST(PracticeFile, RoundTripsEverySetting) {
    PracticeSettings s;
    s.countIn = 3;
    s.click = true;
    s.clickLevel = 40;
    s.tempoScale = 87.5;
    s.speedTrainer = SpeedTrainer{60, 95, 2.5, 4};
    s.sectionFrom = 2;
    s.sectionTo = 3;
    s.barPlay = 3;
    s.barMute = 1;
    s.dropPercent = 15;
    s.seed = 77;
    s.swing = 66.7;
    const std::string text = formatPracticeFile(s);
    EXPECT_EQ(text.substr(0, 12), "[Practice]\r\n");
    EXPECT_EQ(parsePracticeFile(bytes(text), "x.practice"), s);

    test::TempDir dir;
    writePracticeFile(practiceFileFor(dir.path / "My Song.sng"), s);
    EXPECT_TRUE(std::filesystem::exists(dir.path / "My Song.practice"));
    const PracticeFileLoad load = loadPracticeFor(dir.path / "My Song.sng");
    EXPECT_EQ(load.settings, s);
    EXPECT_EQ(load.problem, "");
    // Any line end, blanks, comments, other sections and unknown keys are taken in stride.
    EXPECT_EQ(parsePracticeFile(bytes("; mine\n[Other]\nCountIn=9\n[Practice]\n  CountIn = 2 \rNew=1\n"), "x")
                  .countIn,
              2);
}

// A damaged file is refused naming the file, the line and the value; opening a song with one gives
// the defaults and says so.
TEST(PracticeFile, DamagedFilesNameTheLine) {
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"[Practice]\r\nCountIn=2\r\nSwing=90\r\n", "x.practice line 3: Swing: \"90\""},
        {"[Practice]\r\nClick\r\n", "x.practice line 2: \"Click\" is not a key=value line"},
        {"CountIn=1\r\n", "x.practice has no [Practice] section"},
        {std::string("[Practice]\r\nSeed=1\0\r\n", 21), "x.practice line 2: not a text line"},
        {"[Practice]\nBarBreaks=2:x\n", "x.practice line 2: BarBreaks MUTE: \"x\""},
        {std::string(kMaxPracticeFileBytes + 1, ' '), "x.practice is too large"},
    };
    for (const auto& [text, message] : bad) {
        try {
            parsePracticeFile(bytes(text), "x.practice");
            ADD_FAILURE() << message;
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()).rfind(message, 0), 0u) << e.what();
        }
    }
    test::TempDir dir;
    writeFileAtomically(dir.path / "Song.practice", std::string_view("[Practice]\nDrop=80\n"));
    const PracticeFileLoad load = loadPracticeFor(dir.path / "Song.sng");
    EXPECT_EQ(load.settings, PracticeSettings{});
    EXPECT_NE(load.problem.find("line 2: Drop"), std::string::npos) << load.problem;
    EXPECT_NE(load.problem.find("default practice settings"), std::string::npos);
}
