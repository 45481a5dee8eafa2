#include "controls/ui/AboutScreen.h"

#include "controls/AboutWindowShape.h"
#include "controls/SkinFiles.h"
#include "controls/ui/SkinPictures.h"

#include <QGuiApplication>
#include <QPolygon>
#include <QRegion>
#include <QScreen>

namespace tamboro {

TAbout_Screen::TAbout_Screen(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("About_Screen");
    setWindowTitle("About Tamboro");
    setFixedSize(kAboutWindowWidth, kAboutWindowHeight);
    setAutoFillBackground(true);
    setPalette(QPalette(QColor(40, 44, 52)));

    QPolygon outline;
    for (const PixelPoint& p : aboutWindowOutline())
        outline << QPoint(p.x, p.y);
    setMask(QRegion(outline, Qt::OddEvenFill));

    Image1 = new QLabel(this);
    Image1->setGeometry(rect());
    Image1->setPixmap(skinPixmap(skin::kAboutBackground));
    Image2 = new QLabel(this);
    Image2->setGeometry(34, 32, 200, 150);
    Image2->setPixmap(skinPixmap(skin::kAboutPicture));

    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(40, 192, 193, 14);
    QFont lineFont("DejaVu Sans Mono");
    lineFont.setStyleHint(QFont::Monospace);
    lineFont.setPixelSize(8);
    Label1->setFont(lineFont);
    Label1->setStyleSheet("color: #00e5ff; background: transparent;");

    Button1 = new QPushButton("OK", this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(112, 208, 41, 17);
    connect(Button1, &QPushButton::clicked, this, &TAbout_Screen::Button1Click);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    Timer1.setInterval(100);
    connect(&Timer1, &QTimer::timeout, this, &TAbout_Screen::Timer1Timer);
    Timer1.start(); // runs from creation until the first OK
}

void TAbout_Screen::open() {
    show();
    Timer1.start();
    raise();
    activateWindow();
}

void TAbout_Screen::Timer1Timer() { Label1->setText(QString::fromStdString(scroller_.tick())); }

void TAbout_Screen::Button1Click() {
    hide();
    Timer1.stop();
}

} // namespace tamboro
