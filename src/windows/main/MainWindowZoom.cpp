// MainWindow: the zoom. The window is laid out in logical pixels at 100 %; a zoom moves and sizes
// every control, scales its font and mask (WindowZoom), and loads the skin pictures painted for the
// zoom times the screen's device pixel ratio, so nothing is an enlarged picture.

#include "windows/main/MainWindow.h"

#include "app/MainWindowShape.h"
#include "controls/SkinFiles.h"
#include "windows/controls/SkinPictures.h"
#include "windows/kits/SidePanelWindow.h"
#include "windows/main/WindowZoom.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include <cmath>

namespace tamboro {

void MainWindow::setZoom(double zoom) {
    if (std::abs(zoom - zoom_) < 1e-6)
        return;
    const double from = zoom_;
    zoom_ = zoom;
    const QPoint topLeft = pos();
    rezoomControls(*this, from, zoom);
    resize(static_cast<int>(std::lround(width() / from * zoom)),
           static_cast<int>(std::lround(height() / from * zoom)));
    applyWindowShape(kOutlineBottomAtPaint);
    showBackground();
    // A window grown past the screen's edge comes back onto it, its top left corner first.
    if (const QScreen* screen = this->screen()) {
        const QRect room = screen->availableGeometry();
        QPoint at = topLeft;
        at.setX(std::max(room.left(), std::min(at.x(), room.right() + 1 - width())));
        at.setY(std::max(room.top(), std::min(at.y(), room.bottom() + 1 - height())));
        move(at);
    }
    // The side panels stood beside the window at its old size: they find their places again, so the
    // grown window does not end under them.
    for (QWidget* companion : {kitListWindow.data(), extraSamplesWindow.data()})
        if (auto* panel = qobject_cast<SidePanelWindow*>(companion))
            panel->placeBesideMainWindow();
}

void MainWindow::showBackground() {
    const double scale = devicePixelRatioF() * zoom_;
    backgroundPercent_ = paintedScalePercentFor(scale);
    QPixmap picture = skinPixmapAt(skin::kMainBackground, backgroundPercent_ / 100.0);
    // Shown at the picture's size times the zoom: one painted pixel per device pixel.
    picture.setDevicePixelRatio(picture.devicePixelRatio() / zoom_);
    backgroundImage_->setPixmap(picture);
}

} // namespace tamboro
