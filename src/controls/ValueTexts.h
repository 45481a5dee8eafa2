#pragma once
// The texts that show a knob's or slider's value, in its tooltip and beside the pointer while it is
// dragged, in the units a musician reads: BPM, pan as a share of the way to one side, volume in dB,
// pitch in semitones and Hz.

#include <string>

namespace tamboro {

// "120 BPM".
std::string bpmText(int bpm);

// A pan of the sound output (-10000..10000, hundredths of a dB taken off the other side) as the
// share of the full way to one side: "Centre", "L 40 %", "R 25 %"; a pan under half a per cent
// either way reads "L <1 %" or "R <1 %".
std::string panText(int pan);

// A volume in hundredths of a dB (0 is full level): "-12.5 dB", "0.0 dB".
std::string volumeText(int volume);

// A sample playing at `hz` whose own rate is `baseHz`: "+2.0 semitones, 49440 Hz". Without a base
// rate (no file opened) only the rate: "44100 Hz".
std::string pitchText(int hz, int baseHz);

} // namespace tamboro
