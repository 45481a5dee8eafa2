#include "windows/controls/OptionsWindow.h"

#include "song/GridEditing.h"

#include <QGuiApplication>
#include <QScreen>

#include <climits>

namespace tamboro {

OptionsWindow::OptionsWindow(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setWindowTitle(QStringLiteral("Options"));
    setFixedSize(191, 106);
    cellJumpLabel = new QLabel(QStringLiteral("Cell Jump"), this);
    cellJumpLabel->setGeometry(16, 20, 60, 16);
    cellJumpBox = new QSpinBox(this);
    cellJumpBox->setRange(INT_MIN, INT_MAX); // no bounds: OK turns a negative value into 0
    cellJumpBox->setValue(0);
    cellJumpBox->setGeometry(88, 16, 81, 22);
    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setGeometry(56, 64, 75, 25);
    connect(okButton, &QPushButton::clicked, this, &OptionsWindow::okClicked);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void OptionsWindow::okClicked() {
    cellJumpBox->setValue(clampCellJump(cellJumpBox->value()));
    emit cellJumpChosen(cellJumpBox->value());
    hide();
}

void OptionsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    raise();
    activateWindow();
}

} // namespace tamboro
