// "Print Song Score (Drum TAB)": the Play List is written as the song's TAB text file in the program
// folder and handed to the desktop's viewer, with the application minimised; a pattern that cannot
// be read leaves no file behind and says why.

#include "MainWindowControls.h"
#include "WindowTestSupport.h"
#include "common/Files.h"
#include "render/DrumTab.h"
#include "song/PatternFile.h"
#include "song/PatternGrid.h"
#include "windows/main/MainWindow.h"
#include "windows/main/MainWindowState.h"
#include "windows/main/PrintScoreCommand.h"

#include <QAction>
#include <QListWidget>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace tamboro;
namespace fs = std::filesystem;

namespace {

// A pattern of `length` steps with `instrument` on every beat of channel 1 and on the last step of
// channel 3, saved as <name>.pat in `dir`.
void writePattern(const fs::path& dir, const std::string& name, int length, int stepsPerBeat, int bpm,
                  int loops, const std::string& instrument) {
    PatternGrid grid;
    grid.layOut(length, stepsPerBeat);
    grid.setName(name);
    for (int step = 1; step <= length; step += stepsPerBeat)
        grid.setCell(1, step + 1, instrument);
    grid.setCell(3, length + 1, instrument);
    writePatternFile(dir, name, buildPatternFileLines(grid, bpm, loops, {}));
}

std::string fileText(const fs::path& path) {
    const auto bytes = readFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

bool noTemporaryFilesIn(const fs::path& dir) {
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.path().filename().string().find(".tmp") != std::string::npos)
            return false;
    return true;
}

void setPlayList(MainWindow& w, const QStringList& names) {
    std::vector<std::string> entries;
    for (const QString& name : names)
        entries.push_back(name.toStdString());
    w.parts().lists.replacePlayList(entries);
}

} // namespace

class PrintScoreCommandTest : public QObject {
    Q_OBJECT

    test::TemporarySettings settings_;
    std::unique_ptr<QTemporaryDir> work_;
    std::unique_ptr<MainWindow> w_;

    // The window\'s controls, as the user meets them.
    test::MainWindowControls ui() const { return test::controlsOf(*w_); }
    PrintScoreCommand* command_ = nullptr;
    std::vector<fs::path> opened_;
    QStringList messages_;

    fs::path work() const { return work_->path().toStdString(); }

private slots:
    void init() {
        work_ = std::make_unique<QTemporaryDir>();
        writePattern(work(), "Groove", 16, 4, 100, 2, "Kick      [ ]");
        writePattern(work(), "Waltz Fill", 12, 3, 90, 1, "Snare Rim [5]");
        w_ = std::make_unique<MainWindow>(work());
        command_ = new PrintScoreCommand(
            *ui().printScoreAction, w_->state(), [w = w_.get()] { w->minimizeClicked(); }, w_.get());
        opened_.clear();
        messages_.clear();
        command_->openFile = [this](const fs::path& file) {
            opened_.push_back(file);
            return true;
        };
        command_->showMessage = [this](const QString& text) { messages_ << text; };
    }

    void cleanup() {
        w_->close();
        w_.reset();
    }

    // Restoring the window after the printout brings back exactly the side windows that were open.
    void theSideWindowsOpenComeBackWithTheWindow() {
        MainWindow& w = *w_;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QWidget kitList, tips, sampleEditor;
        kitList.show();
        tips.show();
        w.kitListWindow = &kitList;
        w.tipsWindow = &tips;
        w.sampleEditorWindow = &sampleEditor; // closed: stays closed
        setPlayList(w, {"Groove"});

        ui().printScoreAction->trigger();
        QVERIFY(w.isMinimized());
        QVERIFY(!kitList.isVisible());
        QVERIFY(!tips.isVisible());

        w.showNormal();
        QTRY_VERIFY(kitList.isVisible());
        QVERIFY(tips.isVisible());
        QVERIFY(!sampleEditor.isVisible());

        // Where nothing minimises the window (no window manager), a click on it brings them back.
        ui().printScoreAction->trigger();
        QVERIFY(!kitList.isVisible());
        test::sendMouse(ui().backgroundImage, QEvent::MouseButtonPress, {200, 20}, Qt::LeftButton,
                        Qt::LeftButton);
        test::sendMouse(ui().backgroundImage, QEvent::MouseButtonRelease, {200, 20}, Qt::LeftButton,
                        Qt::NoButton);
        QVERIFY(kitList.isVisible());
        QVERIFY(tips.isVisible());
        QVERIFY(!w.isMinimized());
        w.kitListWindow = nullptr;
        w.tipsWindow = nullptr;
        w.sampleEditorWindow = nullptr;
    }

