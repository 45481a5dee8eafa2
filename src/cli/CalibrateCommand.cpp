// tamboro-cli calibrate [--audio null|default] [--input-device NAME|default] [--null-input-delay FRAMES]
// Plays a burst of clicks and finds them in the sound device's input, giving the input's round-trip
// latency (the value feedback and play take as --latency). The system device records the input
// chosen (the default input without one); the null device hears its own output FRAMES later.

#include "cli/CliCommand.h"
#include "common/Error.h"
#include "common/TextLines.h"
#include "sound/LatencyCalibration.h"
#include "sound/NullAudioBackend.h"
#include "sound/RtAudioBackend.h"

#include <cstdio>
#include <string>

namespace tamboro::cli {

namespace {

constexpr const char* kUsage =
    "calibrate [--audio null|default] [--input-device NAME|default] [--null-input-delay FRAMES]  "
    "measure the sound input's round-trip latency with a click burst";

int runCalibrate(const CliArgs& args) {
    bool nullAudio = false;
    std::string inputDevice = "default";
    NullAudioOptions null;
    null.loopback = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size())
                throw Error("calibrate: " + a + " needs a value");
            return args[++i];
        };
        long long number = 0;
        if (a == "--audio") {
            const std::string& v = value();
            if (v != "null" && v != "default")
                throw Error("calibrate: --audio takes null or default");
            nullAudio = v == "null";
        } else if (a == "--input-device")
            inputDevice = value();
        else if (a == "--null-input-delay") {
            if (!parseInteger(value(), number) || number < 0 || number > NullAudioBackend::kMaxLoopbackDelay)
                throw Error("calibrate: --null-input-delay takes a whole number of frames, 0 to " +
                            std::to_string(NullAudioBackend::kMaxLoopbackDelay));
            null.inputDelayFrames = static_cast<std::uint32_t>(number);
        } else
            throw Error("calibrate: unexpected argument \"" + a + "\"\nusage: tamboro-cli " + kUsage);
    }
    std::unique_ptr<AudioBackend> backend;
    if (nullAudio) {
        backend = std::make_unique<NullAudioBackend>(null);
    } else {
        SystemAudioOptions options;
        options.inputDevice = inputDevice;
        backend = makeSystemAudioBackend(options);
    }
    LatencyFinding found;
    try {
        found = calibrateInputLatencyOn(std::move(backend));
    } catch (const Error& e) {
        throw Error(std::string("calibrate: ") + e.what());
    }
    if (!found.found)
        throw Error("calibrate: no latency found: " + found.problem + " (match " +
                    std::to_string(found.match) +
                    "); turn the output up or move the microphone nearer the speaker");
    std::printf("input latency %.1f ms (%lld frames at %u Hz, match %.2f)\n", found.latencyMs,
                static_cast<long long>(found.lagFrames), found.sampleRate, found.match);
    return 0;
}

const CliRegistration registration{{"calibrate", kUsage, runCalibrate}};

} // namespace

} // namespace tamboro::cli
