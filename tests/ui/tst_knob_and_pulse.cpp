// The knob and the pulse light as widgets: value rules through the properties, the drag with
// OnChange on every move, the painted indicator, and the light's fade driven by its timer.

#include "controls/ui/BJKnob.h"
#include "controls/ui/Pulse.h"

#include <QSignalSpy>
#include <QtTest>

#include <cmath>

using namespace tamboro;

namespace {

void sendMouse(QWidget* target, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(local), QPointF(target->mapToGlobal(local)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

// The colour at the indicator's outer third, where the 2-pixel line is drawn.
QColor indicatorPixel(TBJKnob& knob) {
    const double f = (knob.Value() - knob.MinValue()) / (knob.MaxValue() - knob.MinValue());
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
        TBJKnob knob;
        QCOMPARE(knob.Value(), 0.0);
        QCOMPARE(knob.MaxValue(), 100.0);
        QCOMPARE(knob.Sensitivity(), 100);
        QCOMPARE(knob.KnobColor(), QColor(128, 128, 128));
        QCOMPARE(knob.IndicatorColor(), QColor(Qt::white));
        knob.setMinValue(60);
        knob.setMaxValue(300);
        QSignalSpy changes(&knob, &TBJKnob::OnChange);
        knob.setValue(20);
        QCOMPARE(knob.Value(), 60.0);
        knob.setProperty("Value", 1000);
        QCOMPARE(knob.Value(), 300.0);
        QCOMPARE(changes.count(), 0);
        knob.resize(40, 70);
        knob.grab();
        QCOMPARE(knob.height(), 40);
    }

    void dragRaisesOnChangeOnEveryMove() {
        TBJKnob knob;
        knob.resize(45, 45);
        knob.setMinValue(60);
        knob.setMaxValue(300);
        knob.setSensitivity(200);
        knob.setValue(120);
        QSignalSpy changes(&knob, &TBJKnob::OnChange);
        sendMouse(&knob, QEvent::MouseButtonPress, {20, 30}, Qt::LeftButton, Qt::LeftButton);
        for (int dy = 10; dy <= 50; dy += 10)
            sendMouse(&knob, QEvent::MouseMove, {20, 30 - dy}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(changes.count(), 5);
        QCOMPARE(knob.Value(), 180.0);
        sendMouse(&knob, QEvent::MouseMove, {20, -500}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(knob.Value(), 300.0);
        QCOMPARE(changes.count(), 6);
        sendMouse(&knob, QEvent::MouseButtonRelease, {20, -500}, Qt::LeftButton, Qt::NoButton);
        sendMouse(&knob, QEvent::MouseMove, {20, 40}, Qt::NoButton, Qt::NoButton);
        QCOMPARE(changes.count(), 6);
        QCOMPARE(knob.Value(), 300.0);

        // Right button drags too; an inverted range turns the other way.
        knob.setMinValue(300);
        knob.setMaxValue(60);
        knob.setValue(200);
        sendMouse(&knob, QEvent::MouseButtonPress, {20, 30}, Qt::RightButton, Qt::RightButton);
        sendMouse(&knob, QEvent::MouseMove, {20, 20}, Qt::NoButton, Qt::RightButton);
        QCOMPARE(knob.Value(), 188.0);
    }

    void indicatorIsPaintedAtTheValuesAngle() {
        TBJKnob knob;
        knob.resize(60, 60);
        knob.setMinValue(60);
        knob.setMaxValue(300);
        knob.setKnobColor(QColor(40, 40, 120));
        knob.setIndicatorColor(QColor(255, 0, 0));
        for (double v : {60.0, 180.0, 300.0}) {
            knob.setValue(v);
            const QColor c = indicatorPixel(knob);
            QVERIFY2(c.red() > 150 && c.blue() < 120, qPrintable(QString("value %1: %2").arg(v).arg(c.name())));
        }
        // Empty range: no indicator.
        knob.setMaxValue(60);
        const QColor c = indicatorPixel(knob);
        QVERIFY2(c.red() < 100, qPrintable(c.name()));
    }

    void transparentClipsToTheDisc() {
        TBJKnob knob;
        knob.resize(29, 29);
        knob.setTransparent(true);
        QVERIFY(knob.mask().contains(QPoint(14, 14)));
        QVERIFY(!knob.mask().contains(QPoint(1, 1)));
        knob.setTransparent(false);
        QVERIFY(knob.mask().contains(QPoint(1, 1)));
    }

    void pulseFadesThroughItsHeights() {
        TPulse light;
        light.resize(5, 16);
        light.show();
        QVERIFY(QTest::qWaitForWindowExposed(&light));
        QCOMPARE(light.timerPeriodMs(), 100);
        QCOMPARE(light.ShapeColor(), QColor(0, 255, 0));
        QCOMPARE(light.FadeRate(), 10);
        light.Pulse();
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
        TPulse light;
        light.resize(5, 16);
        light.show();
        QVERIFY(QTest::qWaitForWindowExposed(&light));
        light.Pulse();
        QTRY_COMPARE_WITH_TIMEOUT(light.litHeight(), 0, 2000);
        QTRY_VERIFY_WITH_TIMEOUT(!light.isFading(), 2000);
        // A new pulse restarts from full height.
        light.Pulse();
        QCOMPARE(light.litHeight(), 16);
        QVERIFY(light.isFading());
    }

    void pulseShowsItsColours() {
        TPulse light;
        light.resize(5, 16);
        light.setColor(QColor(0, 0, 0));
        light.show();
        QVERIFY(QTest::qWaitForWindowExposed(&light));
        light.Pulse();
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
