#pragma once
// The kit file (".dxg"): a 31-byte resource header followed by a binary component stream that
// holds the wave collection, each item's sound as an embedded RIFF WAVE block.

#include <cstdint>
#include <span>
#include <vector>

namespace tamboro {

class DrumKit;

// Empties `kit`, then reads it from kit file bytes. Errors: "Invalid stream format" for a file
// that is not a kit, "Stream read error" for one cut short (or any declared length larger than
// what is left), "Wave is invalid" for a sound that is not a RIFF WAVE, "Invalid property value"
// for a value of the wrong form, "Property <name> does not exist" for an unknown property. After a
// failure the kit keeps the items read completely before it.
void readKit(std::span<const std::uint8_t> bytes, DrumKit& kit);

// The kit file bytes of `kit`: integers in their smallest form, names over 255 characters in
// the long-string form, empty names omitted, every sound as a wave block (see Wave::toBytes).
std::vector<std::uint8_t> writeKit(const DrumKit& kit);

} // namespace tamboro
