#include "controls/ui/Pulse.h"

#include <QPainter>

namespace tamboro {

TPulse::TPulse(QWidget* parent) : QWidget(parent), fade_(32), color_(palette().color(QPalette::Button)) {
    resize(16, 32);
    fadeTimer_.setInterval(PulseFade::timerPeriodMs(PulseFade::kDefaultFadeRate));
    connect(&fadeTimer_, &QTimer::timeout, this, &TPulse::fadeTick);
    fadeTimer_.start(); // runs from creation; the light fades once a resize has sized its steps
}

void TPulse::setShapeColor(const QColor& c) {
    shapeColor_ = c;
    update();
}

void TPulse::setColor(const QColor& c) {
    color_ = c;
    update();
}

void TPulse::Pulse() {
    fade_.pulse();
    if (!fadeTimer_.isActive())
        fadeTimer_.start();
    update();
}

void TPulse::fadeTick() {
    if (!fade_.tick())
        fadeTimer_.stop();
    update();
}

void TPulse::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fade_.resize(height());
    update();
}

void TPulse::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), color_);
    if (fade_.barHeight() > 0)
        p.fillRect(QRect(0, fade_.barTop(), width(), fade_.barHeight()), shapeColor_);
}

} // namespace tamboro
