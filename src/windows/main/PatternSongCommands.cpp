#include "windows/main/PatternSongCommands.h"

#include "app/MainWindowRules.h"
#include "common/Error.h"
#include "song/PatternLists.h"
#include "song/SongFile.h"
#include "windows/kits/ExtraSamplesWindow.h"
#include "windows/kits/SampleEditorWindow.h"
#include "windows/main/EditHistory.h"
#include "windows/main/KeyboardShortcuts.h"
#include "windows/main/MainMenus.h"
#include "windows/main/MainWindowSound.h"
#include "windows/main/MainWindowState.h"
#include "windows/main/PatternBoxes.h"
#include "windows/main/PatternGridView.h"
#include "windows/main/PatternListsPanel.h"
#include "windows/main/TransportPanel.h"

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>

namespace tamboro {

namespace {

constexpr const char* kSongFilter = "*.sng (*.sng)";

} // namespace

PatternSongCommands::PatternSongCommands(const MainWindowParts& window, MainWindowSound& sound,
                                         SampleEditorWindow* editor, ExtraSamplesWindow* samplesWindow)
    : QObject(&window.window), window_(window), sound_(sound), editor_(editor),
      samplesWindow_(samplesWindow) {
    QWidget* parent = &window_.window;
    const QString folder = QString::fromStdString(window_.state.programDir.string());
    chooseSongToOpen = [parent, folder] {
        return std::filesystem::path(
            QFileDialog::getOpenFileName(parent, QStringLiteral("Open Song"), folder, kSongFilter)
                .toStdString());
    };
    chooseSongToSave = [parent, folder] {
        return std::filesystem::path(
            QFileDialog::getSaveFileName(parent, QStringLiteral("Save Song"), folder, kSongFilter)
                .toStdString());
    };
    askSavePattern = [parent] {
        return QMessageBox::question(parent, kSaveQuestionTitle, kSaveQuestion,
                                     QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::Yes) == QMessageBox::Yes;
    };
    showMessage = [parent](const QString& text, const QString& title) {
        QMessageBox::information(parent, title, text);
    };

    const MainMenus::Actions& menu = window_.menus.actions();
    connect(&window_.boxes, &PatternBoxes::savePatternClicked, this, [this] { savePatternClicked(); });
    connect(menu.openSong, &QAction::triggered, this, &PatternSongCommands::openSongClicked);
    connect(menu.saveSong, &QAction::triggered, this, &PatternSongCommands::saveSongClicked);
    connect(menu.newSong, &QAction::triggered, this, &PatternSongCommands::newSongClicked);
    connect(menu.clearList, &QAction::triggered, this, &PatternSongCommands::clearListClicked);
    connect(&window_.transport, &TransportPanel::clearSongClicked, this,
            &PatternSongCommands::clearListClicked);
    // The desktop's usual keys for opening and saving a song, from every window of the program.
    // New Song gets no key: it empties the grid without asking, which a stray key press must not do.
    bindApplicationKeys(*menu.openSong, KeyCommand::OpenSong, *parent);
    bindApplicationKeys(*menu.saveSong, KeyCommand::SaveSong, *parent);
    // A left or middle press on the Play List loads the entry it selected.
    connect(&window_.lists, &PatternListsPanel::playListEntryPressed, this,
            &PatternSongCommands::playListPressed);
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
    target.checkFileName = [&samples](const std::string& name) { samples.checkFileName(name); };
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
        MainWindowState& state = window_.state;
        SaveOutcome outcome = SaveOutcome::NeedsName;
        // Undoing the save takes its name off the lists again; the file stays as written.
        window_.history->perform(QStringLiteral("Save pattern (file stays written)"), [&] {
            outcome = savePattern(state.programDir, state.patternCells, state.editState,
                                  window_.transport.bpm(), window_.boxes.loops(), currentSamples(),
                                  state.playList, state.patternLibrary, state.currentPattern);
        });
        if (outcome == SaveOutcome::NeedsName) {
            showMessage(QStringLiteral("Name of pattern?"), QStringLiteral("NAME"));
            return false;
        }
    } catch (const Error& e) {
        // Nothing changed: the old file is whole, both lists as they were, the edits still marked.
        reportError(e.what());
        return false;
    }
    window_.lists.showLibrary();
    window_.lists.showPlayList();
    return true;
}

bool PatternSongCommands::confirmLoad() {
    try {
        confirmUnsavedEdits(window_.state.editState, askSavePattern, [this] {
            if (!savePatternClicked())
                throw Error("The pattern was not saved.");
        });
    } catch (const Error&) {
        // The save already told the user why; the edits stay in the grid, marked as changed.
        return false;
    }
    return true;
}

void PatternSongCommands::playListPressed() {
    if (confirmLoad())
        loadSelectedPattern();
}

