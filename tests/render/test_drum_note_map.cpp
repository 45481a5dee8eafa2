// The MIDI export's notes and velocities: the level law, the General MIDI names, the note map's
// order of precedence and its file format.
#include "common/Error.h"
#include "kits/DefaultKitSynth.h"
#include "render/DrumNoteMap.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace tamboro;

namespace {

std::span<const std::uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

} // namespace

TEST(MidiVelocity, FollowsTheLevelLawAndFallsWithTheLevel) {
    // round(127 x 10^(-5 L / 40)): -5 dB a level, halved in dB by the velocity-squared curve.
    const int expected[] = {127, 95, 71, 54, 40, 30, 23, 17, 13, 10};
    for (int level = 0; level <= 9; ++level)
        EXPECT_EQ(midiVelocity(level), expected[level]) << "level " << level;
    EXPECT_EQ(midiVelocity(100), 1); // never a note-off in disguise
}

TEST(GeneralMidiDrumNote, ByInstrumentName) {
    const struct {
        const char* name;
        int note;
    } cases[] = {
        {"Kick", 36},      {"Bass Drum", 36}, {"Rimshot", 37},    {"Snare", 38},       {"SD", 38},
        {"Clap", 39},      {"ClsHiat", 42},   {"Closed Hat", 42}, {"hi-hat", 42},      {"HH", 42},
        {"PedalHiat", 44}, {"Foot Hat", 44},  {"OpenHiat", 46},   {"Hi-Hat Open", 46}, {"Low Tom", 45},
        {"Floor Tom", 45}, {"Mid Tom", 47},   {"Tom", 47},        {"High Tom", 50},    {"HiTom", 50},
        {"Crash", 49},     {"Ride", 51},      {"Ride Bell", 53},  {"Tambourine", 54},  {"Cowbell", 56},
        {"Shaker", 70},    {"KICK", 36},      {"  snare  ", 38},  {"Gong", -1},        {"", -1},
        {"Sample1", -1},   {"Bell", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(generalMidiDrumNote(c.name), c.note) << c.name;
}

TEST(GeneralMidiDrumNote, EveryDefaultKitInstrumentHasItsOwnNote) {
    std::set<int> notes;
    for (const auto name : defaultKitDisplayNames) {
        const int note = generalMidiDrumNote(name);
        EXPECT_GE(note, 35) << name;
        notes.insert(note);
    }
    EXPECT_EQ(notes.size(), defaultKitDisplayNames.size());
}

TEST(DrumNoteMap, OverridesThenNamesThenSamplesThenTheDefaultOrder) {
    DrumNoteMap map(NoteMapOverrides{{"kick", 35}, {"sample2", 80}, {"gong", 40}});
    EXPECT_EQ(map.noteFor("Kick"), 35);  // the map file wins over the name
    EXPECT_EQ(map.noteFor("Snare"), 38); // General MIDI by name
    EXPECT_EQ(map.noteFor("Sample1"), 60);
    EXPECT_EQ(map.noteFor("SAMPLE32"), 91);
    EXPECT_EQ(map.noteFor("Sample2"), 80);
    EXPECT_EQ(map.noteFor("Sample33"), map.noteFor("Sample33")); // no extra sample: a default note
    // Unknown names: the default order in order of first use, skipping notes the map file gives.
    DrumNoteMap fresh(NoteMapOverrides{{"gong", 40}});
    EXPECT_EQ(fresh.noteFor("Gong"), 40);
    EXPECT_EQ(fresh.noteFor("Bongo"), 35);
    EXPECT_EQ(fresh.noteFor("Conga"), 41); // 40 belongs to Gong
    EXPECT_EQ(fresh.noteFor("bongo"), 35); // the same name keeps its note
}

TEST(NoteMapFile, ReadsNamesAndNotesWithCommentsAndAnyLineEnd) {
    const auto map =
        parseNoteMapFile(bytesOf("# my DAW's kit\r\nKick=35\r\n\r\n  Low Tom = 41 \nSample1=72\rx=0\n"
                                 "Ride Bell=127"),
                         "kit.map");
    const NoteMapOverrides expected{
        {"kick", 35}, {"low tom", 41}, {"sample1", 72}, {"x", 0}, {"ride bell", 127}};
    EXPECT_EQ(map, expected);
    EXPECT_TRUE(parseNoteMapFile(bytesOf(""), "empty.map").empty());
}

TEST(NoteMapFile, BadLinesNameTheFileAndTheLine) {
    const struct {
        std::string text;
        const char* message;
    } cases[] = {
        {"Kick=36\nSnare 38\n", "line 2: \"Snare 38\" is not of the form name=note"},
        {"=36\n", "line 1: the instrument name before '=' is empty"},
        {"Kick=\n", "line 1: the note \"\" is not a number from 0 to 127"},
        {"\nKick=128\n", "line 2: the note \"128\" is not a number from 0 to 127"},
        {"Kick=-1\n", "line 1: the note \"-1\""},
        {"Kick=3x\n", "line 1: the note \"3x\""},
        {"Kick=36\n# c\nKICK=35\n", "line 3: \"KICK\" is mapped already on line 1"},
        {std::string("Kick=3\0"
                     "6\n",
                     9),
         "line 1: holds a character that is not text"},
        {std::string(1 << 20, '#') + "\n", "larger than a note map can be"},
    };
    for (const auto& c : cases) {
        try {
            parseNoteMapFile(bytesOf(c.text), "drums.map");
            ADD_FAILURE() << "accepted: " << c.message;
        } catch (const Error& e) {
            const std::string what = e.what();
            EXPECT_NE(what.find("drums.map"), std::string::npos) << what;
            EXPECT_NE(what.find(c.message), std::string::npos) << what;
        }
    }
}
