#include "app/ui/PatternSongCommands.h"

#include "app/PatternLists.h"
#include "app/SongFile.h"
#include "app/ui/PatternGridView.h"
#include "app/ui/Sequence.h"
#include "app/ui/SequenceSound.h"
#include "common/Error.h"
#include "controls/ui/PictureButton.h"
#include "kits/ui/SampleEditor.h"
#include "kits/ui/Samples.h"

#include <QAction>
#include <QFileDialog>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTimer>

namespace tamboro {

namespace {

constexpr const char* kSongFilter = "*.sng (*.sng)";

} // namespace

PatternSongCommands::PatternSongCommands(TSequence& window, SequenceSound& sound, TSampleEditor* editor,
                                         TSamples* samplesWindow)
    : QObject(&window), Window(window), Sound(sound), Editor(editor), SamplesWindow(samplesWindow) {
    const QString folder = QString::fromStdString(Window.ProgramDir.string());
    chooseSongToOpen = [this, folder] {
        return std::filesystem::path(
            QFileDialog::getOpenFileName(&Window, QStringLiteral("Open Song"), folder, kSongFilter).toStdString());
    };
    chooseSongToSave = [this, folder] {
        return std::filesystem::path(
            QFileDialog::getSaveFileName(&Window, QStringLiteral("Save Song"), folder, kSongFilter).toStdString());
    };
    askSavePattern = [this] {
        return QMessageBox::question(&Window, kSaveQuestionTitle, kSaveQuestion, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::Yes) == QMessageBox::Yes;
    };
    showMessage = [this](const QString& text, const QString& title) {
        QMessageBox::information(&Window, title, text);
    };

    connect(Window.btnSavePattern, &PictureButton::clicked, this, [this] { BitBtn6Click(); });
    connect(Window.OpenSong1, &QAction::triggered, this, &PatternSongCommands::BitBtn8Click);
    connect(Window.SaveSong1, &QAction::triggered, this, &PatternSongCommands::BitBtn9Click);
    connect(Window.NewSong1, &QAction::triggered, this, &PatternSongCommands::New_SongClick);
    connect(Window.ClearList1, &QAction::triggered, this, &PatternSongCommands::BitBtn10Click);
    connect(Window.btnClearSong, &PictureButton::clicked, this, &PatternSongCommands::BitBtn10Click);
    for (QAction* action : {Window.OpenSong1, Window.SaveSong1, Window.NewSong1, Window.ClearList1})
        action->setEnabled(true);
    // The desktop's usual keys for opening and saving a song. The menus are popups, so the window
    // itself carries the actions for their keys to work while no menu is open. New Song gets no
    // key: it empties the grid without asking, which a stray key press must not do.
    const std::pair<QAction*, QKeySequence> keys[] = {{Window.OpenSong1, QKeySequence::Open},
                                                      {Window.SaveSong1, QKeySequence::Save}};
    for (const auto& [action, key] : keys) {
        action->setShortcut(key);
        Window.addAction(action);
    }
    for (PictureButton* button : {Window.btnSavePattern, Window.btnClearSong})
        button->setEnabled(true);
    Window.SongList->viewport()->installEventFilter(this);
}

bool PatternSongCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Window.SongList->viewport() && event->type() == QEvent::MouseButtonPress) {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        // The list selects the entry under the pointer as it handles this press; the load reads
        // that selection once the press is done.
        if (button == Qt::LeftButton || button == Qt::MiddleButton)
            QTimer::singleShot(0, this, &PatternSongCommands::SongListMouseDown);
    }
    return QObject::eventFilter(watched, event);
}

void PatternSongCommands::reportError(const std::string& text) {
    showMessage(QString::fromStdString(text), QStringLiteral("Tamboro"));
}

std::vector<PatternSample> PatternSongCommands::currentSamples() const {
    const ExtraSamples& samples = Sound.extraSamples();
    std::vector<PatternSample> out;
    for (int n = 1; n <= ExtraSamples::kCount; ++n)
        out.push_back(PatternSample{samples.fileName(n), samples.frequency(n)});
    return out;
}

SampleTarget PatternSongCommands::sampleTarget() {
    ExtraSamples& samples = Sound.extraSamples();
    SampleTarget target;
    target.setFileName = [&samples](int n, const std::string& name) { samples.setFileName(n, name); };
    target.setBaseFrequency = [&samples](int n, int hz) {
        samples.BaseFrequency[static_cast<std::size_t>(n)] = hz;
        samples.setFrequency(n, hz);
    };
    target.setFrequency = [&samples](int n, int hz) { samples.setFrequency(n, hz); };
    target.setPan = [&samples](int n, int pan) { samples.setPan(n, pan); };
    target.setCaption = [this](int n, const std::string& caption) {
        if (SamplesWindow)
            SamplesWindow->setButtonCaption(n, QString::fromStdString(caption));
    };
    target.enableEditor = [this] {
        if (Editor)
            Editor->setSampleControlsEnabled(true);
    };
    target.setFrequencySlider = [this](int hz) {
        if (Editor)
            Editor->setSliderPosition(hz);
    };
    target.notify = [this](const std::string& text) { reportError(text); };
    return target;
}

