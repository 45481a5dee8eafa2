#include "common/Error.h"
#include "song/SampleRestore.h"

#include <gtest/gtest.h>

#include <map>

using namespace tamboro;

namespace {

// The sample editor as the rules see it; files named "missing..." cannot be opened.
struct FakeEditor {
    std::map<int, std::string> files;
    std::map<int, int> base, frequency, pan;
    std::map<int, std::string> captions;
    std::vector<std::string> notices;
    std::vector<int> sliders;
    int enabled = 0;

    SampleTarget target() {
        return {[this](int n, const std::string& f) {
                    if (f.rfind("missing", 0) == 0)
                        throw Error("cannot open " + f);
                    files[n] = f;
                },
                [this](int n, int hz) { base[n] = frequency[n] = hz; },
                [this](int n, int hz) { frequency[n] = hz; },
                [this](int n, int p) { pan[n] = p; },
                [this](int n, const std::string& c) { captions[n] = c; },
                [this] { ++enabled; },
                [this](int hz) { sliders.push_back(hz); },
                [this](const std::string& t) { notices.push_back(t); },
                {}};
    }
};

} // namespace

TEST(PatternSamples, AppliesNamedSamplesAndSkipsBlanks) {
    PatternFileData data;
    data.samples = {{"C:\\loops\\Groove.wav", 22050}, {"Blank.wav", 44100}, {"missingHit.wav", 11025}};
    FakeEditor editor;
    restorePatternSamples(data, editor.target());
    EXPECT_EQ(editor.files[1], "C:\\loops\\Groove.wav");
    EXPECT_EQ(editor.base[1], 22050);
    EXPECT_EQ(editor.captions[1], "Groove");
    EXPECT_FALSE(editor.files.count(2)); // a blank pair leaves its sample alone
    EXPECT_FALSE(editor.base.count(2));
    EXPECT_FALSE(editor.captions.count(2));
    // A missing file is announced and falls back to Blank.wav, keeping its frequency.
    ASSERT_EQ(editor.notices.size(), 1u);
    EXPECT_EQ(editor.notices[0], "Can not find missingHit.wav\t\nYou may have moved or deleted this file.");
    EXPECT_EQ(editor.files[3], "Blank.wav");
    EXPECT_EQ(data.samples[2].fileName, "Blank.wav");
    EXPECT_EQ(editor.base[3], 11025);
    EXPECT_FALSE(editor.captions.count(3));
    EXPECT_EQ(editor.enabled, 3);
    EXPECT_FALSE(editor.files.count(4)); // pairs the file lacks change nothing
}

TEST(SongSamples, SetsFilesCaptionsFrequenciesAndPans) {
    SongFileData song;
    song.samples = {{"Blank.wav", 44100, -200}, {"D:\\kit\\Tambourine.wav", 30000, std::nullopt}};
    FakeEditor editor;
    editor.pan[2] = 777;
    restoreSongSamples(song, editor.target());
    EXPECT_EQ(editor.files[1], "Blank.wav");
    EXPECT_EQ(editor.captions[1], "Blank");
    EXPECT_EQ(editor.frequency[1], 44100);
    EXPECT_EQ(editor.pan[1], -200);
    EXPECT_EQ(editor.captions[2], "Tambouri");
    EXPECT_EQ(editor.pan[2], 777); // a three-line block keeps the pan
    EXPECT_EQ(editor.sliders, std::vector<int>{30000});
    EXPECT_EQ(editor.enabled, 1);
}

TEST(SongSamples, AFileThatCannotBeOpenedStopsTheOpen) {
    SongFileData song;
    song.samples = {{"Hit.wav", 22050, 0}, {"missing.wav", 22050, 0}, {"Late.wav", 22050, 0}};
    FakeEditor editor;
    EXPECT_THROW(restoreSongSamples(song, editor.target()), Error);
    EXPECT_EQ(editor.files[1], "Hit.wav");
    EXPECT_FALSE(editor.files.count(3));
}

TEST(SongSamples, TheCheckFindsAMissingFileBeforeAnySampleChanges) {
    SongFileData song;
    song.samples = {{"Hit.wav", 22050, 0}, {"missing.wav", 22050, 0}, {"Late.wav", 22050, 0}};
    FakeEditor editor;
    SampleTarget target = editor.target();
    std::vector<std::string> checked;
    target.checkFileName = [&checked](const std::string& f) {
        checked.push_back(f);
        if (f.rfind("missing", 0) == 0)
            throw Error("cannot open " + f);
    };
    EXPECT_THROW(checkSongSamples(song, target), Error);
    EXPECT_EQ(checked, (std::vector<std::string>{"Hit.wav", "missing.wav"}));
    EXPECT_TRUE(editor.files.empty());
    song.samples.pop_back();
    song.samples[1].fileName = "Fine.wav";
    EXPECT_NO_THROW(checkSongSamples(song, target));
    EXPECT_TRUE(editor.files.empty());
}
