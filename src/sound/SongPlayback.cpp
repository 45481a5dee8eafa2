#include "common/Error.h"
#include "common/TextLines.h"
#include "song/SongScript.h"
#include "sound/PlaybackState.h"
#include "sound/SoundDevice.h"

namespace tamboro {

bool PlaybackState::playSong(const std::filesystem::path& programDir,
                             const std::vector<std::string>& playList, int selected) {
    if (!reinitializeSound())
        return false;
    setPlayButtons(false);
    const int first = selected < 0 ? 0 : selected;
    if (playList.empty()) {
        // Nothing to play; both buttons come back (rather than leaving "Play, play list" dead).
        setPlayButtons(true);
        return false;
    }
    SongScriptBuild build;
    try {
        build = buildSongScript(programDir, playList, static_cast<std::size_t>(first), grid_);
    } catch (const Error& e) {
        if (events.message)
            events.message(e.what(), "Error");
        songScript.clear();
        setPlayButtons(true);
        return false;
    }
    if (build.patterns > 0) {
        setBpm(build.lastBpm);
        if (events.loopsShown)
            events.loopsShown(build.lastLoops);
        if (events.patternNameShown)
            events.patternNameShown(build.lastName);
    }
    songScript = std::move(build.lines);
    if (events.selectPlayListEntry)
        events.selectPlayListEntry(first - 1);
    scriptPosition = 0;
    stopRequest.clear();
    songClock.setInterval(stepInterval);
    songClock.setEnabled(true);
    return true;
}

void PlaybackState::endOfSong() {
    if (repeatSong && !songScript.empty()) {
        scriptPosition = 0;
        return;
    }
    songScript.clear();
    setPlayButtons(true);
    if (events.selectPlayListEntry)
        events.selectPlayListEntry(0);
    songClock.setEnabled(false);
}

void PlaybackState::onSongTick() {
    SoundDevice::ScheduledStarts onTheBeat(device_, songClock.tickTime());
    auto atEnd = [this] {
        return scriptPosition < 0 || static_cast<std::size_t>(scriptPosition) >= songScript.size();
    };
    // A script cleared by Stop or by a render ends the song as its end marker would.
    if (atEnd() || stopRequest == "Stop") {
        endOfSong();
        return;
    }
    if (songScript[static_cast<std::size_t>(scriptPosition)] == kScriptPatternStart) {
        ++scriptPosition;
        long long tempo = 0;
        if (!atEnd() && parseInteger(songScript[static_cast<std::size_t>(scriptPosition)], tempo))
            setBpm(static_cast<int>(tempo));
        if (globalSpeed)
            setBpm(globalTempo);
        songClock.setInterval(stepInterval);
        ++scriptPosition;
    }
    for (int channel = 1; channel <= 6; ++channel) {
        if (atEnd()) {
            endOfSong();
            return;
        }
        try {
            playCell(songScript[static_cast<std::size_t>(scriptPosition)], channel);
        } catch (const Error&) {
            // A voice that cannot start is silent for this step.
        }
        ++scriptPosition;
        if (atEnd() || songScript[static_cast<std::size_t>(scriptPosition)] == kScriptEnd ||
            stopRequest == "Stop") {
            endOfSong();
            return;
        }
    }
}

void PlaybackState::clearSong() {
    stopRequest = "Stop";
    setPlayButtons(true);
    songClock.setEnabled(false);
    songScript.clear();
}

void PlaybackState::toggleRepeatSong() {
    repeatSong = !repeatSong;
    if (events.repeatSongGlyph)
        events.repeatSongGlyph(repeatSong ? 2 : 3);
}

void PlaybackState::toggleGlobalSpeed() {
    globalSpeed = !globalSpeed;
    if (globalSpeed)
        globalTempo = bpm_;
    if (events.globalSpeedGlyph)
        events.globalSpeedGlyph(globalSpeed ? 9 : 8);
}

} // namespace tamboro
