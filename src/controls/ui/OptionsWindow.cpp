#include "controls/ui/OptionsWindow.h"

#include "app/GridEditing.h"

#include <QGuiApplication>
#include <QScreen>

#include <climits>

namespace tamboro {

TForm2::TForm2(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setWindowTitle(QStringLiteral("Options"));
    setFixedSize(191, 106);
    Label1 = new QLabel(QStringLiteral("Cell Jump"), this);
    Label1->setGeometry(16, 20, 60, 16);
    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setRange(INT_MIN, INT_MAX); // no bounds: OK turns a negative value into 0
    SpinEdit1->setValue(0);
    SpinEdit1->setGeometry(88, 16, 81, 22);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setGeometry(56, 64, 75, 25);
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TForm2::Button1Click() {
    SpinEdit1->setValue(ClampCellJump(SpinEdit1->value()));
    emit cellJumpChosen(SpinEdit1->value());
    hide();
}

void TForm2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    raise();
    activateWindow();
}

} // namespace tamboro
