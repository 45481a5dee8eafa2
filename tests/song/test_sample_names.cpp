// The sample name rules: the file part, the blank sound, and the 8-character button captions (the
// plain one the player, the song loader and the sample editor show, and the pattern loader's,
// which leaves the button alone for the blank sound).

#include "song/SampleNames.h"

#include <gtest/gtest.h>

namespace tamboro {
namespace {

TEST(SampleNames, FilePartBlankAndCaptions) {
    struct Case {
        std::string name, filePart, caption, buttonCaption;
        bool blank;
    };
    const Case cases[] = {
        {"Blank.wav", "Blank.wav", "Blank", "", true},
        {"C:\\Tamboro\\blank.WAV", "blank.WAV", "blank", "", true},
        {"C:\\loops\\Groove.wav", "Groove.wav", "Groove", "Groove", false},
        {"C:\\Samples\\kick.wav", "kick.wav", "kick", "kick", false},
        {"/home/u/LongSampleName.wav", "LongSampleName.wav", "LongSamp", "LongSamp", false},
        {"/home/u/drumloop-long.wav", "drumloop-long.wav", "drumloop", "drumloop", false},
        {"D:x.wav", "x.wav", "x", "x", false},
        {"ab.wav", "ab.wav", "ab", "ab", false},
        {"ab", "ab", "", "", false},
        {"x", "x", "", "", false},
        {"12345678.wav", "12345678.wav", "12345678", "12345678", false},
        {"123456789.wav", "123456789.wav", "12345678", "12345678", false},
        {"Blank.mp3", "Blank.mp3", "Blank", "", false},
        {"dir/", "", "", "", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sampleFilePart(c.name), c.filePart) << c.name;
        EXPECT_EQ(sampleCaption(c.name), c.caption) << c.name;
        EXPECT_EQ(sampleButtonCaption(c.name), c.buttonCaption) << c.name;
        EXPECT_EQ(isBlankSample(c.name), c.blank) << c.name;
    }
}

} // namespace
} // namespace tamboro
