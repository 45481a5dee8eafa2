// Feeds arbitrary bytes to the song file reader; an accepted song is written back to lines.
#include "common/Error.h"
#include "song/SongFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const auto song = tamboro::parseSongFile({data, size}, "fuzz.sng");
        (void)tamboro::buildSongFileLines(song.entries, song.samples);
    } catch (const tamboro::Error&) {
    }
    return 0;
}
