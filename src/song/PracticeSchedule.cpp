#include "song/PracticeSchedule.h"

#include "common/Error.h"
#include "common/Rounding.h"

#include <algorithm>

namespace tamboro {

bool PracticePass::drumsSound(int step) const {
    if (countIn || !audible)
        return false;
    const auto beat = static_cast<std::size_t>(step / stepsPerBeat);
    return beat >= droppedBeats.size() || !droppedBeats[beat];
}

ClickSound PracticePass::click(int step, bool clickOn) const {
    if (!onBeatMark(step) || (!countIn && (!clickOn || !audible)))
        return ClickSound::None;
    return step == 0 ? ClickSound::Accent : ClickSound::Tick;
}

PracticeSequence::PracticeSequence(std::vector<PracticeEntry> entries, PracticeSettings settings)
    : settings_(settings), dropper_(settings.seed), countInLeft_(settings.countIn) {
    for (auto& e : entries) {
        const bool inSection =
            settings.sectionFrom <= 0 || (e.listIndex + 1 >= static_cast<std::size_t>(settings.sectionFrom) &&
                                          e.listIndex + 1 <= static_cast<std::size_t>(settings.sectionTo));
        if (!inSection || e.steps < 1)
            continue;
        if (e.tempo <= 0)
            throw Error("A pattern with a tempo of " + std::to_string(e.tempo) + " BPM cannot be practised.");
        e.loops = std::max(1, e.loops);
        e.stepsPerBeat = std::max(1, e.stepsPerBeat);
        entries_.push_back(e);
    }
    if (entries_.empty())
        throw Error(settings.sectionFrom > 0
                        ? "The section " + std::to_string(settings.sectionFrom) + "-" +
                              std::to_string(settings.sectionTo) + " holds no pattern steps."
                        : std::string("There are no pattern steps to practise."));
}

double PracticeSequence::stepSeconds(const PracticeEntry& entry, double percent) const {
    return 60.0 / (entry.tempo * percent / 100) / 4;
}

double PracticeSequence::leadInSeconds() const {
    const double s = stepSeconds(entries_.front(), settings_.percentForPlay(0));
    return static_cast<double>(roundHalfEven(s * 1000)) / 1000;
}

PracticePass PracticeSequence::next() {
    PracticePass pass;
    if (countInLeft_ > 0) {
        --countInLeft_;
        const PracticeEntry& first = entries_.front();
        pass.countIn = true;
        pass.percent = settings_.percentForPlay(0);
        pass.stepSeconds = stepSeconds(first, pass.percent);
        pass.steps = first.steps;
        pass.stepsPerBeat = first.stepsPerBeat;
        return pass;
    }
    const PracticeEntry& e = entries_[entry_];
    pass.play = play_;
    pass.playedPass = playedPasses_;
    pass.entry = entry_;
    pass.loop = loop_;
    pass.percent = settings_.percentForPlay(play_);
    pass.stepSeconds = stepSeconds(e, pass.percent);
    pass.steps = e.steps;
    pass.stepsPerBeat = e.stepsPerBeat;
    if (settings_.barPlay > 0)
        pass.audible = playedPasses_ % (settings_.barPlay + settings_.barMute) < settings_.barPlay;
    // Every beat of every pass draws, heard or not, so the bar breaks never move the dropped beats.
    const int beats = (e.steps + e.stepsPerBeat - 1) / e.stepsPerBeat;
    pass.droppedBeats.resize(static_cast<std::size_t>(beats));
    if (settings_.dropPercent > 0)
        for (int b = 0; b < beats; ++b)
            pass.droppedBeats[static_cast<std::size_t>(b)] =
                ((static_cast<std::uint64_t>(dropper_()) * 100) >> 32) <
                static_cast<std::uint64_t>(settings_.dropPercent);

    ++playedPasses_;
    if (++loop_ >= e.loops) {
        loop_ = 0;
        if (++entry_ >= entries_.size()) {
            entry_ = 0;
            ++play_;
        }
    }
    return pass;
}

double PracticeSequence::countInSeconds() const {
    const PracticeEntry& first = entries_.front();
    return settings_.countIn * first.steps * stepSeconds(first, settings_.percentForPlay(0));
}

double PracticeSequence::playSeconds(int k) const {
    double total = 0;
    for (const auto& e : entries_)
        total += e.loops * e.steps * stepSeconds(e, settings_.percentForPlay(k));
    return total;
}

double PracticeSequence::secondsFor(int plays) const {
    double total = countInSeconds();
    for (int k = 0; k < plays; ++k)
        total += playSeconds(k);
    return total;
}

std::vector<PracticePass> schedulePractice(const PracticeSequence& sequence, int plays) {
    PracticeSequence walk = sequence;
    std::vector<PracticePass> passes;
    while (true) {
        PracticePass pass = walk.next();
        if (pass.play >= plays)
            break;
        passes.push_back(std::move(pass));
    }
    return passes;
}

int playsFittingMinutes(const PracticeSequence& sequence, double minutes) {
    const double limit = minutes * 60 + 1e-9;
    double total = sequence.countInSeconds();
    int plays = 0;
    while (plays < kMaxPracticePlays && (total += sequence.playSeconds(plays)) <= limit)
        ++plays;
    return plays;
}

} // namespace tamboro
