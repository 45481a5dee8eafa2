#pragma once
// The default kit "Topkit.dxg", synthesised rather than recorded: item 0 is the empty instrument
// with the blank sound, then 16 classic analogue-style drum sounds (44100 Hz, 16-bit mono).
// Deterministic: the same build gives the same bytes.

#include "kits/DrumKit.h"
#include "kits/Wave.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tamboro {

// The display names of the default kit's instruments, in kit order (items 1 to 16).
inline constexpr std::array<std::string_view, 16> defaultKitDisplayNames = {
    "Kick",    "Snare",    "Rimshot", "Clap", "ClsHiat",   "OpenHiat", "PedalHiat",  "Low Tom",
    "Mid Tom", "High Tom", "Crash",   "Ride", "Ride Bell", "Cowbell",  "Tambourine", "Shaker"};

// A kit instrument's stored name: the display name (at most 10 characters) padded with spaces to
// 10 characters, then "[ ]".
std::string kitInstrumentName(std::string_view displayName);

// The blank sound: 10 ms of silence, 44100 Hz, 16-bit mono (the same as Blank.wav).
Wave blankWave();

// The 16-bit mono samples of instrument `index` (0 to 15, in the order of defaultKitDisplayNames).
std::vector<std::int16_t> synthesizeDrum(int index);

// The whole default kit.
DrumKit makeDefaultKit();

} // namespace tamboro
