// The practice panel in the main window: Save Song writes the panel's settings beside the song and
// Open Song brings them back; a damaged .practice file leaves the defaults, says so and the song
// still opens; Start practice plays a speed-trainer session whose state the panel shows; Render
// practice track writes the track. The key T taps the tempo from the main window too, and the
// metronome button, View > Practice and their keys show and hide the panel as one toggle.

#include "MainWindowControls.h"
#include "WindowTestSupport.h"
#include "app/ProgramOptions.h"
#include "common/Files.h"
#include "controls/SkinFiles.h"
#include "song/PracticeFile.h"
#include "sound/PracticePlayer.h"
#include "windows/controls/PictureButton.h"
#include "windows/main/MainMenus.h"
#include "windows/main/MainWindow.h"
#include "windows/main/MainWindowSound.h"
#include "windows/main/PatternSongCommands.h"
#include "windows/main/SongRenderCommand.h"
#include "windows/practice/PracticeCommand.h"
#include "windows/practice/PracticePanel.h"
#include "windows/render/RenderProgressWindow.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>

using namespace tamboro;
namespace fs = std::filesystem;

// The main window on the null device with the practice panel and its command, as the program
// wires them.
struct PracticeWindow {
    static const ProgramOptions& nullAudio() {
        static const ProgramOptions options = [] {
            ProgramOptions o;
            o.audio = AudioChoice::Null;
            return o;
        }();
        return options;
    }
    explicit PracticeWindow(const fs::path& dir)
        : window(dir, nullAudio()), sound(window.parts(), nullAudio()),
          render(new SongRenderCommand(window.parts(), renderWindow, &sound)),
          command(new PracticeCommand(*window.parts().menus.actions().practice, panel, window.parts(), sound,
                                      *render)) {}
    MainWindow window;
    MainWindowSound sound;
    RenderProgressWindow renderWindow;
    SongRenderCommand* render;
    PracticePanel panel;
    PracticeCommand* command;
};

class PracticeCommandTest : public QObject {
    Q_OBJECT

    test::TemporarySettings settings_;
    QTemporaryDir work_;

    fs::path work() const { return work_.path().toStdString(); }

private slots:
    void initTestCase() {
        for (const auto& entry : fs::directory_iterator(fs::path(TAMBORO_ASSETS) / "demo"))
            fs::copy_file(entry.path(), work() / entry.path().filename());
        test::seedProgramFolder(work());
    }

    void settingsFollowTheSongAndASessionPlays() {
        ProgramOptions options;
        options.audio = AudioChoice::Null;
        MainWindow w(work(), options);
        const test::MainWindowControls ui(w);
        MainWindowSound sound(w.parts(), options);
        auto* songs = new PatternSongCommands(w.parts(), sound, nullptr, nullptr);
        RenderProgressWindow renderWindow;
        auto* render = new SongRenderCommand(w.parts(), renderWindow, &sound);
        PracticePanel panel;
        auto* practice =
            new PracticeCommand(*w.parts().menus.actions().practice, panel, w.parts(), sound, *render);
        songs->songSaved = [practice](const fs::path& song) { practice->songSaved(song); };
        songs->songOpened = [practice](const fs::path& song) { practice->songOpened(song); };
        QStringList messages;
        songs->showMessage = [&](const QString& text, const QString&) { messages << text; };
        practice->showMessage = [&](const QString& text) { messages << text; };

        // A damaged file: the song opens with the defaults and a message naming the line.
        writeFileAtomically(work() / "Demo.practice", std::string_view("[Practice]\nCountIn=1\nSwing=99\n"));
        songs->chooseSongToOpen = [this] { return work() / "Demo.sng"; };
        ui.openSongAction->trigger();
        QVERIFY(ui.playListBox->count() >= 8);
        QCOMPARE(panel.settings(), PracticeSettings{});
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains("line 3") && messages[0].contains("default practice settings"),
                 qPrintable(messages[0]));

        // Save Song keeps the panel's settings beside the song; Open Song brings them back.
        PracticeSettings s;
        s.countIn = 1;
        s.click = true;
        s.speedTrainer = SpeedTrainer{70, 100, 10, 1};
        s.swing = 60;
        panel.setSettings(s);
        songs->chooseSongToSave = [this] { return work() / "Mine.sng"; };
        ui.saveSongAction->trigger();
        QCOMPARE(readPracticeFile(work() / "Mine.practice"), s);
        panel.setSettings(PracticeSettings{});
        songs->chooseSongToOpen = [this] { return work() / "Mine.sng"; };
        ui.openSongAction->trigger();
        QCOMPARE(panel.settings(), s);

