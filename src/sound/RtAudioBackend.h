#pragma once
// The system sound device through RtAudio (PulseAudio/PipeWire, JACK or ALSA on Linux). Compiled
// only when RtAudio is available (TAMBORO_HAVE_RTAUDIO). The stream stays open for the whole run:
// re-initialising the program's device at Play never reopens it.

#include "sound/AudioBackend.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace tamboro {

struct SystemAudioOptions {
    std::uint32_t preferredRate = 44100; // used when the device offers it, else its own rate
    std::uint32_t bufferFrames = 256;
    std::uint32_t numberOfBuffers = 4; // explicit: the library's default gave bursts of 20-105 ms
    // "pulse", "jack", "alsa" or empty (try PulseAudio, then JACK, then ALSA).
    std::string api;
    // The input opened with the output (a duplex stream): a device name as systemInputDevices()
    // lists it, "default" for the system's default input, or empty for output only. When the
    // input cannot be opened the output opens alone and inputProblem() says why, naming the device.
    std::string inputDevice;
};

// True when this build has the system back-end.
bool systemAudioAvailable();

// The names of the input devices of the first sound system that lists any (empty without one).
std::vector<std::string> systemInputDevices();

// The system back-end; throws Error("Sound device cannot be initialized: ...") when this build
// has none.
std::unique_ptr<AudioBackend> makeSystemAudioBackend(SystemAudioOptions options = {});

} // namespace tamboro
