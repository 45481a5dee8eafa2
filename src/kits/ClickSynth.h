#pragma once
// The practice click's two sounds, synthesised like the default kit (44100 Hz, 16-bit mono, the
// same bytes every build): a woodblock-like accent for step 1 of a pass and a softer, higher tick
// for the other beat marks.

#include "kits/Wave.h"

#include <cstdint>
#include <vector>

namespace tamboro {

enum class ClickVoice { Accent, Tick };

std::vector<std::int16_t> synthesizeClick(ClickVoice voice);

// The same as a PCM wave (mono, 44100 Hz, 16-bit).
Wave clickWave(ClickVoice voice);

} // namespace tamboro
