#include "song/PatternLists.h"

#include "common/Error.h"

#include <system_error>

namespace tamboro {

SaveOutcome savePattern(const std::filesystem::path& programDir, const PatternGrid& grid,
                        PatternEditState& state, int bpm, int loops,
                        const std::vector<PatternSample>& samples, PlayList& playList,
                        PatternLibrary& library, std::string& currentPattern) {
    currentPattern = grid.name();
    if (currentPattern.empty())
        return SaveOutcome::NeedsName;
    // patternChanged is cleared only once the file is safely written, so a failed save keeps the
    // guard against losing the edits.
    writePatternFile(programDir, currentPattern, buildPatternFileLines(grid, bpm, loops, samples));
    state.patternChanged = false;
    addSavedPatternToLists(playList, library, currentPattern);
    return SaveOutcome::Saved;
}

void addSavedPatternToLists(PlayList& playList, PatternLibrary& library, const std::string& name) {
    if (playList.contains(name))
        return;
    playList.append(name);
    if (!library.contains(name))
        library.add(name);
}

void confirmUnsavedEdits(PatternEditState& state, const std::function<bool()>& askSave,
                         const std::function<void()>& save) {
    if (state.patternChanged && askSave())
        save();
    state.patternChanged = false;
}

std::optional<PatternFileData> loadPattern(const std::filesystem::path& programDir, const std::string& name,
                                           PatternGrid& grid) {
    if (name.empty() || name == kBlankPatternName)
        return std::nullopt;
    PatternFileData data = readPatternFile(patternFilePath(programDir, name));
    loadPatternIntoGrid(grid, data);
    return data;
}

bool sendToPlayList(const PatternLibrary& library, PlayList& playList) {
    const std::string name = library.selectedName();
    if (library.selected() < 0 || name == kBlankPatternName)
        return false;
    playList.append(name);
    return true;
}

bool canDeleteFromLibrary(const PatternLibrary& library) {
    return library.selected() >= 0 && library.selectedName() != kBlankPatternName;
}

std::string deleteFromLibrary(PatternLibrary& library, PlayList& playList,
                              const std::filesystem::path& programDir) {
    if (!canDeleteFromLibrary(library))
        return {};
    const std::string name = library.selectedName();
    library.removeAt(library.selected());
    if (patternNameStaysInFolder(name)) {
        std::error_code ignored;
        std::filesystem::remove(patternFilePath(programDir, name), ignored);
    }
    playList.removeAll(name);
    return name;
}

void moveBackToLibrary(PlayList& playList, PatternLibrary& library) {
    if (playList.selected() < 0)
        return;
    const std::string name = playList.selectedName();
    if (library.contains(name)) {
        playList.removeAt(playList.selected());
        return;
    }
    if (name == kBlankPatternName)
        return;
    try {
        checkPatternName(name);
    } catch (const Error& e) {
        throw Error("\"" + name + "\" cannot go into the Pattern Library: " + e.what());
    }
    library.add(name);
    playList.removeAt(playList.selected());
}

void newSong(PatternGrid& grid, PlayList& playList, std::string& songFileName) {
    songFileName = kUntitledSong;
    clearGridCells(grid);
    playList.clear();
}

} // namespace tamboro
