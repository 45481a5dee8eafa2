#pragma once
// Thread priorities in the component's own terms, applied to the calling thread as far as the
// system allows (real-time scheduling for the top levels when permitted, else the nice value).

#include <string>

namespace tamboro {

enum class ThreadPriority { idle, lowest, lower, normal, higher, highest, timeCritical };

// Returns false when the system refused every way of applying it; the thread then keeps running
// at its current priority.
bool applyThreadPriority(ThreadPriority priority);

} // namespace tamboro
