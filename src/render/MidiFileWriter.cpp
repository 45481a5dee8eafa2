#include "render/MidiFileWriter.h"

#include "common/Error.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tamboro {

namespace {

void putBigEndian(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A delta time: 7 bits a byte, most significant first, the top bit set on all but the last.
void putVariableLength(std::vector<std::uint8_t>& out, std::uint64_t value) {
    if (value > 0x0FFFFFFF)
        throw Error("A pause in the song is too long for a MIDI file.");
    std::uint8_t groups[4];
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 0) {
        --count;
        out.push_back(static_cast<std::uint8_t>(groups[count] | (count > 0 ? 0x80 : 0)));
    }
}

} // namespace

void MidiTrack::tempo(std::uint32_t tick, int bpm) {
    if (bpm < 4 || bpm > 60'000'000)
        throw Error("A tempo of " + std::to_string(bpm) +
                    " BPM cannot be stored in a MIDI file (4 BPM at least).");
    const auto microseconds = static_cast<std::uint32_t>(std::lround(60'000'000.0 / bpm));
    events_.push_back(
        {tick,
         0,
         {static_cast<std::uint8_t>(microseconds >> 16), static_cast<std::uint8_t>(microseconds >> 8),
          static_cast<std::uint8_t>(microseconds)}});
}

void MidiTrack::note(std::uint32_t tick, std::uint32_t length, int channel, int note, int velocity) {
    const auto c = static_cast<std::uint8_t>(channel & 0x0F);
    const auto n = static_cast<std::uint8_t>(note & 0x7F);
    events_.push_back(
        {tick, 2, {static_cast<std::uint8_t>(0x90 | c), n, static_cast<std::uint8_t>(velocity & 0x7F)}});
    events_.push_back({std::uint64_t{tick} + length, 1, {static_cast<std::uint8_t>(0x80 | c), n, 0}});
}

std::vector<std::uint8_t> MidiTrack::chunk() const {
    std::vector<const Event*> ordered;
    ordered.reserve(events_.size());
    for (const Event& e : events_)
        ordered.push_back(&e);
    std::stable_sort(ordered.begin(), ordered.end(), [](const Event* a, const Event* b) {
        return a->tick != b->tick ? a->tick < b->tick : a->order < b->order;
    });

    std::vector<std::uint8_t> body;
    body.reserve(events_.size() * 5 + name_.size() + 16);
    // The track name at tick 0: FF 03 length text.
    body.insert(body.end(), {0x00, 0xFF, 0x03});
    putVariableLength(body, name_.size());
    body.insert(body.end(), name_.begin(), name_.end());
    std::uint64_t now = 0;
    for (const Event* e : ordered) {
        putVariableLength(body, e->tick - now);
        now = e->tick;
        if (e->order == 0)
            body.insert(body.end(), {0xFF, 0x51, 0x03}); // tempo: microseconds per quarter note
        body.insert(body.end(), e->bytes, e->bytes + 3);
    }
    body.insert(body.end(), {0x00, 0xFF, 0x2F, 0x00}); // end of track
    if (body.size() > std::numeric_limits<std::uint32_t>::max())
        throw Error("The song has too many notes for a MIDI file.");

    std::vector<std::uint8_t> out{'M', 'T', 'r', 'k'};
    putBigEndian(out, body.size(), 4);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

std::vector<std::uint8_t> standardMidiFile(std::uint16_t ticksPerQuarter,
                                           const std::vector<MidiTrack>& tracks) {
    std::vector<std::uint8_t> out{'M', 'T', 'h', 'd', 0, 0, 0, 6};
    putBigEndian(out, 1, 2); // format 1: simultaneous tracks
    putBigEndian(out, tracks.size(), 2);
    putBigEndian(out, ticksPerQuarter, 2);
    for (const MidiTrack& track : tracks) {
        const std::vector<std::uint8_t> chunk = track.chunk();
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    return out;
}

} // namespace tamboro
