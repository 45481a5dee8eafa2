// Files where a user puts them: a song, a pattern or a kit dropped on the main window opens as the
// song, the grid's pattern or the kit; a WAV dropped on an Extra samples button opens into that
// sample; other files are not taken. File > Recent songs keeps the last songs and drops one that is
// gone.

#include "ExtraSamplesWorkspace.h"
#include "MainWindowControls.h"
#include "WindowTestSupport.h"

#include "app/ProgramOptions.h"
#include "common/Files.h"
#include "kits/KitLibrary.h"
#include "song/PatternFile.h"
#include "windows/kits/ExtraSamplesWindow.h"
#include "windows/kits/SampleEditorWindow.h"
#include "windows/main/FileOpener.h"
#include "windows/main/KitLibraryCommand.h"
#include "windows/main/MainMenus.h"
#include "windows/main/MainWindow.h"
#include "windows/main/MainWindowSound.h"
#include "windows/main/PatternSongCommands.h"
#include "windows/main/RecentSongsMenu.h"

#include <QAction>
#include <QDropEvent>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <filesystem>
#include <memory>

using namespace tamboro;
namespace fs = std::filesystem;

namespace {

// Drags `files` over `target` and drops them, as the window system delivers it. Returns whether
// the target took the drag (its enter event accepted) and the drop.
std::pair<bool, bool> dropFiles(QWidget* target, const std::vector<fs::path>& files) {
    QMimeData mime;
    QList<QUrl> urls;
    for (const fs::path& f : files)
        urls << QUrl::fromLocalFile(QString::fromStdString(f.string()));
    mime.setUrls(urls);
    const QPoint at(target->width() / 2, target->height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return {false, false};
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    drop.ignore();
    QCoreApplication::sendEvent(target, &drop);
    return {true, drop.isAccepted()};
}

} // namespace

class FileDropsTest : public QObject {
    Q_OBJECT

    test::TemporarySettings settings_;
    std::unique_ptr<QTemporaryDir> work_, elsewhere_;
    std::unique_ptr<MainWindow> w_;
    std::unique_ptr<MainWindowSound> sound_;
    std::unique_ptr<SampleEditorWindow> editor_;
    std::unique_ptr<ExtraSamplesWindow> samplesWindow_;
    PatternSongCommands* commands_ = nullptr;
    KitLibraryCommand* kits_ = nullptr;
    FileOpener* opener_ = nullptr;
    QStringList messages_;

    test::MainWindowControls ui() const { return test::controlsOf(*w_); }
    fs::path work() const { return work_->path().toStdString(); }
    fs::path elsewhere() const { return elsewhere_->path().toStdString(); }

    void writePattern(const fs::path& dir, const std::string& name, int steps, int bpm) {
        PatternGrid grid;
        grid.layOut(steps, 4);
        grid.setName(name);
        grid.setCell(2, 3, "Snare     [ ]");
        writePatternFile(dir, name, buildPatternFileLines(grid, bpm, 3, {}));
    }

private slots:
    void init() {
        work_ = std::make_unique<QTemporaryDir>();
        elsewhere_ = std::make_unique<QTemporaryDir>();
        test::seedProgramFolder(work());
        w_ = std::make_unique<MainWindow>(work());
        ProgramOptions options;
        options.audio = AudioChoice::Null;
        sound_ = std::make_unique<MainWindowSound>(w_->parts(), options);
        editor_ = std::make_unique<SampleEditorWindow>(sound_->extraSamples(), w_.get());
        samplesWindow_ = std::make_unique<ExtraSamplesWindow>(w_.get());
        samplesWindow_->setSampleEditor(editor_.get());
        commands_ = new PatternSongCommands(w_->parts(), *sound_, editor_.get(), samplesWindow_.get());
        const MainMenus::Actions& menu = w_->parts().menus.actions();
        kits_ = new KitLibraryCommand(*menu.drumKitLibrary, *w_->state().kitLibrary, work(), nullptr, *w_);
        opener_ = new FileOpener(*w_, *commands_, kits_);
        messages_.clear();
        auto record = [this](const QString& text) { messages_ << text; };
        commands_->showMessage = [record](const QString& text, const QString&) { record(text); };
        commands_->askSavePattern = [] { return false; };
        kits_->showProblem = record;
        editor_->notify = record;
    }

