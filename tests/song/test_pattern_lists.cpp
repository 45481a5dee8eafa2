#include "common/Error.h"
#include "common/Files.h"
#include "song/PatternLists.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace tamboro;
namespace fs = std::filesystem;

namespace {

void touch(const fs::path& path) {
    std::ofstream(path) << "x";
}

std::vector<std::string> names(const PlayList& list) {
    return list.names();
}

struct Workspace {
    test::TempDir dir;
    PatternGrid grid;
    PatternEditState state;
    PlayList playList;
    PatternLibrary library;
    std::string currentPattern;

    SaveOutcome save(const std::string& name) {
        grid.setName(name);
        return savePattern(dir.path, grid, state, 120, 1, {}, playList, library, currentPattern);
    }
};

} // namespace

TEST(PatternLibrary, FillsFromPatternFilesSortedIgnoringCase) {
    test::TempDir dir;
    for (const char* f : {"rock.pat", "Bossa.pat", "funk.PAT", "Zed.pat", "notes.txt", ".pat"})
        touch(dir.path / f);
    PatternLibrary library;
    library.fillFromFolder(dir.path);
    EXPECT_EQ(library.entries(), (std::vector<std::string>{"Bossa", "funk", "rock", "Zed"}));
    library.add("Ballad");
    library.add("Reggae");
    EXPECT_EQ(library.entries(),
              (std::vector<std::string>{"Ballad", "Bossa", "funk", "Reggae", "rock", "Zed"}));
}

TEST(SavePattern, AddsANewPatternToBothListsOnce) {
    Workspace w;
    w.library.add("Ballad");
    w.library.add("Tango");
    w.state.patternChanged = true;
    EXPECT_EQ(w.save("Rock"), SaveOutcome::Saved);
    EXPECT_FALSE(w.state.patternChanged);
    EXPECT_EQ(w.currentPattern, "Rock");
    EXPECT_TRUE(fs::exists(w.dir.path / "Rock.pat"));
    EXPECT_EQ(names(w.playList), std::vector<std::string>{"Rock"});
    EXPECT_EQ(w.library.entries(), (std::vector<std::string>{"Ballad", "Rock", "Tango"}));
    w.save("Rock");
    EXPECT_EQ(w.playList.size(), 1);
    EXPECT_EQ(w.library.size(), 3);
    // In the library but not in the Play List: re-saving appends it to the Play List only.
    w.playList.clear();
    w.save("Rock");
    EXPECT_EQ(names(w.playList), std::vector<std::string>{"Rock"});
    EXPECT_EQ(w.library.size(), 3);
}

TEST(SavePattern, AnEmptyNameAsksForOne) {
    Workspace w;
    w.state.patternChanged = true;
    EXPECT_EQ(w.save(""), SaveOutcome::NeedsName);
    EXPECT_TRUE(w.state.patternChanged);
    EXPECT_TRUE(fs::is_empty(w.dir.path));
}

TEST(SavePattern, AFailedSaveKeepsTheChangedFlagAndTheOldFile) {
    Workspace w;
    w.save("Rock");
    const auto before = readFileBytes(w.dir.path / "Rock.pat");
    w.state.patternChanged = true;
    EXPECT_THROW(w.save("../Rock"), Error);
    EXPECT_TRUE(w.state.patternChanged);

    EXPECT_EQ(readFileBytes(w.dir.path / "Rock.pat"), before);

    // A write that fails (a folder stands where the file would go): nothing changes.
    fs::create_directories(w.dir.path / "Jam.pat" / "inside");
    EXPECT_THROW(w.save("Jam"), Error);
    EXPECT_TRUE(w.state.patternChanged);
    EXPECT_TRUE(fs::exists(w.dir.path / "Jam.pat" / "inside"));
    EXPECT_EQ(names(w.playList), std::vector<std::string>{"Rock"});
    EXPECT_FALSE(w.library.contains("Jam"));
}

