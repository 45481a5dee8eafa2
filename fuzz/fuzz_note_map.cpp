// Feeds arbitrary bytes to the MIDI export's note map reader; an accepted map must hold only notes
// from 0 to 127 and must answer for every name in it.
#include "common/Error.h"
#include "render/DrumNoteMap.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const auto map = tamboro::parseNoteMapFile({data, size}, "fuzz.map");
        tamboro::DrumNoteMap notes(map);
        for (const auto& [name, note] : map)
            if (note < 0 || note > 127 || notes.noteFor(name) != note)
                std::abort();
    } catch (const tamboro::Error&) {
    }
    return 0;
}