    void writesTheScoreMinimisesAndOpensIt() {
        MainWindow& w = *w_;
        QVERIFY(ui().printScoreAction->isEnabled());
        QWidget sidePanel;
        sidePanel.show();
        w.kitListWindow = &sidePanel;
        w.show();
        w.state().songFileName = "C:\\Songs\\Funk.sng";
        setPlayList(w, {"Groove", "Waltz Fill", "Groove"});
        ui().playListBox->setCurrentRow(2); // the whole list prints whatever is selected

        ui().printScoreAction->trigger();

        const fs::path written = work() / "Funk.txt";
        QVERIFY(messages_.isEmpty());
        QCOMPARE(opened_.size(), std::size_t{1});
        QCOMPARE(opened_.front(), written);
        QVERIFY(w.isMinimized());
        QVERIFY(!sidePanel.isVisible());

        // The same text as the TAB writer gives for this song, written elsewhere.
        QTemporaryDir expectedDir;
        const fs::path expected = writeDrumTab("C:\\Songs\\Funk.sng", {"Groove", "Waltz Fill", "Groove"},
                                               work(), expectedDir.path().toStdString());
        const std::string text = fileText(written);
        QCOMPARE(text, fileText(expected));
        // Two blocks of the first pattern and one of the second, in play-list order.
        QVERIFY(text.starts_with("Funk\r\n\r\n\r\n4 : 16   BPM:100\r\nRepeat 2\r\n1   2   3   4   \r\n"
                                 "K---K---K---K---   Kick\r\n"));
        QVERIFY(text.find("\r\n3 : 12   BPM:90\r\nRepeat 1\r\n1  2  3  4  \r\n") != std::string::npos);
        QVERIFY(text.ends_with("---------------K   Kick\r\n----------------   \r\n----------------   \r\n"
                               "----------------   \r\n"));
        w.kitListWindow = nullptr;
    }

    void titleComesFromTheSongFile_data() {
        QTest::addColumn<QString>("songFileName");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("no song yet") << ""
                                     << "Untitled Song.txt"
                                     << "Untitled Song";
        QTest::newRow("new song") << "Untitled Song"
                                  << "Untitled .txt"
                                  << "Untitled ";
        QTest::newRow("saved song") << "/home/me/songs/Slow Blues.sng"
                                    << "Slow Blues.txt"
                                    << "Slow Blues";
        QTest::newRow("drive and folders") << "D:\\Music\\Tamboro\\Rock.sng"
                                           << "Rock.txt"
                                           << "Rock";
    }

    void titleComesFromTheSongFile() {
        QFETCH(QString, songFileName);
        QFETCH(QString, fileName);
        QFETCH(QString, firstLine);
        w_->state().songFileName = songFileName.toStdString();
        setPlayList(*w_, {});
        ui().printScoreAction->trigger();
        const fs::path written = work() / fileName.toStdString();
        QCOMPARE(opened_, std::vector<fs::path>{written});
        // An empty play list gives the title and an empty line only.
        QCOMPARE(fileText(written), firstLine.toStdString() + "\r\n\r\n");
    }

    void unreadablePatternLeavesTheOldScore() {
        MainWindow& w = *w_;
        w.state().songFileName = "Funk.sng";
        writeFileAtomically(work() / "Funk.txt", std::string("the score printed last week\r\n"));
        setPlayList(w, {"Groove", "Gone Missing"});

        ui().printScoreAction->trigger();

        QCOMPARE(messages_.size(), qsizetype{1});
        QVERIFY2(messages_.front().contains("Gone Missing.pat"), qPrintable(messages_.front()));
        QVERIFY(opened_.empty());
        QCOMPARE(fileText(work() / "Funk.txt"), std::string("the score printed last week\r\n"));
        QVERIFY(w.isMinimized());
        QVERIFY(noTemporaryFilesIn(work()));
    }

