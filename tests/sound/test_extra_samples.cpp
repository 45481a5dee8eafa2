// The extra samples as the sample editor keeps them: file names and sounds of the 32 players,
// refused values, the slider rule, semitone steps, the knobs and "&Open" with its working copy.

#include "sound/ExtraSamples.h"

#include "common/Error.h"
#include "common/Files.h"
#include "common/Rounding.h"
#include "song/SampleNames.h"
#include "sound/ManualBackend.h"
#include "sound/SampleStreams.h"
#include "sound/SoundDevice.h"
#include "support/SoundFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

namespace tamboro {
namespace {

namespace fs = std::filesystem;

Wave toneWave(std::uint32_t rate, std::size_t frames = 64, std::uint16_t bits = 16) {
    Wave::Bytes bytes(frames * (bits / 8u), 0);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return Wave::pcm(1, rate, bits, bytes);
}

// Plain writes: the working copies only need to exist, and an atomic write per file (with its
// flush to disk) would make each test take a third of a second.
void writeWav(const fs::path& path, const Wave& wave) {
    const Wave::Bytes bytes = wave.toBytes();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

struct Workspace {
    test::TempDir dir;
    std::unique_ptr<SoundDevice> device;
    std::unique_ptr<SampleStreams> streams;
    std::unique_ptr<ExtraSamples> samples;
    test::ManualBackend* backend = nullptr;

    Workspace() {
        fs::create_directories(dir.path / "temp");
        writeWav(dir.path / "Blank.wav", toneWave(44100, 441));
        for (int n = 1; n <= ExtraSamples::kCount; ++n)
            writeWav(dir.path / "temp" / ("sample" + std::to_string(n) + ".wav"), toneWave(44100, 441));
        auto manual = std::make_unique<test::ManualBackend>();
        backend = manual.get();
        device = std::make_unique<SoundDevice>(std::move(manual));
        const Wave blank = ExtraSamples::loadBlank(dir.path);
        streams = std::make_unique<SampleStreams>(*device, blank);
        samples = std::make_unique<ExtraSamples>(*streams, dir.path, blank);
    }

    fs::path wav(const std::string& name, std::uint32_t rate, std::size_t frames = 64) {
        const fs::path path = dir.path / "in" / name;
        fs::create_directories(path.parent_path());
        writeWav(path, toneWave(rate, frames));
        return path;
    }
};

TEST(ExtraSamples, StartWithBlankAtItsOwnRate) {
    Workspace w;
    for (int n : {1, 17, 32}) {
        EXPECT_EQ(w.samples->fileName(n), "Blank.wav");
        EXPECT_TRUE(w.samples->hasSound(n));
        EXPECT_EQ(w.samples->frequency(n), 44100);
        EXPECT_EQ(w.samples->pan(n), 0);
        EXPECT_EQ(w.samples->volume(n), 0);
        EXPECT_EQ(w.samples->pitchCents[static_cast<std::size_t>(n)], 0);
        ASSERT_NE(w.streams->player(n), nullptr);
    }
    EXPECT_EQ(w.samples->currentSample, 1);
    EXPECT_THROW(w.samples->fileName(0), Error);
    EXPECT_THROW(w.samples->fileName(33), Error);
}

TEST(ExtraSamples, MissingBlankFallsBackToSilence) {
    test::TempDir dir;
    const Wave blank = ExtraSamples::loadBlank(dir.path);
    ASSERT_TRUE(blank.isPlayablePcm());
    EXPECT_GT(blank.frames(), 0u);
    for (std::uint8_t b : blank.data())
        EXPECT_EQ(b, 0);
}

TEST(ExtraSamples, FileNamesOpenAtTheFilesOwnRateAndReset) {
    Workspace w;
    const fs::path path = w.wav("snap.wav", 22050);
    ASSERT_TRUE(w.samples->setPan(4, -3000));
    ASSERT_TRUE(w.samples->setVolume(4, -1200));
    w.samples->setFileName(4, path.string());
    EXPECT_EQ(w.samples->fileName(4), path.string());
    EXPECT_EQ(w.samples->frequency(4), 22050);
    EXPECT_EQ(w.samples->pan(4), 0);
    EXPECT_EQ(w.samples->volume(4), 0);
    EXPECT_EQ(w.streams->player(4)->frequency(), 22050);
    EXPECT_EQ(w.streams->player(4)->sample()->format().sampleRate, 22050u);

    // The same name again changes nothing, not even the settings made since.
    ASSERT_TRUE(w.samples->setPan(4, 500));
    ASSERT_TRUE(w.samples->setFrequency(4, 30000));
    w.samples->setFileName(4, path.string());
    EXPECT_EQ(w.samples->pan(4), 500);
    EXPECT_EQ(w.samples->frequency(4), 30000);

    // A relative name is found in the program folder whatever its letter case.
    w.wav("Loop.WAV", 11025);
    w.samples->setFileName(5, "IN/loop.wav");
    EXPECT_EQ(w.samples->frequency(5), 11025);
}

TEST(ExtraSamples, FilesThatCannotBePlayedLeaveTheNameWithoutSound) {
    Workspace w;
    const fs::path text = w.dir.path / "notes.wav";
    std::ofstream(text) << "this is not a wave";
    const fs::path empty = w.dir.path / "empty.wav";
    std::ofstream(empty).flush();

    struct Case {
        fs::path file;
        std::string message;
    } cases[] = {
        {text, "notes.wav is not a sound file"},
        {empty, "Sound Buffer cannot be made"},
        {w.dir.path / "missing.wav", "missing.wav"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.string());
        try {
            w.samples->setFileName(7, c.file.string());
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.file.string()), std::string::npos) << e.what();
        }
        // The check reports the same without touching a player.
        EXPECT_THROW(w.samples->checkFileName(c.file.string()), Error);
        EXPECT_EQ(w.samples->fileName(7), c.file.string());
        EXPECT_FALSE(w.samples->hasSound(7));
        EXPECT_EQ(w.streams->player(7), nullptr);
        try {
            w.samples->restart(7);
            ADD_FAILURE() << "played without a sound";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), "WaveStream not set");
        }
    }
    // Once the file is there, giving the same name again reads it.
    toneWave(8000).writeFile(w.dir.path / "missing.wav");
    w.samples->setFileName(7, (w.dir.path / "missing.wav").string());
    EXPECT_TRUE(w.samples->hasSound(7));
    EXPECT_EQ(w.samples->frequency(7), 8000);
}

