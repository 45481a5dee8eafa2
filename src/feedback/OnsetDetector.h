#pragma once
// Finds where notes start in a take, to the frame, for timing feedback. aubio's onset detector
// (high-frequency-content detection, which answers fast to the broadband attack of plucked,
// strummed and struck notes, on a small hop) says roughly where each note starts; each report is
// then refined on the samples themselves: the note starts at the first frame where the level rises
// clearly out of what was sounding just before it. The take is fed in blocks of any size and only a
// short history of samples is kept, so memory does not grow with the take's length. Plain work on
// samples: run it on any thread but the audio callback's.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace tamboro {

struct OnsetSettings {
    // The detector hears the take at half its rate (pairs of frames averaged): attacks are as
    // clear below 11 kHz, and it halves the spectra to compute. The refinement uses every frame.
    unsigned decimation = 2;
    unsigned hop = 64;             // detector frames between detector runs (2.9 ms at 22050 Hz)
    unsigned window = 512;         // detector frames its spectrum looks at (23 ms)
    float threshold = 0.1f;        // aubio's peak-picking threshold
    float silenceDb = -55.0f;      // quieter frames start no note
    double minimumGapMs = 35.0;    // two notes closer than this are one
    double searchBeforeMs = 30.0;  // how far before aubio's report the rise is looked for
    double searchAfterMs = 20.0;   // and after it
    double riseShare = 0.1;        // the rise's frame: this share of the way from before to the peak
    double minimumRiseRatio = 2.0; // a report whose peak is not this far above what sounded
                                   // before it is no note (a swell, noise, the take's first frame)
};

class OnsetDetector {
public:
    explicit OnsetDetector(int sampleRate, const OnsetSettings& settings = {});
    ~OnsetDetector();
    OnsetDetector(const OnsetDetector&) = delete;
    OnsetDetector& operator=(const OnsetDetector&) = delete;

    // Feeds the next mono frames.
    void feed(std::span<const float> frames);
    // Ends the take: refines the reports still waiting for the frames after them.
    void finish();
    // Note starts found so far, in frames from the take's start, ascending.
    const std::vector<std::int64_t>& onsets() const { return onsets_; }

private:
    void runDetector();
    void refineReady(bool all);
    void refine(std::int64_t report);
    float sampleAt(std::int64_t frame) const;

    struct Aubio;
    std::unique_ptr<Aubio> aubio_;
    OnsetSettings settings_;
    int rate_;
    std::vector<float> history_; // ring of the latest frames, by frame number modulo its size
    std::int64_t fed_ = 0;       // frames fed so far
    std::size_t hopFill_ = 0;
    float pairSum_ = 0; // frames of the detector frame being averaged
    unsigned pairFill_ = 0;
    std::vector<std::int64_t> pending_; // aubio's reports still waiting for frames after them
    std::vector<std::int64_t> onsets_;
};

} // namespace tamboro
