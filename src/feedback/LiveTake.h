#pragma once
// A take recorded through the sound device while the engine played (the CLI's `play --feedback`
// and Play in the main window): the input with the step marks the mixer placed in it, analysed by
// the same code as a take read from a file.

#include "feedback/TakeFeedback.h"
#include "sound/InputCapture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tamboro {

// What the engine said of each step mark (indexed by mark id).
struct MarkedStep {
    int position = 0;    // the step's row within its pattern, 0-based
    bool counted = true; // false: no step of the song (a count-in step, the song's end)
};

// The steps of a recorded take, at the take rate and counted from the recording's first frame.
// Marks without a step (or of steps not counted) are left out.
SongSteps liveSteps(const InputTake& take, const std::vector<MarkedStep>& steps);

// The take as a 16-bit mono WAV image, for the feedback analysis. Samples of a 16-bit source come
// back exactly.
std::vector<std::uint8_t> takeWav(const InputTake& take);

// Finds the take's notes against its marked steps with `latencyMs` taken off every onset. Throws
// Error when no step was marked while the input was recorded.
TakeFeedback analyseLiveTake(const InputTake& take, const std::vector<MarkedStep>& steps, double latencyMs);

// What is odd about the take (frames lost, silent, clipping), one sentence each.
std::vector<std::string> liveTakeWarnings(const InputTake& take, const TakeFeedback& feedback);

} // namespace tamboro
