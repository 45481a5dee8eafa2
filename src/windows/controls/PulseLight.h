#pragma once
// PulseLight: a small activity light. pulse() lights the bar at full height; a timer then shrinks it from
// the top until it is dark.

#include "controls/PulseFade.h"

#include <QColor>
#include <QTimer>
#include <QWidget>

namespace tamboro {

class PulseLight : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int fadeRate READ fadeRate WRITE setFadeRate)
    Q_PROPERTY(QColor shapeColor READ shapeColor WRITE setShapeColor)
    Q_PROPERTY(QColor color READ color WRITE setColor)

public:
    explicit PulseLight(QWidget* parent = nullptr);

    int fadeRate() const { return fade_.fadeRate(); }
    // Fade ticks per second used to size the steps; the timer period stays as set at creation.
    // A rate of 0 or less is refused.
    void setFadeRate(int rate) { fade_.setFadeRate(rate); }
    QColor shapeColor() const { return shapeColor_; }
    void setShapeColor(const QColor& c);
    QColor color() const { return color_; }
    void setColor(const QColor& c);

    void pulse();

    // The lit part, for checks: its top edge and height in pixels.
    int litTop() const { return fade_.barTop(); }
    int litHeight() const { return fade_.barHeight(); }
    bool isFading() const { return fadeTimer_.isActive(); }
    int timerPeriodMs() const { return fadeTimer_.interval(); }

public slots:
    // One step of the fade (the timer's handler).
    void fadeTick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    PulseFade fade_;
    QColor shapeColor_{0, 255, 0};
    QColor color_;
    QTimer fadeTimer_;
};

} // namespace tamboro