TEST(ExtraSamples, RefusedValuesKeepThePreviousOne) {
    Workspace w;
    struct Case {
        const char* what;
        bool (ExtraSamples::*set)(int, std::int32_t);
        std::int32_t (ExtraSamples::*get)(int) const;
        std::int32_t accepted, refused;
    } cases[] = {
        {"volume above 0", &ExtraSamples::setVolume, &ExtraSamples::volume, -700, 1},
        {"volume below -10000", &ExtraSamples::setVolume, &ExtraSamples::volume, -10000, -10001},
        {"pan right of 10000", &ExtraSamples::setPan, &ExtraSamples::pan, 10000, 10001},
        {"pan left of -10000", &ExtraSamples::setPan, &ExtraSamples::pan, -10000, -10001},
        {"frequency below 100", &ExtraSamples::setFrequency, &ExtraSamples::frequency, 100, 99},
        {"frequency above 200000", &ExtraSamples::setFrequency, &ExtraSamples::frequency, 200000, 200001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE((w.samples.get()->*c.set)(2, c.accepted));
        EXPECT_FALSE((w.samples.get()->*c.set)(2, c.refused));
        EXPECT_EQ((w.samples.get()->*c.get)(2), c.accepted);
    }
    EXPECT_EQ(w.streams->player(2)->volume(), -10000);
    EXPECT_EQ(w.streams->player(2)->pan(), -10000);
    EXPECT_EQ(w.streams->player(2)->frequency(), 200000);
}

TEST(ExtraSamples, KnobsSetHundredsAndTheVolumeKnobsUpperHalfIsRefused) {
    Workspace w;
    w.samples->setCurrentSample(9);
    w.samples->volumeKnobChanged(-12.345);
    EXPECT_EQ(w.samples->volume(9), -1234);
    w.samples->volumeKnobChanged(55);
    EXPECT_EQ(w.samples->volume(9), -1234);
    w.samples->panKnobChanged(-40);
    EXPECT_EQ(w.samples->pan(9), -4000);
    w.samples->panKnobChanged(0.125);
    EXPECT_EQ(w.samples->pan(9), 12);
    EXPECT_EQ(w.samples->volume(1), 0);
    EXPECT_EQ(w.samples->volumeKnobValue(9), -12);
    EXPECT_EQ(w.samples->panKnobValue(9), 0);
    ASSERT_TRUE(w.samples->setPan(9, 250));
    EXPECT_EQ(w.samples->panKnobValue(9), 2); // 2.5 rounds to even
}

TEST(ExtraSamples, SliderClampsAndThePlayerFollowsIt) {
    Workspace w;
    w.samples->setCurrentSample(3);
    struct Case {
        std::int32_t value, position;
    } cases[] = {{22050, 22050}, {100, 4410}, {4410, 4410}, {96000, 44100}, {44100, 44100}, {30000, 30000}};
    for (const Case& c : cases) {
        w.samples->setSlider(c.value);
        EXPECT_EQ(w.samples->sliderPosition(), c.position) << c.value;
        EXPECT_EQ(w.samples->frequency(3), c.position) << c.value;
    }
    // Already at the top, a higher frequency still ends at the top.
    w.samples->setSlider(44100);
    ASSERT_TRUE(w.samples->setFrequency(3, 48000));
    EXPECT_FALSE(w.samples->setSlider(48000));
    EXPECT_EQ(w.samples->frequency(3), 44100);
}

TEST(ExtraSamples, SemitoneStepsFollowTheBaseFrequency) {
    Workspace w;
    w.samples->setCurrentSample(6);
    w.samples->open(w.wav("snare.wav", 22050, 4000));
    EXPECT_EQ(w.samples->baseFrequency[6], 22050);

    ASSERT_TRUE(w.samples->pitchStep(+1));
    ASSERT_TRUE(w.samples->pitchStep(+1));
    const auto wholeTone = static_cast<std::int32_t>(roundHalfEven(22050 * std::exp2(200 / 1200.0)));
    EXPECT_EQ(wholeTone, 24750);
    EXPECT_EQ(w.samples->pitchCents[6], 200);
    EXPECT_EQ(w.samples->frequency(6), wholeTone);
    EXPECT_EQ(w.samples->sliderPosition(), wholeTone);
    EXPECT_TRUE(w.samples->isPlaying(6));

    // A manual slider setting is not remembered: the next step starts from baseFrequency again.
    w.samples->setSlider(10000);
    ASSERT_TRUE(w.samples->pitchStep(-1));
    EXPECT_EQ(w.samples->frequency(6), roundHalfEven(22050 * std::exp2(100 / 1200.0)));

    // Far down the slider's floor holds.
    for (int i = 0; i < 30; ++i)
        w.samples->pitchStep(-1);
    EXPECT_EQ(w.samples->frequency(6), 4410);

    // Opening a file starts its pitch afresh.
    w.samples->open(w.wav("tom.wav", 16000));
    EXPECT_EQ(w.samples->pitchCents[6], 0);
    ASSERT_TRUE(w.samples->pitchStep(+1));
    EXPECT_EQ(w.samples->frequency(6), roundHalfEven(16000 * std::exp2(100 / 1200.0)));
}

TEST(ExtraSamples, SemitoneStepsOnBlankDoNothing) {
    Workspace w;
    w.samples->setCurrentSample(2);
    w.samples->setSlider(30000);
    EXPECT_FALSE(w.samples->pitchStep(+1));
    EXPECT_FALSE(w.samples->pitchStep(-1));
    EXPECT_EQ(w.samples->pitchCents[2], 0);
    EXPECT_EQ(w.samples->frequency(2), 30000);
    EXPECT_FALSE(w.samples->isPlaying(2));
    // A full path whose file part is Blank.wav counts as blank too.
    w.samples->setFileName(2, (w.dir.path / "BLANK.WAV").string());
    EXPECT_FALSE(w.samples->pitchStep(+1));
}

TEST(ExtraSamples, OpeningAFileAboveTheSlidersRangePlaysAtItsTop) {
    Workspace w;
    w.samples->setCurrentSample(4);
    w.samples->setSlider(44100); // where the slider stands makes no difference
    ASSERT_TRUE(w.samples->setPan(4, 900));
    ASSERT_TRUE(w.samples->setVolume(4, -900));
    w.samples->open(w.wav("hats48k.wav", 48000));
    EXPECT_EQ(w.samples->frequency(4), 44100);
    EXPECT_EQ(w.samples->baseFrequency[4], 44100);
    EXPECT_EQ(w.streams->player(4)->frequency(), 44100);
    EXPECT_EQ(w.samples->pan(4), 0);
    EXPECT_EQ(w.samples->volume(4), 0);
}

std::vector<std::uint8_t> bytesOf(const fs::path& p) {
    return readFileBytes(p);
}

TEST(ExtraSamples, OpenWritesOnlyThisSamplesWorkingCopy) {
    Workspace w;
    std::vector<std::vector<std::uint8_t>> before;
    for (int n = 1; n <= ExtraSamples::kCount; ++n)
        before.push_back(bytesOf(w.samples->workingCopyPath(n)));
    // The working copies were written in lower case; "Sample5.wav" is the same file.
    EXPECT_EQ(w.samples->workingCopyPath(5), w.dir.path / "temp" / "sample5.wav");

    const fs::path chosen = w.wav("drumloop-long.wav", 32000, 300);
    w.samples->setCurrentSample(5);
    w.samples->open(chosen);
    for (int n = 1; n <= ExtraSamples::kCount; ++n) {
        if (n == 5)
            EXPECT_EQ(bytesOf(w.samples->workingCopyPath(n)), bytesOf(chosen));
        else
            EXPECT_EQ(bytesOf(w.samples->workingCopyPath(n)), before[static_cast<std::size_t>(n - 1)]) << n;
    }
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(w.dir.path / "temp"))
        ++files;
    EXPECT_EQ(files, 32u);
    EXPECT_EQ(w.samples->fileName(5), chosen.string());
    EXPECT_EQ(sampleCaption(w.samples->fileName(5)), "drumloop");
}