    void cleanup() {
        samplesWindow_.reset();
        editor_.reset();
        w_->close();
        sound_.reset();
        w_.reset();
    }

    void aDroppedSongOpens() {
        std::ofstream(elsewhere() / "Gig.sng", std::ios::binary) << "Intro\r\nVerse\r\n";
        QCOMPARE(dropFiles(w_.get(), {elsewhere() / "Gig.sng"}), std::make_pair(true, true));
        QVERIFY(messages_.isEmpty());
        QCOMPARE(test::listTexts(ui().playListBox), QStringList({"Intro", "Verse"}));
        QCOMPARE(w_->state().songFileName, (elsewhere() / "Gig.sng").string());
    }

    void aDroppedPatternLoads() {
        writePattern(elsewhere(), "Shuffle", 12, 96);
        QCOMPARE(dropFiles(w_.get(), {elsewhere() / "Shuffle.pat"}), std::make_pair(true, true));
        QVERIFY(messages_.isEmpty());
        QCOMPARE(w_->state().patternCells.name(), std::string("Shuffle"));
        QCOMPARE(w_->state().patternCells.cell(2, 3), std::string("Snare     [ ]"));
        QCOMPARE(w_->state().patternCells.rowCount(), 14);
        QCOMPARE(ui().bpmBox->value(), 96);
        QCOMPARE(ui().loopsBox->value(), 3);
        QCOMPARE(ui().patternNameBox->text(), QString("Shuffle"));
    }

    void aDroppedKitLoads() {
        DrumKit other;
        other.loadFromFile(work() / "Topkit.dxg");
        other.item(1).setName("DropKick  [ ]");
        other.saveToFile(elsewhere() / "Dropped.dxg");
        QCOMPARE(dropFiles(w_.get(), {elsewhere() / "Dropped.dxg"}), std::make_pair(true, true));
        QVERIFY(messages_.isEmpty());
        QCOMPARE(w_->state().kitLibrary->kit().item(1).name(), std::string("DropKick  [ ]"));
        QCOMPARE(w_->state().instruments.entry(1), std::string("DropKick  [ ]"));
    }

    void aBrokenDropIsReportedAndChangesNothing() {
        std::ofstream(elsewhere() / "Junk.dxg") << "not a kit";
        const std::string kitBefore = w_->state().kitLibrary->kit().item(1).name();
        QCOMPARE(dropFiles(w_.get(), {elsewhere() / "Junk.dxg"}), std::make_pair(true, true));
        QCOMPARE(messages_.size(), 1);
        QVERIFY2(messages_[0].contains("Junk.dxg"), qPrintable(messages_[0]));
        QCOMPARE(w_->state().kitLibrary->kit().item(1).name(), kitBefore);
    }

    void otherFilesAreNotTaken() {
        std::ofstream(elsewhere() / "notes.txt") << "hello";
        QCOMPARE(dropFiles(w_.get(), {elsewhere() / "notes.txt"}), std::make_pair(false, false));
        // A WAV belongs on an Extra samples button, not on the main window.
        QCOMPARE(dropFiles(w_.get(), {work() / "Blank.wav"}), std::make_pair(false, false));
        QVERIFY(messages_.isEmpty());
    }

