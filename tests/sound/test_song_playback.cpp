// Song playback over the flattened script: tempo per pattern, global speed, repeat, the start
// entry and the end of the song.

#include "KitFixture.h"

#include "song/PatternFile.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

#include <filesystem>

namespace tamboro {
namespace {

namespace fs = std::filesystem;
using test::kitName;

struct SongFixture : test::KitFixture {
    // A folder of this test's own: the test cases run as separate processes, side by side.
    test::TempDir tmp;
    fs::path dir = tmp.path;
    std::vector<int> selections;

    SongFixture() {
        writePattern("A", 16, 100, 2);
        writePattern("B", 8, 140, 1);
        playback->events.selectPlayListEntry = [this](int i) { selections.push_back(i); };
    }
    void writePattern(const std::string& name, int steps, int bpm, int loops) {
        PatternGrid g;
        g.layOut(steps, 4);
        g.setName(name);
        for (int row = 2; row < 2 + steps; ++row)
            g.setCell(1, row, kitName("Drum1"));
        std::vector<PatternSample> samples(kExtraSampleCount, PatternSample{"Blank.wav", 44100});
        writePatternFile(dir, name, buildPatternFileLines(g, bpm, loops, samples));
    }
    // Runs song ticks by hand until the song ends; returns the step interval in force after each.
    std::vector<int> playToEnd(int limit = 1000) {
        std::vector<int> intervals;
        while (playback->songPlaying() && limit-- > 0) {
            playback->onSongTick();
            intervals.push_back(playback->songClock.interval());
        }
        return intervals;
    }
};

TEST(SongPlayback, PlaysEachPatternAtItsTempoAndEnds) {
    SongFixture f;
    ASSERT_TRUE(f.playback->playSong(f.dir, {"A", "B"}, -1));
    EXPECT_EQ(f.playback->songScript.size(), 1u + 1 + 192 + 1 + 1 + 48 + 1);
    EXPECT_EQ(f.playback->bpm(), 140); // the field shows the last pattern
    const auto intervals = f.playToEnd();
    ASSERT_EQ(intervals.size(), 40u);
    EXPECT_EQ(intervals[0], 150);
    EXPECT_EQ(intervals[31], 150);
    EXPECT_EQ(intervals[32], 107);
    EXPECT_EQ(intervals[39], 107);
    EXPECT_TRUE(f.playback->songScript.empty());
    EXPECT_TRUE(f.playback->playButtonsEnabled);
    EXPECT_EQ(f.selections, (std::vector<int>{-1, 0}));
}

TEST(SongPlayback, GlobalSpeedRepeatAndStartEntry) {
    SongFixture f;
    f.playback->toggleGlobalSpeed(); // global speed on at 120 BPM
    f.playback->toggleRepeatSong();  // repeat song
    ASSERT_TRUE(f.playback->playSong(f.dir, {"A", "B"}, 1));
    EXPECT_EQ(f.selections, std::vector<int>{0});
    EXPECT_EQ(f.playback->songScript.size(), 1u + 1 + 48 + 1);
    for (int tick = 0; tick < 20; ++tick) {
        f.playback->onSongTick();
        EXPECT_EQ(f.playback->songClock.interval(), 125) << tick;
    }
    EXPECT_TRUE(f.playback->songPlaying()); // wrapped to the top without a gap
    f.playback->stopPlayback();
    EXPECT_FALSE(f.playback->songPlaying());
    f.playback->onSongTick(); // a tick after Stop does nothing harmful
    EXPECT_TRUE(f.playback->songScript.empty());
}

TEST(SongPlayback, MissingPatternOrEmptyListStartsNothing) {
    SongFixture f;
    std::vector<std::string> messages;
    f.playback->events.message = [&](const std::string& text, const std::string&) {
        messages.push_back(text);
    };
    EXPECT_FALSE(f.playback->playSong(f.dir, {"A", "Missing"}, -1));
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_FALSE(f.playback->songPlaying());
    EXPECT_TRUE(f.playback->playButtonsEnabled);
    EXPECT_FALSE(f.playback->playSong(f.dir, {}, -1));
    EXPECT_FALSE(f.playback->songPlaying());
}

TEST(SongPlayback, ClearAllStopsAPlayingSongAndItsLaterTicks) {
    SongFixture f;
    ASSERT_TRUE(f.playback->playSong(f.dir, {"A", "B"}, -1));
    f.playback->onSongTick();
    EXPECT_FALSE(f.playback->playButtonsEnabled);
    f.playback->clearSong();
    EXPECT_FALSE(f.playback->songPlaying());
    EXPECT_TRUE(f.playback->songScript.empty());
    EXPECT_TRUE(f.playback->playButtonsEnabled);
    EXPECT_EQ(f.playback->stopRequest, "Stop");
    // A tick already handed over before the clock stopped reads nothing of the dropped script.
    f.playback->onSongTick();
    EXPECT_FALSE(f.playback->songPlaying());
    // The next start plays again from a clean state.
    ASSERT_TRUE(f.playback->playSong(f.dir, {"B"}, -1));
    EXPECT_EQ(f.playToEnd().size(), 8u);
}

} // namespace
} // namespace tamboro
