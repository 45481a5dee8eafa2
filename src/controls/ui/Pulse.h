#pragma once
// TPulse: a small activity light. Pulse() lights the bar at full height; a timer then shrinks it from
// the top until it is dark.

#include "controls/PulseFade.h"

#include <QColor>
#include <QTimer>
#include <QWidget>

namespace tamboro {

class TPulse : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int FadeRate READ FadeRate WRITE setFadeRate)
    Q_PROPERTY(QColor ShapeColor READ ShapeColor WRITE setShapeColor)
    Q_PROPERTY(QColor Color READ Color WRITE setColor)

public:
    explicit TPulse(QWidget* parent = nullptr);

    int FadeRate() const { return fade_.fadeRate(); }
    // Fade ticks per second used to size the steps; the timer period stays as set at creation.
    // A rate of 0 or less is refused.
    void setFadeRate(int rate) { fade_.setFadeRate(rate); }
    QColor ShapeColor() const { return shapeColor_; }
    void setShapeColor(const QColor& c);
    QColor Color() const { return color_; }
    void setColor(const QColor& c);

    void Pulse();

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