    void aWavDroppedOnASampleButtonOpensIntoThatSample() {
        test::writeWav(elsewhere() / "Clave.wav", test::rampWave(22050, 300));
        QPushButton* button = samplesWindow_->sampleButtons[6];
        QCOMPARE(dropFiles(button, {elsewhere() / "Clave.wav"}), std::make_pair(true, true));
        QVERIFY(messages_.isEmpty());
        const ExtraSamples& samples = sound_->extraSamples();
        QCOMPARE(samples.currentSample, 7);
        QCOMPARE(samples.fileName(7), (elsewhere() / "Clave.wav").string());
        QVERIFY(samples.hasSound(7));
        QCOMPARE(samples.frequency(7), 22050);
        QCOMPARE(button->text(), QString("Clave"));
        // Other samples keep their sound; a song or two files are not taken by a button.
        QCOMPARE(samples.fileName(6), std::string("Blank.wav"));
        std::ofstream(elsewhere() / "Gig.sng") << "A\r\n";
        QCOMPARE(dropFiles(button, {elsewhere() / "Gig.sng"}).first, false);
        QCOMPARE(dropFiles(button, {elsewhere() / "Clave.wav", elsewhere() / "Clave.wav"}).first, false);
    }

    void openFileTakesTheCommandLinesKinds() {
        writePattern(work(), "Rock", 16, 110);
        QVERIFY(opener_->openFile(work() / "Rock.pat"));
        QCOMPARE(ui().bpmBox->value(), 110);
        std::ofstream(work() / "Set.sng", std::ios::binary) << "Rock\r\n";
        QVERIFY(opener_->openFile(work() / "Set.sng"));
        QCOMPARE(test::listTexts(ui().playListBox), QStringList{"Rock"});
        QVERIFY(!opener_->openFile(work() / "Missing.sng"));
        QCOMPARE(messages_.size(), 1);
        QVERIFY(!opener_->openFile(work() / "Blank.wav"));
    }

    void recentSongsKeepEightAndDropAMissingOne() {
        QMenu* menu = w_->parts().menus.actions().recentSongs;
        auto* recent = new RecentSongsMenu(*menu, *commands_);
        QStringList shown;
        recent->showMessage = [&shown](const QString& text) { shown << text; };
        QVERIFY(!menu->isEnabled());
        for (int i = 1; i <= 9; ++i) {
            const fs::path song = elsewhere() / ("Song" + std::to_string(i) + ".sng");
            std::ofstream(song, std::ios::binary) << "Part" << i << "\r\n";
            QVERIFY(opener_->openFile(song));
        }
        QCOMPARE(menu->actions().size(), 8);
        QVERIFY(menu->isEnabled());
        QVERIFY(menu->actions().first()->text().endsWith("Song9.sng"));
        QCOMPARE(recent->songs().last(), QString::fromStdString((elsewhere() / "Song2.sng").string()));

        // Kept in the settings, read back by the next window.
        {
            QSettings settings(QStringLiteral("Quillon"), QStringLiteral("Tamboro"));
            settings.beginGroup(QStringLiteral("7.0"));
            QCOMPARE(settings.value(RecentSongsMenu::kSettingsKey).toStringList(), recent->songs());
        }
        QMenu again;
        RecentSongsMenu reread(again, *commands_);
        QCOMPARE(reread.songs(), recent->songs());

        // Choosing one opens it; one that is gone is removed with a message.
        menu->actions()[3]->trigger(); // Song6
        QCOMPARE(test::listTexts(ui().playListBox), QStringList{"Part6"});
        QVERIFY(recent->songs().first().endsWith("Song6.sng"));
        fs::remove(elsewhere() / "Song8.sng");
        const int index = static_cast<int>(
            recent->songs().indexOf(QString::fromStdString((elsewhere() / "Song8.sng").string())));
        QVERIFY(index > 0);
        recent->openRecent(index);
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].contains("Song8.sng"), qPrintable(shown[0]));
        QCOMPARE(recent->songs().size(), 7);
        QCOMPARE(menu->actions().size(), 7);
        QCOMPARE(test::listTexts(ui().playListBox), QStringList{"Part6"});
    }
};

QTEST_MAIN(FileDropsTest)
#include "tst_file_drops.moc"
