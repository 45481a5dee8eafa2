#pragma once
// Input latency calibration: a burst of clicks played through the sound device is looked for in
// its recorded input (a cable from the output to the input, or a microphone near the speaker); the
// lag at which the input matches the clicks best is the round trip from a step's output frame to
// the frame its sound comes back in, which timing feedback takes off every note.

#include "sound/InputCapture.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace tamboro {

class AudioBackend;
class SoundDevice;
class Wave;

struct LatencyFinding {
    bool found = false;
    double latencyMs = 0;
    std::int64_t lagFrames = 0;
    // How well the input matches the clicks at that lag: 1 is the clicks exactly (any level),
    // below kMinMatch they are not taken as found.
    double match = 0;
    std::string problem;     // why nothing was found, for the user
    unsigned sampleRate = 0; // of the device calibrated, to say what the frames are
};

// The interval must exceed the longest latency looked for, or a click's echo could be taken for
// the next click's.
struct CalibrationOptions {
    int clicks = 6;
    double intervalSeconds = 0.6;
    double maxLatencySeconds = 0.5;
};

inline constexpr double kMinMatch = 0.5;

// Looks for `click` (mono, at the take's rate) after each step mark of `take` (the frames the
// clicks were played on), at lags of 0 to `maxLagFrames`, by the normalised cross-correlation
// summed over all clicks. Exact to the frame when the input is the clicks delayed.
LatencyFinding findClickLag(const InputTake& take, std::span<const float> click, std::int64_t maxLagFrames);

// Plays the burst through `device` (which must record its input), waits for it and its echo, and
// finds it in the input. Ends the device's stream (its input is taken). Window thread; it blocks
// for about clicks x interval + maxLatency. Throws Error when the device records no input or the
// options cannot tell the clicks apart.
LatencyFinding calibrateInputLatency(SoundDevice& device, const Wave& click,
                                     const CalibrationOptions& options = {});

// Opens a sound device on `backend` that records its input and calibrates with the accent click,
// as Setup and `tamboro-cli calibrate` do. Throws Error naming what keeps the input from opening.
LatencyFinding calibrateInputLatencyOn(std::unique_ptr<AudioBackend> backend);

} // namespace tamboro
