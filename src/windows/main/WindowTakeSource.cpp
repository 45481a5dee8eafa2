#include "windows/main/WindowTakeSource.h"

#include "windows/main/MainWindowState.h"
#include "windows/sound/InputLatencyDialog.h"

namespace tamboro {

TakeSource windowTakeSource(const MainWindowParts& parts, const PracticeSettings& practice) {
    TakeSource source;
    source.patternDir = parts.state.programDir;
    source.entries = parts.state.playList.names();
    const std::string songName = std::filesystem::path(parts.state.songFileName).stem().string();
    source.song = !songName.empty()            ? songName
                  : source.entries.size() == 1 ? source.entries.front()
                                               : std::string("Untitled Song");
    source.practice = formatPracticeFile(practice);
    source.latencyMs = loadInputSettings().latencyMs;
    return source;
}

} // namespace tamboro
