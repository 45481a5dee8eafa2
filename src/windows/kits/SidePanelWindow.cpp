#include "windows/kits/SidePanelWindow.h"

#include "windows/controls/SideWindowPlacer.h"
#include "windows/controls/SkinPictures.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainterPath>
#include <QRegion>

namespace tamboro {

SidePanelWindow::SidePanelWindow(QWidget* mainWindow, const SideWindowWish& wish, int dragHome,
                                 PanelDrag drag, const SidePanelFrame& frame, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), mainWindow_(mainWindow), wish_(wish),
      dragHome_(dragHome), placedOffset_(dragHome), drag_(drag) {
    setObjectName(frame.objectName);
    setWindowTitle(frame.title);
    setFixedSize(frame.width, frame.height);
    setMask(roundedRegion(frame.outline, frame.outlineCorner));

    clientArea = new QWidget(this);
    clientArea->setGeometry(frame.clientLeft, frame.clientTop, frame.width - 2 * frame.clientLeft,
                            frame.height - frame.clientTop - frame.clientLeft);

    backgroundPicture = new QLabel(clientArea);
    backgroundPicture->setGeometry(0, 0, frame.width, frame.height);
    backgroundPicture->setPixmap(skinPixmap(frame.background));
    backgroundPicture->setStyleSheet("background: rgb(48, 52, 60);");
}

QRegion SidePanelWindow::roundedRegion(const PixelRect& rect, int corner) {
    QPainterPath path;
    path.addRoundedRect(QRectF(rect.left, rect.top, rect.width, rect.height), corner / 2.0, corner / 2.0);
    return QRegion(path.toFillPolygon().toPolygon());
}

void SidePanelWindow::placeBesideMainWindow() {
    if (!mainWindow_)
        return;
    placeBeside(*this, *mainWindow_, wish_);
    placedOffset_ = x() - mainWindow_->x();
}

int SidePanelWindow::bandOrigin() const {
    // The panel follows the main window's drags, so its place keeps its offset from it.
    return mainWindow_ ? mainWindow_->x() + placedOffset_ - dragHome_ : x() - dragHome_;
}

void SidePanelWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        drag_.leftPress(qRound(event->position().x()));
    QWidget::mousePressEvent(event);
}

void SidePanelWindow::mouseMoveEvent(QMouseEvent* event) {
    const int left = drag_.move(qRound(event->position().x()), bandOrigin(), x());
    if (left != x())
        move(left, y());
    QWidget::mouseMoveEvent(event);
}

void SidePanelWindow::mouseReleaseEvent(QMouseEvent* event) {
    const int left = drag_.release(event->button() == Qt::LeftButton, bandOrigin(), x());
    if (left != x())
        move(left, y());
    QWidget::mouseReleaseEvent(event);
}

} // namespace tamboro
