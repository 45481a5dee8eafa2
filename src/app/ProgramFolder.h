#pragma once
// The working folder (programDir) of a run: --dir DIR or the current folder, created when missing
// and seeded from the installed assets with whatever it lacks (Blank.wav, the default kit, temp/),
// so the program works from any folder.

#include <filesystem>
#include <string>
#include <vector>

namespace tamboro {

struct ProgramFolder {
    std::filesystem::path dir;       // absolute
    std::vector<std::string> seeded; // names copied from the assets
    std::string warning;             // set when no assets were found to seed from
};

// `requested` empty means the current folder. `assets` empty means none were found. With `withDemo`
// a folder that does not exist yet gets the demo patterns and song as well (the user workspace on
// first use). Throws Error when the folder cannot be created or is not a folder.
ProgramFolder prepareProgramFolder(const std::filesystem::path& requested,
                                   const std::filesystem::path& assets, bool withDemo = false);

} // namespace tamboro
