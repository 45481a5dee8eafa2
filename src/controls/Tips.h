#pragma once
// The tips of the tip-of-the-day window: 23 entries, each "Tip N: " followed by the text.

#include <cstddef>
#include <string>
#include <vector>

namespace tamboro {

const std::vector<std::string>& tipTexts();

// Picks a tip from a random draw: `draw` taken modulo the number of tips.
const std::string& tipForDraw(std::size_t draw);

} // namespace tamboro
