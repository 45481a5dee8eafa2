#pragma once

namespace tamboro {

// False in sanitizer builds: code there runs several times slower than in a release build, so a
// wall-clock device misses deadlines that the real program meets. Tests keep running the same
// threads under the sanitizers but check real-time figures only where they can hold.
#ifdef TAMBORO_INSTRUMENTED_BUILD
inline constexpr bool kRealTimeFiguresHold = false;
#else
inline constexpr bool kRealTimeFiguresHold = true;
#endif

} // namespace tamboro
