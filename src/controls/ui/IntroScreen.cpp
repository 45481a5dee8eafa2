#include "controls/ui/IntroScreen.h"

#include "controls/SkinFiles.h"
#include "controls/ui/SkinPictures.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

namespace tamboro {

TIntroScreen::TIntroScreen(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("IntroScreen");
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(452, 362);
    setAutoFillBackground(true);
    setPalette(QPalette(QColor(20, 22, 28)));

    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(0, 0, 452, 362);
    Image1->setPixmap(skinPixmap(skin::kIntroPicture));
    Image1->installEventFilter(this);
    Image1->setCursor(Qt::PointingHandCursor);

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
    connect(&timer_, &QTimer::timeout, this, &TIntroScreen::Timer1Timer);
    timer_.start();
}

void TIntroScreen::setWindows(QWidget* mainWindow, QWidget* kitList, QWidget* extraSamples) {
    mainWindow_ = mainWindow;
    kitList_ = kitList;
    extraSamples_ = extraSamples;
}

void TIntroScreen::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    raise();
}

void TIntroScreen::Timer1Timer() {
    ++ticks_;
    if (ticks_ >= kTicksShown) {
        if (mainWindow_)
            mainWindow_->show();
        finish();
    }
}

void TIntroScreen::Image1Click() {
    for (QWidget* w : {mainWindow_.data(), kitList_.data(), extraSamples_.data()})
        if (w)
            w->show();
    finish();
}

void TIntroScreen::finish() {
    timer_.stop();
    hide();
    close();
}

bool TIntroScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease) {
        Image1Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tamboro