    void patternsAreFoundWhateverTheirLetterCase() {
        // A song file may name a pattern in other letters than its file has, as playback allows.
        w_->state().songFileName = "Funk.sng";
        setPlayList(*w_, {"GROOVE", "waltz fill"});
        ui().printScoreAction->trigger();
        QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
        QTemporaryDir expectedDir;
        const fs::path expected =
            writeDrumTab("Funk.sng", {"Groove", "Waltz Fill"}, work(), expectedDir.path().toStdString());
        QCOMPARE(fileText(work() / "Funk.txt"), fileText(expected));
    }

    void anEntryReachingOutsideTheFolderIsRefused() {
        // A pattern file exists one folder up, but a play-list entry never reaches there.
        const fs::path outside = work() / "inner";
        fs::create_directory(outside);
        fs::copy_file(work() / "Groove.pat", outside / "Groove.pat");
        MainWindow inner(outside);
        const test::MainWindowControls innerUi(inner);
        PrintScoreCommand command(*innerUi.printScoreAction, inner.state(),
                                  [&inner] { inner.minimizeClicked(); });
        QStringList messages;
        command.showMessage = [&](const QString& text) { messages << text; };
        command.openFile = [](const fs::path&) { return true; };
        inner.state().songFileName = "Funk.sng";
        setPlayList(inner, {"Groove", "../Waltz Fill"});
        innerUi.printScoreAction->trigger();
        QCOMPARE(messages.size(), qsizetype{1});
        QVERIFY2(messages.front().contains("../Waltz Fill"), qPrintable(messages.front()));
        QVERIFY(!fs::exists(outside / "Funk.txt"));
        inner.close();
    }

    void aScoreThatCannotBeWrittenSaysWhere() {
        // A folder stands where the score would go: the write fails and the folder stays as it was.
        w_->state().songFileName = "Locked.sng";
        fs::create_directory(work() / "Locked.txt");
        setPlayList(*w_, {"Groove"});
        ui().printScoreAction->trigger();
        QCOMPARE(messages_.size(), qsizetype{1});
        QVERIFY2(messages_.front().contains("Locked.txt"), qPrintable(messages_.front()));
        QVERIFY(opened_.empty());
        QVERIFY(fs::is_directory(work() / "Locked.txt"));
        QVERIFY(noTemporaryFilesIn(work()));
    }

    void printsFromTheSongStateAloneWithoutAWindow() {
        // The command needs only its menu item, the song's state and a way to minimise.
        MainWindowState state(work(), {});
        state.songFileName = "Solo.sng";
        state.playList.append("Waltz Fill");
        state.playList.append("Groove");
        QAction trigger;
        int minimised = 0;
        PrintScoreCommand command(trigger, state, [&] { ++minimised; });
        std::vector<fs::path> opened;
        command.openFile = [&](const fs::path& file) {
            opened.push_back(file);
            return true;
        };
        QStringList messages;
        command.showMessage = [&](const QString& text) { messages << text; };

        trigger.trigger();

        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        QCOMPARE(minimised, 1);
        QCOMPARE(opened, std::vector<fs::path>{work() / "Solo.txt"});
        QTemporaryDir expectedDir;
        const fs::path expected =
            writeDrumTab("Solo.sng", {"Waltz Fill", "Groove"}, work(), expectedDir.path().toStdString());
        QCOMPARE(fileText(work() / "Solo.txt"), fileText(expected));
    }

    void aScoreNothingCanOpenIsStillSavedAndNamed() {
        w_->state().songFileName = "Funk.sng";
        setPlayList(*w_, {"Waltz Fill"});
        command_->openFile = [this](const fs::path& file) {
            opened_.push_back(file);
            return false;
        };
        ui().printScoreAction->trigger();
        const fs::path written = work() / "Funk.txt";
        QVERIFY(fs::exists(written));
        QCOMPARE(messages_.size(), qsizetype{1});
        QVERIFY2(messages_.front().contains(QString::fromStdString(written.string())),
                 qPrintable(messages_.front()));
    }
};

QTEST_MAIN(PrintScoreCommandTest)
#include "tst_print_score_command.moc"
