// The knob and the pulse light as widgets: value rules through the properties, the drag with
// turnedByUser on every move, the painted indicator, and the light's fade driven by its timer.

#include "WindowTestSupport.h"
#include "windows/controls/Knob.h"
#include "windows/controls/PulseLight.h"

#include <QSignalSpy>
#include <QtTest>

#include <cmath>

using namespace tamboro;
using tamboro::test::sendMouse;

namespace {

// The colour at the indicator's outer third, where the 2-pixel line is drawn. An empty range looks
// where the indicator of the lowest value would stand.
QColor indicatorPixel(Knob& knob) {
    const double span = knob.maxValue() - knob.minValue();
    const double f = span > 0 ? (knob.value() - knob.minValue()) / span : 0.0;
    const double a = 5.283185307179586 * f + 0.5;
    const double d = knob.width();
    const double r = d / 3.5;
    const QImage image = knob.grab().toImage();
    return image.pixelColor(qRound(std::cos(a) * r + d / 2), qRound(d / 2 - std::sin(a) * r));
}

} // namespace

class KnobAndPulse : public QObject {
    Q_OBJECT

private slots:
    void knobValueRulesAndSquareShape() {
        Knob knob;
        QCOMPARE(knob.value(), 0.0);
        QCOMPARE(knob.maxValue(), 100.0);
        QCOMPARE(knob.sensitivity(), 100);
        QCOMPARE(knob.knobColor(), QColor(128, 128, 128));
        QCOMPARE(knob.indicatorColor(), QColor(Qt::white));
        knob.setMinValue(60);
        knob.setMaxValue(300);
        QSignalSpy changes(&knob, &Knob::turnedByUser);
        knob.setValue(20);
        QCOMPARE(knob.value(), 60.0);
        knob.setProperty("value", 1000);
        QCOMPARE(knob.value(), 300.0);
        QCOMPARE(changes.count(), 0);
        knob.resize(40, 70);
        knob.grab();
        QCOMPARE(knob.height(), 40);
    }

    void dragRaisesOnChangeOnEveryMove() {
        Knob knob;
        knob.resize(45, 45);
        knob.setMinValue(60);
        knob.setMaxValue(300);
        knob.setSensitivity(200);
        knob.setValue(120);
        QSignalSpy changes(&knob, &Knob::turnedByUser);
        sendMouse(&knob, QEvent::MouseButtonPress, {20, 30}, Qt::LeftButton, Qt::LeftButton);
        for (int dy = 10; dy <= 50; dy += 10)
            sendMouse(&knob, QEvent::MouseMove, {20, 30 - dy}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(changes.count(), 5);
        QCOMPARE(knob.value(), 180.0);
        sendMouse(&knob, QEvent::MouseMove, {20, -500}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(knob.value(), 300.0);
        QCOMPARE(changes.count(), 6);
        sendMouse(&knob, QEvent::MouseButtonRelease, {20, -500}, Qt::LeftButton, Qt::NoButton);
        sendMouse(&knob, QEvent::MouseMove, {20, 40}, Qt::NoButton, Qt::NoButton);
        QCOMPARE(changes.count(), 6);
        QCOMPARE(knob.value(), 300.0);

        // Right button drags too; an inverted range turns the other way.
        knob.setMinValue(300);
        knob.setMaxValue(60);
        knob.setValue(200);
        sendMouse(&knob, QEvent::MouseButtonPress, {20, 30}, Qt::RightButton, Qt::RightButton);
        sendMouse(&knob, QEvent::MouseMove, {20, 20}, Qt::NoButton, Qt::RightButton);
        QCOMPARE(knob.value(), 188.0);
    }

    void indicatorIsPaintedAtTheValuesAngle() {
        Knob knob;
        knob.resize(60, 60);
        knob.setMinValue(60);
        knob.setMaxValue(300);
        knob.setKnobColor(QColor(40, 40, 120));
        knob.setIndicatorColor(QColor(255, 0, 0));
        for (double v : {60.0, 180.0, 300.0}) {
            knob.setValue(v);
            const QColor c = indicatorPixel(knob);
            QVERIFY2(c.red() > 150 && c.blue() < 120,
                     qPrintable(QString("value %1: %2").arg(v).arg(c.name())));
        }
        // Empty range: no indicator.
        knob.setMaxValue(60);
        const QColor c = indicatorPixel(knob);
        QVERIFY2(c.red() < 100, qPrintable(c.name()));
    }

    void transparentClipsToTheDisc() {
        Knob knob;
        knob.resize(29, 29);
        knob.setTransparent(true);
        QVERIFY(knob.mask().contains(QPoint(14, 14)));
        QVERIFY(!knob.mask().contains(QPoint(1, 1)));
        knob.setTransparent(false);
        QVERIFY(knob.mask().contains(QPoint(1, 1)));
    }

    void pulseFadesThroughItsHeights() {
        PulseLight light;
        light.resize(5, 16);
        light.show();
        QVERIFY(QTest::qWaitForWindowExposed(&light));
        QCOMPARE(light.timerPeriodMs(), 100);
        QCOMPARE(light.shapeColor(), QColor(0, 255, 0));
        QCOMPARE(light.fadeRate(), 10);
        light.pulse();
        QList<int> heights{light.litHeight()};
        for (int i = 0; i < 4; ++i) {
            light.fadeTick();
            heights << light.litHeight();
        }
        QCOMPARE(heights, QList<int>({16, 12, 8, 4, 0}));
        QVERIFY(light.isFading());
        light.fadeTick();
        QVERIFY(!light.isFading());
    }

    void pulseTimerDarkensAndStops() {
        PulseLight light;
        light.resize(5, 16);
        light.show();
        QVERIFY(QTest::qWaitForWindowExposed(&light));
        light.pulse();
        QTRY_COMPARE_WITH_TIMEOUT(light.litHeight(), 0, 2000);
        QTRY_VERIFY_WITH_TIMEOUT(!light.isFading(), 2000);
        // A new pulse restarts from full height.
        light.pulse();
        QCOMPARE(light.litHeight(), 16);
        QVERIFY(light.isFading());
    }

    void pulseShowsItsColours() {
        PulseLight light;
        light.resize(5, 16);
        light.setColor(QColor(0, 0, 0));
        light.show();
        QVERIFY(QTest::qWaitForWindowExposed(&light));
        light.pulse();
        light.fadeTick(); // lit rows 4..15
        QImage image = light.grab().toImage();
        QCOMPARE(image.pixelColor(2, 2), QColor(0, 0, 0));
        QCOMPARE(image.pixelColor(2, 10), QColor(0, 255, 0));
        light.setShapeColor(QColor(255, 0, 0));
        image = light.grab().toImage();
        QCOMPARE(image.pixelColor(2, 10), QColor(255, 0, 0));
    }
};

QTEST_MAIN(KnobAndPulse)
#include "tst_knob_and_pulse.moc"
