// tamboro-cli tab SONG.sng [--dir DIR]: writes the song's drum TAB text file and prints its path.

#include "cli/CliCommand.h"
#include "common/Error.h"
#include "render/DrumTab.h"
#include "song/SongFile.h"

#include <cstdio>
#include <filesystem>

namespace tamboro::cli {

namespace {

int runTab(const CliArgs& args) {
    std::filesystem::path song;
    std::filesystem::path dir = std::filesystem::current_path();
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--dir" && i + 1 < args.size())
            dir = args[++i];
        else if (song.empty() && !args[i].starts_with("--"))
            song = args[i];
        else
            throw Error("tab: unexpected argument \"" + args[i] + "\"");
    }
    if (song.empty())
        throw Error("usage: tamboro-cli tab SONG.sng [--dir DIR]");
    // A bare song name is looked up in the working folder, as the Open Song dialog starts there.
    if (!song.has_parent_path())
        song = dir / song;
    const SongFileData data = readSongFile(song);
    const auto written = writeDrumTab(song.string(), data.entries, dir, dir);
    std::printf("%s\n", written.string().c_str());
    return 0;
}

const CliRegistration registration{
    {"tab", "tab SONG.sng [--dir DIR]      write the song's drum TAB as <title>.txt in DIR", runTab}};

} // namespace

} // namespace tamboro::cli
