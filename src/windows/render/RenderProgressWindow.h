#pragma once
// The render window ("Render"): shows which instrument is being mixed and how far the pass over
// the song has got, and runs the render engine (runRender) on the window thread, letting
// pending events run once per song-script line so that the window repaints and Stop reaches it.
//
// Wiring from the main window (renderSongClicked): disable playPatternButton and playSongButton, run
// prepareRender with the request built from the window's state; on AcidTooLong show kAcidTooLongMessage and
// re-enable the buttons; on Ready call runRender; afterwards re-enable the buttons, and when
// "Include MP3 option when render" is checked and the result says so, open the encoder window
// for the written file.

#include "render/SongRender.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QProgressBar;

namespace tamboro {

class RenderProgressWindow : public QWidget {
    Q_OBJECT
public:
    explicit RenderProgressWindow(QWidget* parent = nullptr);

    QLabel* nowAddingLabel;  // "Now Adding:"
    QLabel* instrumentLabel; // the instrument being mixed
    QLabel* acidizingLabel;  // "Now Acidizing Loop", hidden at first
    QLabel* pleaseWaitLabel; // "Please wait a moment", hidden at first
    QProgressBar* progressBar;

    // The save dialog ("Save As One Big Lovely WAV File"); an empty result means Cancel.
    std::function<QString()> chooseOutputFile;
    // True once Stop was pressed (the main window: playPatternButton is enabled again).
    std::function<bool()> stopRequested;
    // Shows a notice (the fall-back message); a message box by default.
    std::function<void(const QString&)> showMessage;

    struct Result {
        RenderOutcome outcome;
        QString chosenFile;
        // The encoder window may follow: the chosen file was written and the render not stopped.
        bool offerMp3 = false;
    };

    // The engine: asks for the output file, mixes and writes it. No result when the dialog was
    // cancelled. Errors (a sample that cannot be read, a bad level digit) are thrown as Error after
    // the window is hidden; nothing is then written to the chosen file.
    std::optional<Result> runRender(const RenderRequest& request, const RenderPlan& plan);

    // The dialog of the render output, with the program's title, filters and checks.
    static QString askOutputFile(QWidget* parent);
    // The dialog's filters: WAV, FLAC, Ogg Vorbis, all files.
    static QStringList renderFileFilters();
};

} // namespace tamboro
