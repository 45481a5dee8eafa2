// The MIDI export's file: the header, the tempo map at every Play List entry, notes at step x 120
// ticks on channel 10 with the level's velocity, channels left out, and what a MIDI file cannot
// hold.
#include "common/Error.h"
#include "render/MidiExport.h"

#include "render/SmfDecoder.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

using namespace tamboro;
using namespace tamboro::miditest;

namespace {

// A segment of `steps` rows x 6 channels, `cells` given by (row, channel from 1).
ScriptSegment segment(int tempo, int loops, int steps,
                      const std::vector<std::tuple<int, int, std::string>>& cells) {
    auto all = std::make_shared<std::vector<std::string>>(static_cast<std::size_t>(steps) * 6);
    for (const auto& [row, channel, text] : cells)
        (*all)[static_cast<std::size_t>(row * 6 + channel - 1)] = text;
    ScriptSegment s;
    s.tempo = tempo;
    s.loops = loops;
    s.steps = steps;
    s.cells = all;
    return s;
}

} // namespace

TEST(MidiExport, TempoAtEveryEntryAndOneNotePerHitAtItsStep) {
    RenderScript script;
    // Two loops of two steps at 120 BPM: kick (level blank) on step 0 channel 1, snare level 5 on
    // step 1 channel 3, hat level 9 on channel 6 of step 1 (switched off below).
    script.append(segment(
        120, 2, 2,
        {{0, 1, kitCell("Kick", ' ')}, {1, 3, kitCell("Snare", '5')}, {1, 6, kitCell("ClsHiat", '9')}}));
    // Then one step at 90 BPM: an extra sample and a kick of level 9 on the same step.
    script.append(segment(90, 1, 1, {{0, 2, "Sample3"}, {0, 4, kitCell("Kick", '9')}}));
    DrumNoteMap notes;
    const MidiSong midi = songToMidi(script, {true, true, true, true, true, false}, notes, "Groove");
    EXPECT_EQ(midi.notes, 6u);
    EXPECT_EQ(midi.tempoEvents, 2u);

    const Decoded d = decodeSmf(midi.bytes);
    EXPECT_EQ(d.format, 1);
    EXPECT_EQ(d.tracks, 2);
    EXPECT_EQ(d.division, 480);
    const std::vector<Event> tempoTrack{
        {0, {0xFF, 0x03, 6, 'G', 'r', 'o', 'o', 'v', 'e'}},
        {0, {0xFF, 0x51, 3, 0x07, 0xA1, 0x20}},   // 500 000 us a quarter: 120 BPM
        {480, {0xFF, 0x51, 3, 0x0A, 0x2C, 0x2B}}, // 666 667 us: 90 BPM, at step 4
        {480, {0xFF, 0x2F, 0}},
    };
    EXPECT_EQ(d.events[0], tempoTrack);
    // Events of one tick: note-offs first, then the note-ons in channel order.
    const std::vector<Event> drums{
        {0, {0xFF, 0x03, 5, 'D', 'r', 'u', 'm', 's'}},
        on(0, 36, 95),
        off(120, 36),
        on(120, 38, 30),
        off(240, 38),
        on(240, 36, 95),
        off(360, 36),
        on(360, 38, 30),
        off(480, 38),
        on(480, 62, 95),
        on(480, 36, 10),
        off(600, 62),
        off(600, 36),
        {600, {0xFF, 0x2F, 0}},
    };
    EXPECT_EQ(d.events[1], drums);
}

TEST(MidiExport, RefusesWhatAMidiFileCannotHold) {
    DrumNoteMap notes;
    RenderScript slow;
    slow.append(segment(3, 1, 1, {{0, 1, kitCell("Kick", ' ')}}));
    EXPECT_THROW(songToMidi(slow, {true, true, true, true, true, true}, notes, "x"), Error);
    RenderScript badLevel;
    badLevel.append(segment(120, 1, 1, {{0, 1, kitCell("Kick", 'x')}}));
    EXPECT_THROW(songToMidi(badLevel, {true, true, true, true, true, true}, notes, "x"), Error);
    RenderScript endless;
    endless.append(segment(120, 1'000'000, 2, {{0, 1, kitCell("Kick", ' ')}}));
    try {
        songToMidi(endless, {true, true, true, true, true, true}, notes, "x");
        ADD_FAILURE() << "a song of two million steps was accepted";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("too long for a MIDI file"), std::string::npos) << e.what();
    }
}
