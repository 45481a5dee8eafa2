#include "app/ProgramOptions.h"

#include "app/OpenableFiles.h"
#include "common/Error.h"

namespace tamboro {

namespace {

const std::string& valueAfter(const std::vector<std::string>& args, std::size_t& i) {
    if (i + 1 >= args.size() || args[i + 1].empty())
        throw Error("the option " + args[i] + " needs a value");
    return args[++i];
}

} // namespace

ProgramOptions parseProgramOptions(const std::vector<std::string>& args) {
    ProgramOptions options;
    bool audioGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--dir") {
            options.dir = valueAfter(args, i);
        } else if (arg == "--audio") {
            const std::string& choice = valueAfter(args, i);
            if (choice == "null")
                options.audio = AudioChoice::Null;
            else if (choice == "default")
                options.audio = AudioChoice::Default;
            else
                throw Error("unknown audio device '" + choice + "': use null or default");
            audioGiven = true;
        } else if (arg == "--capture") {
            options.capture = valueAfter(args, i);
        } else if (arg == "--help" || arg == "-h") {
            options.showHelp = true;
        } else if (arg == "--version") {
            options.showVersion = true;
        } else if (!arg.starts_with("-") && !arg.empty()) {
            const OpenableKind kind = openableKindOf(arg);
            if (kind != OpenableKind::Song && kind != OpenableKind::Pattern && kind != OpenableKind::Kit)
                throw Error(
                    "'" + arg +
                    "' is not a file Tamboro opens: give a song (.sng), a pattern (.pat) or a kit (.dxg)");
            options.filesToOpen.push_back(std::filesystem::absolute(arg));
        } else {
            throw Error("unknown option '" + arg + "'");
        }
    }
    if (!options.capture.empty()) {
        // Capturing records what the null device plays; a real sound card is not recorded.
        if (audioGiven && options.audio != AudioChoice::Null)
            throw Error("--capture records the null audio device: use it with --audio null");
        options.audio = AudioChoice::Null;
    }
    return options;
}

std::string programUsage() {
    return "usage: tamboro [--dir DIR] [--audio null|default] [--capture FILE.wav] [FILE...]\n"
           "  FILE                a song (.sng), pattern (.pat) or kit (.dxg) to open at start; the\n"
           "                      first song or pattern's folder is the working folder unless --dir\n"
           "                      is given\n"
           "  --dir DIR           working folder for patterns, the pan table and temp/ (default: the\n"
           "                      current folder; started from the home folder or /, Tamboro in the\n"
           "                      music folder, filled with the demo when it is made; an empty folder\n"
           "                      is seeded from the installed assets)\n"
           "  --audio null|default  play through the system's sound device (default) or a silent\n"
           "                      device that keeps real time\n"
           "  --capture FILE.wav  record everything played to FILE.wav (implies --audio null)\n"
           "  --help              show this text and end\n"
           "  --version           show the version and end\n";
}

} // namespace tamboro
