#include "windows/render/Mp3ExportWindow.h"

#include "render/Mp3Encoder.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
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

Mp3ExportWindow::Mp3ExportWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Wav to mp3"));
    setFixedSize(293, 141);
    setAttribute(Qt::WA_DeleteOnClose, false);

    caption("From wav", 8, 12, this);
    wavPathBox = new QLineEdit(this);
    wavPathBox->setGeometry(72, 8, 213, 21);
    wavPathBox->setEnabled(false);

    caption("To mp3", 8, 40, this);
    mp3PathBox = new QLineEdit(this);
    mp3PathBox->setGeometry(72, 36, 213, 21);

    caption("Bit Rate", 8, 68, this);
    bitRateBox = new QComboBox(this);
    bitRateBox->setGeometry(72, 64, 73, 21);
    bitRateBox->setEditable(true);
    for (const auto& rate : kMp3BitRates)
        bitRateBox->addItem(QString::fromStdString(rate));
    bitRateBox->setCurrentText(QString::fromLatin1(kDefaultMp3BitRate));

    goButton = new QPushButton(QStringLiteral("GO"), this);
    goButton->setGeometry(210, 62, 75, 25);
    goButton->setDefault(true);

    activityLight = new QLabel(this);
    activityLight->setGeometry(166, 64, 21, 21);
    activityLight->setStyleSheet(
        QStringLiteral("background: red; border: 1px solid black; border-radius: 10px;"));
    activityLight->hide();

    progressBar = new QProgressBar(this);
    progressBar->setGeometry(8, 104, 277, 17);
    progressBar->setRange(0, 100);
    progressBar->setValue(0);

    pollTimer = new QTimer(this);
    pollTimer->setInterval(400);

    showProblem = [this](const QString& message) {
        QMessageBox::warning(this, QStringLiteral("Wav to mp3"), message);
    };

    connect(wavPathBox, &QLineEdit::textChanged, this, &Mp3ExportWindow::wavPathChanged);
    connect(goButton, &QPushButton::clicked, this, &Mp3ExportWindow::goClicked);
    connect(pollTimer, &QTimer::timeout, this, &Mp3ExportWindow::onPollTick);
}

void Mp3ExportWindow::setWavPath(const QString& path) {
    wavPathBox->setText(path);
}

void Mp3ExportWindow::wavPathChanged(const QString& text) {
    mp3PathBox->setText(QString::fromStdString(mp3PathFor(text.toStdString())));
}

void Mp3ExportWindow::goClicked() {
    const auto args =
        encoderArguments(encoderPath_, wavPathBox->text().toStdString(), mp3PathBox->text().toStdString(),
                         bitRateBox->currentText().toStdString());
    if (args.empty())
        return;
    if (!encoderProcess_.start(args)) {
        showProblem(failureText(QString::fromStdString(encoderProcess_.startError())));
        return;
    }
    // The first poll comes 400 ms after the start, then every 400 ms; the window stays responsive.
    QTimer::singleShot(400, pollTimer, qOverload<>(&QTimer::start));
}

void Mp3ExportWindow::onPollTick() {
    activityLight->setVisible(!activityLight->isVisible());
    if (!encoderProcess_.running()) {
        pollTimer->stop();
        activityLight->hide();
        const int status = encoderProcess_.exitCode().value_or(-1);
        if (status == 0) {
            close();
            return;
        }
        showProblem(failureText(QStringLiteral("The MP3 encoder \"%1\" failed with exit status %2.")
                                    .arg(QString::fromStdString(encoderPath_.string()))
                                    .arg(status)));
    }
}

QString Mp3ExportWindow::failureText(const QString& why) const {
    return why + QStringLiteral("\n\"%1\" was not made; the WAV file \"%2\" is kept.")
                     .arg(mp3PathBox->text(), wavPathBox->text());
}

} // namespace tamboro
