// A take during Play in the main window: with an input device chosen in Setup, Play Pattern records
// the null device's loopback (its own output heard back, frame for frame) with the playback, and
// after the pattern ends the take is analysed, shown in the feedback view and stored in the
// practice history, every note on its step less the stored latency. Without an input nothing is
// recorded. The window's take source carries the stored latency.

#include "MainWindowControls.h"
#include "WindowTestSupport.h"
#include "app/ProgramOptions.h"
#include "feedback/PracticeHistory.h"
#include "windows/feedback/FeedbackWindow.h"
#include "windows/feedback/PlayTakeRecorder.h"
#include "windows/feedback/TakeFeedbackCommand.h"
#include "windows/main/MainWindow.h"
#include "windows/main/MainWindowSound.h"
#include "windows/main/PatternGridView.h"
#include "windows/main/WindowTakeSource.h"
#include "windows/sound/InputLatencyDialog.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <filesystem>

using namespace tamboro;
namespace fs = std::filesystem;

class PlayTakeTest : public QObject {
    Q_OBJECT
    test::TemporarySettings settings_;
    QTemporaryDir work_;
    fs::path work() const { return work_.path().toStdString(); }

    // The window with its sound, the feedback command on the window's take source, and the
    // recorder wired to Play as the program wires them.
    struct Rig {
        ProgramOptions options;
        MainWindow window;
        test::MainWindowControls ui;
        MainWindowSound sound;
        QAction showFeedback, showProgress;
        TakeFeedbackCommand* command;
        PlayTakeRecorder* recorder;
        Rig(const fs::path& dir, const InputSettings& input, const fs::path& history)
            : options(nullOptions()), window(dir, options), ui(window),
              sound(window.parts(), options, input) {
            command = new TakeFeedbackCommand(
                showFeedback, showProgress, [this] { return windowTakeSource(window.parts(), {}); }, history,
                window);
            recorder = new PlayTakeRecorder(sound.device(), sound.playback(), *command, &window);
            sound.beforePlay = [r = recorder] { r->playStarting(); };
        }
        static ProgramOptions nullOptions() {
            ProgramOptions o;
            o.audio = AudioChoice::Null;
            return o;
        }
        // The kick, the kit's first instrument, on these rows of the grid.
        void placeKicks(std::initializer_list<int> rows) {
            ui.instrumentBox->setEditText(QString::fromStdString(window.state().instruments.entry(1)));
            for (int row : rows)
                QTest::mouseClick(ui.patternGrid->viewport(), Qt::LeftButton, {},
                                  ui.patternGrid->cellRect(1, row).center());
        }
    };

private slots:
    void initTestCase() { test::seedProgramFolder(work()); }

    void playRecordsATakeThatIsShownAndStored() {
        const double latencyMs = 20; // stored by calibration; the loopback itself has none
        QVERIFY(saveInputSettings(InputSettings{"default", latencyMs}));
        const fs::path history = work() / "played" / kHistoryFileName;
        Rig rig(work(), loadInputSettings(), history);
        QVERIFY(rig.sound.device().recordsInput());
        QCOMPARE(windowTakeSource(rig.window.parts(), {}).latencyMs, latencyMs);
        rig.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
        rig.placeKicks({2, 6, 10, 14}); // steps 1, 5, 9 and 13
        QTest::qWait(500);              // the placing clicks' auditions ring out before Play

        QSignalSpy analysed(rig.command, &TakeFeedbackCommand::analysisFinished);
        rig.ui.playPatternButton->click();
        QVERIFY(rig.recorder->recording());
        // One pass at 120 BPM is 2 s; the take ends once its last notes have rung out.
        QVERIFY(analysed.wait(60000));
        QVERIFY(!rig.recorder->recording());

        FeedbackWindow& view = rig.command->window();
        QVERIFY(view.isVisible());
        QVERIFY(view.hasResult());
        const TakeFeedback& result = view.result();
        QCOMPARE(result.steps.frames.size(), std::size_t{16});
        QString found;
        for (const FeedbackNote& note : result.notes)
            found +=
                QString(" step %1 at %2 (%3 ms)").arg(note.position).arg(note.onsetFrame).arg(note.offsetMs);
        found += QString(" first step frame %1, onsets %2")
                     .arg(result.steps.frames.front())
                     .arg(result.analysis.onsets.size());
        QVERIFY2(result.notes.size() == 4, qPrintable(found));
        for (std::size_t n = 0; n < result.notes.size(); ++n) {
            QCOMPARE(result.notes[n].position, static_cast<int>(4 * n));
            // Heard frame for frame: the kick on its step (its attack within a millisecond), less the
            // latency.
            QVERIFY2(std::abs(result.notes[n].offsetMs + latencyMs) < 1.5,
                     qPrintable(QString::number(result.notes[n].offsetMs)));
        }
        QVERIFY(view.findChild<QLabel*>("feedbackHeading")->text().contains("recorded during play"));
        QCOMPARE(PracticeHistory(history, PracticeHistory::Mode::ReadOnly).takeCount(), std::size_t{1});

        // A second Play records a new take; Stop ends it.
        rig.ui.playPatternButton->click();
        QVERIFY(rig.recorder->recording());
        QTest::qWait(1000);
        rig.ui.stopButton->click();
        QVERIFY(analysed.wait(60000));
        QCOMPARE(PracticeHistory(history, PracticeHistory::Mode::ReadOnly).takeCount(), std::size_t{2});
    }

    void withoutAnInputPlayRecordsNothing() {
        QVERIFY(saveInputSettings(InputSettings{"", 0}));
        Rig rig(work(), loadInputSettings(), work() / "none" / kHistoryFileName);
        QVERIFY(!rig.sound.device().recordsInput());
        QSignalSpy analysed(rig.command, &TakeFeedbackCommand::analysisFinished);
        rig.placeKicks({2});
        rig.ui.playPatternButton->click();
        QVERIFY(!rig.recorder->recording());
        QTRY_VERIFY_WITH_TIMEOUT(!rig.sound.playback().patternPlaying(), 10000);
        QTest::qWait(1500);
        QCOMPARE(analysed.count(), 0);
        QVERIFY(!rig.command->window().hasResult());
    }
};

QTEST_MAIN(PlayTakeTest)
#include "tst_play_take.moc"
