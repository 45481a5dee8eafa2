// MainWindow: moving the window by dragging its background picture. The Kit List and Extra samples
// windows follow it and hide until the button is released; one left off the screen is placed
// beside the window again.

#include "windows/main/MainWindow.h"

#include "windows/kits/SidePanelWindow.h"

#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

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

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == backgroundImage_) {
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

void MainWindow::backgroundPress(QMouseEvent* event) {
    backInUse();
    // The background picture fills the window, so its coordinates are the window's.
    backgroundDrag_.press(pointerIn(event), event->button() == Qt::LeftButton);
}

void MainWindow::backgroundMove(QMouseEvent* event) {
    const auto move = backgroundDrag_.move(pointerIn(event), {x(), y()}, positionOf(kitListWindow),
                                           positionOf(extraSamplesWindow));
    if (!move)
        return;
    this->move(move->mainWindow.x, move->mainWindow.y);
    if (kitListWindow && move->kitList) {
        kitListWindow->move(move->kitList->x, move->kitList->y);
        kitListWindow->hide();
    }
    if (extraSamplesWindow && move->extraSamples) {
        extraSamplesWindow->move(move->extraSamples->x, move->extraSamples->y);
        extraSamplesWindow->hide();
    }
}

void MainWindow::backgroundRelease(QMouseEvent* event) {
    const bool dragEnds = backgroundDrag_.dragging() && event->button() == Qt::LeftButton;
    backgroundDrag_.release(event->button() == Qt::LeftButton);
    const QRect screenArea = screen() ? screen()->availableGeometry() : QRect();
    for (QWidget* companion : {kitListWindow.data(), extraSamplesWindow.data()}) {
        if (!companion)
            continue;
        // A panel the drag took (partly) off the screen finds a place beside the window again.
        auto* panel = qobject_cast<SidePanelWindow*>(companion);
        if (dragEnds && panel && !screenArea.isEmpty() && !screenArea.contains(panel->frameGeometry()))
            panel->placeBesideMainWindow();
        // Back to a normal window (not kept on top), shown again.
        if (companion->windowFlags() & Qt::WindowStaysOnTopHint)
            companion->setWindowFlag(Qt::WindowStaysOnTopHint, false);
        companion->show();
    }
}

} // namespace tamboro