TEST(LoadPattern, ReplacesTheGridOrKeepsItOnFailure) {
    Workspace w;
    w.grid.layOut(8, 2);
    w.grid.setCell(3, 4, "Snare     [ ]");
    w.save("Eight");

    PatternGrid grid;
    grid.setName("Mine");
    const auto data = loadPattern(w.dir.path, "Eight", grid);
    ASSERT_TRUE(data);
    EXPECT_EQ(grid.rowCount(), 10);
    EXPECT_EQ(grid.cell(3, 4), "Snare     [ ]");
    EXPECT_EQ(grid.name(), "Eight");

    EXPECT_FALSE(loadPattern(w.dir.path, "<Blank>", grid));
    EXPECT_FALSE(loadPattern(w.dir.path, "", grid));
    EXPECT_THROW(loadPattern(w.dir.path, "Gone", grid), Error);
    EXPECT_THROW(loadPattern(w.dir.path, "../Eight", grid), Error);
    std::ofstream(w.dir.path / "Bad.pat") << "Bad\r\nLength:\r\n16\r\n";
    EXPECT_THROW(loadPattern(w.dir.path, "Bad", grid), Error);
    EXPECT_EQ(grid.name(), "Eight");
    EXPECT_EQ(grid.rowCount(), 10);
}

TEST(LoadPattern, TheSaveQuestionIsAskedOnceAndNoDiscards) {
    Workspace w;
    w.grid.setCell(1, 2, "Kick      [ ]");
    w.save("Rock");
    w.grid.setCell(1, 2, "Snare     [ ]"); // an edit not saved
    w.state.patternChanged = true;
    int asked = 0, saved = 0;
    auto askNo = [&] {
        ++asked;
        return false;
    };
    auto save = [&] { ++saved; };
    confirmUnsavedEdits(w.state, askNo, save);
    ASSERT_TRUE(loadPattern(w.dir.path, "Rock", w.grid));
    EXPECT_EQ(w.grid.cell(1, 2), "Kick      [ ]"); // the edit is gone
    EXPECT_FALSE(w.state.patternChanged);
    confirmUnsavedEdits(w.state, askNo, save); // a second click right after does not ask
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(saved, 0);

    w.state.patternChanged = true;
    confirmUnsavedEdits(
        w.state, [] { return true; }, save);
    EXPECT_EQ(saved, 1);
    EXPECT_FALSE(w.state.patternChanged);

    // Yes with a save that fails keeps the guard, so the caller does not load over the edits.
    w.state.patternChanged = true;
    EXPECT_THROW(confirmUnsavedEdits(
                     w.state, [] { return true; }, [] { throw Error("disk full"); }),
                 Error);
    EXPECT_TRUE(w.state.patternChanged);
}

TEST(PlayList, SendingTwiceAddsTwiceButNeverBlank) {
    PatternLibrary library;
    library.add("Rock");
    library.add(kBlankPatternName);
    PlayList playList;
    library.select(library.size() - 1); // "Rock" sorts after "<Blank>"
    EXPECT_TRUE(sendToPlayList(library, playList));
    EXPECT_TRUE(sendToPlayList(library, playList));
    library.select(0);
    EXPECT_FALSE(sendToPlayList(library, playList));
    library.select(-1);
    EXPECT_FALSE(sendToPlayList(library, playList));
    EXPECT_EQ(names(playList), (std::vector<std::string>{"Rock", "Rock"}));
}

TEST(LibraryBin, DeletesThePatternEverywhere) {
    Workspace w;
    w.save("Rock");
    w.save("Funk");
    for (const char* n : {"Rock", "Funk", "Rock"})
        w.playList.append(n);
    w.library.select(1); // Funk, Rock
    ASSERT_EQ(w.library.selectedName(), "Rock");
    EXPECT_EQ(deleteFromLibrary(w.library, w.playList, w.dir.path), "Rock");
    EXPECT_EQ(names(w.playList), (std::vector<std::string>{"Funk", "Funk"}));
    EXPECT_EQ(w.library.entries(), std::vector<std::string>{"Funk"});
    EXPECT_FALSE(fs::exists(w.dir.path / "Rock.pat"));
    // The first entry is a real pattern too.
    w.library.select(0);
    EXPECT_EQ(deleteFromLibrary(w.library, w.playList, w.dir.path), "Funk");
    EXPECT_EQ(w.playList.size(), 0);
    EXPECT_FALSE(fs::exists(w.dir.path / "Funk.pat"));
}

