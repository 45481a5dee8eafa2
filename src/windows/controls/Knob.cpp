#include "windows/controls/Knob.h"

#include "controls/KnobDrawing.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QToolTip>

#include <utility>

namespace tamboro {

namespace {

Rgb toRgb(const QColor& c) {
    return {c.red(), c.green(), c.blue()};
}
QColor toQColor(Rgb c) {
    return QColor(c.red, c.green, c.blue);
}
QRectF toRectF(PixelRect r) {
    return QRectF(r.left, r.top, r.width, r.height);
}

} // namespace

Knob::Knob(QWidget* parent) : QWidget(parent) {
    resize(45, 45);
    setCursor(Qt::PointingHandCursor);
}

void Knob::setValue(double v) {
    if (model_.setValue(v))
        update();
    refreshTip();
}

void Knob::setValueText(std::function<QString()> text) {
    valueText_ = std::move(text);
    refreshTip();
}

void Knob::refreshTip() {
    if (valueText_)
        setToolTip(valueText_());
}

bool Knob::event(QEvent* event) {
    // The value may have changed through the owner's model since the last turn: read it afresh.
    if (event->type() == QEvent::ToolTip)
        refreshTip();
    return QWidget::event(event);
}

void Knob::setKnobColor(const QColor& c) {
    knobColor_ = c;
    update();
}

void Knob::setIndicatorColor(const QColor& c) {
    indicatorColor_ = c;
    update();
}

void Knob::setTransparent(bool t) {
    if (t == transparent_)
        return;
    transparent_ = t;
    applyTransparency();
}

void Knob::applyTransparency() {
    if (transparent_)
        setMask(QRegion(0, 0, width() + 1, height() + 1, QRegion::Ellipse));
    else
        setMask(QRegion(0, 0, width(), height()));
}

void Knob::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The knob is always square: its height follows its width.
    if (height() != width()) {
        resize(width(), width());
        return;
    }
    if (transparent_)
        applyTransparency();
}

void Knob::paintEvent(QPaintEvent*) {
    KnobLook look;
    look.diameter = width();
    look.background = toRgb(palette().color(backgroundRole()));
    look.knob = toRgb(knobColor_);
    look.indicator = toRgb(indicatorColor_);
    look.value = model_.value();
    look.minValue = model_.minValue();
    look.maxValue = model_.maxValue();

    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    for (const KnobStroke& s : knobStrokes(look)) {
        p.setPen(QPen(toQColor(s.pen), s.penWidth, Qt::SolidLine, Qt::RoundCap));
        switch (s.kind) {
        case KnobStroke::Kind::FillRect:
            p.fillRect(toRectF(s.rect), toQColor(s.fill));
            break;
        case KnobStroke::Kind::Ellipse:
            p.setBrush(s.filled ? QBrush(toQColor(s.fill)) : QBrush(Qt::NoBrush));
            // The window system's ellipse covers [left, right) x [top, bottom): inset half a pixel.
            p.drawEllipse(toRectF(s.rect).adjusted(0.5, 0.5, -0.5, -0.5));
            break;
        case KnobStroke::Kind::Arc:
            p.setBrush(Qt::NoBrush);
            p.drawArc(toRectF(s.rect).adjusted(0.5, 0.5, -0.5, -0.5), qRound(s.startDegrees * 16),
                      qRound(s.spanDegrees * 16));
            break;
        case KnobStroke::Kind::Line:
            p.drawLine(QPointF(s.x1, s.y1), QPointF(s.x2, s.y2));
            break;
        }
    }
}

void Knob::mousePressEvent(QMouseEvent* event) {
    model_.press(qRound(event->position().y()));
    QWidget::mousePressEvent(event);
}

void Knob::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    const double before = model_.value();
    if (model_.move(qRound(event->position().y()))) {
        if (model_.value() != before)
            repaint();
        emit turnedByUser();
        // The owner has taken the turn by now: show the value it made of it beside the knob.
        refreshTip();
        if (valueText_)
            QToolTip::showText(mapToGlobal(QPoint(width(), 0)), toolTip(), this);
    }
}

void Knob::mouseReleaseEvent(QMouseEvent* event) {
    model_.release();
    QWidget::mouseReleaseEvent(event);
}

} // namespace tamboro
