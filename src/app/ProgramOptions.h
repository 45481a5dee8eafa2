#pragma once
// The desktop program's command line: --dir DIR, --audio null|default, --capture FILE.wav, and
// files to open at start (a song, a pattern, a kit).

#include <filesystem>
#include <string>
#include <vector>

namespace tamboro {

enum class AudioChoice { Default, Null };

struct ProgramOptions {
    std::filesystem::path dir; // empty: the current directory
    AudioChoice audio = AudioChoice::Default;
    std::filesystem::path capture; // empty: no capture
    bool showHelp = false;
    bool showVersion = false;
    // SONG.sng, NAME.pat and KIT.dxg named on the command line, made absolute against the folder
    // Tamboro was started in (the program then moves into the working folder), in the order given.
    std::vector<std::filesystem::path> filesToOpen;
};

// Parses the arguments after the program name. Throws Error with a message for the user on an
// unknown option, a missing value or a bad --audio choice, --capture without --audio null, or a
// file that is no song, pattern or kit.
ProgramOptions parseProgramOptions(const std::vector<std::string>& args);

// One paragraph listing the options, for --help and for error messages.
std::string programUsage();

} // namespace tamboro
