#pragma once
// How a grid cell's text names a sound: a kit instrument's name with a level character at its
// twelfth position, or an extra sample's short name ("Sample3").

#include <cstdint>
#include <string>
#include <string_view>

namespace tamboro {

struct CellSound {
    std::string lookupText; // the text with a blank back at its 12th character
    int level = 1;          // 0 (full) .. 9 (quiet); 1 for texts without a level
};

// A text of 12 or more characters carries a level at its 12th character: a digit is its value, a
// blank counts as 1, and so does any other character (cells written by the grid editor never hold
// one). Shorter texts are looked up unchanged.
CellSound parseCellSound(std::string_view text);

// Live playback's volume for a level: -500 x level hundredths of a decibel ("0" is full level).
inline std::int32_t levelVolume(int level) {
    return -500 * level;
}

} // namespace tamboro
