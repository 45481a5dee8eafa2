#include "sound/RtAudioBackend.h"

#include "common/Error.h"
#include "sound/Mixer.h"
#include "sound/SoundDevice.h"

#ifdef TAMBORO_HAVE_RTAUDIO
#include <RtAudio.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#ifdef __linux__
#include <sched.h>
#endif

namespace tamboro {

#ifdef TAMBORO_HAVE_RTAUDIO

namespace {

// The PulseAudio client library moves our blocks to the server, and the server's requests to us,
// on a thread of its own ("threaded-ml") at normal priority, while the callback thread runs in
// real time: on a busy machine that thread waits tens of milliseconds to run and the server's
// buffer drains meanwhile. It gets real-time scheduling too, just under the callback's, where the
// system allows (otherwise it stays as it is).
void raisePulseClientThread() {
#ifdef __linux__
    std::error_code ec;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", ec)) {
        std::ifstream comm(task.path() / "comm");
        std::string name;
        if (!std::getline(comm, name) || name != "threaded-ml")
            continue;
        sched_param param{};
        param.sched_priority = 60;
        const long tid = std::strtol(task.path().filename().c_str(), nullptr, 10);
        if (tid > 0)
            sched_setscheduler(static_cast<pid_t>(tid), SCHED_RR, &param);
    }
#endif
}

class RtAudioBackend : public AudioBackend {
public:
    explicit RtAudioBackend(SystemAudioOptions options) : options_(std::move(options)) {}
    ~RtAudioBackend() override { close(); }

    void open() override {
        std::string failures;
        for (RtAudio::Api api : candidateApis()) {
            try {
                openWith(api);
                return;
            } catch (const RtAudioError& e) {
                failures += "\n" + RtAudio::getApiDisplayName(api) + ": " + e.getMessage();
            } catch (const Error& e) {
                failures += "\n" + RtAudio::getApiDisplayName(api) + ": " + e.what();
            }
            audio_.reset();
        }
        throw Error("Sound device cannot be initialized" + (failures.empty() ? std::string() : failures));
    }

    void start(Mixer& mixer) override {
        mixer_ = &mixer;
        try {
            audio_->startStream();
            if (audio_->getCurrentApi() == RtAudio::LINUX_PULSE)
                raisePulseClientThread();
        } catch (const RtAudioError& e) {
            throw Error("Sound device cannot be initialized\n" + e.getMessage());
        }
    }

    void close() override {
        if (!audio_)
            return;
        try {
            if (audio_->isStreamRunning())
                audio_->stopStream();
            if (audio_->isStreamOpen())
                audio_->closeStream();
        } catch (const RtAudioError&) {
            // Closing is best effort; the stream is gone either way.
        }
        audio_.reset();
    }

    std::uint32_t sampleRate() const override { return rate_; }
    std::uint32_t bufferFrames() const override { return frames_; }
    // A sound server may ask for blocks up to its whole buffer (numberOfBuffers blocks) ahead of
    // the speaker, and how far ahead it asks drifts while the stream runs.
    std::uint32_t suggestedLookahead() const override { return (buffers_ + 2) * frames_; }
    std::uint64_t underruns() const override { return underruns_.load(std::memory_order_relaxed); }
    std::string name() const override { return name_; }
    std::uint32_t inputChannels() const override { return inputChannels_; }
    std::string inputProblem() const override { return inputProblem_; }

private:
    // The device id of `wanted` ("default" or a name) among the inputs; throws Error naming it.
    unsigned int inputDeviceId(const std::string& wanted) {
        if (wanted == "default") {
            const unsigned int id = audio_->getDefaultInputDevice();
            if (audio_->getDeviceInfo(id).inputChannels > 0)
                return id;
            throw Error("there is no default input device");
        }
        for (unsigned int id = 0; id < audio_->getDeviceCount(); ++id) {
            const RtAudio::DeviceInfo info = audio_->getDeviceInfo(id);
            if (info.probed && info.inputChannels > 0 && info.name == wanted)
                return id;
        }
        throw Error("the input device \"" + wanted + "\" is not there");
    }

    std::vector<RtAudio::Api> candidateApis() const {
        std::vector<RtAudio::Api> compiled;
        RtAudio::getCompiledApi(compiled);
        std::vector<RtAudio::Api> order;
        if (!options_.api.empty()) {
            order.push_back(RtAudio::getCompiledApiByName(options_.api));
        } else {
            order = {RtAudio::LINUX_PULSE, RtAudio::UNIX_JACK, RtAudio::LINUX_ALSA};
            for (RtAudio::Api api : compiled)
                if (std::find(order.begin(), order.end(), api) == order.end())
                    order.push_back(api);
        }
        std::vector<RtAudio::Api> usable;
        for (RtAudio::Api api : order)
            if (api != RtAudio::UNSPECIFIED && api != RtAudio::RTAUDIO_DUMMY &&
                std::find(compiled.begin(), compiled.end(), api) != compiled.end())
                usable.push_back(api);
        return usable;
    }

