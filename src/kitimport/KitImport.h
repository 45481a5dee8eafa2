#pragma once
// Kit import: a drum kit described by a drumkit.xml (in a folder, or in a .h2drumkit archive) or
// by an SFZ file becomes a kit of up to kMaxItems instruments, built by the kit maker's own
// document. Each instrument takes one sample, the one meant for full velocity (drumkit.xml: the
// highest layer, the first of equal ones; SFZ: per key, the region reaching the highest velocity,
// the first of a round-robin), decoded by the sound-file reader, with the kit's gain and pan
// applied. Every instrument gets a line in the report saying what was taken or why it was skipped
// (missing file, path leaving the kit's folder, unreadable or absurdly large sound...).

#include "kits/Wave.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tamboro {

struct ImportedSound {
    std::string name;   // the name box text, unique within the kit
    std::string source; // the sample's path inside the kit
    Wave wave;
};

struct KitImportResult {
    std::string kitName;
    std::vector<ImportedSound> sounds; // in the kit's order
    std::vector<std::string> report;   // one line per instrument, then the warnings
};

// What one instrument asks for, before its sample is read.
struct ImportCandidate {
    std::string name;
    std::string sample; // relative to the kit's folder; empty when the instrument has none
    double gain = 1;
    double pan = 0; // -1 .. 1
};

inline constexpr int kMaxImportedItems = 16;

// Imports `source`: a folder holding drumkit.xml, a drumkit.xml file, a .h2drumkit (or any tar)
// archive, or an .sfz file. Throws Error naming the source when it is none of these, when its
// description cannot be read, or when no instrument gives a usable sound.
KitImportResult importKit(const std::filesystem::path& source);

// Writes the imported kit through the kit maker (item 0 silent, then one item per sound).
void writeImportedKit(const KitImportResult& kit, const std::filesystem::path& file);

// The wave with `gain` and `pan` applied: unchanged when gain is 1 and pan 0; otherwise 16-bit
// PCM, stereo when panned, the gain lowered where it would clip (noted in `note`).
Wave applyGainAndPan(const Wave& wave, double gain, double pan, std::string& note);

} // namespace tamboro
