#include "kitimport/SfzFile.h"
#include "kitimport/SfzImport.h"

#include <gtest/gtest.h>

#include <map>

using namespace tamboro;

namespace {

TEST(SfzFile, KeysFromNumbersAndNoteNames) {
    const std::pair<const char*, int> cases[] = {{"36", 36}, {"c4", 60}, {"C#4", 61}, {"db4", 61},
                                                 {"a0", 21}, {"c-1", 0}, {"g9", 127}, {"128", -1},
                                                 {"h2", -1}, {"", -1}};
    for (const auto& [text, key] : cases)
        EXPECT_EQ(sfzKey(text), key) << text;
    EXPECT_EQ(gmDrumName(36), "Bass Drum 1");
    EXPECT_EQ(gmDrumName(42), "Closed Hi-Hat");
    EXPECT_EQ(gmDrumName(81), "Open Triangle");
    EXPECT_EQ(gmDrumName(20), "Key 20");
}

// A kit written the way free SFZ drum kits are: a <control> default path, #define'd keys, groups
// named by comments, velocity layers and round-robins, an #include, and an include loop.
TEST(SfzFile, OneCandidatePerKeyFromTheLoudestLayer) {
    const std::map<std::string, std::string> files{
        {"kit.sfz", R"(// Test kit
#define $KICK 36
#define $SN 38
<control> default_path=samples\drums/
/* a block comment
   over lines <region> sample=never.wav key=1 */
// Big Kick
<group> key=$KICK volume=-6
<region> sample=kick soft.wav hivel=60
<region> sample=kick hard.wav lovel=61 hivel=127
<group> key=$SN pan=-50 // Snare
<region> sample=sn_rr1.wav seq_position=1 lokey=38 hikey=38
<region> sample=sn_rr2.wav seq_position=2
#include "toms.sfz"
#include "kit.sfz"
<region> sample=nokey.wav
)"},
        {"toms.sfz",
         "<group> lokey=c3 hikey=49\n<region> sample=tom.wav amplitude=50\n#include \"toms.sfz\"\n"}};
    const SfzIncludeLoader load = [&](const std::string& path) -> std::optional<std::string> {
        const auto found = files.find(path);
        return found == files.end() ? std::nullopt : std::optional<std::string>(found->second);
    };
    const SfzParse parsed = parseSfz(files.at("kit.sfz"), "kit.sfz", load);
    ASSERT_EQ(parsed.warnings.size(), 2u);
    EXPECT_NE(parsed.warnings[0].find("toms.sfz"), std::string::npos);
    EXPECT_NE(parsed.warnings[0].find("loop"), std::string::npos);
    EXPECT_NE(parsed.warnings[1].find("kit.sfz"), std::string::npos);

    const auto candidates = sfzCandidates(parsed.regions);
    struct Expected {
        const char* name;
        const char* sample;
        double gain;
        double pan;
    };
    const Expected expected[] = {
        {"Big Kick", "samples/drums/kick hard.wav", 0.501, 0},
        {"Snare", "samples/drums/sn_rr1.wav", 1, -0.5},
        {"Hi-Mid Tom", "samples/drums/tom.wav", 0.5, 0}, // c3 = 48 .. 49: two keys, GM names
        {"Crash Cymbal 1", "samples/drums/tom.wav", 0.5, 0},
    };
    ASSERT_EQ(candidates.size(), std::size(expected));
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(candidates[i].name, expected[i].name);
        EXPECT_EQ(candidates[i].sample, expected[i].sample);
        EXPECT_NEAR(candidates[i].gain, expected[i].gain, 0.001);
        EXPECT_NEAR(candidates[i].pan, expected[i].pan, 1e-9);
    }
}

TEST(SfzFile, DamagedTextKeepsWhatCanBeUsed) {
    const SfzIncludeLoader none = [](const std::string&) { return std::nullopt; };
    struct Case {
        const char* text;
        std::size_t regions;
        std::size_t warnings;
    } cases[] = {
        {"", 0, 0},
        {"<region", 0, 0},
        {"<region> key=", 1, 0},
        {"#include", 0, 1},
        {"#include \"gone.sfz\"", 0, 1},
        {"=====", 0, 0},
        {"/* never closed <region> key=36 sample=a.wav", 0, 0},
    };
    for (const Case& c : cases) {
        const SfzParse parsed = parseSfz(c.text, "bad.sfz", none);
        EXPECT_EQ(parsed.regions.size(), c.regions) << c.text;
        EXPECT_EQ(parsed.warnings.size(), c.warnings) << c.text;
    }
    const SfzParse odd =
        parseSfz("<region> key=36 sample=a.wav lovel=x hivel=-5 volume=nan", "bad.sfz", none);
    ASSERT_EQ(odd.regions.size(), 1u);
    EXPECT_EQ(odd.regions[0].loKey, 36);
    EXPECT_EQ(odd.regions[0].hiVel, 0);
    EXPECT_EQ(odd.regions[0].loVel, 1);
    EXPECT_EQ(odd.regions[0].volumeDb, 0.0);
}

} // namespace