    void openWith(RtAudio::Api api) {
        audio_ = std::make_unique<RtAudio>(api);
        audio_->showWarnings(false);
        if (audio_->getDeviceCount() == 0)
            throw Error("no output device");
        RtAudio::StreamParameters out;
        out.deviceId = audio_->getDefaultOutputDevice();
        out.nChannels = 2;
        const RtAudio::DeviceInfo info = audio_->getDeviceInfo(out.deviceId);
        unsigned int rate = options_.preferredRate;
        if (!info.sampleRates.empty() &&
            std::find(info.sampleRates.begin(), info.sampleRates.end(), rate) == info.sampleRates.end())
            rate = info.preferredSampleRate ? info.preferredSampleRate : info.sampleRates.back();
        RtAudio::StreamOptions streamOptions;
        const std::uint32_t buffers =
            api == RtAudio::LINUX_PULSE ? options_.serverBuffers : options_.numberOfBuffers;
        streamOptions.numberOfBuffers = buffers;
        streamOptions.flags = RTAUDIO_SCHEDULE_REALTIME;
        streamOptions.priority = 70;
        streamOptions.streamName = "Tamboro";
        unsigned int frames = options_.bufferFrames;
        inputChannels_ = 0;
        inputProblem_.clear();
        if (!options_.inputDevice.empty()) {
            // Duplex where the device allows it; otherwise the output alone, and the reason kept.
            try {
                RtAudio::StreamParameters in;
                in.deviceId = inputDeviceId(options_.inputDevice);
                const RtAudio::DeviceInfo inputInfo = audio_->getDeviceInfo(in.deviceId);
                in.nChannels = std::min(2u, inputInfo.inputChannels);
                audio_->openStream(&out, &in, RTAUDIO_FLOAT32, rate, &frames, &RtAudioBackend::callback, this,
                                   &streamOptions);
                inputChannels_ = in.nChannels;
            } catch (const RtAudioError& e) {
                inputProblem_ =
                    "Input device \"" + options_.inputDevice + "\" cannot be opened: " + e.getMessage();
            } catch (const Error& e) {
                inputProblem_ = "Input device \"" + options_.inputDevice + "\" cannot be opened: " + e.what();
            }
            if (audio_->isStreamOpen() && inputChannels_ == 0)
                audio_->closeStream();
            frames = options_.bufferFrames;
        }
        if (inputChannels_ == 0)
            audio_->openStream(&out, nullptr, RTAUDIO_FLOAT32, rate, &frames, &RtAudioBackend::callback, this,
                               &streamOptions);
        rate_ = rate;
        frames_ = frames;
        buffers_ = buffers;
        name_ = RtAudio::getApiName(api) + ":" + info.name;
    }

    static int callback(void* output, void* input, unsigned int frames, double streamTime,
                        RtAudioStreamStatus status, void* user) {
        auto* self = static_cast<RtAudioBackend*>(user);
        // An underflow the library reports, or a stream time that does not continue from the last
        // block (the stream was restarted or skipped ahead): the card and the mixer's frame
        // counter parted, so the clock mapping re-anchors. RtAudio's stream time counts the
        // frames it handed out, so it tells of such breaks but not of the card's rate.
        const double expected = self->nextStreamTime_;
        const bool broken = expected >= 0.0 && std::abs(streamTime - expected) * self->rate_ > frames;
        self->nextStreamTime_ = streamTime + static_cast<double>(frames) / self->rate_;
        if (status & RTAUDIO_OUTPUT_UNDERFLOW)
            self->underruns_.fetch_add(1, std::memory_order_relaxed);
        if ((status & RTAUDIO_OUTPUT_UNDERFLOW) || broken)
            self->mixer_->noteDiscontinuity();
        self->mixer_->render(static_cast<float*>(output), static_cast<const float*>(input),
                             input ? self->inputChannels_ : 0, frames, steadyNowNanos());
        return 0;
    }

    SystemAudioOptions options_;
    std::unique_ptr<RtAudio> audio_;
    Mixer* mixer_ = nullptr;
    std::uint32_t rate_ = 0;
    std::uint32_t frames_ = 0;
    std::uint32_t buffers_ = 0; // the blocks the stream buffers, as opened
    std::string name_;
    std::uint32_t inputChannels_ = 0;
    std::string inputProblem_;
    std::atomic<std::uint64_t> underruns_{0};
    double nextStreamTime_ = -1.0; // audio thread: the stream time the next block should carry
};

} // namespace

bool systemAudioAvailable() {
    return true;
}

std::vector<std::string> systemInputDevices() {
    std::vector<RtAudio::Api> compiled;
    RtAudio::getCompiledApi(compiled);
    for (RtAudio::Api api : {RtAudio::LINUX_PULSE, RtAudio::UNIX_JACK, RtAudio::LINUX_ALSA}) {
        if (std::find(compiled.begin(), compiled.end(), api) == compiled.end())
            continue;
        std::vector<std::string> names;
        try {
            RtAudio audio(api);
            audio.showWarnings(false);
            for (unsigned int id = 0; id < audio.getDeviceCount(); ++id) {
                const RtAudio::DeviceInfo info = audio.getDeviceInfo(id);
                if (info.probed && info.inputChannels > 0)
                    names.push_back(info.name);
            }
        } catch (const RtAudioError&) {
            continue; // this sound system is not running
        }
        if (!names.empty())
            return names;
    }
    return {};
}

std::unique_ptr<AudioBackend> makeSystemAudioBackend(SystemAudioOptions options) {
    return std::make_unique<RtAudioBackend>(std::move(options));
}

#else

bool systemAudioAvailable() {
    return false;
}

std::vector<std::string> systemInputDevices() {
    return {};
}

std::unique_ptr<AudioBackend> makeSystemAudioBackend(SystemAudioOptions) {
    throw Error(
        "Sound device cannot be initialized: this build has no system sound output (use --audio null)");
}

#endif

} // namespace tamboro
