#include "windows/controls/PictureButton.h"

#include "windows/controls/SkinPictures.h"

#include <QPainter>

namespace tamboro {

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent) {
    resize(37, 37);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

namespace {

constexpr double kDesignSize = 37;

} // namespace

void PictureButton::setGlyph(const QPixmap& glyph) {
    glyph_ = glyph;
    glyphFile_.clear();
    update();
}

void PictureButton::setGlyphFile(const QString& relativeName) {
    glyphFile_ = relativeName;
    loadGlyph();
    update();
}

void PictureButton::loadGlyph() {
    glyphPercent_ = paintedScalePercentFor(devicePixelRatioF() * width() / kDesignSize);
    glyph_ = skinPixmapAt(glyphFile_, glyphPercent_ / 100.0);
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
    // Zoomed or moved to a finer screen: the glyph painted for the new scale.
    if (!glyphFile_.isEmpty() &&
        paintedScalePercentFor(devicePixelRatioF() * width() / kDesignSize) != glyphPercent_)
        loadGlyph();
    const double k = width() / kDesignSize;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!isEnabled())
        p.setOpacity(0.4);
    const QPoint offset = isDown() ? QPoint(1, 1) : QPoint(0, 0);
    if (!glyph_.isNull())
        p.drawPixmap(QRectF(QPointF(offset), QSizeF(size())), glyph_, QRectF(glyph_.rect()));
    if (isEnabled() && (isDown() || hovered_)) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(isDown() ? QColor(0, 0, 0, 60) : QColor(255, 255, 255, 36));
        p.drawEllipse(QRectF(5 * k, 5 * k, 28 * k, 28 * k).translated(offset));
    }
}

} // namespace tamboro