// A sound the players cannot take as it stands (here 24-bit FLAC at 96 kHz) is converted: the
// player and the working copy get 16-bit PCM at 44.1 kHz, while the name stays the chosen file's.
TEST(ExtraSamples, OpenConvertsOtherFormatsIntoTheWorkingCopy) {
    Workspace w;
    const fs::path chosen = w.dir.path / "in" / "ride.flac";
    fs::create_directories(chosen.parent_path());
    test::writeSoundFile(chosen, SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 2, 96000, 9600, test::sine(800, 96000));
    w.samples->setCurrentSample(3);
    w.samples->open(chosen);
    EXPECT_EQ(w.samples->fileName(3), chosen.string());
    EXPECT_EQ(w.samples->frequency(3), 44100);
    const Wave copy = Wave::readFile(w.samples->workingCopyPath(3));
    EXPECT_TRUE(copy.isPlayablePcm());
    EXPECT_EQ(copy.bitsPerSample(), 16);
    EXPECT_EQ(copy.sampleRate(), 44100u);
    EXPECT_EQ(copy.frames(), 4410u);
    EXPECT_TRUE(copy == w.samples->wave(3));
}

TEST(ExtraSamples, OpenWithoutATempFolderStillLoadsTheFile) {
    Workspace w;
    fs::remove_all(w.dir.path / "temp");
    w.samples->setCurrentSample(12);
    w.samples->open(w.wav("clap.wav", 11025));
    EXPECT_EQ(w.samples->frequency(12), 11025);
    EXPECT_FALSE(fs::exists(w.dir.path / "temp"));
}

TEST(ExtraSamples, RestartPlaysFromTheStartAndStopSilences) {
    Workspace w;
    w.samples->setCurrentSample(8);
    w.samples->open(w.wav("long.wav", 44100, 20000));
    w.samples->restart(8);
    EXPECT_TRUE(w.samples->isPlaying(8));
    w.backend->render(256);
    EXPECT_TRUE(w.samples->isPlaying(8));
    w.samples->stopAll();
    w.backend->render(256);
    EXPECT_FALSE(w.samples->isPlaying(8));
    // A short sound ends on its own and the playing flag turns false.
    w.samples->restart(1);
    w.backend->render(1024);
    EXPECT_FALSE(w.samples->isPlaying(1));
}

} // namespace
} // namespace tamboro