        // View > Practice shows the panel; Start practice plays the session and the panel follows it.
        w.parts().menus.actions().practice->trigger();
        QVERIFY(panel.isVisible());
        panel.startButton->click();
        QVERIFY(practice->player().playing());
        QTRY_VERIFY_WITH_TIMEOUT(panel.playLabel->text() == "Count-in", 2000);
        QTRY_VERIFY_WITH_TIMEOUT(panel.playLabel->text().startsWith("Play 1, pass"), 8000);
        QVERIFY2(panel.tempoLabel->text().startsWith("Tempo 70 % = "), qPrintable(panel.tempoLabel->text()));
        panel.stopButton->click();
        QVERIFY(!practice->player().playing());
        QCOMPARE(panel.playLabel->text(), QString("not playing"));

        // Render practice track: two plays of the song to a WAV file.
        messages.clear();
        practice->renderTrack(2, 0, work() / "track.wav");
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].startsWith("Practice track of 2 plays"), qPrintable(messages[0]));
        QVERIFY(fs::file_size(work() / "track.wav") > 44);
    }

    void keyTTapsTheTempoFromTheMainWindow() {
        PracticeWindow practiceWindow(work());
        MainWindow& w = practiceWindow.window;
        PracticePanel& panel = practiceWindow.panel;
        const test::MainWindowControls ui(w);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(!panel.isVisible());
        QSignalSpy tapped(&panel, &PracticePanel::tempoTapped);

        // Three taps on the main window, the panel closed: the BPM box takes the tapped tempo
        // (whatever the machine's delays made of the 300 ms between them).
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(&w, Qt::Key_T);
            QTest::qWait(300);
        }
        QCOMPARE(tapped.count(), 2);
        const int bpm = tapped.last().at(0).toInt();
        QVERIFY2(bpm >= 20 && bpm <= 400, qPrintable(QString::number(bpm)));
        QCOMPARE(ui.bpmBox->value(), bpm);
        QCOMPARE(panel.tapLabel->text(), QString("%1 BPM").arg(bpm));

        // Typing a T into a text box types it and taps nothing.
        ui.patternNameBox->setFocus();
        ui.patternNameBox->clear();
        QTest::keyClicks(ui.patternNameBox, "Tt");
        QCOMPARE(ui.patternNameBox->text(), QString("Tt"));
        QCOMPARE(tapped.count(), 2);
    }

    // The metronome button, View > Practice and Ctrl+Shift+P are one toggle: each shows the panel or
    // hides it, and the menu's check mark and the button's light follow whichever was used.
    void buttonMenuAndKeysToggleThePanelTogether() {
        PracticeWindow practiceWindow(work());
        MainWindow& w = practiceWindow.window;
        PracticePanel& panel = practiceWindow.panel;
        const test::MainWindowControls ui(w);
        QAction* item = w.parts().menus.actions().practice;
        PictureButton* button = ui.practicePanelButton;
        QCOMPARE(button->toolTip(), QString("Practice panel (Ctrl+Shift+P)"));
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));

        const auto expectShown = [&](bool shown) {
            QTRY_COMPARE_WITH_TIMEOUT(panel.isVisible(), shown, 5000);
            QCOMPARE(item->isChecked(), shown);
            QCOMPARE(button->glyphIndex(), shown ? skin::kImagePracticeOn : skin::kImagePracticeOff);
        };
        expectShown(false);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(19, 19));
        expectShown(true);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(19, 19));
        expectShown(false);
        // The menu item shows it, the button hides it again.
        item->trigger();
        expectShown(true);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(19, 19));
        expectShown(false);
        // The keys work from the main window and from the panel itself.
        QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        expectShown(true);
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        panel.activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(panel.isActiveWindow(), 5000);
        QTest::keyClick(&panel, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        expectShown(false);
        // Hidden by other code: the check mark and the light follow.
        item->trigger();
        expectShown(true);
        panel.hide();
        expectShown(false);
    }
};

QTEST_MAIN(PracticeCommandTest)
#include "tst_practice_command.moc"
