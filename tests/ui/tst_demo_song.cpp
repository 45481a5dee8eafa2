// The demo workspace as a new user meets it: open "Demo.sng", click the song's first entry, press
// "Play, play list" and hear the drums in the null device's recording.

#include "MainWindowControls.h"
#include "WindowTestSupport.h"
#include "app/ProgramOptions.h"
#include "kits/Wave.h"
#include "windows/controls/PictureButton.h"
#include "windows/main/MainWindow.h"
#include "windows/main/MainWindowSound.h"
#include "windows/main/PatternSongCommands.h"

#include <QAction>
#include <QListWidget>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>
#include <filesystem>

using namespace tamboro;
namespace fs = std::filesystem;

class DemoSongTest : public QObject {
    Q_OBJECT

    test::TemporarySettings settings_;
    QTemporaryDir work_;

    fs::path work() const { return work_.path().toStdString(); }

    // 10 ms windows of the left channel whose peak is well above the quiet before them.
    static int loudWindows(const Wave& capture) {
        const auto& d = capture.data();
        const std::size_t window = 441;
        int count = 0;
        for (std::size_t start = 0; start + window <= capture.frames(); start += window) {
            int peak = 0;
            for (std::size_t f = start; f < start + window; ++f) {
                const std::size_t at = f * 4;
                const auto sample = static_cast<std::int16_t>(d[at] | (d[at + 1] << 8));
                peak = std::max(peak, std::abs(static_cast<int>(sample)));
            }
            count += peak > 1000;
        }
        return count;
    }

private slots:
    void initTestCase() {
        for (const auto& entry : fs::directory_iterator(fs::path(TAMBORO_ASSETS) / "demo"))
            fs::copy_file(entry.path(), work() / entry.path().filename());
        test::seedProgramFolder(work());
    }

    void theDemoSongPlaysFromItsFirstEntry() {
        ProgramOptions options;
        options.audio = AudioChoice::Null;
        options.capture = work() / "capture.wav";
        {
            MainWindow w(work(), options);
            const test::MainWindowControls ui(w);
            MainWindowSound sound(w.parts(), options);
            auto* commands = new PatternSongCommands(w.parts(), sound, nullptr, nullptr);
            QStringList messages;
            commands->showMessage = [&](const QString& text, const QString&) { messages << text; };
            commands->chooseSongToOpen = [this] { return work() / "Demo.sng"; };
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));

            ui.openSongAction->trigger();
            QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
            QVERIFY(ui.playListBox->count() >= 8);
            const QString first = ui.playListBox->item(0)->text();
            QTest::mousePress(ui.playListBox->viewport(), Qt::LeftButton, {},
                              ui.playListBox->visualItemRect(ui.playListBox->item(0)).center());
            QTRY_COMPARE(QString::fromStdString(w.state().patternCells.cell(0, 0)), first);

            ui.playSongButton->click();
            QVERIFY(sound.playback().songPlaying());
            QTest::qWait(2500);
            QVERIFY(sound.playback().songPlaying());
            QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
            ui.stopButton->click();
            QTest::qWait(200);
            w.close();
        }
        const Wave capture = Wave::readFile(work() / "capture.wav");
        QVERIFY(capture.frames() > 44100 * 2);
        // A drum every beat or more often: far more than a handful of loud windows in 2.5 s.
        const int loud = loudWindows(capture);
        QVERIFY2(loud >= 20, qPrintable(QString::number(loud)));
    }
};

QTEST_MAIN(DemoSongTest)
#include "tst_demo_song.moc"
