#include "windows/controls/AboutWindow.h"

#include "controls/AboutWindowShape.h"
#include "controls/SkinFiles.h"
#include "windows/controls/SkinPictures.h"

#include <QGuiApplication>
#include <QPolygon>
#include <QRegion>
#include <QScreen>

namespace tamboro {

AboutWindow::AboutWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("aboutWindow");
    setWindowTitle("About Tamboro");
    setFixedSize(kAboutWindowWidth, kAboutWindowHeight);
    setAutoFillBackground(true);
    setPalette(QPalette(QColor(40, 44, 52)));

    QPolygon outline;
    for (const PixelPoint& p : aboutWindowOutline())
        outline << QPoint(p.x, p.y);
    setMask(QRegion(outline, Qt::OddEvenFill));

    backgroundPicture = new QLabel(this);
    backgroundPicture->setGeometry(rect());
    backgroundPicture->setPixmap(skinPixmap(skin::kAboutBackground));
    aboutPicture = new QLabel(this);
    aboutPicture->setGeometry(34, 32, 200, 150);
    aboutPicture->setPixmap(skinPixmap(skin::kAboutPicture));

    scrollingLine = new QLabel(this);
    scrollingLine->setObjectName("scrollingLine");
    scrollingLine->setGeometry(40, 192, 193, 14);
    QFont lineFont("DejaVu Sans Mono");
    lineFont.setStyleHint(QFont::Monospace);
    lineFont.setPixelSize(8);
    scrollingLine->setFont(lineFont);
    scrollingLine->setStyleSheet("color: #00e5ff; background: transparent;");

    okButton = new QPushButton("OK", this);
    okButton->setObjectName("okButton");
    okButton->setGeometry(112, 208, 41, 17);
    connect(okButton, &QPushButton::clicked, this, &AboutWindow::okClicked);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    tickTimer.setInterval(100);
    connect(&tickTimer, &QTimer::timeout, this, &AboutWindow::onTick);
    tickTimer.start(); // runs from creation until the first OK
}

void AboutWindow::open() {
    show();
    tickTimer.start();
    raise();
    activateWindow();
}

void AboutWindow::onTick() {
    scrollingLine->setText(QString::fromStdString(scroller_.tick()));
}

void AboutWindow::okClicked() {
    hide();
    tickTimer.stop();
}

} // namespace tamboro
