#include "kits/ui/KitList.h"

#include "controls/SkinFiles.h"
#include "controls/ui/SkinPictures.h"
#include "kits/WaveCollection.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainterPath>
#include <QRegion>
#include <QScrollArea>
#include <QScrollBar>

namespace tamboro {

namespace {

constexpr char boxColour[] = "rgb(192, 192, 192)";

// The region of a rounded rectangle as the window system cuts it: `rect` with corner ellipses of
// `corner` x `corner` pixels.
QRegion roundedRegion(const PixelRect& rect, int corner) {
    QPainterPath path;
    path.addRoundedRect(QRectF(rect.left, rect.top, rect.width, rect.height), corner / 2.0, corner / 2.0);
    return QRegion(path.toFillPolygon().toPolygon());
}

} // namespace

TKit_List::TKit_List(QWidget* mainWindow, const TWaveCollection* kit, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), MainWindow(mainWindow), Kit(kit) {
    setObjectName("Kit_List");
    setWindowTitle("Kit List");
    setFixedSize(kKitListWindowWidth, kKitListWindowHeight);
    setMask(roundedRegion(kKitListOutline, kKitListOutlineCorner));

    Client = new QWidget(this);
    Client->setGeometry(kKitListClientLeft, kKitListClientTop, kKitListWindowWidth - 2 * kKitListClientLeft,
                        kKitListWindowHeight - kKitListClientTop - kKitListClientLeft);

    Image1 = new QLabel(Client);
    Image1->setGeometry(0, 0, kKitListWindowWidth, kKitListWindowHeight);
    Image1->setPixmap(skinPixmap(skin::kKitListBackground));
    Image1->setStyleSheet("background: rgb(48, 52, 60);");

    Panel1 = new QWidget(Client);
    Panel1->setGeometry(kKitListPanel.left, kKitListPanel.top, kKitListPanel.width, kKitListPanel.height);

    placeBesideMainWindow();
    PaintLabels();
}

void TKit_List::setKit(const TWaveCollection* kit) { Kit = kit; }

void TKit_List::placeBesideMainWindow() {
    if (MainWindow)
        move(MainWindow->x() + kKitListOffsetFromMainLeft, MainWindow->y() + kKitListOffsetFromMainTop);
}

int TKit_List::mainLeft() const { return MainWindow ? MainWindow->x() : x(); }

void TKit_List::PaintLabels() {
    InstrumentLabels.clear();
    Selected = -1;
    delete LabelBox;
    LabelBox = new QScrollArea(Panel1);
    LabelBox->setGeometry(0, 0, kKitListPanel.width, kKitListPanel.height);
    LabelBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    LabelBox->setStyleSheet(QString("QScrollArea, QWidget#LabelBoxContents { background: %1; }").arg(boxColour));
    auto* contents = new QWidget;
    contents->setObjectName("LabelBoxContents");

    QFont labelFont = font();
    labelFont.setPointSize(8);
    labelFont.setBold(true);
    labelFont.setItalic(true);
    const int labels = kitListLabelCount(Kit ? Kit->count() : 0);
    int bottom = 0;
    for (int k = 0; k < labels; ++k) {
        auto* label = new QLabel(QString::fromStdString(Kit->item(k + 1).displayName()), contents);
        label->setFont(labelFont);
        label->setCursor(Qt::PointingHandCursor);
        label->setProperty("instrumentLabel", k);
        label->move(0, kitListLabelTop(k));
        label->adjustSize();
        markLabel(label, false);
        label->installEventFilter(this);
        InstrumentLabels.push_back(label);
        bottom = label->y() + label->height();
    }
    contents->setFixedSize(kKitListPanel.width - kKitListScrollBarWidth - 2 * LabelBox->frameWidth(), bottom + 4);
    LabelBox->setWidget(contents);
    LabelBox->show();
    FormShow();
}

void TKit_List::markLabel(QLabel* label, bool selected) {
    label->setStyleSheet(QString("color: navy; background: %1;").arg(selected ? "red" : boxColour));
}

void TKit_List::SelectInstrument(int k) {
    if (!Kit || k < 0 || k >= static_cast<int>(InstrumentLabels.size()) || k + 1 >= Kit->count())
        return;
    for (QLabel* label : InstrumentLabels)
        markLabel(label, false);
    const std::string& name = Kit->item(k + 1).name();
    emit instrumentChosen(QString::fromStdString(name), Kit->Find(name).pan());
    markLabel(InstrumentLabels[static_cast<std::size_t>(k)], true);
    Selected = k;
}

void TKit_List::FormShow() {
    if (!LabelBox)
        return;
    QScrollBar* bar = LabelBox->verticalScrollBar();
    bar->setFixedWidth(kKitListScrollBarWidth);
    bar->setTracking(true);
    bar->setValue(0);
}

void TKit_List::showEvent(QShowEvent* event) {
    FormShow();
    QWidget::showEvent(event);
}

bool TKit_List::eventFilter(QObject* watched, QEvent* event) {
    // A label takes its own press, so that the release (the click) comes back to it.
    if (event->type() == QEvent::MouseButtonPress && watched->property("instrumentLabel").isValid()) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* label = qobject_cast<QLabel*>(watched);
        const QVariant k = watched->property("instrumentLabel");
        if (label && k.isValid() && mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint())) {
            SelectInstrument(k.toInt());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TKit_List::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        Drag.leftPress(qRound(event->position().x()));
    QWidget::mousePressEvent(event);
}

void TKit_List::mouseMoveEvent(QMouseEvent* event) {
    const int left = Drag.move(qRound(event->position().x()), mainLeft(), x());
    if (left != x())
        move(left, y());
    QWidget::mouseMoveEvent(event);
}

void TKit_List::mouseReleaseEvent(QMouseEvent* event) {
    const int left = Drag.release(event->button() == Qt::LeftButton, mainLeft(), x());
    if (left != x())
        move(left, y());
    QWidget::mouseReleaseEvent(event);
}

} // namespace tamboro
