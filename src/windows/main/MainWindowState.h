#pragma once
// What the main window shows and edits apart from its controls: the program folder, the pattern
// grid's store and editing state, the two pattern lists, the kit and its instrument list, and the
// song. Start-up sets all of it; the window's parts, its sound layer and its commands work on it.

#include "app/ProgramOptions.h"
#include "kits/KitLibrary.h"
#include "song/GridEditing.h"
#include "song/PatternGrid.h"
#include "song/PatternLibrary.h"
#include "sound/InstrumentList.h"

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tamboro {

struct MainWindowState {
    MainWindowState(const std::filesystem::path& programFolder, const ProgramOptions& options)
        : programDir(programFolder), programOptions(options),
          kitLibrary(std::make_unique<KitLibrary>(programFolder)) {}

    std::filesystem::path programDir;
    ProgramOptions programOptions;
    bool showTips = true;
    // The pattern grid's store and its editing state (patternChanged, cellJump, gridClicked, the
    // pending Time/Bar halves).
    PatternGrid patternCells;
    PatternEditState editState;
    // The Pattern Library and Play List the two list boxes show.
    PatternLibrary patternLibrary;
    PlayList playList;
    // The kit, kitFileName, lastKitIndex and kit loading.
    std::unique_ptr<KitLibrary> kitLibrary;
    // The instrument list; its text is the current instrument.
    InstrumentList instruments;
    // Why the kit could not be loaded at start-up (empty when it loaded).
    std::string kitProblem;
    std::array<bool, 6> channelOn{};
    bool repeatPattern = false, repeatSong = false, globalSpeed = false;
    int stepInterval = 0;
    int primaryRate = 0, primaryBits = 0;
    std::vector<std::string> patternLines, songScript;
    // The pattern last saved or loaded, and the current song's file ("Untitled Song" after New Song,
    // empty until the first New, Open or Save Song). The drum TAB printout titles the song from it.
    std::string currentPattern;
    std::string songFileName;
    // Why the pan table could not be used at start-up (empty when it was read as it stands).
    std::string panTableProblem;
};

} // namespace tamboro
