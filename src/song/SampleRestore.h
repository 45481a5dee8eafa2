#pragma once
// The extra-sample settings that travel with patterns and songs, put back onto the sample editor's
// 32 players. The players live in the sound engine; this code reaches them through `SampleTarget`,
// so the rules (the "Can not find" fall-back, which lines are skipped, the button captions) are
// tested here without a sound device.

#include "song/PatternFile.h"
#include "song/SongFile.h"

#include <functional>
#include <string>

namespace tamboro {

struct SampleTarget {
    // Gives sample n (1..32) a file; throws Error when the file cannot be opened.
    std::function<void(int n, const std::string& fileName)> setFileName;
    // Sets sample n's `baseFrequency` and its playback frequency (pattern loading).
    std::function<void(int n, int hz)> setBaseFrequency;
    // Sets sample n's playback frequency only (song opening).
    std::function<void(int n, int hz)> setFrequency;
    std::function<void(int n, int pan)> setPan;
    // The caption of button n of the Extra samples window.
    std::function<void(int n, const std::string& caption)> setCaption;
    // Enables the sample editor's play button and its pan, volume and frequency track bars.
    std::function<void()> enableEditor;
    // Moves the editor's frequency track bar (song opening).
    std::function<void(int hz)> setFrequencySlider;
    // Shows a notice to the user.
    std::function<void(const std::string& text)> notify;
    // Throws the Error setFileName would throw for the file, changing nothing (optional).
    std::function<void(const std::string& fileName)> checkFileName;
};

// The notice for a sample file a pattern names but that cannot be opened.
std::string cannotFindMessage(const std::string& fileName);

// Load pattern, sample pairs: each pair the file holds is applied in order; a sample whose file
// cannot be opened is announced and falls back to "Blank.wav" (its name is replaced in `data`
// too); a "Blank.wav" pair leaves its sample alone. Missing pairs leave their samples unchanged.
void restorePatternSamples(PatternFileData& data, const SampleTarget& target);

// Open Song, sample section: every block sets its sample's file, caption and frequency, and its pan
// when the block carries one. A file that cannot be opened stops here with the Error (the samples
// before it are set); checkSongSamples first keeps that from happening.
void restoreSongSamples(const SongFileData& song, const SampleTarget& target);

// Open Song's first step: every sample file the song names is checked with target.checkFileName,
// so a song whose samples cannot all be opened is refused before anything changes. The Error names
// the file.
void checkSongSamples(const SongFileData& song, const SampleTarget& target);

} // namespace tamboro
