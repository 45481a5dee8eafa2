#pragma once
// Standard MIDI File bytes: a header chunk ("MThd": format, track count, ticks per quarter note)
// and one "MTrk" chunk per track, events in time order with variable-length delta times. Only
// what the export needs: track names, tempos and notes. Our own few bytes: Debian's MIDI-file
// libraries are unmaintained.

#include <cstdint>
#include <string>
#include <vector>

namespace tamboro {

class MidiTrack {
public:
    explicit MidiTrack(std::string name) : name_(std::move(name)) {}

    // A tempo of `bpm` quarter notes a minute from `tick` on. Throws Error for a tempo a MIDI file
    // cannot hold (below 4 BPM or above 60 000 000).
    void tempo(std::uint32_t tick, int bpm);
    // A note on `channel` (0 to 15) from `tick` for `length` ticks. Note-offs go before note-ons of
    // the same tick, so a note struck on consecutive steps is heard each time.
    void note(std::uint32_t tick, std::uint32_t length, int channel, int note, int velocity);

    // The track chunk: the name, the events, the end of the track. Throws Error when the events
    // overflow a chunk.
    std::vector<std::uint8_t> chunk() const;

private:
    struct Event {
        std::uint64_t tick;
        std::uint8_t order; // 0 meta, 1 note-off, 2 note-on
        std::uint8_t bytes[3];
    };

    std::string name_;
    std::vector<Event> events_;
};

// A format-1 file of `tracks` (the first carries the tempo map).
std::vector<std::uint8_t> standardMidiFile(std::uint16_t ticksPerQuarter,
                                           const std::vector<MidiTrack>& tracks);

} // namespace tamboro
