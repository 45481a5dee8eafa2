#include "windows/controls/IntroWindow.h"

#include "controls/SkinFiles.h"
#include "windows/controls/SkinPictures.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

namespace tamboro {

IntroWindow::IntroWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("introWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(452, 362);
    setAutoFillBackground(true);
    setPalette(QPalette(QColor(20, 22, 28)));

    introPicture = new QLabel(this);
    introPicture->setObjectName("introPicture");
    introPicture->setGeometry(0, 0, 452, 362);
    introPicture->setPixmap(skinPixmap(skin::kIntroPicture));
    introPicture->installEventFilter(this);
    introPicture->setCursor(Qt::PointingHandCursor);

    titleLabel = new QLabel("Tamboro Pro", this);
    titleLabel->move(12, 6);
    QFont titleFont = font();
    titleFont.setPixelSize(13);
    titleFont.setBold(true);
    titleLabel->setFont(titleFont);
    titleLabel->setStyleSheet("color: #ff00ff; background: transparent;");
    titleLabel->adjustSize();

    versionLabel = new QLabel("Version: 7.0", this);
    versionLabel->move(32, 22);
    versionLabel->setStyleSheet("color: #00ffff; background: transparent;");
    versionLabel->adjustSize();
    for (QLabel* label : {titleLabel, versionLabel})
        label->setAttribute(Qt::WA_TransparentForMouseEvents);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    timer_.setInterval(1000);
    connect(&timer_, &QTimer::timeout, this, &IntroWindow::onTick);
    timer_.start();
}

void IntroWindow::setWindows(QWidget* mainWindow, QWidget* kitList, QWidget* extraSamples) {
    mainWindow_ = mainWindow;
    kitList_ = kitList;
    extraSamples_ = extraSamples;
}

void IntroWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    raise();
}

void IntroWindow::onTick() {
    ++ticks_;
    if (ticks_ >= kTicksShown) {
        if (mainWindow_)
            mainWindow_->show();
        finish();
    }
}

void IntroWindow::introPictureClicked() {
    for (QWidget* w : {mainWindow_.data(), kitList_.data(), extraSamples_.data()})
        if (w)
            w->show();
    finish();
}

void IntroWindow::finish() {
    timer_.stop();
    hide();
    close();
}

bool IntroWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == introPicture && event->type() == QEvent::MouseButtonRelease) {
        introPictureClicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tamboro
