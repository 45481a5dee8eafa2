// The main window's sound: a pattern placed with the mouse plays through the null device, repeats,
// follows the BPM box, flashes the lights and stops; the hits land in the captured recording.

#include "MainWindowControls.h"
#include "WindowTestSupport.h"
#include "app/ProgramOptions.h"
#include "kits/Wave.h"
#include "windows/controls/Knob.h"
#include "windows/controls/PictureButton.h"
#include "windows/controls/PulseLight.h"
#include "windows/main/MainWindow.h"
#include "windows/main/MainWindowSound.h"
#include "windows/main/PatternGridView.h"

#include <QComboBox>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <filesystem>

using namespace tamboro;
namespace fs = std::filesystem;

class MainWindowSoundTest : public QObject {
    Q_OBJECT
    test::TemporarySettings settings_;
    std::unique_ptr<QTemporaryDir> work_;
    fs::path work() const { return work_->path().toStdString(); }

    // Frames where the captured left channel rises above a threshold after at least 20 ms of quiet.
    static std::vector<std::size_t> onsets(const Wave& capture) {
        std::vector<std::size_t> found;
        const auto& d = capture.data();
        const std::size_t frames = capture.frames();
        std::size_t quiet = 100000;
        for (std::size_t f = 0; f < frames; ++f) {
            const auto sample = static_cast<std::int16_t>(d[f * 4] | (d[f * 4 + 1] << 8));
            if (std::abs(sample) > 2000) {
                if (quiet > 882)
                    found.push_back(f);
                quiet = 0;
            } else {
                ++quiet;
            }
        }
        return found;
    }

private slots:
    void init() {
        work_ = std::make_unique<QTemporaryDir>();
        test::seedProgramFolder(work());
    }

    void placedPatternPlaysRepeatsAndStops() {
        ProgramOptions options;
        options.audio = AudioChoice::Null;
        options.capture = work() / "capture.wav";
        {
            MainWindow w(work(), options);
            const test::MainWindowControls ui(w);
            MainWindowSound sound(w.parts(), options);
            PlaybackState& p = sound.playback();
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));

            // Kick, the first kit instrument, on steps 1 and 9 of the 16-step grid.
            const QString kick = QString::fromStdString(w.state().instruments.entry(1));
            QVERIFY(kick.startsWith("Kick"));
            ui.instrumentBox->setEditText(kick);
            QCOMPARE(QString::fromStdString(w.state().instruments.text()), kick);
            for (int row : {2, 10})
                QTest::mouseClick(ui.patternGrid->viewport(), Qt::LeftButton, {},
                                  ui.patternGrid->cellRect(1, row).center());
            QCOMPARE(QString::fromStdString(w.state().patternCells.cell(1, 2)), kick);
            QCOMPARE(QString::fromStdString(w.state().patternCells.cell(1, 10)), kick);

            ui.repeatPatternButton->click();
            QVERIFY(p.repeatPattern);
            QCOMPARE(ui.repeatPatternButton->glyphIndex(), 2);

            ui.playPatternButton->click();
            QVERIFY(p.patternPlaying());
            QVERIFY(!ui.playPatternButton->isEnabled());
            QTRY_VERIFY_WITH_TIMEOUT(ui.pulseLights[0]->litHeight() > 0, 2000);
            // Two passes of the pattern at 120 BPM (2 s each), then faster under the BPM box.
            QTest::qWait(4200);
            QVERIFY(p.patternPlaying());
            ui.bpmBox->setValue(240);
            QCOMPARE(p.stepInterval, 62);
            QCOMPARE(ui.bpmKnob->value(), 240.0);
            QTest::qWait(1200);
            ui.stopButton->click();
            QVERIFY(!p.patternPlaying());
            QVERIFY(ui.playPatternButton->isEnabled());
            QTest::qWait(300);
        }
        const Wave capture = Wave::readFile(work() / "capture.wav");
        const auto hits = onsets(capture);
        // The placing clicks audition the kick at once; the pattern's hits follow, every 44100 frames
        // at 120 BPM (steps 1 and 9 of 16), repeating with no gap, then closer together at 240 BPM.
        QString all;
        for (auto h : hits)
            all += QString::number(h) + " ";
        QVERIFY2(hits.size() >= 7, qPrintable(all));
        // The window thread runs at normal priority, so on a busy machine a tick may now and then
        // start a few milliseconds late; the tempo must hold all the same, most hits to the frame.
        int onFrame = 0, onTempo = 0;
        for (std::size_t i = 1; i < hits.size(); ++i) {
            const double offBy = std::abs(static_cast<double>(hits[i] - hits[i - 1]) - 44100.0);
            onFrame += offBy <= 1.0;
            onTempo += offBy <= 441.0;
        }
        QVERIFY2(onFrame >= 2 && onTempo >= 3, qPrintable(all));
        const double lastGap = static_cast<double>(hits.back() - hits[hits.size() - 2]);
        QVERIFY2(lastGap < 30000.0, qPrintable(QString::number(lastGap)));
    }

    void stopTipShowsTheSoundHealth() {
        ProgramOptions options;
        options.audio = AudioChoice::Null;
        MainWindow w(work(), options);
        const test::MainWindowControls ui(w);
        MainWindowSound sound(w.parts(), options);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        ui.playPatternButton->click();
        QVERIFY(sound.playback().patternPlaying());
        // The counters of the output the window opened (the null device's look-ahead: two
        // 256-frame buffers and 2 ms) appear under the Stop button's name within a few seconds.
        QTRY_VERIFY_WITH_TIMEOUT(ui.stopButton->toolTip().contains("late starts"), 10000);
        ui.stopButton->click();
        const QString tip = ui.stopButton->toolTip();
        QVERIFY2(tip.startsWith("Stop\n"), qPrintable(tip));
        for (const char* part : {" underruns, ", " re-anchors, ", "look-ahead 600 frames (", " ppm"})
            QVERIFY2(tip.contains(part), qPrintable(tip));
    }

    void channelSwitchShowsOff() {
        ProgramOptions options;
        options.audio = AudioChoice::Null;
        MainWindow w(work(), options);
        const test::MainWindowControls ui(w);
        MainWindowSound sound(w.parts(), options);
        ui.channelSwitches[2]->click();
        QCOMPARE(ui.channelSwitches[2]->text(), QString("OFF"));
        QVERIFY(!sound.playback().channelsOn[3]);
        ui.channelSwitches[2]->click();
        QCOMPARE(ui.channelSwitches[2]->text(), QString("ON"));
    }
};

QTEST_MAIN(MainWindowSoundTest)
#include "tst_main_window_sound.moc"
