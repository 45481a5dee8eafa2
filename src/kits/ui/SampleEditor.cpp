#include "kits/ui/SampleEditor.h"

#include "app/MainWindowShape.h"
#include "app/PatternFile.h"
#include "common/Error.h"
#include "controls/SkinFiles.h"
#include "controls/ui/BJKnob.h"
#include "controls/ui/PictureButton.h"
#include "controls/ui/SkinPictures.h"
#include "kits/ui/ClickablePicture.h"

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

TBJKnob* knob(QWidget* parent, double minValue, double maxValue, int x, int y) {
    auto* k = new TBJKnob(parent);
    k->setMinValue(minValue);
    k->setMaxValue(maxValue);
    k->setGeometry(x, y, 32, 32);
    k->setTransparent(true);
    k->setEnabled(false);
    return k;
}

} // namespace

TSampleEditor::TSampleEditor(ExtraSamples& samples, QWidget* mainWindow, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      Samples(samples), MainWindow(mainWindow) {
    setObjectName("SampleEditor");
    setWindowTitle("Sample1");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    MainMenu = new QMenuBar(this);
    QMenu* fileMenu = MainMenu->addMenu("&File");
    FileOpen = fileMenu->addAction("&Open");
    FileClose = fileMenu->addAction("&Close");
    fileMenu->addSeparator();
    FileExit = fileMenu->addAction("E&xit");
    QMenu* optionMenu = MainMenu->addMenu("&Option");
    GlobalFocus = optionMenu->addAction("&GlobalFocus");
    GlobalFocus->setCheckable(true);
    GlobalFocus->setChecked(true);
    layout->setMenuBar(MainMenu);

    auto* client = new QWidget(this);
    client->setFixedSize(kClientWidth, kClientHeight);
    layout->addWidget(client);

    SampleCaption = caption("Sample", client, 8, 10);
    SampleNumber = new QLabel("1", client);
    QFont numberFont = SampleNumber->font();
    numberFont.setPointSize(18);
    numberFont.setBold(true);
    SampleNumber->setFont(numberFont);
    SampleNumber->setStyleSheet("color: red;");
    SampleNumber->setGeometry(56, 0, 44, 32);

    PitchCaption = caption("Pitch by semitone", client, 116, 4);
    Image1Pressed = new QLabel(client);
    Image1Pressed->setPixmap(semitonePicture(false, true));
    Image1Pressed->setGeometry(140, 21, kArrowSize, kArrowSize);
    Image2Pressed = new QLabel(client);
    Image2Pressed->setPixmap(semitonePicture(true, true));
    Image2Pressed->setGeometry(180, 21, kArrowSize, kArrowSize);
    Image1 = new ClickablePicture(client);
    Image1->setPixmap(semitonePicture(false, false));
    Image1->setGeometry(Image1Pressed->geometry());
    Image1->setToolTip("Pitch down a semitone");
    Image2 = new ClickablePicture(client);
    Image2->setPixmap(semitonePicture(true, false));
    Image2->setGeometry(Image2Pressed->geometry());
    Image2->setToolTip("Pitch up a semitone");

    caption("Pitch", client, 8, 45);
    TrackBar1 = new QSlider(Qt::Horizontal, client);
    TrackBar1->setGeometry(40, 42, 185, 22);
    TrackBar1->setRange(ExtraSamples::kSliderMin, ExtraSamples::kSliderMax);
    TrackBar1->setPageStep(ExtraSamples::kSliderPage);
    TrackBar1->setEnabled(false);

    PlayButton = new PictureButton(client);
    PlayButton->setGeometry(6, 74, 37, 37);
    PlayButton->setGlyph(skinPixmap(QString::fromStdString(skin::glyphFile("btnPlay"))));
    PlayButton->setToolTip("Play sound");
    const PixelRect circle = pictureButtonCircle();
    PlayButton->setMask(QRegion(circle.left, circle.top, circle.width, circle.height, QRegion::Ellipse));
    PlayButton->setEnabled(false);

    VolumeKnob = knob(client, -40, 100, 64, 72);
    caption("Volume", client, 58, 105);
    PanKnob = knob(client, -40, 40, 124, 72);
    caption("Pan", client, 130, 105);

    OKButton = new QPushButton("OK", client);
    OKButton->setGeometry(176, 80, 49, 25);

    Timer1.setInterval(kPlayTimerMs);

    connect(FileOpen, &QAction::triggered, this, &TSampleEditor::FileOpenClick);
    connect(FileClose, &QAction::triggered, this, &TSampleEditor::FileCloseClick);
    connect(FileExit, &QAction::triggered, this, &TSampleEditor::FileExitClick);
    connect(GlobalFocus, &QAction::triggered, this, &TSampleEditor::GlobalFocusClick);
    connect(Image1, &ClickablePicture::clicked, this, &TSampleEditor::Image1Click);
    connect(Image2, &ClickablePicture::clicked, this, &TSampleEditor::Image2Click);
    connect(TrackBar1, &QSlider::valueChanged, this, &TSampleEditor::TrackBar1Change);
    connect(VolumeKnob, &TBJKnob::OnChange, this, &TSampleEditor::VolumeKnobChange);
    connect(PanKnob, &TBJKnob::OnChange, this, &TSampleEditor::PanKnobChange);
    connect(PlayButton, &QAbstractButton::clicked, this, &TSampleEditor::PlayButtonClick);
    connect(OKButton, &QPushButton::clicked, this, &TSampleEditor::OKButtonClick);
    connect(&Timer1, &QTimer::timeout, this, &TSampleEditor::Timer1Timer);

    chooseSampleFile = [this]() {
        QFileDialog dialog(this, "Open", QString(), "Wave (*.wav);;All files (*.*)");
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setDefaultSuffix("wav");
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::filesystem::path();
        return std::filesystem::path(dialog.selectedFiles().first().toStdString());
    };
    notify = [this](const QString& text) { QMessageBox::critical(this, QApplication::applicationDisplayName(), text); };

    showSliderPosition();
    placeAtMainWindow();
}

void TSampleEditor::report(const QString& text) {
    if (notify)
        notify(text);
}

void TSampleEditor::placeAtMainWindow() {
    if (MainWindow)
        move(MainWindow->pos());
}

void TSampleEditor::showEvent(QShowEvent* event) {
    placeAtMainWindow();
    QWidget::showEvent(event);
}

void TSampleEditor::showSliderPosition() {
    const QSignalBlocker quiet(TrackBar1);
    TrackBar1->setValue(Samples.sliderPosition());
}

void TSampleEditor::setSliderPosition(int value) {
    Samples.setSlider(value);
    showSliderPosition();
}

void TSampleEditor::setSampleControlsEnabled(bool enabled) {
    PlayButton->setEnabled(enabled);
    VolumeKnob->setEnabled(enabled);
    PanKnob->setEnabled(enabled);
    TrackBar1->setEnabled(enabled);
}

void TSampleEditor::ShowSample(int n) {
    Samples.setCurrentSample(n);
    setWindowTitle(QString("Sample %1 : %2").arg(n).arg(QString::fromStdString(Samples.fileName(n))));
    placeAtMainWindow();
    show();
    raise();
    SampleNumber->setText(QString::number(n));
    // Setting a knob from code raises no change; the slider follows its rule.
    PanKnob->setValue(Samples.panKnobValue(n));
    VolumeKnob->setValue(Samples.volumeKnobValue(n));
    setSliderPosition(Samples.frequency(n));
}

void TSampleEditor::FileOpenClick() {
    const std::filesystem::path chosen = chooseSampleFile ? chooseSampleFile() : std::filesystem::path();
    if (chosen.empty())
        return;
    FileCloseClick();
    const int n = Samples.CurrentSample;
    const std::string part = SampleFilePart(chosen.string());
    setWindowTitle(QApplication::applicationDisplayName() + " - " + QString::fromStdString(part));
    emit sampleCaptionChanged(n, QString::fromStdString(ExtraSamples::buttonCaption(chosen.string())));
    try {
        Samples.open(chosen);
    } catch (const Error& e) {
        // The controls stay disabled; the title and the button already name the new file.
        report(QString::fromStdString(e.what()));
        return;
    }
    setSampleControlsEnabled(true);
    PanKnob->setValue(0);
    VolumeKnob->setValue(0);
    showSliderPosition();
}

void TSampleEditor::FileCloseClick() {
    Timer1.stop();
    setSampleControlsEnabled(false);
}

void TSampleEditor::FileExitClick() { hide(); }

void TSampleEditor::semitoneStep(ClickablePicture* picture, int semitones) {
    if (IsBlankSample(Samples.fileName(Samples.CurrentSample)))
        return;
    // The pressed-state picture beneath shows while the step runs.
    picture->hide();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    try {
        Samples.pitchStep(semitones);
    } catch (const Error& e) {
        report(QString::fromStdString(e.what()));
    }
    showSliderPosition();
    if (semitones < 0)
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    picture->show();
}

void TSampleEditor::Image1Click() { semitoneStep(Image1, -1); }

void TSampleEditor::Image2Click() { semitoneStep(Image2, +1); }

void TSampleEditor::TrackBar1Change(int position) {
    Samples.setSlider(position);
    showSliderPosition();
}

void TSampleEditor::VolumeKnobChange() { Samples.volumeKnobChanged(VolumeKnob->Value()); }

void TSampleEditor::PanKnobChange() { Samples.panKnobChanged(PanKnob->Value()); }

void TSampleEditor::PlayButtonClick() {
    try {
        Samples.restart(Samples.CurrentSample);
    } catch (const Error& e) {
        report(QString::fromStdString(e.what()));
        return;
    }
    Timer1.start();
}

void TSampleEditor::Timer1Timer() {
    const int n = Samples.CurrentSample;
    if (Samples.isPlaying(n))
        return;
    Samples.stop(n);
    PlayButton->setEnabled(true);
    Timer1.stop();
}

void TSampleEditor::OKButtonClick() {
    Samples.stop(Samples.CurrentSample);
    hide();
}

void TSampleEditor::GlobalFocusClick() { Samples.setGlobalFocus(GlobalFocus->isChecked()); }

} // namespace tamboro
