#include "windows/main/PatternSongCommands.h"

#include "common/Error.h"
#include "song/PatternLists.h"
#include "song/SongFile.h"
#include "windows/controls/PictureButton.h"
#include "windows/kits/ExtraSamplesWindow.h"
#include "windows/kits/SampleEditorWindow.h"
#include "windows/main/MainWindow.h"
#include "windows/main/MainWindowSound.h"
#include "windows/main/PatternGridView.h"

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

PatternSongCommands::PatternSongCommands(MainWindow& window, MainWindowSound& sound,
                                         SampleEditorWindow* editor, ExtraSamplesWindow* samplesWindow)
    : QObject(&window), window_(window), sound_(sound), editor_(editor), samplesWindow_(samplesWindow) {
    const QString folder = QString::fromStdString(window_.programDir.string());
    chooseSongToOpen = [this, folder] {
        return std::filesystem::path(
            QFileDialog::getOpenFileName(&window_, QStringLiteral("Open Song"), folder, kSongFilter)
                .toStdString());
    };
    chooseSongToSave = [this, folder] {
        return std::filesystem::path(
            QFileDialog::getSaveFileName(&window_, QStringLiteral("Save Song"), folder, kSongFilter)
                .toStdString());
    };
    askSavePattern = [this] {
        return QMessageBox::question(&window_, kSaveQuestionTitle, kSaveQuestion,
                                     QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::Yes) == QMessageBox::Yes;
    };
    showMessage = [this](const QString& text, const QString& title) {
        QMessageBox::information(&window_, title, text);
    };

    connect(window_.savePatternButton, &PictureButton::clicked, this, [this] { savePatternClicked(); });
    connect(window_.openSongAction, &QAction::triggered, this, &PatternSongCommands::openSongClicked);
    connect(window_.saveSongAction, &QAction::triggered, this, &PatternSongCommands::saveSongClicked);
    connect(window_.newSongAction, &QAction::triggered, this, &PatternSongCommands::newSongClicked);
    connect(window_.clearListAction, &QAction::triggered, this, &PatternSongCommands::clearListClicked);
    connect(window_.clearSongButton, &PictureButton::clicked, this, &PatternSongCommands::clearListClicked);
    for (QAction* action :
         {window_.openSongAction, window_.saveSongAction, window_.newSongAction, window_.clearListAction})
        action->setEnabled(true);
    // The desktop's usual keys for opening and saving a song. The menus are popups, so the window
    // itself carries the actions for their keys to work while no menu is open. New Song gets no
    // key: it empties the grid without asking, which a stray key press must not do.
    const std::pair<QAction*, QKeySequence> keys[] = {{window_.openSongAction, QKeySequence::Open},
                                                      {window_.saveSongAction, QKeySequence::Save}};
    for (const auto& [action, key] : keys) {
        action->setShortcut(key);
        window_.addAction(action);
    }
    for (PictureButton* button : {window_.savePatternButton, window_.clearSongButton})
        button->setEnabled(true);
    // The filter comes off the Play List when the window starts to go: QWidget announces destroyed()
    // before it deletes its children, and the events those deletions send must not reach a filter
    // that reads a window whose own members are already gone.
    QPointer<QWidget> viewport = window_.playListBox->viewport();
    viewport->installEventFilter(this);
    connect(&window_, &QObject::destroyed, this, [this, viewport] {
        if (viewport)
            viewport->removeEventFilter(this);
    });
}

bool PatternSongCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_.playListBox->viewport() && event->type() == QEvent::MouseButtonPress) {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        // The list selects the entry under the pointer as it handles this press; the load reads
        // that selection once the press is done.
        if (button == Qt::LeftButton || button == Qt::MiddleButton)
            QTimer::singleShot(0, this, &PatternSongCommands::playListPressed);
    }
    return QObject::eventFilter(watched, event);
}

void PatternSongCommands::reportError(const std::string& text) {
    showMessage(QString::fromStdString(text), QStringLiteral("Tamboro"));
}

std::vector<PatternSample> PatternSongCommands::currentSamples() const {
    const ExtraSamples& samples = sound_.extraSamples();
    std::vector<PatternSample> out;
    for (int n = 1; n <= ExtraSamples::kCount; ++n)
        out.push_back(PatternSample{samples.fileName(n), samples.frequency(n)});
    return out;
}

