#include "windows/controls/PictureButton.h"

#include <QPainter>

namespace tamboro {

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent) {
    resize(37, 37);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void PictureButton::setGlyph(const QPixmap& glyph) {
    glyph_ = glyph;
    update();
}

void PictureButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!isEnabled())
        p.setOpacity(0.4);
    const QPoint offset = isDown() ? QPoint(1, 1) : QPoint(0, 0);
    if (!glyph_.isNull())
        p.drawPixmap(offset, glyph_);
    if (isEnabled() && (isDown() || hovered_)) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(isDown() ? QColor(0, 0, 0, 60) : QColor(255, 255, 255, 36));
        p.drawEllipse(QRectF(5, 5, 28, 28).translated(offset));
    }
}

} // namespace tamboro
