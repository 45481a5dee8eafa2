// tamboro-cli midi SONG.sng|NAME.pat -o OUT.mid [--dir DIR] [--map FILE] [--mute C]...
// Exports a song (every Play List entry) or one pattern (with its loops) as a Standard MIDI File:
// the patterns are read from DIR as a render reads them; a .pat path that exists is read from its
// own folder. --map gives `name=note` overrides of the General MIDI drum notes; --mute leaves a
// channel out. On any error OUT is left as it was.

#include "cli/CliCommand.h"
#include "cli/SongSource.h"
#include "common/Error.h"
#include "common/Files.h"
#include "common/TextLines.h"
#include "render/MidiExport.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace tamboro::cli {

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage = "midi SONG.sng|NAME.pat -o OUT.mid [--dir DIR] [--map FILE] [--mute C]...  "
                               "export a song or a pattern as a MIDI file (drums on channel 10)";

int runMidi(const CliArgs& args) {
    fs::path source, output, mapFile;
    fs::path dir = fs::current_path();
    std::array<bool, 6> channelOn{true, true, true, true, true, true};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size())
                throw Error("midi: " + a + " needs a value");
            return args[++i];
        };
        if (a == "-o" || a == "--output")
            output = value();
        else if (a == "--dir")
            dir = value();
        else if (a == "--map")
            mapFile = value();
        else if (a == "--mute") {
            const std::string text = value();
            long long channel = 0;
            if (!parseInteger(text, channel) || channel < 1 || channel > 6)
                throw Error("midi: --mute takes a channel from 1 to 6, not \"" + text + "\"");
            channelOn[static_cast<std::size_t>(channel - 1)] = false;
        } else if (source.empty() && !a.starts_with("-"))
            source = a;
        else
            throw Error("midi: unexpected argument \"" + a + "\"");
    }
    if (source.empty() || output.empty())
        throw Error(std::string("usage: tamboro-cli ") + kUsage);

    const SongSource song = resolveSongSource(source, dir, "midi", "export");

    DrumNoteMap notes(mapFile.empty() ? NoteMapOverrides{} : readNoteMapFile(mapFile));
    const MidiSong midi = exportSongMidi(song.patternDir, song.entries, channelOn, notes, output);
    std::printf("%s: %zu notes, %zu tempo events\n", output.string().c_str(), midi.notes, midi.tempoEvents);
    return 0;
}

const CliRegistration registration{{"midi", kUsage, runMidi}};

} // namespace

} // namespace tamboro::cli
