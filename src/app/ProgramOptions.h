#pragma once
// The desktop program's command line: --dir DIR, --audio null|default, --capture FILE.wav and one
// file to open (as a desktop launcher passes it).

#include <filesystem>
#include <string>
#include <vector>

namespace tamboro {

enum class AudioChoice { Default, Null };

struct ProgramOptions {
    std::filesystem::path dir; // empty: the current directory
    AudioChoice audio = AudioChoice::Default;
    std::filesystem::path capture;  // empty: no capture
    std::filesystem::path openFile; // a song, pattern or kit to open; empty: none
    bool showHelp = false;
    bool showVersion = false;
};

// Parses the arguments after the program name. Throws Error with a message for the user on an
// unknown option, a missing value or a bad --audio choice, --capture without --audio null, or a
// second file to open.
ProgramOptions parseProgramOptions(const std::vector<std::string>& args);

// One paragraph listing the options, for --help and for error messages.
std::string programUsage();

} // namespace tamboro
