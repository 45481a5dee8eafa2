#pragma once
// The main window's document commands: saving the grid as a pattern ("Save pattern"), loading a
// pattern by pressing its Play List entry (with the question about unsaved edits and the extra
// samples the pattern names), and the songs: "Open Song", "Save Song", "New Song" and "Clear List"
// with the Play List's "Clear all" button.

#include "song/SampleRestore.h"
#include "windows/main/MainWindowParts.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tamboro {

class MainWindowSound;
class SampleEditorWindow;
class ExtraSamplesWindow;

class PatternSongCommands : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kCaptionAfterNewSong = "Tamboro Pro v7.0";

    // Answers the save button, the Play List's presses, the song items of the File and Edit menus
    // and the "Clear all" button of `window`, and is owned by it. `editor` and `samplesWindow` show
    // what loading a pattern or song does to the extra samples; either may be null.
    PatternSongCommands(const MainWindowParts& window, MainWindowSound& sound, SampleEditorWindow* editor,
                        ExtraSamplesWindow* samplesWindow);

    // ---- Dialogs and message boxes; tests replace them. ----------------------------------------
    // The song open and save dialogs (".sng" files, starting in the program folder); an empty path
    // means the user cancelled.
    std::function<std::filesystem::path()> chooseSongToOpen;
    std::function<std::filesystem::path()> chooseSongToSave;
    // "This pattern has changed, do you wish to save?" with Yes and No; true for Yes.
    std::function<bool()> askSavePattern;
    // A message box with an OK button.
    std::function<void(const QString& text, const QString& title)> showMessage;
    // Told after a song was saved to / opened from a file (the practice settings follow it).
    std::function<void(const std::filesystem::path&song)> songSaved, songOpened;

    // ---- Commands. ------------------------------------------------------------------------------
    // "Save pattern". True when the file was written.
    bool savePatternClicked();
    // A left or middle press on the Play List, after the press selected the entry under the
    // pointer: asks about unsaved edits, then loads the selected entry into the grid.
    void playListPressed();
    void openSongClicked(); // Open Song
    // Opens `file` as the song, all or nothing: a file that cannot be read, is not text or names a
    // sample that cannot be opened is reported and leaves the Play List, the samples and the song's
    // file name as they were. The one way in for the menu, a drop, the command line and Recent
    // songs. True when the song was opened.
    bool openSongFile(const std::filesystem::path& file);
    // Loads the pattern file `file` (from any folder) into the grid, as a Play List press loads
    // one: the unsaved-edits question first, then its tempo, loops, layout and samples.
    void openPatternFile(const std::filesystem::path& file);
    void saveSongClicked();  // Save Song
    void newSongClicked();   // New Song
    void clearListClicked(); // Clear all / Clear List

signals:
    // A song was opened from or saved to `file`.
    void songFileUsed(const QString& file);

private:
    void loadSelectedPattern();
    void loadPatternNamed(const std::string& name);
    bool confirmLoad();
    // Shows a pattern just read into the grid: tempo (clamped with a notice naming `fileLabel`),
    // loops, layout, samples and name.
    void showLoadedPattern(PatternFileData& data, const std::string& fileLabel);
    std::vector<PatternSample> currentSamples() const;
    SampleTarget sampleTarget();
    void reportError(const std::string& text);

    MainWindowParts window_;
    MainWindowSound& sound_;
    QPointer<SampleEditorWindow> editor_;
    QPointer<ExtraSamplesWindow> samplesWindow_;
};

} // namespace tamboro
