#include "windows/kits/KitListWindow.h"

#include "controls/SkinFiles.h"
#include "kits/DrumKit.h"
#include "windows/controls/SideWindowPlacer.h"
#include "windows/controls/SkinPictures.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QRegion>
#include <QScrollArea>
#include <QScrollBar>

namespace tamboro {

namespace {

constexpr char boxColour[] = "rgb(192, 192, 192)";
// Right of the main window first, its top at the main window's.
constexpr SideWindowWish kKitListWish{{Side::Right, Side::Left, Side::Below, Side::Above},
                                      kKitListOffsetFromMainTop};

} // namespace

KitListWindow::KitListWindow(QWidget* mainWindow, const DrumKit* kit, QWidget* parent)
    : SidePanelWindow(mainWindow, kKitListWish, kKitListOffsetFromMainLeft, KitListDrag(),
                      SidePanelFrame{"kitListWindow", "Kit List", kKitListWindowWidth, kKitListWindowHeight,
                                     kKitListOutline, kKitListOutlineCorner, kKitListClientLeft,
                                     kKitListClientTop, skin::kKitListBackground},
                      parent),
      kit_(kit) {

    labelPanel = new QWidget(clientArea);
    labelPanel->setGeometry(kKitListPanel.left, kKitListPanel.top, kKitListPanel.width, kKitListPanel.height);

    placeBesideMainWindow();
    paintLabels();
}

void KitListWindow::setKit(const DrumKit* kit) {
    kit_ = kit;
}

void KitListWindow::paintLabels() {
    instrumentLabels.clear();
    selected_ = -1;
    delete labelBox;
    labelBox = new QScrollArea(labelPanel);
    labelBox->setGeometry(0, 0, kKitListPanel.width, kKitListPanel.height);
    labelBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    labelBox->setStyleSheet(
        QString("QScrollArea, QWidget#labelBoxContents { background: %1; }").arg(boxColour));
    auto* contents = new QWidget;
    contents->setObjectName("labelBoxContents");

    QFont labelFont = font();
    labelFont.setPointSize(8);
    labelFont.setBold(true);
    labelFont.setItalic(true);
    const int labels = kitListLabelCount(kit_ ? kit_->count() : 0);
    const int contentsWidth = kKitListPanel.width - kKitListScrollBarWidth - 2 * labelBox->frameWidth();
    const QFontMetrics metrics(labelFont);
    int bottom = 0;
    for (int k = 0; k < labels; ++k) {
        // A name wider than the box ends in "…" and shows whole as the label's tooltip.
        const QString name = QString::fromStdString(kit_->item(k + 1).displayName());
        const QString shown = metrics.elidedText(name, Qt::ElideRight, contentsWidth - 2);
        auto* label = new QLabel(shown, contents);
        if (shown != name)
            label->setToolTip(name);
        label->setFont(labelFont);
        label->setCursor(Qt::PointingHandCursor);
        label->setProperty("instrumentLabel", k);
        label->move(0, kitListLabelTop(k));
        label->adjustSize();
        markLabel(label, false);
        label->installEventFilter(this);
        instrumentLabels.push_back(label);
        bottom = label->y() + label->height();
    }
    contents->setFixedSize(contentsWidth, bottom + 4);
    labelBox->setWidget(contents);
    labelBox->show();
    scrollLabelsToTop();
}

void KitListWindow::markLabel(QLabel* label, bool selected) {
    label->setStyleSheet(QString("color: navy; background: %1;").arg(selected ? "red" : boxColour));
}

void KitListWindow::selectInstrument(int k) {
    if (!kit_ || k < 0 || k >= static_cast<int>(instrumentLabels.size()) || k + 1 >= kit_->count())
        return;
    for (QLabel* label : instrumentLabels)
        markLabel(label, false);
    const std::string& name = kit_->item(k + 1).name();
    emit instrumentChosen(QString::fromStdString(name), kit_->find(name).pan());
    markLabel(instrumentLabels[static_cast<std::size_t>(k)], true);
    selected_ = k;
}

void KitListWindow::scrollLabelsToTop() {
    if (!labelBox)
        return;
    QScrollBar* bar = labelBox->verticalScrollBar();
    bar->setFixedWidth(kKitListScrollBarWidth);
    bar->setTracking(true);
    bar->setValue(0);
}

void KitListWindow::showEvent(QShowEvent* event) {
    scrollLabelsToTop();
    QWidget::showEvent(event);
}

bool KitListWindow::eventFilter(QObject* watched, QEvent* event) {
    // A label takes its own press, so that the release (the click) comes back to it.
    if (event->type() == QEvent::MouseButtonPress && watched->property("instrumentLabel").isValid()) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* label = qobject_cast<QLabel*>(watched);
        const QVariant k = watched->property("instrumentLabel");
        if (label && k.isValid() && mouse->button() == Qt::LeftButton &&
            label->rect().contains(mouse->position().toPoint())) {
            selectInstrument(k.toInt());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tamboro
