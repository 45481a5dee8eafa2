// The main window's pattern and song commands: saving the grid as a pattern, loading a pattern
// from the Play List with the unsaved-edits question and its extra samples, and Open, Save and
// New Song and Clear all, with their failures.

#include "ExtraSamplesWorkspace.h"
#include "MainWindowControls.h"
#include "WindowTestSupport.h"

#include "app/ProgramOptions.h"
#include "common/Files.h"
#include "common/TextLines.h"
#include "song/PatternFile.h"
#include "song/SongFile.h"
#include "windows/controls/PictureButton.h"
#include "windows/kits/ExtraSamplesWindow.h"
#include "windows/main/MainWindow.h"
#include "windows/main/MainWindowSound.h"
#include "windows/main/PatternGridView.h"
#include "windows/main/PatternSongCommands.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <memory>

using namespace tamboro;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> fileLines(const fs::path& path) {
    const auto bytes = readFileBytes(path);
    return splitLines(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

} // namespace

class PatternSongCommandsTest : public QObject {
    Q_OBJECT

    test::TemporarySettings settings_;
    std::unique_ptr<QTemporaryDir> work_;
    std::unique_ptr<MainWindow> w_;

    // The window\'s controls, as the user meets them.
    test::MainWindowControls ui() const { return test::controlsOf(*w_); }
    std::unique_ptr<MainWindowSound> sound_;
    std::unique_ptr<ExtraSamplesWindow> samplesWindow_;
    PatternSongCommands* commands_ = nullptr;
    QStringList messages_;
    int questions_ = 0;
    bool answerYes_ = false;
    fs::path chosenSong_;

    fs::path work() const { return work_->path().toStdString(); }

    void writePattern(const std::string& name, int steps, int bpm, int loops,
                      std::vector<PatternSample> samples = {}) {
        PatternGrid grid;
        grid.layOut(steps, 4);
        grid.setName(name);
        grid.setCell(1, 2, "Kick      [ ]");
        samples.resize(kExtraSampleCount, PatternSample{"Blank.wav", 44100});
        writePatternFile(work(), name, buildPatternFileLines(grid, bpm, loops, samples));
    }

    void setPlayList(const std::vector<std::string>& names) { w_->parts().lists.replacePlayList(names); }

    void loadRow(int row) {
        ui().playListBox->setCurrentRow(row);
        commands_->playListPressed();
    }

private slots:
    void init() {
        work_ = std::make_unique<QTemporaryDir>();
        test::writeWav(work() / "Blank.wav", Wave::pcm(1, 44100, 16, Wave::Bytes(882, 0)));
        writePattern("A", 16, 100, 2);
        writePattern("B", 8, 140, 1);
        w_ = std::make_unique<MainWindow>(work());
        ProgramOptions options;
        options.audio = AudioChoice::Null;
        sound_ = std::make_unique<MainWindowSound>(w_->parts(), options);
        samplesWindow_ = std::make_unique<ExtraSamplesWindow>(w_.get());
        commands_ = new PatternSongCommands(w_->parts(), *sound_, nullptr, samplesWindow_.get());
        messages_.clear();
        questions_ = 0;
        answerYes_ = false;
        commands_->showMessage = [this](const QString& text, const QString& title) {
            messages_ << title + ": " + text;
        };
        commands_->askSavePattern = [this] {
            ++questions_;
            return answerYes_;
        };
        commands_->chooseSongToOpen = [this] { return chosenSong_; };
        commands_->chooseSongToSave = [this] { return chosenSong_; };
    }

    void cleanup() {
        samplesWindow_.reset();
        w_->close();
        sound_.reset();
        w_.reset();
    }

    void theCommandsAreEnabled() {
        for (QAction* action :
             {ui().openSongAction, ui().saveSongAction, ui().newSongAction, ui().clearListAction})
            QVERIFY2(action->isEnabled(), qPrintable(action->text()));
        QVERIFY(ui().savePatternButton->isEnabled());
        QVERIFY(ui().clearSongButton->isEnabled());
    }

    void theSongCommandsHaveTheDesktopKeys() {
        MainWindow& w = *w_;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        int opened = 0;
        commands_->chooseSongToOpen = [&] {
            ++opened;
            return fs::path();
        };
        QTest::keyClick(&w, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(opened, 1);
        // No key empties the grid without asking.
        w.state().patternCells.setName("Unsaved");
        QTest::keyClick(&w, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(w.state().patternCells.cell(0, 0), std::string("Unsaved"));
        chosenSong_ = work() / "Keys.sng";
        QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(fs::exists(work() / "Keys.sng"));
    }

    void saveNeedsANameThenAddsToBothListsOnce() {
        MainWindow& w = *w_;
        w.state().editState.patternChanged = true;
        ui().savePatternButton->click();
        QCOMPARE(messages_, QStringList{"NAME: Name of pattern?"});
        QVERIFY(w.state().editState.patternChanged);
        QVERIFY(!fs::exists(work() / "Rock.pat"));

        w.state().patternCells.setName("Rock");
        ui().savePatternButton->click();
        QCOMPARE(fileLines(work() / "Rock.pat").size(), std::size_t{199});
        QCOMPARE(test::listTexts(ui().patternLibraryBox), QStringList({"A", "B", "Rock"}));
        QCOMPARE(test::listTexts(ui().playListBox), QStringList{"Rock"});
        QVERIFY(!w.state().editState.patternChanged);
        QCOMPARE(w.state().currentPattern, std::string("Rock"));
        ui().savePatternButton->click();
        QCOMPARE(test::listTexts(ui().patternLibraryBox), QStringList({"A", "B", "Rock"}));
        QCOMPARE(test::listTexts(ui().playListBox), QStringList{"Rock"});
    }

    void aRefusedNameKeepsTheEditsMarkedAndWritesNothing() {
        MainWindow& w = *w_;
        w.state().patternCells.setName("../Escape");
        w.state().editState.patternChanged = true;
        QVERIFY(!commands_->savePatternClicked());
        QCOMPARE(messages_.size(), 1);
        QVERIFY(w.state().editState.patternChanged);
        QVERIFY(!fs::exists(work().parent_path() / "Escape.pat"));
        QCOMPARE(ui().playListBox->count(), 0);
    }

    void aPressOnThePlayListLoadsThePattern() {
        MainWindow& w = *w_;
        setPlayList({"A", "B"});
        w.state().editState.patternChanged = true;
        // A real press on the first entry: the list selects it, then the load runs.
        const QPoint first = ui().playListBox->visualItemRect(ui().playListBox->item(0)).center();
        QTest::mousePress(ui().playListBox->viewport(), Qt::LeftButton, {}, first);
        QTRY_COMPARE(w.state().patternCells.cell(0, 0), std::string("A"));
        QCOMPARE(questions_, 1); // answered No: the edits are dropped
        QCOMPARE(w.state().patternCells.rowCount(), 18);
        QCOMPARE(w.state().patternCells.cell(1, 2), std::string("Kick      [ ]"));
        QCOMPARE(ui().patternNameBox->text(), QString("A"));
        QCOMPARE(ui().bpmBox->value(), 100);
        QCOMPARE(ui().loopsBox->value(), 2);
        QCOMPARE(sound_->playback().bpm(), 100);
        QVERIFY(!w.state().editState.patternChanged);
        QCOMPARE(w.state().currentPattern, std::string("A"));

        // The next entry right after: no question, the shorter pattern replaces the grid.
        loadRow(1);
        QCOMPARE(questions_, 1);
        QCOMPARE(w.state().patternCells.rowCount(), 10);
        QCOMPARE(ui().bpmBox->value(), 140);
        QCOMPARE(ui().loopsBox->value(), 1);

        // The right button only enlarges the list.
        QTest::mousePress(ui().playListBox->viewport(), Qt::RightButton, {}, first);
        QCoreApplication::processEvents();
        QCOMPARE(w.state().patternCells.cell(0, 0), std::string("B"));
    }

    void yesSavesTheEditsBeforeLoading() {
        MainWindow& w = *w_;
        setPlayList({"A"});
        w.state().patternCells.setName("Mine");
        w.state().patternCells.setCell(3, 4, "Snare     [ ]");
        w.state().editState.patternChanged = true;
        answerYes_ = true;
        loadRow(0);
        QCOMPARE(questions_, 1);
        QVERIFY(fs::exists(work() / "Mine.pat"));
        QCOMPARE(fileLines(work() / "Mine.pat")[7 * 4 + 3], std::string("Snare     [ ]"));
        QCOMPARE(test::listTexts(ui().playListBox), QStringList({"A", "Mine"}));
        QCOMPARE(w.state().patternCells.cell(0, 0), std::string("A"));
    }

    void aSaveThatFailsStopsTheLoad() {
        MainWindow& w = *w_;
        setPlayList({"A"});
        w.state().patternCells.setName("bad/name");
        w.state().editState.patternChanged = true;
        answerYes_ = true;
        loadRow(0);
        QCOMPARE(messages_.size(), 1);
        QCOMPARE(w.state().patternCells.cell(0, 0), std::string("bad/name"));
        QVERIFY(w.state().editState.patternChanged);

        // A pattern without a name: the name question, and the edits stay.
        w.state().patternCells.setName("");
        w.state().patternCells.setCell(2, 3, "Snare     [ ]");
        loadRow(0);
        QCOMPARE(messages_.last(), QString("NAME: Name of pattern?"));
        QCOMPARE(w.state().patternCells.cell(2, 3), std::string("Snare     [ ]"));
        QVERIFY(w.state().editState.patternChanged);
    }

    void aMissingPatternLeavesTheGridAlone() {
        MainWindow& w = *w_;
        setPlayList({"Gone", "<Blank>"});
        w.state().patternCells.setName("Keep");
        loadRow(0);
        QCOMPARE(messages_.size(), 1);
        QVERIFY2(messages_[0].contains("Gone"), qPrintable(messages_[0]));
        QCOMPARE(w.state().patternCells.cell(0, 0), std::string("Keep"));
        loadRow(1); // the reserved name is never loaded
        QCOMPARE(messages_.size(), 1);
        QCOMPARE(w.state().patternCells.cell(0, 0), std::string("Keep"));
    }

    void aLoadedPatternRestoresItsSamples() {
        MainWindow& w = *w_;
        fs::create_directories(work() / "mine");
        const fs::path tom = work() / "mine" / "LowTom.wav";
        test::writeWav(tom, test::rampWave(22050, 400));
        writePattern(
            "WithSamples", 4, 90, 1,
            {PatternSample{tom.string(), 22050}, PatternSample{(work() / "gone.wav").string(), 11025}});
        setPlayList({"WithSamples"});
        loadRow(0);
        ExtraSamples& samples = sound_->extraSamples();
        QCOMPARE(samples.fileName(1), tom.string());
        QCOMPARE(samples.baseFrequency[1], 22050);
        QCOMPARE(samplesWindow_->sampleButtons[0]->text(), QString("LowTom"));
        QCOMPARE(samples.fileName(2), std::string("Blank.wav"));
        QCOMPARE(messages_.size(), 1);
        QVERIFY2(messages_[0].contains("Can not find"), qPrintable(messages_[0]));
        QVERIFY(!w.state().editState.patternChanged);
    }

    void saveOpenAndNewSong() {
        MainWindow& w = *w_;
        setPlayList({"A", "B", "A"});
        chosenSong_ = work() / "Gig";
        ui().saveSongAction->trigger();
        const fs::path saved = work() / "Gig.sng";
        const auto lines = fileLines(saved);
        QCOMPARE(lines.size(), std::size_t{163});
        QCOMPARE(lines[3], std::string("<*sam1"));
        QCOMPARE(w.state().songFileName, saved.string());

        w.state().patternCells.setName("A");
        ui().patternNameBox->setText("A");
        ui().newSongAction->trigger();
        QCOMPARE(w.state().songFileName, std::string("Untitled Song"));
        QCOMPARE(ui().playListBox->count(), 0);
        QCOMPARE(w.state().patternCells.cell(0, 0), std::string());
        QCOMPARE(ui().patternNameBox->text(), QString());
        QCOMPARE(w.windowTitle(), QString("Tamboro Pro v7.0"));
        QCOMPARE(test::listTexts(ui().patternLibraryBox), QStringList({"A", "B"}));

        chosenSong_ = saved;
        ui().openSongAction->trigger();
        QCOMPARE(test::listTexts(ui().playListBox), QStringList({"A", "B", "A"}));
        QCOMPARE(w.state().songFileName, saved.string());
        QVERIFY(messages_.isEmpty());

        // Cancelled dialogs change nothing.
        chosenSong_.clear();
        ui().openSongAction->trigger();
        ui().saveSongAction->trigger();
        QCOMPARE(w.state().songFileName, saved.string());
    }

    void songFilesThatFailKeepTheSongName() {
        MainWindow& w = *w_;
        w.state().songFileName = "Before.sng";
        setPlayList({"B"});
        // A frequency that is not a number: nothing of the file is taken.
        writeFileAtomically(work() / "Bad.sng", std::string("A\r\n<*sam1\r\nBlank.wav\r\nfast\r\n"));
        chosenSong_ = work() / "Bad.sng";
        ui().openSongAction->trigger();
        QCOMPARE(messages_.size(), 1);
        QCOMPARE(test::listTexts(ui().playListBox), QStringList{"B"});
        QCOMPARE(w.state().songFileName, std::string("Before.sng"));

        // A sample file that cannot be opened: nothing of the song is taken, and the message names
        // both the song and the sample.
        writeFileAtomically(work() / "Lost.sng", std::string("A\r\nB\r\n<*sam1\r\nnowhere.wav\r\n44100\r\n"));
        chosenSong_ = work() / "Lost.sng";
        ui().openSongAction->trigger();
        QCOMPARE(messages_.size(), 2);
        QVERIFY2(messages_[1].contains("Lost.sng") && messages_[1].contains("nowhere.wav"),
                 qPrintable(messages_[1]));
        QCOMPARE(test::listTexts(ui().playListBox), QStringList{"B"});
        QCOMPARE(w.state().songFileName, std::string("Before.sng"));

        // A folder that cannot be written: the old song name stays.
        chosenSong_ = work() / "missing-folder" / "New.sng";
        ui().saveSongAction->trigger();
        QCOMPARE(messages_.size(), 3);
        QCOMPARE(w.state().songFileName, std::string("Before.sng"));
    }

    void clearAllStopsAPlayingSong() {
        setPlayList({"A", "B"});
        ui().playSongButton->click();
        QVERIFY(sound_->playback().songPlaying());
        QVERIFY(!ui().playPatternButton->isEnabled());
        ui().clearSongButton->click();
        QVERIFY(!sound_->playback().songPlaying());
        QCOMPARE(ui().playListBox->count(), 0);
        QVERIFY(ui().playPatternButton->isEnabled());
        QVERIFY(ui().playSongButton->isEnabled());
        setPlayList({"A"});
        ui().clearListAction->trigger();
        QCOMPARE(ui().playListBox->count(), 0);
    }
};

QTEST_MAIN(PatternSongCommandsTest)
#include "tst_pattern_song_commands.moc"
