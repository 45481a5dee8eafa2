#include "render/MidiExport.h"

#include "common/Error.h"
#include "common/Files.h"
#include "render/InstrumentLookup.h"
#include "render/MidiFileWriter.h"

namespace tamboro {

std::string cellInstrumentName(std::string_view cell) {
    std::string_view name = cell.size() > 10 ? cell.substr(0, 10) : cell;
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t'))
        name.remove_prefix(1);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
        name.remove_suffix(1);
    return std::string(name);
}

MidiSong songToMidi(const RenderScript& script, const std::array<bool, 6>& channelOn, DrumNoteMap& notes,
                    const std::string& title) {
    std::int64_t steps = 0;
    for (const ScriptSegment& segment : script.segments())
        steps += static_cast<std::int64_t>(segment.cellLines() / 6);
    if (steps > kMaxMidiSteps)
        throw Error("The song is too long for a MIDI file: " + std::to_string(steps) + " steps, at most " +
                    std::to_string(kMaxMidiSteps) + ".");

    MidiSong song;
    MidiTrack tempos(title);
    MidiTrack drums("Drums");
    std::size_t lastSegment = script.segments().size();
    script.forEachCell([&](std::size_t segment, std::int64_t row, int column, const std::string& cell) {
        const auto tick = static_cast<std::uint32_t>(row * kMidiTicksPerStep);
        if (segment != lastSegment) {
            lastSegment = segment;
            tempos.tempo(tick, script.segments()[segment].tempo);
            ++song.tempoEvents;
        }
        if (!channelOn[static_cast<std::size_t>(column - 1)])
            return;
        const std::string name = cellInstrumentName(cell);
        if (name.empty())
            return;
        const CellLevel level = cellLevel(cell);
        if (level.bad)
            throw Error(std::string("'") + level.bad + "' is not a valid integer value");
        // A blank level, or a cell without one (an extra sample), plays at level 1.
        const int velocity = midiVelocity(cell.size() >= 12 ? level.digit : 1);
        drums.note(tick, kMidiTicksPerStep, kMidiDrumChannel, notes.noteFor(name), velocity);
        ++song.notes;
    });
    song.bytes = standardMidiFile(kMidiTicksPerQuarter, {tempos, drums});
    return song;
}

MidiSong exportSongMidi(const std::filesystem::path& programDir, const std::vector<std::string>& entries,
                        const std::array<bool, 6>& channelOn, DrumNoteMap& notes,
                        const std::filesystem::path& output) {
    const RenderSong song = readRenderSong(programDir, entries, 0);
    MidiSong midi = songToMidi(song.script, channelOn, notes, output.stem().string());
    writeFileAtomically(output, midi.bytes);
    return midi;
}

} // namespace tamboro