void PatternSongCommands::openPatternFile(const std::filesystem::path& file) {
    if (!confirmLoad())
        return;
    MainWindowState& state = window_.state;
    PatternFileData data;
    try {
        data = readPatternFile(file);
        loadPatternIntoGrid(state.patternCells, data);
    } catch (const Error& e) {
        // The reader checks the whole file first: the grid keeps what it had.
        reportError(e.what());
        return;
    }
    state.currentPattern = file.stem().string();
    showLoadedPattern(data, file.filename().string());
}

void PatternSongCommands::loadSelectedPattern() {
    const std::optional<std::string> entry = window_.lists.playListEntry(window_.lists.playListRow());
    if (entry)
        loadPatternNamed(*entry);
}

void PatternSongCommands::loadPatternNamed(const std::string& name) {
    MainWindowState& state = window_.state;
    state.currentPattern = name;
    std::optional<PatternFileData> data;
    try {
        // One step puts back the grid, tempo and loops the pattern replaced (not its samples).
        window_.history->perform(QStringLiteral("Load pattern"), [&] {
            data = loadPattern(state.programDir, name, state.patternCells);
            if (data) {
                window_.transport.setBpm(data->bpm);
                window_.boxes.setLoops(data->loops);
            }
        });
    } catch (const Error& e) {
        // The grid keeps what it had.
        reportError(e.what());
        return;
    }
    if (data)
        showLoadedPattern(*data, name + ".pat");
}

void PatternSongCommands::showLoadedPattern(PatternFileData& data, const std::string& fileLabel) {
    MainWindowState& state = window_.state;
    window_.grid.modelChanged();
    window_.boxes.showTimeBarOf(state.patternCells);
    // The box clamps a stored tempo outside its range; the file keeps what it stores.
    if (const auto notice = clampedTempoNotice(fileLabel, data.bpm))
        reportError(*notice);
    window_.transport.setBpm(data.bpm);
    window_.boxes.setLoops(data.loops);
    restorePatternSamples(data, sampleTarget());
    sound_.playback().playRow = 2;
    window_.boxes.setPatternName(QString::fromStdString(state.patternCells.cell(0, 0)));
    // A freshly loaded pattern has no edits, whatever the boxes' handlers did while it was shown.
    state.editState.patternChanged = false;
}

void PatternSongCommands::saveSongClicked() {
    const std::filesystem::path chosen = chooseSongToSave();
    if (chosen.empty())
        return;
    const std::filesystem::path file = songPathWithDefaultExtension(chosen);
    window_.transport.setPlayPatternEnabled(true);
    window_.state.currentPattern = file.string();
    const ExtraSamples& samples = sound_.extraSamples();
    std::vector<SongSample> blocks;
    for (int n = 1; n <= ExtraSamples::kCount; ++n)
        blocks.push_back(SongSample{samples.fileName(n), samples.frequency(n), samples.pan(n)});
    try {
        writeSongFile(file, buildSongFileLines(window_.state.playList.names(), blocks));
    } catch (const Error& e) {
        reportError(e.what());
        return;
    }
    window_.state.songFileName = file.string();
    if (songSaved)
        songSaved(file);
    emit songFileUsed(QString::fromStdString(file.string()));
}

void PatternSongCommands::openSongClicked() {
    const std::filesystem::path file = chooseSongToOpen();
    if (!file.empty())
        openSongFile(file);
}

bool PatternSongCommands::openSongFile(const std::filesystem::path& file) {
    const SampleTarget target = sampleTarget();
    SongFileData song;
    try {
        song = readSongFile(file);
        // Every sample the song names must open before anything changes.
        checkSongSamples(song, target);
    } catch (const Error& e) {
        reportError("Song \"" + file.string() + "\" was not opened.\n" + e.what());
        return false;
    }
    window_.history->perform(QStringLiteral("Open song"),
                             [&] { window_.lists.replacePlayList(song.entries); });
    window_.transport.setPlayPatternEnabled(true);
    // The practice settings come with the song; a damaged file never stops it opening.
    if (songOpened)
        songOpened(file);
    try {
        restoreSongSamples(song, target);
    } catch (const Error& e) {
        // Only a file changed since the check gets here; the song keeps its old file name.
        reportError(e.what());
        return false;
    }
    window_.state.songFileName = file.string();
    emit songFileUsed(QString::fromStdString(file.string()));
    return true;
}

void PatternSongCommands::newSongClicked() {
    MainWindowState& state = window_.state;
    window_.history->perform(QStringLiteral("New song"), [&] {
        newSong(state.patternCells, state.playList, state.songFileName);
        window_.boxes.clearPatternName();
    });
    window_.grid.modelChanged();
    window_.lists.showPlayList();
    window_.window.setWindowTitle(kCaptionAfterNewSong);
}

void PatternSongCommands::clearListClicked() {
    window_.history->perform(QStringLiteral("Clear Play List"), [this] { window_.state.playList.clear(); });
    window_.lists.showPlayList();
    sound_.playback().clearSong();
}

} // namespace tamboro
