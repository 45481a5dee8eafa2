#include "cli/SongSource.h"

#include "common/Error.h"
#include "common/Files.h"
#include "song/SongFile.h"

namespace tamboro::cli {

namespace fs = std::filesystem;

SongSource resolveSongSource(fs::path source, const fs::path& dir, const std::string& command,
                             const std::string& purpose) {
    const std::string extension = toLowerAscii(source.extension().string());
    SongSource song{dir, {}};
    std::error_code ec;
    if (extension == ".pat") {
        if (source.has_parent_path() && fs::exists(source, ec))
            song.patternDir = source.parent_path();
        song.entries.push_back(source.stem().string());
    } else if (extension == ".sng") {
        if (!fs::exists(source, ec) && source.is_relative())
            source = dir / source;
        song.entries = readSongFile(source).entries;
        if (song.entries.empty())
            throw Error("The song \"" + source.string() + "\" has no patterns to " + purpose + ".");
    } else {
        throw Error(command + ": \"" + source.string() + "\" is neither a song (.sng) nor a pattern (.pat)");
    }
    return song;
}

} // namespace tamboro::cli
