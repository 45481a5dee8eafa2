#pragma once
// The regions of an SFZ instrument file, as far as a drum kit needs them. No Debian library parses
// SFZ on its own (only whole samplers embed a parser), so this one is ours. It honours
// <control> (default_path), <global>, <master>, <group> and <region> headers with their opcode
// inheritance, #define'd $variables, #include (through the caller's loader, with loops and depth
// refused), // and /* */ comments. A `//` comment just before a header becomes that header's
// comment (kits name their drums this way).

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tamboro {

struct SfzRegion {
    std::string sample; // default_path + sample=, '\\' turned into '/'
    int loKey = -1;     // -1: the region gives no key
    int hiKey = -1;
    int loVel = 1;
    int hiVel = 127;
    int seqPosition = 1;
    double volumeDb = 0;
    double amplitude = 100; // percent
    double pan = 0;         // -100 .. 100
    std::string comment;    // the region's own, else its group's (or master's, global's)
    std::string file;       // the SFZ file the region is written in, for messages
};

struct SfzParse {
    std::vector<SfzRegion> regions;
    std::vector<std::string> warnings; // includes that failed, unknown headers
};

// Reads the text of an #include'd file by its path as written (relative to the top file); nullopt
// when it cannot be read.
using SfzIncludeLoader = std::function<std::optional<std::string>(const std::string& path)>;

// Parses SFZ text; `label` names the top file. Never throws for content: what cannot be used is
// left out or becomes a warning naming the file.
SfzParse parseSfz(const std::string& text, const std::string& label, const SfzIncludeLoader& load);

// A MIDI key from an SFZ value: a number 0..127 or a note name (c4 = 60, c#4/db4 = 61); -1 if
// neither.
int sfzKey(const std::string& value);

// The General MIDI percussion name of a key (35 "Acoustic Bass Drum" .. 81 "Open Triangle"), or
// "Key N".
std::string gmDrumName(int key);

} // namespace tamboro
