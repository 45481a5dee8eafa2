#include "app/SongScript.h"
#include "common/Error.h"
#include "common/TextLines.h"
#include "sound/PlaybackState.h"
#include "sound/SoundDevice.h"

namespace tamboro {

bool PlaybackState::BitBtn12Click(const std::filesystem::path& programDir, const std::vector<std::string>& playList,
                                  int selected) {
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
        build = BuildSongScript(programDir, playList, static_cast<std::size_t>(first), grid_);
    } catch (const Error& e) {
        if (events.message)
            events.message(e.what(), "Error");
        SongScript.clear();
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
    SongScript = std::move(build.lines);
    if (events.selectPlayListEntry)
        events.selectPlayListEntry(first - 1);
    ScriptPos = 0;
    StopRequest.clear();
    DXTimer1.SetInterval(StepInterval);
    DXTimer1.SetEnabled(true);
    return true;
}

void PlaybackState::endOfSong() {
    if (RepeatSong && !SongScript.empty()) {
        ScriptPos = 0;
        return;
    }
    SongScript.clear();
    setPlayButtons(true);
    if (events.selectPlayListEntry)
        events.selectPlayListEntry(0);
    DXTimer1.SetEnabled(false);
}

void PlaybackState::DXTimer1Timer() {
    SoundDevice::ScheduledStarts onTheBeat(device_, DXTimer1.tickTime());
    auto atEnd = [this] {
        return ScriptPos < 0 || static_cast<std::size_t>(ScriptPos) >= SongScript.size();
    };
    // A script cleared by Stop or by a render ends the song as its end marker would.
    if (atEnd() || StopRequest == "Stop") {
        endOfSong();
        return;
    }
    if (SongScript[static_cast<std::size_t>(ScriptPos)] == kScriptPatternStart) {
        ++ScriptPos;
        long long tempo = 0;
        if (!atEnd() && parseInteger(SongScript[static_cast<std::size_t>(ScriptPos)], tempo))
            setBpm(static_cast<int>(tempo));
        if (GlobalSpeed)
            setBpm(GlobalTempo);
        DXTimer1.SetInterval(StepInterval);
        ++ScriptPos;
    }
    for (int channel = 1; channel <= 6; ++channel) {
        if (atEnd()) {
            endOfSong();
            return;
        }
        try {
            SoundCell(SongScript[static_cast<std::size_t>(ScriptPos)], channel);
        } catch (const Error&) {
            // A voice that cannot start is silent for this step.
        }
        ++ScriptPos;
        if (atEnd() || SongScript[static_cast<std::size_t>(ScriptPos)] == kScriptEnd || StopRequest == "Stop") {
            endOfSong();
            return;
        }
    }
}

void PlaybackState::ClearSong() {
    StopRequest = "Stop";
    setPlayButtons(true);
    DXTimer1.SetEnabled(false);
    SongScript.clear();
}

void PlaybackState::ToolButton8Click() {
    RepeatSong = !RepeatSong;
    if (events.repeatSongGlyph)
        events.repeatSongGlyph(RepeatSong ? 2 : 3);
}

void PlaybackState::ToolButton19Click() {
    GlobalSpeed = !GlobalSpeed;
    if (GlobalSpeed)
        GlobalTempo = bpm_;
    if (events.globalSpeedGlyph)
        events.globalSpeedGlyph(GlobalSpeed ? 9 : 8);
}

} // namespace tamboro
