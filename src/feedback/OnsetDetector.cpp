#include "feedback/OnsetDetector.h"

#include "common/Error.h"

#include <aubio/aubio.h>

#include <algorithm>
#include <cmath>

namespace tamboro {

namespace {

constexpr std::size_t kHistoryFrames = 1u << 15;

std::int64_t msToFrames(double ms, int rate) {
    return static_cast<std::int64_t>(std::lround(ms * rate / 1000.0));
}

} // namespace

struct OnsetDetector::Aubio {
    aubio_onset_t* onset = nullptr;
    fvec_t* input = nullptr;
    fvec_t* output = nullptr;
    ~Aubio() {
        if (onset)
            del_aubio_onset(onset);
        if (input)
            del_fvec(input);
        if (output)
            del_fvec(output);
    }
};

OnsetDetector::OnsetDetector(int sampleRate, const OnsetSettings& settings)
    : aubio_(std::make_unique<Aubio>()), settings_(settings), rate_(sampleRate), history_(kHistoryFrames) {
    char method[] = "hfc";
    if (settings.decimation < 1 || settings.hop < 1 || settings.window < settings.hop)
        throw Error("The onset detector's settings are out of range.");
    aubio_->onset = new_aubio_onset(method, settings.window, settings.hop,
                                    static_cast<uint_t>(sampleRate) / settings.decimation);
    aubio_->input = new_fvec(settings.hop);
    aubio_->output = new_fvec(1);
    if (!aubio_->onset || !aubio_->input || !aubio_->output)
        throw Error("The onset detector could not be set up.");
    aubio_onset_set_threshold(aubio_->onset, settings.threshold);
    aubio_onset_set_silence(aubio_->onset, settings.silenceDb);
    aubio_onset_set_minioi_ms(aubio_->onset, static_cast<smpl_t>(settings.minimumGapMs));
}

OnsetDetector::~OnsetDetector() = default;

void OnsetDetector::feed(std::span<const float> frames) {
    for (const float sample : frames) {
        history_[static_cast<std::size_t>(fed_) % kHistoryFrames] = sample;
        ++fed_;
        pairSum_ += sample;
        if (++pairFill_ < settings_.decimation)
            continue;
        aubio_->input->data[hopFill_++] = pairSum_ / static_cast<float>(settings_.decimation);
        pairSum_ = 0;
        pairFill_ = 0;
        if (hopFill_ == settings_.hop) {
            hopFill_ = 0;
            runDetector();
        }
    }
}

void OnsetDetector::runDetector() {
    aubio_onset_do(aubio_->onset, aubio_->input, aubio_->output);
    if (aubio_->output->data[0] != 0)
        pending_.push_back(static_cast<std::int64_t>(aubio_onset_get_last(aubio_->onset)) *
                           settings_.decimation);
    refineReady(false);
}

void OnsetDetector::finish() {
    // The last part hop, padded with silence, still gets its run.
    if (hopFill_ > 0) {
        std::fill(aubio_->input->data + hopFill_, aubio_->input->data + settings_.hop, 0.0f);
        hopFill_ = 0;
        aubio_onset_do(aubio_->onset, aubio_->input, aubio_->output);
        if (aubio_->output->data[0] != 0)
            pending_.push_back(static_cast<std::int64_t>(aubio_onset_get_last(aubio_->onset)) *
                               settings_.decimation);
    }
    refineReady(true);
}

void OnsetDetector::refineReady(bool all) {
    const std::int64_t after = msToFrames(settings_.searchAfterMs, rate_);
    std::size_t done = 0;
    while (done < pending_.size() && (all || pending_[done] + after <= fed_))
        refine(pending_[done++]);
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(done));
}

float OnsetDetector::sampleAt(std::int64_t frame) const {
    return std::fabs(history_[static_cast<std::size_t>(frame) % kHistoryFrames]);
}

void OnsetDetector::refine(std::int64_t report) {
    const std::int64_t gap = msToFrames(settings_.minimumGapMs, rate_);
    const std::int64_t oldest = std::max<std::int64_t>(0, fed_ - static_cast<std::int64_t>(kHistoryFrames));
    std::int64_t from = std::max(report - msToFrames(settings_.searchBeforeMs, rate_), oldest);
    if (!onsets_.empty())
        from = std::max(from, onsets_.back() + gap / 2);
    const std::int64_t to = std::min(report + msToFrames(settings_.searchAfterMs, rate_), fed_);
    // What sounded before: the level over the first fifth of the window (10 ms by default, a
    // period of the lowest strings), so a ringing note is not mistaken for the new one.
    const std::int64_t baseEnd = from + (to - from) / 5;
    if (baseEnd <= from || to - baseEnd < 2)
        return;
    float before = 0;
    for (std::int64_t f = from; f < baseEnd; ++f)
        before = std::max(before, sampleAt(f));
    float peak = 0;
    for (std::int64_t f = baseEnd; f < to; ++f)
        peak = std::max(peak, sampleAt(f));
    if (peak <= 0 || peak < before * settings_.minimumRiseRatio)
        return;
    const float level = before + static_cast<float>(settings_.riseShare) * (peak - before);
    std::int64_t start = baseEnd;
    while (start < to && sampleAt(start) <= level)
        ++start;
    if (!onsets_.empty() && start - onsets_.back() < gap)
        return;
    onsets_.push_back(start);
}

} // namespace tamboro
