#include "song/SampleRestore.h"

#include "common/Error.h"
#include "song/SampleNames.h"

namespace tamboro {

std::string cannotFindMessage(const std::string& fileName) {
    return "Can not find " + fileName + "\t\nYou may have moved or deleted this file.";
}

void restorePatternSamples(PatternFileData& data, const SampleTarget& target) {
    for (std::size_t i = 0; i < data.samples.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        PatternSample& sample = data.samples[i];
        if (!isBlankSample(sample.fileName)) {
            try {
                target.setFileName(n, sample.fileName);
            } catch (const Error&) {
                target.notify(cannotFindMessage(sample.fileName));
                sample.fileName = "Blank.wav";
                target.setFileName(n, sample.fileName);
            }
            // The reader guarantees a frequency for every sample that is not blank.
            target.setBaseFrequency(n, sample.frequency.value_or(0));
        }
        const std::string caption = sampleButtonCaption(sample.fileName);
        if (!caption.empty())
            target.setCaption(n, caption);
        target.enableEditor();
    }
}

void checkSongSamples(const SongFileData& song, const SampleTarget& target) {
    if (!target.checkFileName)
        return;
    for (const SongSample& sample : song.samples)
        target.checkFileName(sample.fileName);
}

void restoreSongSamples(const SongFileData& song, const SampleTarget& target) {
    for (std::size_t i = 0; i < song.samples.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        const SongSample& sample = song.samples[i];
        target.setFileName(n, sample.fileName);
        target.setCaption(n, sampleCaption(sample.fileName));
        target.setFrequency(n, sample.frequency);
        if (!isBlankSample(sample.fileName)) {
            target.enableEditor();
            target.setFrequencySlider(sample.frequency);
        }
        if (sample.pan)
            target.setPan(n, *sample.pan);
    }
}

} // namespace tamboro
