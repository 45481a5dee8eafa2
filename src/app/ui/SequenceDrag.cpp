// TSequence: moving the window by dragging its background picture. The Kit List and Extra samples
// windows follow it sideways and hide until the button is released.

#include "app/ui/Sequence.h"

#include <QLabel>
#include <QMouseEvent>

namespace tamboro {

namespace {

std::optional<PixelPoint> positionOf(const QWidget* w) {
    if (!w)
        return std::nullopt;
    return PixelPoint{w->x(), w->y()};
}

PixelPoint pointerIn(const QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}

} // namespace

bool TSequence::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            backgroundPress(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseMove:
            backgroundMove(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseButtonRelease:
            backgroundRelease(static_cast<QMouseEvent*>(event));
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TSequence::backgroundPress(QMouseEvent* event) {
    // Image1 fills the window, so its coordinates are the window's.
    Drag.press(pointerIn(event), event->button() == Qt::LeftButton);
}

void TSequence::backgroundMove(QMouseEvent* event) {
    const auto move = Drag.move(pointerIn(event), {x(), y()}, positionOf(KitListWindow), positionOf(ExtraSamplesWindow));
    if (!move)
        return;
    this->move(move->mainWindow.x, move->mainWindow.y);
    if (KitListWindow && move->kitList) {
        KitListWindow->move(move->kitList->x, move->kitList->y);
        KitListWindow->hide();
    }
    if (ExtraSamplesWindow && move->extraSamples) {
        ExtraSamplesWindow->move(move->extraSamples->x, move->extraSamples->y);
        ExtraSamplesWindow->hide();
    }
}

void TSequence::backgroundRelease(QMouseEvent* event) {
    Drag.release(event->button() == Qt::LeftButton);
    for (QWidget* companion : {KitListWindow.data(), ExtraSamplesWindow.data()}) {
        if (!companion)
            continue;
        // Back to a normal window (not kept on top), shown again.
        if (companion->windowFlags() & Qt::WindowStaysOnTopHint)
            companion->setWindowFlag(Qt::WindowStaysOnTopHint, false);
        companion->show();
    }
}

} // namespace tamboro
