// The tempo and the Time/Bar box: every way a tempo reaches the BPM box (its arrows, the arrow
// keys, typed digits, the tempo knob, a loaded pattern) ends as a whole number of 20..400 that
// playback uses, and the Time/Bar box shows the layout of the pattern in the grid.

#include "MainWindowControls.h"
#include "WindowTestSupport.h"

#include "app/ProgramOptions.h"
#include "common/Files.h"
#include "song/PatternFile.h"
#include "windows/controls/Knob.h"
#include "windows/main/MainWindow.h"
#include "windows/main/MainWindowSound.h"
#include "windows/main/PatternSongCommands.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolTip>
#include <QtTest>

#include <filesystem>
#include <memory>

using namespace tamboro;
namespace fs = std::filesystem;

class TempoInputsTest : public QObject {
    Q_OBJECT

    test::TemporarySettings settings_;
    std::unique_ptr<QTemporaryDir> work_;
    std::unique_ptr<MainWindow> w_;
    std::unique_ptr<MainWindowSound> sound_;
    PatternSongCommands* commands_ = nullptr;
    QStringList messages_;

    test::MainWindowControls ui() const { return test::controlsOf(*w_); }
    fs::path work() const { return work_->path().toStdString(); }
    int playedBpm() const { return sound_->playback().bpm(); }

    void writePattern(const std::string& name, int steps, int stepsPerBeat, int bpm) {
        PatternGrid grid;
        grid.layOut(steps, stepsPerBeat);
        grid.setName(name);
        grid.setCell(1, 2, "Kick      [ ]");
        writePatternFile(work(), name, buildPatternFileLines(grid, bpm, 1, {}));
    }

    void load(const std::string& name) {
        w_->parts().lists.replacePlayList({name});
        ui().playListBox->setCurrentRow(0);
        commands_->playListPressed();
    }

    // Types `text` over the BPM box's contents, as a user who selected it all.
    void typeIntoBpmBox(const QString& text) {
        QSpinBox* box = ui().bpmBox;
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }

private slots:
    void init() {
        work_ = std::make_unique<QTemporaryDir>();
        test::seedProgramFolder(work());
        w_ = std::make_unique<MainWindow>(work());
        ProgramOptions options;
        options.audio = AudioChoice::Null;
        sound_ = std::make_unique<MainWindowSound>(w_->parts(), options);
        commands_ = new PatternSongCommands(w_->parts(), *sound_, nullptr, nullptr);
        messages_.clear();
        commands_->showMessage = [this](const QString& text, const QString&) { messages_ << text; };
        commands_->askSavePattern = [] { return false; };
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    }

    void cleanup() {
        w_->close();
        sound_.reset();
        w_.reset();
    }

