#pragma once
// The main window's operations that join the grid, the pattern files and the two lists: saving and
// loading a pattern, sending to and moving back from the Play List, the bin, New Song.

#include "song/GridEditing.h"
#include "song/PatternFile.h"
#include "song/PatternLibrary.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tamboro {

enum class SaveOutcome {
    NeedsName, // the name cell is empty: show "Name of pattern?"
    Saved,
};

// `savePatternClicked`: writes the grid as the pattern file named by cell (0,0) and adds the name to the
// Play List (unless it holds it already) and then to the library (unless it holds it). Sets
// `currentPattern` to the name. A name that cannot be a file in the folder or a failed write throws
// Error before anything changes: the old file stays whole and patternChanged stays set.
SaveOutcome savePattern(const std::filesystem::path& programDir, const PatternGrid& grid,
                        PatternEditState& state, int bpm, int loops,
                        const std::vector<PatternSample>& samples, PlayList& playList,
                        PatternLibrary& library, std::string& currentPattern);

// The list part of saving, for a name just saved.
void addSavedPatternToLists(PlayList& playList, PatternLibrary& library, const std::string& name);

// Load pattern, step 1: when patternChanged is set, asks `askSave` ("This pattern has changed, do
// you wish to save?"); Yes runs `save`. patternChanged is then cleared whatever the answer. A save
// that throws leaves patternChanged set and the Error goes to the caller, which should not load.
void confirmUnsavedEdits(PatternEditState& state, const std::function<bool()>& askSave,
                         const std::function<void()>& save);

inline constexpr const char* kSaveQuestion = "This pattern has changed, do you wish to save?";
inline constexpr const char* kSaveQuestionTitle = "Save pattern";

// Load pattern: reads the pattern file of `name` and puts it into the grid. Empty when `name` is
// empty or "<Blank>". A missing or bad file throws Error naming it, and the grid keeps what it had.
// The caller applies the tempo, loops and samples of the result and sets the name box.
std::optional<PatternFileData> loadPattern(const std::filesystem::path& programDir, const std::string& name,
                                           PatternGrid& grid);

// Send to Play List: appends the library's selected entry unless it is "<Blank>". True when added.
bool sendToPlayList(const PatternLibrary& library, PlayList& playList);

// True when the bin may act on the library's selection: any real pattern, never "<Blank>".
bool canDeleteFromLibrary(const PatternLibrary& library);
// The bin, after the user confirmed: removes the selected library entry, deletes its pattern file
// (silently when missing; never a file outside the folder) and every equal Play List entry.
// Returns the deleted name, empty when nothing was deleted.
std::string deleteFromLibrary(PatternLibrary& library, PlayList& playList,
                              const std::filesystem::path& programDir);

// `backToLibraryButton`: the selected Play List entry goes back to the library (just leaves the Play
// List when the library has it; "<Blank>" stays where it is). An entry that cannot be a pattern
// file's name in the folder (a path such as "../outside" or "/tmp/x", separators, control
// characters) is refused with an Error naming it, and both lists stay as they were.
void moveBackToLibrary(PlayList& playList, PatternLibrary& library);

// New Song: clears the grid cells and the Play List and names the song "Untitled Song". The caller
// also empties the name box and sets the window caption.
void newSong(PatternGrid& grid, PlayList& playList, std::string& songFileName);

inline constexpr const char* kUntitledSong = "Untitled Song";

} // namespace tamboro
