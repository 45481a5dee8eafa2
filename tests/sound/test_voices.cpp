// Sounding cells and kit voices: level to volume, voice reuse, looped items, channel gating, extra
// samples, the audition, Stop, pan and re-initialisation.

#include "KitFixture.h"

#include "sound/PlayCell.h"

#include <gtest/gtest.h>

namespace tamboro {
namespace {

using test::kitName;

TEST(PlayCell, LevelCharacterGivesTheVolume) {
    struct Case {
        char level;
        std::int32_t volume;
    } cases[] = {{' ', -500}, {'0', 0}, {'1', -500}, {'2', -1000}, {'5', -2500}, {'9', -4500}, {'x', -500}};
    test::KitFixture f;
    for (const auto& c : cases) {
        std::string text = kitName("Drum1");
        text[11] = c.level;
        EXPECT_TRUE(f.playback->playCell(text, 1)) << c.level;
        EXPECT_EQ(f.kit.item(1).volume(), c.volume) << c.level;
        EXPECT_EQ(f.voices->mainBuffer(1)->volume(), c.volume);
    }
}

TEST(PlayCell, WhatSoundsForWhichText) {
    struct Case {
        std::string text;
        bool kitHit;
        int sampleStream; // 0: none
    } cases[] = {
        {kitName("Drum3"), true, 0}, {"drum3     [7]", true, 0}, // letter case is ignored
        {"Sample3", false, 3},                       // extra sample 3 (list index 19 with lastKitIndex 16)
        {"sample32", false, 32},     {"", false, 0}, // the empty instrument at 0 sounds nothing
        {"Unknown   [ ]", false, 0}, {"Sample33", false, 0},
        {"Drum3", false, 0}, // a short text must match a whole entry
    };
    for (const auto& c : cases) {
        test::KitFixture f;
        EXPECT_EQ(f.playback->playCell(c.text, 2), c.kitHit) << c.text;
        for (int n = 1; n <= 32; ++n)
            EXPECT_EQ(f.samples->isPlaying(n), n == c.sampleStream) << c.text << " stream " << n;
        f.renderMs(1);
        std::size_t voices = 0;
        for (int i = 0; i < f.kit.count(); ++i)
            voices += f.voices->voiceCount(i);
        EXPECT_EQ(voices, c.kitHit ? 1u : 0u) << c.text;
    }
}

TEST(PlayCell, ChannelSwitchGatesHitsButNotTheAudition) {
    test::KitFixture f;
    f.playback->toggleChannel(64);
    EXPECT_FALSE(f.playback->playCell(kitName("Drum2"), 4));
    EXPECT_FALSE(f.playback->playCell("Sample1", 4));
    EXPECT_FALSE(f.samples->isPlaying(1));
    EXPECT_EQ(f.voices->voiceCount(2), 0u);
    EXPECT_TRUE(f.playback->playCell(kitName("Drum2"), 3)); // other channels still sound
    f.instruments_.setText(kitName("Drum5"));
    f.playback->playInstrument();
    EXPECT_EQ(f.voices->voiceCount(5), 1u);
}

TEST(KitVoices, UnlimitedItemOverlapsItsHits) {
    test::KitFixture f;
    for (int hit = 0; hit < 3; ++hit) {
        f.voices->play(1);
        f.renderMs(10);
    }
    ASSERT_EQ(f.voices->voiceCount(1), 3u);
    for (std::size_t v = 0; v < 3; ++v)
        EXPECT_TRUE(f.voices->voice(1, v)->isPlaying()) << v;
    f.renderMs(200); // all three have ended: the next hit reuses the first voice
    f.voices->play(1);
    EXPECT_EQ(f.voices->voiceCount(1), 3u);
    EXPECT_TRUE(f.voices->voice(1, 0)->isPlaying());
    EXPECT_FALSE(f.voices->voice(1, 1)->isPlaying());
}

TEST(KitVoices, LimitedItemCutsTheOldestVoice) {
    test::KitFixture f;
    f.kit.item(1).setMaxPlayingCount(2);
    f.voices->play(1);
    f.renderMs(10);
    f.voices->play(1);
    f.renderMs(10);
    const SoundBuffer* first = f.voices->voice(1, 0);
    const SoundBuffer* second = f.voices->voice(1, 1);
    f.voices->play(1);
    ASSERT_EQ(f.voices->voiceCount(1), 2u);
    EXPECT_EQ(f.voices->voice(1, 0), second);
    EXPECT_EQ(f.voices->voice(1, 1), first); // moved to the tail and restarted
    f.renderMs(1);
    EXPECT_LT(first->position(), 100u);
    EXPECT_GT(second->position(), 400u);
}

TEST(KitVoices, LoopedItemRestartsItsMainBuffer) {
    test::KitFixture f;
    f.kit.item(4).setLooped(true);
    f.voices->play(4);
    f.renderMs(250);
    EXPECT_TRUE(f.voices->mainBuffer(4)->isLooping());
    EXPECT_EQ(f.voices->voiceCount(4), 0u);
    f.voices->play(4);
    f.renderMs(1);
    EXPECT_LT(f.voices->mainBuffer(4)->position(), 100u);
}

TEST(KitVoices, PanGoesToTheMainBufferAndToVoicesAtTheirNextStart) {
    test::KitFixture f;
    f.voices->play(6);
    f.voices->setPan(6, 1500);
    EXPECT_EQ(f.kit.item(6).pan(), 1500);
    EXPECT_EQ(f.voices->mainBuffer(6)->pan(), 1500);
    EXPECT_EQ(f.voices->voice(6, 0)->pan(), 0); // a sounding voice keeps what it had
    f.renderMs(200);
    f.voices->play(6);
    EXPECT_EQ(f.voices->voice(6, 0)->pan(), 1500);
}

TEST(KitVoices, ReinitialisingCutsEveryVoiceAndDropsDuplicates) {
    test::KitFixture f;
    f.kit.item(2).setPan(-700);
    f.voices->play(2);
    f.voices->play(2);
    f.renderMs(5);
    const std::size_t buffersBefore = f.device->buffersInUse();
    f.voices->initialize(*f.device);
    f.renderMs(5);
    f.device->collectGarbage();
    EXPECT_EQ(f.voices->voiceCount(2), 0u);
    EXPECT_EQ(f.device->buffersInUse(), buffersBefore - 2);
    EXPECT_EQ(f.voices->mainBuffer(2)->pan(), -700); // the item's pan survives
    const auto out = f.backend->render(64);
    for (float s : out)
        EXPECT_EQ(s, 0.0f); // all kit sound stopped
}

TEST(Audition, PlaysTheCurrentInstrumentOrTheLastOne) {
    struct Case {
        std::string text;
        int kitItem;      // whose voice list grows; 0 = none
        int sampleStream; // 0 = none
    } cases[] = {
        {kitName("Drum7"), 7, 0},
        {"Not in the list", 16, 0}, // unknown text: the last kit instrument
        {"Sample5", 0, 5},
        {"", 0, 0}, // the empty instrument
    };
    for (const auto& c : cases) {
        test::KitFixture f;
        f.instruments_.setText(c.text);
        f.playback->playInstrument();
        for (int i = 1; i < f.kit.count(); ++i)
            EXPECT_EQ(f.voices->voiceCount(i), i == c.kitItem ? 1u : 0u) << c.text << " item " << i;
        EXPECT_EQ(c.sampleStream == 0 || f.samples->isPlaying(c.sampleStream), true) << c.text;
    }
}

TEST(Stop, SilencesExtraSamplesButKitVoicesRingOut) {
    test::KitFixture f;
    f.playback->playCell("Sample2", 1);
    f.playback->playCell(kitName("Drum9"), 2);
    f.renderMs(2);
    f.playback->stopPlayback();
    f.renderMs(2);
    EXPECT_FALSE(f.samples->isPlaying(2));
    EXPECT_TRUE(f.voices->voice(9, 0)->isPlaying());
    EXPECT_EQ(f.playback->stopRequest, "Stop");
}

TEST(SoundDevice, MemoryOfDestroyedBuffersIsKeptUntilTheMixerLetsGo) {
    test::KitFixture f;
    auto sample = SampleData::fromWave(test::toneWave(100));
    std::weak_ptr<const SampleData> watch = sample;
    auto buffer = f.device->createBuffer(std::move(sample));
    buffer->play(false);
    f.renderMs(1);
    buffer.reset();
    f.device->collectGarbage();
    EXPECT_FALSE(watch.expired()); // the Detach has not been rendered yet
    f.renderMs(1);
    f.device->collectGarbage();
    EXPECT_TRUE(watch.expired());
}

} // namespace
} // namespace tamboro