bool PatternSongCommands::BitBtn6Click() {
    try {
        const SaveOutcome outcome =
            SavePattern(Window.ProgramDir, Window.Grid, Window.EditState, Window.Label6->value(), Window.Loop->value(),
                        currentSamples(), Window.Songs, Window.Library, Window.CurrentPattern);
        if (outcome == SaveOutcome::NeedsName) {
            showMessage(QStringLiteral("Name of pattern?"), QStringLiteral("NAME"));
            return false;
        }
    } catch (const Error& e) {
        // Nothing changed: the old file is whole, both lists as they were, the edits still marked.
        reportError(e.what());
        return false;
    }
    Window.showLibrary();
    Window.showPlayList();
    return true;
}

void PatternSongCommands::SongListMouseDown() {
    try {
        ConfirmUnsavedEdits(Window.EditState, askSavePattern, [this] {
            if (!BitBtn6Click())
                throw Error("The pattern was not saved.");
        });
    } catch (const Error&) {
        // The save already told the user why; the edits stay in the grid, marked as changed.
        return;
    }
    loadSelectedPattern();
}

void PatternSongCommands::loadSelectedPattern() {
    const int row = Window.SongList->currentRow();
    if (row < 0 || row >= Window.SongList->count())
        return;
    const std::string name = Window.SongList->item(row)->text().toStdString();
    Window.CurrentPattern = name;
    std::optional<PatternFileData> data;
    try {
        data = LoadPattern(Window.ProgramDir, name, Window.Grid);
    } catch (const Error& e) {
        // The grid keeps what it had.
        reportError(e.what());
        return;
    }
    if (!data)
        return;
    Window.StringGrid1->modelChanged();
    Window.Label6->setValue(data->bpm);
    Window.Loop->setValue(data->loops);
    RestorePatternSamples(*data, sampleTarget());
    Sound.playback().PlayRow = 2;
    Window.Edit2->setText(QString::fromStdString(Window.Grid.cell(0, 0)));
    // A freshly loaded pattern has no edits, whatever the boxes' handlers did while it was shown.
    Window.EditState.PatternChanged = false;
}

void PatternSongCommands::BitBtn9Click() {
    const std::filesystem::path chosen = chooseSongToSave();
    if (chosen.empty())
        return;
    const std::filesystem::path file = SongPathWithDefaultExtension(chosen);
    Window.btnPlay->setEnabled(true);
    Window.CurrentPattern = file.string();
    const ExtraSamples& samples = Sound.extraSamples();
    std::vector<SongSample> blocks;
    for (int n = 1; n <= ExtraSamples::kCount; ++n)
        blocks.push_back(SongSample{samples.fileName(n), samples.frequency(n), samples.pan(n)});
    try {
        WriteSongFile(file, BuildSongFileLines(Window.Songs.names(), blocks));
    } catch (const Error& e) {
        reportError(e.what());
        return;
    }
    Window.SongFileName = file.string();
}

void PatternSongCommands::BitBtn8Click() {
    const std::filesystem::path file = chooseSongToOpen();
    if (file.empty())
        return;
    SongFileData song;
    try {
        song = ReadSongFile(file);
    } catch (const Error& e) {
        // A file that cannot be read leaves the Play List as it was.
        reportError(e.what());
        return;
    }
    Window.replacePlayList(song.entries);
    Window.btnPlay->setEnabled(true);
    try {
        RestoreSongSamples(song, sampleTarget());
    } catch (const Error& e) {
        // The samples up to the one that failed are set; the song keeps its old file name.
        reportError(e.what());
        return;
    }
    Window.SongFileName = file.string();
}

void PatternSongCommands::New_SongClick() {
    NewSong(Window.Grid, Window.Songs, Window.SongFileName);
    Window.Edit2->clear();
    Window.StringGrid1->modelChanged();
    Window.showPlayList();
    Window.setWindowTitle(TSequence::kCaptionAfterNewSong);
}

void PatternSongCommands::BitBtn10Click() {
    Window.Songs.clear();
    Window.showPlayList();
    Sound.playback().ClearSong();
}

} // namespace tamboro
