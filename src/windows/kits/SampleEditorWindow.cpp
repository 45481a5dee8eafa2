#include "windows/kits/SampleEditorWindow.h"

#include "app/MainWindowShape.h"
#include "common/Error.h"
#include "controls/SkinFiles.h"
#include "controls/ValueTexts.h"
#include "song/SampleNames.h"
#include "windows/controls/Knob.h"
#include "windows/controls/PictureButton.h"
#include "windows/controls/SideWindowPlacer.h"
#include "windows/controls/SkinPictures.h"
#include "windows/kits/ClickablePicture.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRegion>
#include <QSlider>
#include <QToolTip>
#include <QVBoxLayout>

namespace tamboro {

namespace {

constexpr int kArrowSize = 16;

// A semitone arrow (pointing up or down) as a small raised key, or sunken while pressed.
QPixmap semitonePicture(bool up, bool pressed) {
    QPixmap pixmap(kArrowSize, kArrowSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor face = pressed ? QColor(70, 74, 82) : QColor(150, 156, 168);
    p.setPen(QPen(pressed ? QColor(30, 30, 34) : QColor(230, 232, 236), 1));
    p.setBrush(face);
    p.drawRoundedRect(QRectF(0.5, 0.5, kArrowSize - 1, kArrowSize - 1), 3, 3);
    QPainterPath arrow;
    const qreal mid = kArrowSize / 2.0, offset = pressed ? 1 : 0;
    if (up) {
        arrow.moveTo(mid + offset, 4 + offset);
        arrow.lineTo(12 + offset, 11 + offset);
        arrow.lineTo(4 + offset, 11 + offset);
    } else {
        arrow.moveTo(mid + offset, 12 + offset);
        arrow.lineTo(12 + offset, 5 + offset);
        arrow.lineTo(4 + offset, 5 + offset);
    }
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(pressed ? QColor(255, 210, 60) : QColor(20, 24, 30));
    p.drawPath(arrow);
    return pixmap;
}

QLabel* caption(const QString& text, QWidget* parent, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->move(x, y);
    label->adjustSize();
    return label;
}

Knob* knob(QWidget* parent, double minValue, double maxValue, int x, int y) {
    auto* k = new Knob(parent);
    k->setMinValue(minValue);
    k->setMaxValue(maxValue);
    k->setGeometry(x, y, 32, 32);
    k->setTransparent(true);
    k->setEnabled(false);
    return k;
}

} // namespace

SampleEditorWindow::SampleEditorWindow(ExtraSamples& samples, QWidget* mainWindow, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      samples_(samples) {
    setObjectName("sampleEditorWindow");
    setWindowTitle("Sample1");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    menuBar = new QMenuBar(this);
    QMenu* fileMenu = menuBar->addMenu("&File");
    openAction = fileMenu->addAction("&Open");
    closeAction = fileMenu->addAction("&Close");
    fileMenu->addSeparator();
    exitAction = fileMenu->addAction("E&xit");
    QMenu* optionMenu = menuBar->addMenu("&Option");
    globalFocusAction = optionMenu->addAction("&GlobalFocus");
    globalFocusAction->setCheckable(true);
    globalFocusAction->setChecked(true);
    layout->setMenuBar(menuBar);

    auto* client = new QWidget(this);
    client->setFixedSize(kClientWidth, kClientHeight);
    layout->addWidget(client);

    sampleCaption = caption("Sample", client, 8, 10);
    sampleNumber = new QLabel("1", client);
    QFont numberFont = sampleNumber->font();
    numberFont.setPointSize(18);
    numberFont.setBold(true);
    sampleNumber->setFont(numberFont);
    sampleNumber->setStyleSheet("color: red;");
    sampleNumber->setGeometry(56, 0, 44, 32);

    pitchCaption = caption("Pitch by semitone", client, 116, 4);
    pitchDownPressedPicture = new QLabel(client);
    pitchDownPressedPicture->setPixmap(semitonePicture(false, true));
    pitchDownPressedPicture->setGeometry(140, 21, kArrowSize, kArrowSize);
    pitchUpPressedPicture = new QLabel(client);
    pitchUpPressedPicture->setPixmap(semitonePicture(true, true));
    pitchUpPressedPicture->setGeometry(180, 21, kArrowSize, kArrowSize);
    pitchDownPicture = new ClickablePicture(client);
    pitchDownPicture->setPixmap(semitonePicture(false, false));
    pitchDownPicture->setGeometry(pitchDownPressedPicture->geometry());
    pitchDownPicture->setToolTip("Pitch down a semitone");
    pitchUpPicture = new ClickablePicture(client);
    pitchUpPicture->setPixmap(semitonePicture(true, false));
    pitchUpPicture->setGeometry(pitchUpPressedPicture->geometry());
    pitchUpPicture->setToolTip("Pitch up a semitone");

    caption("Pitch", client, 8, 45);
    pitchSlider = new QSlider(Qt::Horizontal, client);
    pitchSlider->setGeometry(40, 42, 185, 22);
    pitchSlider->setRange(ExtraSamples::kSliderMin, ExtraSamples::kSliderMax);
    pitchSlider->setPageStep(ExtraSamples::kSliderPage);
    pitchSlider->setEnabled(false);

    playButton = new PictureButton(client);
    playButton->setGeometry(6, 74, 37, 37);
    playButton->setGlyph(skinPixmap(QString::fromStdString(skin::glyphFile("playPattern"))));
    playButton->setToolTip("Play sound");
    const PixelRect circle = pictureButtonCircle();
    playButton->setMask(QRegion(circle.left, circle.top, circle.width, circle.height, QRegion::Ellipse));
    playButton->setEnabled(false);

    volumeKnob = knob(client, -40, 100, 64, 72);
    caption("Volume", client, 58, 105);
    panKnob = knob(client, -40, 40, 124, 72);
    caption("Pan", client, 130, 105);

    okButton = new QPushButton("OK", client);
    okButton->setGeometry(176, 80, 49, 25);

    playTimer.setInterval(kPlayTimerMs);

    connect(openAction, &QAction::triggered, this, &SampleEditorWindow::openFileClicked);
    connect(closeAction, &QAction::triggered, this, &SampleEditorWindow::closeFileClicked);
    connect(exitAction, &QAction::triggered, this, &SampleEditorWindow::exitClicked);
    connect(globalFocusAction, &QAction::triggered, this, &SampleEditorWindow::globalFocusClicked);
    connect(pitchDownPicture, &ClickablePicture::clicked, this, &SampleEditorWindow::pitchDownClicked);
    connect(pitchUpPicture, &ClickablePicture::clicked, this, &SampleEditorWindow::pitchUpClicked);
    connect(pitchSlider, &QSlider::valueChanged, this, &SampleEditorWindow::pitchSliderMoved);
    // The knobs and the slider show what the current player does: its volume, pan and pitch.
    volumeKnob->setValueText([this] {
        return QStringLiteral("Volume: ") +
               QString::fromStdString(volumeText(samples_.volume(samples_.currentSample)));
    });
    panKnob->setValueText([this] {
        return QStringLiteral("Pan: ") +
               QString::fromStdString(panText(samples_.pan(samples_.currentSample)));
    });
    connect(volumeKnob, &Knob::turnedByUser, this, &SampleEditorWindow::volumeKnobTurned);
    connect(panKnob, &Knob::turnedByUser, this, &SampleEditorWindow::panKnobTurned);
    connect(playButton, &QAbstractButton::clicked, this, &SampleEditorWindow::playClicked);
    connect(okButton, &QPushButton::clicked, this, &SampleEditorWindow::okClicked);
    connect(&playTimer, &QTimer::timeout, this, &SampleEditorWindow::onPlayTimerTick);

    chooseSampleFile = [this]() {
        QFileDialog dialog(this, "Open", QString(),
                           "Wave (*.wav);;Sound files (*.wav *.aif *.aiff *.aifc *.flac *.ogg *.oga "
                           "*.mp3);;All files (*.*)");
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setDefaultSuffix("wav");
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::filesystem::path();
        return std::filesystem::path(dialog.selectedFiles().first().toStdString());
    };
    notify = [this](const QString& text) {
        QMessageBox::critical(this, QApplication::applicationDisplayName(), text);
    };

    showSliderPosition();
    if (mainWindow)
        keepBeside(*this, *mainWindow, kSampleEditorWish);
}

void SampleEditorWindow::report(const QString& text) {
    if (notify)
        notify(text);
}

void SampleEditorWindow::showSliderPosition() {
    {
        const QSignalBlocker quiet(pitchSlider);
        pitchSlider->setValue(samples_.sliderPosition());
    }
    const int n = samples_.currentSample;
    pitchSlider->setToolTip(QStringLiteral("Pitch: ") +
                            QString::fromStdString(pitchText(
                                samples_.frequency(n), samples_.baseFrequency[static_cast<std::size_t>(n)])));
    // While the slider is dragged its value shows beside the handle.
    if (pitchSlider->isSliderDown())
        QToolTip::showText(pitchSlider->mapToGlobal(QPoint(pitchSlider->width() / 2, -pitchSlider->height())),
                           pitchSlider->toolTip(), pitchSlider);
}

void SampleEditorWindow::setSliderPosition(int value) {
    samples_.setSlider(value);
    showSliderPosition();
}

void SampleEditorWindow::setSampleControlsEnabled(bool enabled) {
    playButton->setEnabled(enabled);
    volumeKnob->setEnabled(enabled);
    panKnob->setEnabled(enabled);
    pitchSlider->setEnabled(enabled);
}

void SampleEditorWindow::showSample(int n) {
    samples_.setCurrentSample(n);
    setWindowTitle(QString("Sample %1 : %2").arg(n).arg(QString::fromStdString(samples_.fileName(n))));
    show();
    raise();
    sampleNumber->setText(QString::number(n));
    // Setting a knob from code raises no change; the slider follows its rule.
    panKnob->setValue(samples_.panKnobValue(n));
    volumeKnob->setValue(samples_.volumeKnobValue(n));
    setSliderPosition(samples_.frequency(n));
}

void SampleEditorWindow::openFileClicked() {
    const std::filesystem::path chosen = chooseSampleFile ? chooseSampleFile() : std::filesystem::path();
    if (!chosen.empty())
        openSampleFile(chosen);
}

void SampleEditorWindow::openSampleFile(const std::filesystem::path& chosen) {
    closeFileClicked();
    const int n = samples_.currentSample;
    const std::string part = sampleFilePart(chosen.string());
    setWindowTitle(QApplication::applicationDisplayName() + " - " + QString::fromStdString(part));
    emit sampleCaptionChanged(n, QString::fromStdString(tamboro::sampleCaption(chosen.string())));
    try {
        samples_.open(chosen);
    } catch (const Error& e) {
        // The controls stay disabled; the title and the button already name the new file.
        report(QString::fromStdString(e.what()));
        return;
    }
    setSampleControlsEnabled(true);
    panKnob->setValue(0);
    volumeKnob->setValue(0);
    showSliderPosition();
}

void SampleEditorWindow::closeFileClicked() {
    playTimer.stop();
    setSampleControlsEnabled(false);
}

void SampleEditorWindow::exitClicked() {
    hide();
}

void SampleEditorWindow::semitoneStep(ClickablePicture* picture, int semitones) {
    if (isBlankSample(samples_.fileName(samples_.currentSample)))
        return;
    // The pressed-state picture beneath shows while the step runs.
    picture->hide();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    try {
        samples_.pitchStep(semitones);
    } catch (const Error& e) {
        report(QString::fromStdString(e.what()));
    }
    showSliderPosition();
    if (semitones < 0)
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    picture->show();
}

void SampleEditorWindow::pitchDownClicked() {
    semitoneStep(pitchDownPicture, -1);
}

void SampleEditorWindow::pitchUpClicked() {
    semitoneStep(pitchUpPicture, +1);
}

void SampleEditorWindow::pitchSliderMoved(int position) {
    samples_.setSlider(position);
    showSliderPosition();
}

void SampleEditorWindow::volumeKnobTurned() {
    samples_.volumeKnobChanged(volumeKnob->value());
}

void SampleEditorWindow::panKnobTurned() {
    samples_.panKnobChanged(panKnob->value());
}

void SampleEditorWindow::playClicked() {
    try {
        samples_.restart(samples_.currentSample);
    } catch (const Error& e) {
        report(QString::fromStdString(e.what()));
        return;
    }
    playTimer.start();
}

void SampleEditorWindow::onPlayTimerTick() {
    const int n = samples_.currentSample;
    if (samples_.isPlaying(n))
        return;
    samples_.stop(n);
    playButton->setEnabled(true);
    playTimer.stop();
}

void SampleEditorWindow::okClicked() {
    samples_.stop(samples_.currentSample);
    hide();
}

void SampleEditorWindow::globalFocusClicked() {
    samples_.setGlobalFocus(globalFocusAction->isChecked());
}

} // namespace tamboro
