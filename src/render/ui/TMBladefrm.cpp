#include "render/ui/TMBladefrm.h"

#include "render/Mp3Encoder.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

namespace tamboro {

namespace {

QLabel* caption(const char* text, int left, int top, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setGeometry(left, top, 60, 17);
    return label;
}

} // namespace

TMBladefrm::TMBladefrm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Wav to mp3"));
    setFixedSize(293, 141);
    setAttribute(Qt::WA_DeleteOnClose, false);

    caption("From wav", 8, 12, this);
    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(72, 8, 213, 21);
    Edit1->setEnabled(false);

    caption("To mp3", 8, 40, this);
    Edit2 = new QLineEdit(this);
    Edit2->setGeometry(72, 36, 213, 21);

    caption("Bit Rate", 8, 68, this);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setGeometry(72, 64, 73, 21);
    ComboBox1->setEditable(true);
    for (const auto& rate : kMp3BitRates)
        ComboBox1->addItem(QString::fromStdString(rate));
    ComboBox1->setCurrentText(QString::fromLatin1(kDefaultMp3BitRate));

    BitBtn1 = new QPushButton(QStringLiteral("GO"), this);
    BitBtn1->setGeometry(210, 62, 75, 25);
    BitBtn1->setDefault(true);

    Shape1 = new QLabel(this);
    Shape1->setGeometry(166, 64, 21, 21);
    Shape1->setStyleSheet(QStringLiteral("background: red; border: 1px solid black; border-radius: 10px;"));
    Shape1->hide();

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setGeometry(8, 104, 277, 17);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);

    Timer1 = new QTimer(this);
    Timer1->setInterval(400);

    connect(Edit1, &QLineEdit::textChanged, this, &TMBladefrm::Edit1Change);
    connect(BitBtn1, &QPushButton::clicked, this, &TMBladefrm::BitBtn1Click);
    connect(Timer1, &QTimer::timeout, this, &TMBladefrm::Timer1Timer);
}

void TMBladefrm::setWavPath(const QString& path) { Edit1->setText(path); }

void TMBladefrm::showEvent(QShowEvent* event) {
    // Top right corner of the screen, out of the way of the main window.
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        move(screen->geometry().width() - frameGeometry().width(), 0);
    QWidget::showEvent(event);
}

void TMBladefrm::Edit1Change(const QString& text) {
    Edit2->setText(QString::fromStdString(mp3PathFor(text.toStdString())));
}

void TMBladefrm::BitBtn1Click() {
    const auto args = encoderArguments(EncoderPath, Edit1->text().toStdString(), Edit2->text().toStdString(),
                                       ComboBox1->currentText().toStdString());
    if (args.empty())
        return;
    // A program that cannot be started is found by the first poll, which then closes the window.
    EncoderProcess.start(args);
    // The first poll comes 400 ms after the start, then every 400 ms; the window stays responsive.
    QTimer::singleShot(400, Timer1, qOverload<>(&QTimer::start));
}

void TMBladefrm::Timer1Timer() {
    Shape1->setVisible(!Shape1->isVisible());
    if (!EncoderProcess.running()) {
        Timer1->stop();
        Shape1->hide();
        close();
    }
}

} // namespace tamboro
