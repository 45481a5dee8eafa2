#include "windows/controls/TipsWindow.h"

#include "controls/Tips.h"
#include "windows/controls/SideWindowPlacer.h"

#include <QRandomGenerator>

namespace tamboro {

TipsWindow::TipsWindow(QWidget* mainWindow, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName("tipsWindow");
    setWindowTitle("Tamboro Tips");
    setFixedSize(216, 148);

    tipText = new QPlainTextEdit(this);
    tipText->setObjectName("tipText");
    tipText->setGeometry(6, 6, 203, 89);
    tipText->setReadOnly(true);
    tipText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    tipList = new QListWidget(this);
    tipList->setObjectName("tipList");
    tipList->hide();
    for (const std::string& tip : tipTexts())
        tipList->addItem(QString::fromStdString(tip));

    dontShowBox = new QCheckBox("Don't show this in future.", this);
    dontShowBox->setObjectName("dontShowBox");
    dontShowBox->setGeometry(6, 100, 203, 18);

    okButton = new QPushButton("OK", this);
    okButton->setObjectName("okButton");
    okButton->setGeometry(144, 121, 65, 22);
    connect(okButton, &QPushButton::clicked, this, &TipsWindow::okClicked);
    if (mainWindow)
        keepBeside(*this, *mainWindow, kTipsWish);
}

void TipsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        showRandomTip();
}

void TipsWindow::showRandomTip() {
    const int index = QRandomGenerator::global()->bounded(tipList->count());
    tipText->appendPlainText(tipList->item(index)->text());
}

void TipsWindow::okClicked() {
    if (dontShowBox->isChecked())
        emit tipsTurnedOff();
    close();
}

} // namespace tamboro
