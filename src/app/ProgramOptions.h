#pragma once
// The desktop program's command line: --dir DIR, --audio null|default, --capture FILE.wav.

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
};

// Parses the arguments after the program name. Throws Error with a message for the user on an
// unknown option, a missing value or a bad --audio choice, or --capture without --audio null.
ProgramOptions parseProgramOptions(const std::vector<std::string>& args);

// One paragraph listing the options, for --help and for error messages.
std::string programUsage();

} // namespace tamboro