    void arrowsAndKeysStopAtTheLimits() {
        QSpinBox* box = ui().bpmBox;
        QCOMPARE(box->minimum(), 20);
        QCOMPARE(box->maximum(), 400);
        box->setValue(399);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Up);
        QTest::keyClick(box, Qt::Key_Up);
        QCOMPARE(box->value(), 400);
        QCOMPARE(playedBpm(), 400);
        box->setValue(21);
        QTest::keyClick(box, Qt::Key_Down);
        QTest::keyClick(box, Qt::Key_PageDown);
        QCOMPARE(box->value(), 20);
        QCOMPARE(playedBpm(), 20);
        box->stepBy(-1000);
        QCOMPARE(box->value(), 20);
    }

    void typedDigitsApplyOnEnterOrFocusLoss_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byEnter");
        QTest::addColumn<int>("expected");
        QTest::newRow("Enter") << "96" << true << 96;
        QTest::newRow("focus loss") << "250" << false << 250;
        QTest::newRow("below the range snaps up") << "5" << true << 20;
        QTest::newRow("zero snaps up") << "0" << false << 20;
        QTest::newRow("digits past 400 are refused") << "4000" << true << 400;
    }
    void typedDigitsApplyOnEnterOrFocusLoss() {
        QFETCH(QString, typed);
        QFETCH(bool, byEnter);
        QFETCH(int, expected);
        QSignalSpy changes(ui().bpmBox, &QSpinBox::valueChanged);
        typeIntoBpmBox(typed);
        // Half-typed values never reach playback.
        QCOMPARE(changes.count(), 0);
        QCOMPARE(playedBpm(), 120);
        if (byEnter)
            QTest::keyClick(ui().bpmBox, Qt::Key_Return);
        else
            ui().patternNameBox->setFocus();
        QTRY_COMPARE(ui().bpmBox->value(), expected);
        QCOMPARE(playedBpm(), expected);
        QCOMPARE(ui().bpmBox->text(), QString::number(expected));
    }

    void theKnobGivesWholeTempos() {
        Knob* knob = ui().bpmKnob;
        const QPoint centre(knob->width() / 2, knob->height() / 2);
        auto drag = [&](int dy) {
            test::sendMouse(knob, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
            test::sendMouse(knob, QEvent::MouseMove, centre + QPoint(0, dy), Qt::NoButton, Qt::LeftButton);
            test::sendMouse(knob, QEvent::MouseButtonRelease, centre + QPoint(0, dy), Qt::LeftButton,
                            Qt::NoButton);
        };
        drag(7); // 8.4 BPM down: 111.6 rounds to 112
        QCOMPARE(ui().bpmBox->value(), 112);
        QCOMPARE(playedBpm(), 112);
        drag(-1000);
        QCOMPARE(ui().bpmBox->value(), 300);
        drag(1000);
        QCOMPARE(ui().bpmBox->value(), 60);
        QCOMPARE(playedBpm(), 60);
    }

    // While dragged, a knob shows its value beside it; its tooltip keeps showing it.
    void theKnobsShowTheirValues() {
        Knob* knob = ui().bpmKnob;
        const QPoint centre(knob->width() / 2, knob->height() / 2);
        test::sendMouse(knob, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
        test::sendMouse(knob, QEvent::MouseMove, centre + QPoint(0, 7), Qt::NoButton, Qt::LeftButton);
        QVERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("Tempo: 112 BPM"));
        test::sendMouse(knob, QEvent::MouseButtonRelease, centre + QPoint(0, 7), Qt::LeftButton,
                        Qt::NoButton);
        QCOMPARE(knob->toolTip(), QStringLiteral("Tempo: 112 BPM"));
        // The tempo played, also where the knob's narrower range stops short of it.
        ui().bpmBox->setValue(20);
        QCOMPARE(knob->toolTip(), QStringLiteral("Tempo: 20 BPM"));

        // The Panning knob gives the share of the way to one side.
        Knob* pan = ui().panKnob;
        const struct {
            double value;
            const char* tip;
        } pans[] = {{-2000, "Pan: L 20 %"}, {0, "Pan: Centre"}, {1250, "Pan: R 13 %"}};
        for (const auto& p : pans) {
            w_->parts().transport.setPanKnob(p.value);
            QCOMPARE(pan->toolTip(), QString::fromLatin1(p.tip));
        }
        w_->parts().transport.setPanKnob(0);
        const QPoint middle(pan->width() / 2, pan->height() / 2);
        test::sendMouse(pan, QEvent::MouseButtonPress, middle, Qt::LeftButton, Qt::LeftButton);
        test::sendMouse(pan, QEvent::MouseMove, middle - QPoint(0, 10), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(QToolTip::text(), QStringLiteral("Pan: R 4 %")); // 4000 units per 100 pixels
        test::sendMouse(pan, QEvent::MouseButtonRelease, middle - QPoint(0, 10), Qt::LeftButton,
                        Qt::NoButton);
    }

    void aStoredTempoOutsideTheRangeIsClampedWithAMessage_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("shown");
        QTest::newRow("huge") << 100000 << 400;
        QTest::newRow("zero") << 0 << 20;
        QTest::newRow("negative") << -30 << 20;
        QTest::newRow("in range") << 77 << 77;
    }
    void aStoredTempoOutsideTheRangeIsClampedWithAMessage() {
        QFETCH(int, stored);
        QFETCH(int, shown);
        writePattern("Odd", 16, 4, stored);
        const auto before = readFileBytes(work() / "Odd.pat");
        load("Odd");
        QCOMPARE(ui().bpmBox->value(), shown);
        QCOMPARE(playedBpm(), shown);
        if (stored == shown) {
            QVERIFY(messages_.isEmpty());
        } else {
            QCOMPARE(messages_.size(), 1);
            QVERIFY2(messages_[0].contains("\"Odd.pat\"") && messages_[0].contains(QString::number(stored)),
                     qPrintable(messages_[0]));
        }
        // The file keeps the tempo it stores.
        QCOMPARE(readFileBytes(work() / "Odd.pat"), before);
    }

    void timeBarShowsTheLoadedPatternsLayout() {
        QCOMPARE(ui().timeBarBox->currentText(), QString("16/4"));
        writePattern("Waltz", 12, 3, 90);
        writePattern("Short", 8, 2, 90);
        load("Waltz");
        QCOMPARE(ui().timeBarBox->currentText(), QString("12/3"));
        // A typed choice not applied is dropped when a pattern loads, so the button does not lay
        // the loaded pattern out anew.
        ui().timeBarBox->lineEdit()->selectAll();
        QTest::keyClicks(ui().timeBarBox->lineEdit(), "64/4");
        load("Short");
        QCOMPARE(ui().timeBarBox->currentText(), QString("8/2"));
        QVERIFY(w_->state().editState.pendingLength.empty());
        QCOMPARE(w_->state().patternCells.rowCount(), 10);
    }
};

QTEST_MAIN(TempoInputsTest)
#include "tst_tempo_inputs.moc"
