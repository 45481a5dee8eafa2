#include "windows/kits/SidePanelWindow.h"

#include <QMouseEvent>

namespace tamboro {

SidePanelWindow::SidePanelWindow(QWidget* mainWindow, QPoint offset, PanelDrag drag, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), mainWindow_(mainWindow), offset_(offset),
      drag_(drag) {}

void SidePanelWindow::placeBesideMainWindow() {
    if (mainWindow_)
        move(mainWindow_->pos() + offset_);
}

int SidePanelWindow::mainLeft() const {
    return mainWindow_ ? mainWindow_->x() : x();
}

void SidePanelWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        drag_.leftPress(qRound(event->position().x()));
    QWidget::mousePressEvent(event);
}

void SidePanelWindow::mouseMoveEvent(QMouseEvent* event) {
    const int left = drag_.move(qRound(event->position().x()), mainLeft(), x());
    if (left != x())
        move(left, y());
    QWidget::mouseMoveEvent(event);
}

void SidePanelWindow::mouseReleaseEvent(QMouseEvent* event) {
    const int left = drag_.release(event->button() == Qt::LeftButton, mainLeft(), x());
    if (left != x())
        move(left, y());
    QWidget::mouseReleaseEvent(event);
}

} // namespace tamboro
