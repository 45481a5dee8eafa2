// Failures the window reports honestly: Open Song takes all of a song or nothing (junk bytes, a
// missing or broken sample, a missing file), each message naming the file; the ← button refuses
// names that could leave the program folder; Ctrl+O and Ctrl+S answer from every Tamboro window;
// Help without a browser says where the manual is.

#include "MainWindowControls.h"
#include "WindowTestSupport.h"

#include "app/ProgramOptions.h"
#include "common/Files.h"
#include "song/PatternFile.h"
#include "windows/kits/ExtraSamplesWindow.h"
#include "windows/main/MainWindow.h"
#include "windows/main/MainWindowSound.h"
#include "windows/main/PatternListsPanel.h"
#include "windows/main/PatternSongCommands.h"

#include <QAction>
#include <QListWidget>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <memory>

using namespace tamboro;
namespace fs = std::filesystem;

class HonestErrorsTest : public QObject {
    Q_OBJECT

    test::TemporarySettings settings_;
    std::unique_ptr<QTemporaryDir> work_;
    std::unique_ptr<MainWindow> w_;
    std::unique_ptr<MainWindowSound> sound_;
    std::unique_ptr<ExtraSamplesWindow> samplesWindow_;
    PatternSongCommands* commands_ = nullptr;
    QStringList messages_;
    fs::path chosenSong_;

    test::MainWindowControls ui() const { return test::controlsOf(*w_); }
    fs::path work() const { return work_->path().toStdString(); }
    void write(const std::string& name, const std::string& bytes) {
        std::ofstream(work() / name, std::ios::binary) << bytes;
    }

    // What an Open Song must leave alone when it fails.
    struct SongState {
        QStringList playList;
        std::string songFileName;
        std::string sample1;
        bool operator==(const SongState&) const = default;
    };
    SongState songState() const {
        return {test::listTexts(ui().playListBox), w_->state().songFileName,
                sound_->extraSamples().fileName(1)};
    }

private slots:
    void init() {
        work_ = std::make_unique<QTemporaryDir>();
        test::seedProgramFolder(work());
        w_ = std::make_unique<MainWindow>(work());
        ProgramOptions options;
        options.audio = AudioChoice::Null;
        sound_ = std::make_unique<MainWindowSound>(w_->parts(), options);
        samplesWindow_ = std::make_unique<ExtraSamplesWindow>(w_.get());
        commands_ = new PatternSongCommands(w_->parts(), *sound_, nullptr, samplesWindow_.get());
        messages_.clear();
        commands_->showMessage = [this](const QString& text, const QString&) { messages_ << text; };
        commands_->chooseSongToOpen = [this] { return chosenSong_; };
        commands_->chooseSongToSave = [this] { return chosenSong_; };
        w_->parts().lists.showProblem = [this](const QString& text) { messages_ << text; };
    }

    void cleanup() {
        samplesWindow_.reset();
        w_->close();
        sound_.reset();
        w_.reset();
    }

    void aFailedOpenSongKeepsEverything_data() {
        QTest::addColumn<QByteArray>("bytes"); // empty: the file does not exist
        QTest::addColumn<QString>("why");
        QTest::newRow("binary junk") << QByteArray("\x7f"
                                                   "ELF\x02\x01\x01\x00\x00\x00 A\r\n",
                                                   15)
                                     << "not text";
        QTest::newRow("missing sample")
            << QByteArray("A\r\nB\r\n<*sam1\r\nGone.wav\r\n44100\r\n//\r\n0\r\n") << "Gone.wav";
        QTest::newRow("broken sample") << QByteArray("A\r\n<*sam1\r\nBlank.wav\r\n44100\r\n<*sam2\r\n"
                                                     "Text.wav\r\n22050\r\n")
                                       << "Wave is invalid";
        QTest::newRow("missing song") << QByteArray() << "Cannot open file";
    }
    void aFailedOpenSongKeepsEverything() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, why);
        write("Text.wav", "just words, no RIFF");
        w_->parts().lists.replacePlayList({"Old"});
        w_->state().songFileName = "Before.sng";
        const SongState before = songState();
        if (!bytes.isEmpty())
            write("Try.sng", bytes.toStdString());
        chosenSong_ = work() / "Try.sng";
        ui().openSongAction->trigger();
        QCOMPARE(messages_.size(), 1);
        QVERIFY2(messages_[0].contains("Try.sng") && messages_[0].contains(why), qPrintable(messages_[0]));
        QVERIFY(songState() == before);
    }

    void aGoodSongStillOpens() {
        write("Good.sng", "A\r\nB\r\n<*sam1\r\nBlank.wav\r\n44100\r\n//\r\n0\r\n");
        chosenSong_ = work() / "Good.sng";
        ui().openSongAction->trigger();
        QVERIFY(messages_.isEmpty());
        QCOMPARE(test::listTexts(ui().playListBox), QStringList({"A", "B"}));
        QCOMPARE(w_->state().songFileName, (work() / "Good.sng").string());
    }

    void backToLibraryRefusesUnsafeNames_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent") << "../outside";
        QTest::newRow("absolute") << "/tmp/absolute";
        QTest::newRow("separator") << "sub/Rock";
        QTest::newRow("backslash") << "..\\outside";
    }
    void backToLibraryRefusesUnsafeNames() {
        QFETCH(QString, name);
        w_->parts().lists.replacePlayList({name.toStdString()});
        ui().playListBox->setCurrentRow(0);
        w_->state().playList.select(0);
        const QStringList library = test::listTexts(ui().patternLibraryBox);
        w_->parts().lists.backToLibraryClicked();
        QCOMPARE(messages_.size(), 1);
        QVERIFY2(messages_[0].contains(name), qPrintable(messages_[0]));
        QCOMPARE(test::listTexts(ui().patternLibraryBox), library);
        QCOMPARE(test::listTexts(ui().playListBox), QStringList{name});
    }

    void openAndSaveKeysWorkFromAnotherWindow() {
        w_->show();
        QWidget other; // stands for the Kit List, the sample editor or any other Tamboro window
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        int opened = 0;
        commands_->chooseSongToOpen = [&] {
            ++opened;
            return fs::path();
        };
        QTest::keyClick(&other, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(opened, 1);
        chosenSong_ = work() / "FromElsewhere.sng";
        QTest::keyClick(&other, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(fs::exists(chosenSong_));
    }

    void helpWithoutABrowserSaysWhereTheManualIs() {
        const QString manual = MainWindow::helpIndexPath();
        QVERIFY2(QFileInfo::exists(manual), qPrintable(manual));
        QUrl asked;
        w_->openDocument = [&asked](const QUrl& url) {
            asked = url;
            return false; // no browser
        };
        ui().helpContentsAction->trigger();
        QCOMPARE(asked.toLocalFile(), QFileInfo(manual).absoluteFilePath());
        QStringList shown;
        for (QMessageBox* box : w_->findChildren<QMessageBox*>())
            shown << box->text();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].contains(QFileInfo(manual).absoluteFilePath()), qPrintable(shown[0]));
    }
};

QTEST_MAIN(HonestErrorsTest)
#include "tst_honest_errors.moc"
