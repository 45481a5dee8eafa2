#pragma once
// The main window's document commands: saving the grid as a pattern ("Save pattern"), loading a
// pattern by pressing its Play List entry (with the question about unsaved edits and the extra
// samples the pattern names), and the songs: "Open Song", "Save Song", "New Song" and "Clear List"
// with the Play List's "Clear all" button.

#include "app/SampleRestore.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tamboro {

class SequenceSound;
class TSampleEditor;
class TSamples;
class TSequence;

class PatternSongCommands : public QObject {
    Q_OBJECT
public:
    // `editor` and `samplesWindow` show what loading a pattern or song does to the extra samples;
    // either may be null.
    PatternSongCommands(TSequence& window, SequenceSound& sound, TSampleEditor* editor, TSamples* samplesWindow);

    // ---- Dialogs and message boxes; tests replace them. ----------------------------------------
    // The song open and save dialogs (".sng" files, starting in the program folder); an empty path
    // means the user cancelled.
    std::function<std::filesystem::path()> chooseSongToOpen;
    std::function<std::filesystem::path()> chooseSongToSave;
    // "This pattern has changed, do you wish to save?" with Yes and No; true for Yes.
    std::function<bool()> askSavePattern;
    // A message box with an OK button.
    std::function<void(const QString& text, const QString& title)> showMessage;

    // ---- Commands. ------------------------------------------------------------------------------
    // "Save pattern". True when the file was written.
    bool BitBtn6Click();
    // A left or middle press on the Play List, after the press selected the entry under the
    // pointer: asks about unsaved edits, then loads the selected entry into the grid.
    void SongListMouseDown();
    void BitBtn8Click();  // Open Song
    void BitBtn9Click();  // Save Song
    void New_SongClick(); // New Song
    void BitBtn10Click(); // Clear all / Clear List

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadSelectedPattern();
    std::vector<PatternSample> currentSamples() const;
    SampleTarget sampleTarget();
    void reportError(const std::string& text);

    TSequence& Window;
    SequenceSound& Sound;
    QPointer<TSampleEditor> Editor;
    QPointer<TSamples> SamplesWindow;
};

} // namespace tamboro
