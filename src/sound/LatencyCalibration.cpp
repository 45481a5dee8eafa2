#include "sound/LatencyCalibration.h"

#include "common/Error.h"
#include "kits/ClickSynth.h"
#include "kits/PcmConversion.h"
#include "sound/AudioBackend.h"
#include "sound/SampleData.h"
#include "sound/SoundDevice.h"
#include "sound/WavCapture.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

namespace tamboro {

LatencyFinding findClickLag(const InputTake& take, std::span<const float> click, std::int64_t maxLagFrames) {
    LatencyFinding result;
    double clickEnergy = 0;
    for (const float c : click)
        clickEnergy += static_cast<double>(c) * c;
    if (take.marks.empty() || clickEnergy <= 0) {
        result.problem = "no click was played";
        return result;
    }
    const auto n = static_cast<std::int64_t>(take.samples.size());
    const auto length = static_cast<std::int64_t>(click.size());
    // For every lag: the correlation and the input's energy under the click, summed over clicks.
    std::vector<double> dot(static_cast<std::size_t>(maxLagFrames + 1), 0.0);
    std::vector<double> energy(dot.size(), 0.0);
    for (const StepMark& mark : take.marks) {
        const std::int64_t start = mark.frame - take.firstFrame;
        for (std::int64_t lag = 0; lag <= maxLagFrames; ++lag) {
            const std::int64_t at = start + lag;
            if (at < 0 || at + length > n)
                continue;
            const float* input = take.samples.data() + at;
            double d = 0, e = 0;
            for (std::int64_t i = 0; i < length; ++i) {
                d += static_cast<double>(input[i]) * click[static_cast<std::size_t>(i)];
                e += static_cast<double>(input[i]) * input[i];
            }
            dot[static_cast<std::size_t>(lag)] += d;
            energy[static_cast<std::size_t>(lag)] += e;
        }
    }
    const double clicks = static_cast<double>(take.marks.size());
    for (std::size_t lag = 0; lag < dot.size(); ++lag) {
        if (energy[lag] <= 0)
            continue;
        const double match = dot[lag] / std::sqrt(energy[lag] * clickEnergy * clicks);
        if (match > result.match) {
            result.match = match;
            result.lagFrames = static_cast<std::int64_t>(lag);
        }
    }
    result.found = result.match >= kMinMatch;
    result.latencyMs = static_cast<double>(result.lagFrames) * 1000.0 / take.rate;
    if (!result.found)
        result.problem =
            result.match > 0 ? "the clicks were not heard clearly in the input" : "the input stayed silent";
    return result;
}

LatencyFinding calibrateInputLatency(SoundDevice& device, const Wave& click,
                                     const CalibrationOptions& options) {
    if (!device.recordsInput())
        throw Error("Input latency cannot be calibrated: the sound device records no input");
    if (options.clicks < 1 || !(options.maxLatencySeconds > 0) ||
        !(options.intervalSeconds > options.maxLatencySeconds + 0.05))
        throw Error("Input latency calibration needs clicks further apart than the latency looked for");
    auto sample = SampleData::fromWave(click);
    std::vector<float> clickSamples(sample->frames());
    for (std::size_t i = 0; i < clickSamples.size(); ++i)
        clickSamples[i] = sample->sampleAt(i, 0);
    if (sample->format().sampleRate != device.sampleRate()) {
        // Played and looked for at the device's own rate.
        FloatFrames frames{clickSamples, 1, sample->format().sampleRate};
        clickSamples = resample(frames, device.sampleRate(), "the calibration click").samples;
        std::vector<std::int16_t> pcm(clickSamples.size());
        floatToInt16(clickSamples, pcm);
        sample = SampleData::fromInt16(1, device.sampleRate(), pcm);
    }
    // The click's first 20 ms carry its attack, all the match needs.
    clickSamples.resize(std::min<std::size_t>(clickSamples.size(), device.sampleRate() / 50));
    // The clicks are planned only once the output runs: before, a sound server may hold the
    // stream back and every click planned meanwhile would land on one frame.
    if (!device.waitForRunningOutput(std::chrono::milliseconds(250), std::chrono::seconds(10)))
        throw Error("Input latency cannot be calibrated: the sound output does not run");
    // One voice per click: every start is posted at once, each on its own planned time.
    std::vector<std::unique_ptr<SoundBuffer>> voices;
    const auto first = SoundDevice::Clock::now() + std::chrono::milliseconds(300);
    const auto interval = std::chrono::duration_cast<SoundDevice::Clock::duration>(
        std::chrono::duration<double>(options.intervalSeconds));
    for (int i = 0; i < options.clicks; ++i) {
        voices.push_back(device.createBuffer(sample));
        SoundDevice::ScheduledStarts onTime(device, first + i * interval);
        voices.back()->play(false);
    }
    std::this_thread::sleep_until(first + options.clicks * interval +
                                  std::chrono::duration_cast<SoundDevice::Clock::duration>(
                                      std::chrono::duration<double>(options.maxLatencySeconds + 0.2)));
    const InputTake take = device.takeInput();
    LatencyFinding found = findClickLag(
        take, clickSamples, static_cast<std::int64_t>(options.maxLatencySeconds * device.sampleRate()));
    found.sampleRate = device.sampleRate();
    return found;
}

LatencyFinding calibrateInputLatencyOn(std::unique_ptr<AudioBackend> backend) {
    SoundDeviceOptions deviceOptions;
    deviceOptions.recordInput = true;
    SoundDevice device(std::move(backend), deviceOptions);
    if (!device.inputProblem().empty())
        throw Error(device.inputProblem());
    return calibrateInputLatency(device, clickWave(ClickVoice::Accent));
}

} // namespace tamboro
