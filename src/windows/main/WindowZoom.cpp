#include "windows/main/WindowZoom.h"

#include "app/MainWindowShape.h"
#include "windows/controls/Knob.h"
#include "windows/controls/PictureButton.h"

#include <QComboBox>
#include <QFrame>
#include <QLayout>
#include <QLineEdit>
#include <QRegion>
#include <QTransform>
#include <QVariant>
#include <QWidget>

#include <cmath>

namespace tamboro {

namespace {

constexpr const char* kZoomProperty = "zoom";
// A control's mask at 100 %, kept at its first rezoom: masks are scaled from it, never from a
// scaled copy, so zooming back and forth cannot wear the outline down.
constexpr const char* kBaseMaskProperty = "maskAtFullSize";

int rescale(int value, double from, double to) {
    const long logical = std::lround(value / from);
    return static_cast<int>(std::lround(static_cast<double>(logical) * to));
}

QRect rescale(const QRect& r, double from, double to) {
    // Edges, not sizes, are scaled, so neighbours that touch keep touching.
    const int left = rescale(r.left(), from, to);
    const int top = rescale(r.top(), from, to);
    const int right = rescale(r.left() + r.width(), from, to);
    const int bottom = rescale(r.top() + r.height(), from, to);
    return {left, top, right - left, bottom - top};
}

QFont rescale(QFont font, double from, double to) {
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, rescale(font.pixelSize(), from, to)));
    else
        font.setPointSizeF(font.pointSizeF() / from * to);
    return font;
}

// Plain containers whose children are placed by hand, as the window's are; the children of every
// other control are its own parts (a list's viewport, a spin box's text) and follow it.
bool holdsPlacedControls(const QWidget& w) {
    const QMetaObject* type = w.metaObject();
    return (type == &QWidget::staticMetaObject || type == &QFrame::staticMetaObject) && !w.layout();
}

void rezoomMask(QWidget& control, double from, double to) {
    if (auto* knob = qobject_cast<Knob*>(&control)) {
        // A knob is cut to the circle of its width, drawn afresh at every size.
        if (!knob->mask().isEmpty()) {
            const PixelRect disc = knobCircle(knob->width());
            knob->setMask(QRegion(disc.left, disc.top, disc.width, disc.height, QRegion::Ellipse));
        }
        return;
    }
    if (auto* button = qobject_cast<PictureButton*>(&control); button && !button->mask().isEmpty()) {
        // A picture button is cut to the circle of its 37 x 37 design, scaled with it.
        const PixelRect c = pictureButtonCircle();
        const QRect circle = rescale(QRect(c.left, c.top, c.width, c.height), 1, to);
        button->setMask(QRegion(circle, QRegion::Ellipse));
        return;
    }
    QVariant base = control.property(kBaseMaskProperty);
    if (!base.isValid()) {
        if (control.mask().isEmpty())
            return;
        base = QVariant::fromValue(QTransform::fromScale(1 / from, 1 / from).map(control.mask()));
        control.setProperty(kBaseMaskProperty, base);
    }
    control.setMask(QTransform::fromScale(to, to).map(base.value<QRegion>()));
}

void rezoomChildren(QWidget& parent, double from, double to) {
    for (QObject* child : parent.children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (!control || control->isWindow())
            continue;
        control->setGeometry(rescale(control->geometry(), from, to));
        if (!control->property("zoomPaintsItself").toBool()) {
            control->setFont(rescale(control->font(), from, to));
            // A style sheet's rule for line edits keeps an editable list box's text at the size it
            // was polished with; it is told the new font itself.
            if (auto* box = qobject_cast<QComboBox*>(control); box && box->lineEdit())
                box->lineEdit()->setFont(control->font());
        }
        rezoomMask(*control, from, to);
        if (holdsPlacedControls(*control))
            rezoomChildren(*control, from, to);
    }
}

} // namespace

double zoomOf(const QWidget& widget) {
    const QVariant zoom = widget.window()->property(kZoomProperty);
    return zoom.isValid() ? zoom.toDouble() : 1.0;
}

int zoomed(int logical, const QWidget& widget) {
    return static_cast<int>(std::lround(logical * zoomOf(widget)));
}

void rezoomControls(QWidget& window, double from, double to) {
    window.setProperty(kZoomProperty, to);
    rezoomChildren(window, from, to);
}

} // namespace tamboro
