#pragma once
// A song as a Standard MIDI File for a DAW: format 1, 480 ticks per quarter note; the first track
// holds a tempo event at the start of every Play List entry (the pattern's BPM), the second the
// drums on channel 10. Every hit of a channel that is on becomes one note at step x 120 ticks (a
// step is a sixteenth), one step long, its note from DrumNoteMap and its velocity from the hit's
// level (midiVelocity). The song is read as the renderer reads it (readRenderSong), so the MIDI
// file and a render of the same song hold the same hits at the same steps.

#include "render/DrumNoteMap.h"
#include "render/RenderScript.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tamboro {

inline constexpr std::uint16_t kMidiTicksPerQuarter = 480;
inline constexpr std::uint32_t kMidiTicksPerStep = kMidiTicksPerQuarter / 4;
inline constexpr int kMidiDrumChannel = 9; // channel 10, counted from 1
// A guard against absurd loop counts: about 35 hours of 16ths at 120 BPM.
inline constexpr std::int64_t kMaxMidiSteps = 1'000'000;

struct MidiSong {
    std::vector<std::uint8_t> bytes; // the whole file
    std::size_t notes = 0;
    std::size_t tempoEvents = 0;
};

// The instrument a cell names, blanks trimmed: the text before the level for a kit cell ("Kick
// [3]" gives "Kick"), the whole text otherwise ("Sample3"). Empty for an empty cell.
std::string cellInstrumentName(std::string_view cell);

// The MIDI file of a song script; `title` names the tempo track. Channels whose `channelOn` entry
// is false are left out. Throws Error for a level that is not a digit, a tempo a MIDI file cannot
// hold or a song longer than kMaxMidiSteps.
MidiSong songToMidi(const RenderScript& script, const std::array<bool, 6>& channelOn, DrumNoteMap& notes,
                    const std::string& title);

// Reads the Play List entries' patterns from `programDir` as a render does and writes their MIDI
// file to `output` atomically (nothing is written on an error).
MidiSong exportSongMidi(const std::filesystem::path& programDir, const std::vector<std::string>& entries,
                        const std::array<bool, 6>& channelOn, DrumNoteMap& notes,
                        const std::filesystem::path& output);

} // namespace tamboro
