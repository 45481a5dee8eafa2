#include "windows/controls/PulseLight.h"

#include <QPainter>

namespace tamboro {

PulseLight::PulseLight(QWidget* parent)
    : QWidget(parent), fade_(32), color_(palette().color(QPalette::Button)) {
    resize(16, 32);
    fadeTimer_.setInterval(PulseFade::timerPeriodMs(PulseFade::kDefaultFadeRate));
    connect(&fadeTimer_, &QTimer::timeout, this, &PulseLight::fadeTick);
    fadeTimer_.start(); // runs from creation; the light fades once a resize has sized its steps
}

void PulseLight::setShapeColor(const QColor& c) {
    shapeColor_ = c;
    update();
}

void PulseLight::setColor(const QColor& c) {
    color_ = c;
    update();
}

void PulseLight::pulse() {
    fade_.pulse();
    if (!fadeTimer_.isActive())
        fadeTimer_.start();
    update();
}

void PulseLight::fadeTick() {
    if (!fade_.tick())
        fadeTimer_.stop();
    update();
}

void PulseLight::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fade_.resize(height());
    update();
}

void PulseLight::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), color_);
    if (fade_.barHeight() > 0)
        p.fillRect(QRect(0, fade_.barTop(), width(), fade_.barHeight()), shapeColor_);
}

} // namespace tamboro