SampleTarget PatternSongCommands::sampleTarget() {
    ExtraSamples& samples = sound_.extraSamples();
    SampleTarget target;
    target.setFileName = [&samples](int n, const std::string& name) { samples.setFileName(n, name); };
    target.setBaseFrequency = [&samples](int n, int hz) {
        samples.baseFrequency[static_cast<std::size_t>(n)] = hz;
        samples.setFrequency(n, hz);
    };
    target.setFrequency = [&samples](int n, int hz) { samples.setFrequency(n, hz); };
    target.setPan = [&samples](int n, int pan) { samples.setPan(n, pan); };
    target.setCaption = [this](int n, const std::string& caption) {
        if (samplesWindow_)
            samplesWindow_->setButtonCaption(n, QString::fromStdString(caption));
    };
    target.enableEditor = [this] {
        if (editor_)
            editor_->setSampleControlsEnabled(true);
    };
    target.setFrequencySlider = [this](int hz) {
        if (editor_)
            editor_->setSliderPosition(hz);
    };
    target.notify = [this](const std::string& text) { reportError(text); };
    return target;
}

bool PatternSongCommands::savePatternClicked() {
    try {
        const SaveOutcome outcome =
            savePattern(window_.programDir, window_.patternCells, window_.editState, window_.bpmBox->value(),
                        window_.loopsBox->value(), currentSamples(), window_.playList, window_.patternLibrary,
                        window_.currentPattern);
        if (outcome == SaveOutcome::NeedsName) {
            showMessage(QStringLiteral("Name of pattern?"), QStringLiteral("NAME"));
            return false;
        }
    } catch (const Error& e) {
        // Nothing changed: the old file is whole, both lists as they were, the edits still marked.
        reportError(e.what());
        return false;
    }
    window_.showLibrary();
    window_.showPlayList();
    return true;
}

void PatternSongCommands::playListPressed() {
    try {
        confirmUnsavedEdits(window_.editState, askSavePattern, [this] {
            if (!savePatternClicked())
                throw Error("The pattern was not saved.");
        });
    } catch (const Error&) {
        // The save already told the user why; the edits stay in the grid, marked as changed.
        return;
    }
    loadSelectedPattern();
}

void PatternSongCommands::loadSelectedPattern() {
    const int row = window_.playListBox->currentRow();
    if (row < 0 || row >= window_.playListBox->count())
        return;
    const std::string name = window_.playListBox->item(row)->text().toStdString();
    window_.currentPattern = name;
    std::optional<PatternFileData> data;
    try {
        data = loadPattern(window_.programDir, name, window_.patternCells);
    } catch (const Error& e) {
        // The grid keeps what it had.
        reportError(e.what());
        return;
    }
    if (!data)
        return;
    window_.patternGrid->modelChanged();
    window_.bpmBox->setValue(data->bpm);
    window_.loopsBox->setValue(data->loops);
    restorePatternSamples(*data, sampleTarget());
    sound_.playback().playRow = 2;
    window_.patternNameBox->setText(QString::fromStdString(window_.patternCells.cell(0, 0)));
    // A freshly loaded pattern has no edits, whatever the boxes' handlers did while it was shown.
    window_.editState.patternChanged = false;
}

void PatternSongCommands::saveSongClicked() {
    const std::filesystem::path chosen = chooseSongToSave();
    if (chosen.empty())
        return;
    const std::filesystem::path file = songPathWithDefaultExtension(chosen);
    window_.playPatternButton->setEnabled(true);
    window_.currentPattern = file.string();
    const ExtraSamples& samples = sound_.extraSamples();
    std::vector<SongSample> blocks;
    for (int n = 1; n <= ExtraSamples::kCount; ++n)
        blocks.push_back(SongSample{samples.fileName(n), samples.frequency(n), samples.pan(n)});
    try {
        writeSongFile(file, buildSongFileLines(window_.playList.names(), blocks));
    } catch (const Error& e) {
        reportError(e.what());
        return;
    }
    window_.songFileName = file.string();
}

void PatternSongCommands::openSongClicked() {
    const std::filesystem::path file = chooseSongToOpen();
    if (file.empty())
        return;
    SongFileData song;
    try {
        song = readSongFile(file);
    } catch (const Error& e) {
        // A file that cannot be read leaves the Play List as it was.
        reportError(e.what());
        return;
    }
    window_.replacePlayList(song.entries);
    window_.playPatternButton->setEnabled(true);
    try {
        restoreSongSamples(song, sampleTarget());
    } catch (const Error& e) {
        // The samples up to the one that failed are set; the song keeps its old file name.
        reportError(e.what());
        return;
    }
    window_.songFileName = file.string();
}

void PatternSongCommands::newSongClicked() {
    newSong(window_.patternCells, window_.playList, window_.songFileName);
    window_.patternNameBox->clear();
    window_.patternGrid->modelChanged();
    window_.showPlayList();
    window_.setWindowTitle(MainWindow::kCaptionAfterNewSong);
}

void PatternSongCommands::clearListClicked() {
    window_.playList.clear();
    window_.showPlayList();
    sound_.playback().clearSong();
}

} // namespace tamboro
