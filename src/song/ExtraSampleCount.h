#pragma once
// How many extra samples of their own a user has beside the kit ("Sample1" to "Sample32"). Pattern
// files, song files, the players, the render and the instrument list all hold exactly this many.

namespace tamboro {

inline constexpr int kExtraSampleCount = 32;

} // namespace tamboro
