#pragma once
// Where mixed sound goes: the system device (RtAudio) or the null device (a real-time paced
// thread, optionally capturing to a WAV file). A back-end runs the mixer on its own audio thread,
// handing it the input frames that came with each block when it has an input.

#include <cstdint>
#include <string>

namespace tamboro {

class Mixer;

class AudioBackend {
public:
    virtual ~AudioBackend() = default;
    // Opens the output; afterwards sampleRate() and bufferFrames() hold what was granted. Throws
    // Error with a user-readable message on failure.
    virtual void open() = 0;
    // Starts calling mixer.render on the audio thread. The mixer outlives the stream.
    virtual void start(Mixer& mixer) = 0;
    // Stops the audio thread (no render call runs after it returns) and closes the output. Throws
    // Error when finishing the output fails (a capture file that cannot be written); the audio
    // thread is stopped either way. Calling it again does nothing.
    virtual void close() = 0;

    virtual std::uint32_t sampleRate() const = 0;
    virtual std::uint32_t bufferFrames() const = 0;
    // Frames between a tick's planned time and its voices' start frame that this output needs:
    // enough for the tick to reach the mixer before that frame is rendered, however far ahead of
    // the speaker the output asks for blocks.
    virtual std::uint32_t suggestedLookahead() const { return 2 * bufferFrames(); }
    // Channels of the input that comes with every block (0: output only). Known after open().
    virtual std::uint32_t inputChannels() const { return 0; }
    // Why the input asked for could not be opened, naming the device (empty: no problem).
    virtual std::string inputProblem() const { return {}; }
    // Output underruns reported by the system since start.
    virtual std::uint64_t underruns() const { return 0; }
    virtual std::string name() const = 0;
};

} // namespace tamboro
