#pragma once
// Which General MIDI drum note and velocity a hit becomes in an exported MIDI file. A note comes
// from, in this order: the user's note map file (`name=note` lines), the General MIDI drum map by
// the instrument's name (kick 36, rimshot 37, snare 38, clap 39, closed hat 42, pedal hat 44, open
// hat 46, low/mid/high tom 45/47/50, crash 49, ride 51, ride bell 53, tambourine 54, cowbell 56,
// shaker 70), extra sample N as note 59 + N, and for any other name the next free note of a fixed
// order of the remaining drum notes, in the order the names first appear.

#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <span>
#include <string>
#include <string_view>

namespace tamboro {

// The velocity of a hit of level `level` (1 loud .. 9 quiet; a blank counts as 1): the level is
// -5 x level dB, and a sampler's usual velocity-squared curve turns round(127 x 10^(-5 level / 40))
// back into that loudness. Level 1 gives 95, 5 gives 30, 9 gives 10, 0 gives 127.
int midiVelocity(int level);

// The General MIDI drum note of an instrument name (letter case, blanks and punctuation do not
// matter: "ClsHiat", "Closed Hat" and "hi-hat" are all 42), or -1 when the name names none.
int generalMidiDrumNote(std::string_view name);

// The extra sample an instrument name stands for ("Sample1" to "Sample32", any letter case), or 0.
int extraSampleNumber(std::string_view name);

// User overrides by instrument name, folded to lower case and trimmed.
using NoteMapOverrides = std::map<std::string, int>;

// Parses a note map file: one `name=note` a line (note 0 to 127), blank lines and lines starting
// with '#' ignored, any line end. Throws Error naming `fileLabel` and the line for anything else: a
// line without '=', an empty name, a note that is not a number from 0 to 127, a name mapped twice,
// a character that is not text, or a file over 1 MiB.
NoteMapOverrides parseNoteMapFile(std::span<const std::uint8_t> bytes, const std::string& fileLabel);
NoteMapOverrides readNoteMapFile(const std::filesystem::path& path);

class DrumNoteMap {
public:
    explicit DrumNoteMap(NoteMapOverrides overrides = {});

    // The note of an instrument name (as a cell shows it, blanks trimmed). A name of no known
    // instrument takes the next free note of the default order on its first call.
    int noteFor(std::string_view name);

private:
    NoteMapOverrides overrides_;
    std::map<std::string, int> assigned_; // names given a note of the default order
    std::set<int> taken_;                 // notes the overrides use, kept out of the default order
    std::size_t nextDefault_ = 0;
};

} // namespace tamboro
