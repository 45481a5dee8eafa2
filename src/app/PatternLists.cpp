#include "app/PatternLists.h"

#include "common/Error.h"

#include <system_error>

namespace tamboro {

SaveOutcome SavePattern(const std::filesystem::path& programDir, const PatternGrid& grid, PatternEditState& state,
                        int bpm, int loops, const std::vector<PatternSample>& samples, PlayList& playList,
                        PatternLibrary& library, std::string& currentPattern) {
    currentPattern = grid.name();
    if (currentPattern.empty())
        return SaveOutcome::NeedsName;
    // PatternChanged is cleared only once the file is safely written, so a failed save keeps the
    // guard against losing the edits.
    WritePatternFile(programDir, currentPattern, BuildPatternFileLines(grid, bpm, loops, samples));
    state.PatternChanged = false;
    AddSavedPatternToLists(playList, library, currentPattern);
    return SaveOutcome::Saved;
}

void AddSavedPatternToLists(PlayList& playList, PatternLibrary& library, const std::string& name) {
    if (playList.contains(name))
        return;
    playList.append(name);
    if (!library.contains(name))
        library.add(name);
}

void ConfirmUnsavedEdits(PatternEditState& state, const std::function<bool()>& askSave, const std::function<void()>& save) {
    if (state.PatternChanged && askSave())
        save();
    state.PatternChanged = false;
}

std::optional<PatternFileData> LoadPattern(const std::filesystem::path& programDir, const std::string& name,
                                           PatternGrid& grid) {
    if (name.empty() || name == kBlankPatternName)
        return std::nullopt;
    PatternFileData data = ReadPatternFile(PatternFilePath(programDir, name));
    LoadPatternIntoGrid(grid, data);
    return data;
}

bool SendToPlayList(const PatternLibrary& library, PlayList& playList) {
    const std::string name = library.selectedName();
    if (library.selected() < 0 || name == kBlankPatternName)
        return false;
    playList.append(name);
    return true;
}

bool CanDeleteFromLibrary(const PatternLibrary& library) {
    return library.selected() >= 0 && library.selectedName() != kBlankPatternName;
}

std::string DeleteFromLibrary(PatternLibrary& library, PlayList& playList, const std::filesystem::path& programDir) {
    if (!CanDeleteFromLibrary(library))
        return {};
    const std::string name = library.selectedName();
    library.removeAt(library.selected());
    if (PatternNameStaysInFolder(name)) {
        std::error_code ignored;
        std::filesystem::remove(PatternFilePath(programDir, name), ignored);
    }
    playList.removeAll(name);
    return name;
}

void MoveBackToLibrary(PlayList& playList, PatternLibrary& library) {
    if (playList.selected() < 0)
        return;
    const std::string name = playList.selectedName();
    if (library.contains(name)) {
        playList.removeAt(playList.selected());
        return;
    }
    if (name == kBlankPatternName)
        return;
    library.add(name);
    playList.removeAt(playList.selected());
}

void NewSong(PatternGrid& grid, PlayList& playList, std::string& songFileName) {
    songFileName = kUntitledSong;
    ClearGridCells(grid);
    playList.clear();
}

} // namespace tamboro
