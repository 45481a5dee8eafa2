#include "controls/ui/TipsWindow.h"

#include "controls/Tips.h"

#include <QRandomGenerator>

namespace tamboro {

TfrmTips::TfrmTips(QWidget* mainWindow, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), mainWindow_(mainWindow) {
    setObjectName("frmTips");
    setWindowTitle("Tamboro Tips");
    setFixedSize(216, 148);

    memTips = new QPlainTextEdit(this);
    memTips->setObjectName("memTips");
    memTips->setGeometry(6, 6, 203, 89);
    memTips->setReadOnly(true);
    memTips->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    lstTips = new QListWidget(this);
    lstTips->setObjectName("lstTips");
    lstTips->hide();
    for (const std::string& tip : tipTexts())
        lstTips->addItem(QString::fromStdString(tip));

    chkDontShow = new QCheckBox("Don't show this in future.", this);
    chkDontShow->setObjectName("chkDontShow");
    chkDontShow->setGeometry(6, 100, 203, 18);

    btnOK = new QPushButton("OK", this);
    btnOK->setObjectName("btnOK");
    btnOK->setGeometry(144, 121, 65, 22);
    connect(btnOK, &QPushButton::clicked, this, &TfrmTips::btnOKClick);
}

void TfrmTips::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmTips::FormShow() {
    const int index = QRandomGenerator::global()->bounded(lstTips->count());
    memTips->appendPlainText(lstTips->item(index)->text());
    if (mainWindow_) {
        const QRect main = mainWindow_->frameGeometry();
        move(main.left() + main.width() - frameGeometry().width(), main.top());
    }
}

void TfrmTips::btnOKClick() {
    if (chkDontShow->isChecked())
        emit tipsTurnedOff();
    close();
}

} // namespace tamboro
