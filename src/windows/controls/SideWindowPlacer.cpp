#include "windows/controls/SideWindowPlacer.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace tamboro {

namespace {

PixelRect toPixelRect(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

// A typical title bar and border, for a decorated window whose frame the window system has not
// reported yet.
constexpr int kTitleBarAllowance = 30;
constexpr int kBorderAllowance = 4;

// Places the window it watches each time it is shown from hidden.
class SideWindowKeeper : public QObject {
public:
    SideWindowKeeper(QWidget& side, const QWidget& mainWindow, const SideWindowWish& wish)
        : QObject(&side), side_(side), main_(&mainWindow), wish_(wish) {
        side.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The Show event comes before the window is mapped, so it opens in its place.
        if (watched == &side_ && event->type() == QEvent::Show && !event->spontaneous() && main_)
            placeBeside(side_, *main_, wish_);
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& side_;
    QPointer<const QWidget> main_;
    SideWindowWish wish_;
};

} // namespace

std::vector<PixelRect> controlRectsOf(const QWidget& mainWindow) {
    std::vector<PixelRect> out;
    for (const QWidget* w : mainWindow.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&mainWindow) || w->isWindow() || w->size() == mainWindow.size())
            continue;
        out.push_back(toPixelRect(QRect(w->mapToGlobal(QPoint(0, 0)), w->size())));
    }
    return out;
}

PixelRect frameRectOf(const QWidget& window) {
    QRect frame = window.frameGeometry();
    // The offscreen and minimal platforms draw no frames at all.
    const QString platform = QGuiApplication::platformName();
    const bool decorated =
        !(window.windowFlags() & Qt::FramelessWindowHint) && platform != "offscreen" && platform != "minimal";
    if (decorated && frame.size() == window.size())
        frame.setSize(window.size() + QSize(2 * kBorderAllowance, kTitleBarAllowance + kBorderAllowance));
    return toPixelRect(frame);
}

void placeBeside(QWidget& side, const QWidget& mainWindow, const SideWindowWish& wish) {
    const QScreen* screen = mainWindow.screen() ? mainWindow.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    std::vector<PixelRect> others;
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = w->windowType();
        if (w == &side || w == &mainWindow || !w->isVisible() || type == Qt::Popup || type == Qt::ToolTip ||
            type == Qt::Desktop)
            continue;
        others.push_back(frameRectOf(*w));
    }
    const std::vector<PixelRect> controls = controlRectsOf(mainWindow);
    const PixelRect frame = frameRectOf(side);
    SideWindowRequest request;
    request.screen = toPixelRect(screen->availableGeometry());
    request.mainWindow = frameRectOf(mainWindow);
    request.controls = controls;
    request.others = others;
    request.width = frame.width;
    request.height = frame.height;
    request.wish = wish;
    const SideWindowPlace place = placeSideWindow(request);
    side.move(place.topLeft.x, place.topLeft.y);
}

void keepBeside(QWidget& side, const QWidget& mainWindow, const SideWindowWish& wish) {
    new SideWindowKeeper(side, mainWindow, wish);
}

} // namespace tamboro