TEST(LibraryBin, ProtectsBlankAndNeverLeavesTheFolder) {
    test::TempDir dir;
    fs::create_directories(dir.path / "inner");
    touch(dir.path / "outside.pat");
    PatternLibrary library;
    PlayList playList;
    library.add(kBlankPatternName);
    library.select(0);
    EXPECT_FALSE(canDeleteFromLibrary(library));
    EXPECT_EQ(deleteFromLibrary(library, playList, dir.path / "inner"), "");
    EXPECT_EQ(library.size(), 1);
    library.select(-1);
    EXPECT_EQ(deleteFromLibrary(library, playList, dir.path / "inner"), "");

    library.add("../outside"); // a name that came in from a song file
    library.select(0);
    ASSERT_EQ(library.selectedName(), "../outside");
    EXPECT_EQ(deleteFromLibrary(library, playList, dir.path / "inner"), "../outside");
    EXPECT_TRUE(fs::exists(dir.path / "outside.pat"));
}

TEST(PlayList, moveBackToLibrary) {
    PatternLibrary library;
    library.add("Rock");
    PlayList playList;
    for (const char* n : {"Rock", "Funk", kBlankPatternName})
        playList.append(n);
    playList.select(0);
    moveBackToLibrary(playList, library);
    EXPECT_EQ(names(playList), (std::vector<std::string>{"Funk", "<Blank>"}));
    EXPECT_EQ(library.size(), 1);
    playList.select(0);
    moveBackToLibrary(playList, library);
    EXPECT_EQ(library.entries(), (std::vector<std::string>{"Funk", "Rock"}));
    playList.select(0);
    moveBackToLibrary(playList, library);
    EXPECT_EQ(names(playList), std::vector<std::string>{"<Blank>"});
    EXPECT_EQ(library.size(), 2);
    playList.select(-1);
    moveBackToLibrary(playList, library);
    EXPECT_EQ(playList.size(), 1);
}

TEST(PlayList, MoveBackRefusesNamesThatCouldLeaveTheFolder) {
    for (const char* unsafe :
         {"../outside", "/tmp/abs", "sub/dir", "back\\slash", "C:drive", "..", "tab\tname"}) {
        PatternLibrary library;
        library.add("Rock");
        PlayList playList;
        playList.append("Rock");
        playList.append(unsafe);
        playList.select(1);
        try {
            moveBackToLibrary(playList, library);
            ADD_FAILURE() << unsafe << ": accepted";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find("\"" + std::string(unsafe) + "\""), std::string::npos)
                << e.what();
        }
        EXPECT_EQ(library.entries(), std::vector<std::string>{"Rock"}) << unsafe;
        EXPECT_EQ(names(playList), (std::vector<std::string>{"Rock", unsafe})) << unsafe;
    }
}

TEST(PlayList, UpAndDownStopAtTheEnds) {
    PlayList list;
    for (const char* n : {"A", "B", "C"})
        list.append(n);
    list.setChecked(0, true);
    list.select(0);
    list.moveUp();
    EXPECT_EQ(names(list), (std::vector<std::string>{"A", "B", "C"}));
    list.moveDown();
    EXPECT_EQ(names(list), (std::vector<std::string>{"B", "A", "C"}));
    EXPECT_EQ(list.selected(), 1);
    EXPECT_TRUE(list.entries()[1].checked); // the mark travels with its entry
    list.moveDown();
    list.moveDown();
    EXPECT_EQ(names(list), (std::vector<std::string>{"B", "C", "A"}));
    EXPECT_EQ(list.selected(), 2);
    list.moveUp();
    EXPECT_EQ(names(list), (std::vector<std::string>{"B", "A", "C"}));
    list.select(-1);
    list.moveUp();
    list.moveDown();
    EXPECT_EQ(names(list), (std::vector<std::string>{"B", "A", "C"}));
}

TEST(PlayList, DeletesCheckedEntriesAndClears) {
    PlayList list;
    for (const char* n : {"1", "2", "3", "4", "5"})
        list.append(n);
    list.setChecked(1, true);
    list.setChecked(3, true);
    list.deleteChecked();
    EXPECT_EQ(names(list), (std::vector<std::string>{"1", "3", "5"}));
    list.select(2);
    list.clear();
    EXPECT_EQ(list.size(), 0);
    EXPECT_EQ(list.selected(), -1);
}

TEST(NewSong, KeepsTheLibraryAndClearsTheRest) {
    PatternGrid grid;
    grid.setName("Rock");
    grid.setCell(1, 2, "Kick      [ ]");
    PlayList list;
    list.append("Rock");
    std::string songFile;
    newSong(grid, list, songFile);
    EXPECT_EQ(songFile, "Untitled Song");
    EXPECT_EQ(grid.name(), "");
    EXPECT_EQ(grid.cell(1, 2), "");
    EXPECT_EQ(list.size(), 0);
}
