// The Practice panel: its controls make the settings (and show them back), tap tempo through the
// button's clock and the key T, the render request, and the status lines of a playing session.

#include "windows/practice/PracticePanel.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

using namespace tamboro;

class PracticePanelTest : public QObject {
    Q_OBJECT

private slots:
    void settingsRoundTripThroughTheControls() {
        PracticePanel panel;
        QCOMPARE(panel.settings(), PracticeSettings{});
        PracticeSettings s;
        s.countIn = 2;
        s.click = true;
        s.clickLevel = 60;
        s.speedTrainer = SpeedTrainer{70, 100, 5, 2};
        s.sectionFrom = 2;
        s.sectionTo = 4;
        s.barPlay = 3;
        s.barMute = 1;
        s.dropPercent = 20;
        s.seed = 77;
        s.swing = 66.7;
        QSignalSpy changed(&panel, &PracticePanel::settingsChanged);
        panel.setSettings(s);
        QCOMPARE(changed.count(), 0); // showing settings is no edit
        QCOMPARE(panel.settings(), s);
        QVERIFY(!panel.tempoScaleBox->isEnabled()); // the trainer replaces the scale
        QVERIFY(panel.trainerFromBox->isEnabled());

        panel.trainerBox->setChecked(false);
        QVERIFY(changed.count() >= 1);
        QVERIFY(panel.tempoScaleBox->isEnabled());
        QVERIFY(!panel.settings().speedTrainer);
        panel.sectionFromBox->setValue(5); // A after B: the section still runs forwards
        QCOMPARE(panel.settings().sectionFrom, 4);
        QCOMPARE(panel.settings().sectionTo, 5);
    }

    void tapTempoFromButtonTimesAndKeyT() {
        PracticePanel panel;
        QSignalSpy tapped(&panel, &PracticePanel::tempoTapped);
        panel.tap(10.0);
        QCOMPARE(tapped.count(), 0);
        panel.tap(10.5);
        panel.tap(11.0);
        QCOMPARE(tapped.count(), 2);
        QCOMPARE(tapped.last().at(0).toInt(), 120);
        QCOMPARE(panel.tapLabel->text(), QString("120 BPM"));
        panel.tap(14.0); // a pause over 2 s starts again
        QCOMPARE(tapped.count(), 2);
        // The key T taps with the panel's own clock: two quick taps measure a (fast) tempo.
        QTest::keyClick(&panel, Qt::Key_T);
        QTest::qWait(250);
        QTest::keyClick(&panel, Qt::Key_T);
        QCOMPARE(tapped.count(), 3);
        QVERIFY(tapped.last().at(0).toInt() >= 20 && tapped.last().at(0).toInt() <= 400);
    }

    void renderRequestAndStatusLines() {
        PracticePanel panel;
        QSignalSpy render(&panel, &PracticePanel::renderRequested);
        panel.playsBox->setValue(6);
        panel.renderButton->click();
        panel.byMinutesBox->setChecked(true);
        panel.minutesBox->setValue(10);
        panel.renderButton->click();
        QCOMPARE(render.count(), 2);
        QCOMPARE(render.at(0).at(0).toInt(), 6);
        QCOMPARE(render.at(1).at(1).toDouble(), 10.0);

        PracticeStatus status;
        status.playing = true;
        status.play = 2;
        status.pass = 7;
        status.percent = 85;
        status.bpm = 102;
        status.playsUntilChange = 1;
        status.elapsedSeconds = 754.4;
        panel.showStatus(status);
        QCOMPARE(panel.playLabel->text(), QString("Play 3, pass 8"));
        QCOMPARE(panel.tempoLabel->text(), QString("Tempo 85 % = 102.0 BPM"));
        QCOMPARE(panel.changeLabel->text(), QString("1 play to the next change"));
        QCOMPARE(panel.timerLabel->text(), QString("12:34"));
        status.countIn = true;
        status.playsUntilChange = 0;
        panel.showStatus(status);
        QCOMPARE(panel.playLabel->text(), QString("Count-in"));
        QCOMPARE(panel.changeLabel->text(), QString("the tempo holds"));
    }
};

QTEST_MAIN(PracticePanelTest)
#include "tst_practice_panel.moc"
