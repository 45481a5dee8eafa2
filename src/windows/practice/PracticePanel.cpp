#include "windows/practice/PracticePanel.h"

#include "windows/kits/SidePanelWindow.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>
#include <QSpinBox>

#include <cmath>

namespace tamboro {

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 520;
constexpr int kCorner = 16;

// The skin's side-panel colours: dark slate with light text, like the Kit List's frame.
constexpr char kStyle[] =
    "QWidget#practicePanel { background: rgb(48, 52, 60); }"
    "QLabel, QCheckBox { color: rgb(226, 230, 236); }"
    "QLabel#practiceTitle { font-weight: bold; }"
    "QLabel#playLabel, QLabel#tempoLabel { color: rgb(255, 214, 102); font-weight: bold; }";

QSpinBox* spin(QWidget* parent, const char* name, int low, int high, int value) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

QDoubleSpinBox* decimalSpin(QWidget* parent, const char* name, double low, double high, double value,
                            double step, const char* suffix) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setDecimals(1);
    box->setRange(low, high);
    box->setSingleStep(step);
    box->setValue(value);
    box->setSuffix(suffix);
    return box;
}

QString minutesAndSeconds(double seconds) {
    const auto whole = static_cast<long>(seconds);
    return QString("%1:%2").arg(whole / 60).arg(whole % 60, 2, 10, QChar('0'));
}

} // namespace

PracticePanel::PracticePanel(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName("practicePanel");
    setWindowTitle("Practice");
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(kStyle);
    setFixedSize(kWidth, kHeight);
    setMask(SidePanelWindow::roundedRegion(PixelRect{0, 0, kWidth, kHeight}, kCorner));
    buildControls();
    enableParts();
    tapClock_.start();
}

void PracticePanel::buildControls() {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(12, 10, 12, 12);
    grid->setVerticalSpacing(4);
    int row = 0;
    auto label = [&](const char* text, int column = 0) {
        auto* l = new QLabel(text, this);
        grid->addWidget(l, row, column);
        return l;
    };
    auto* title = label("Practice");
    title->setObjectName("practiceTitle");
    ++row;

    label("Count-in");
    countInBox = spin(this, "countInBox", 0, PracticeSettings::kMaxCountIn, 0);
    grid->addWidget(countInBox, row++, 1, 1, 2);

    clickBox = new QCheckBox("Click, level", this);
    clickBox->setObjectName("clickBox");
    grid->addWidget(clickBox, row, 0);
    clickLevelBox = spin(this, "clickLevelBox", 0, 100, 100);
    clickLevelBox->setSuffix(" %");
    grid->addWidget(clickLevelBox, row++, 1, 1, 2);

    tapButton = new QPushButton("Tap (T)", this);
    tapButton->setObjectName("tapButton");
    grid->addWidget(tapButton, row, 0);
    tapLabel = new QLabel("tap the beat", this);
    tapLabel->setObjectName("tapLabel");
    grid->addWidget(tapLabel, row++, 1, 1, 2);

    label("Tempo scale");
    tempoScaleBox = decimalSpin(this, "tempoScaleBox", 25, 200, 100, 5, " %");
    grid->addWidget(tempoScaleBox, row++, 1, 1, 2);

    trainerBox = new QCheckBox("Speed trainer", this);
    trainerBox->setObjectName("trainerBox");
    grid->addWidget(trainerBox, row++, 0, 1, 3);
    label("from / to");
    trainerFromBox = decimalSpin(this, "trainerFromBox", 25, 200, 70, 5, " %");
    trainerToBox = decimalSpin(this, "trainerToBox", 25, 200, 100, 5, " %");
    grid->addWidget(trainerFromBox, row, 1);
    grid->addWidget(trainerToBox, row++, 2);
    label("step / every");
    trainerStepBox = decimalSpin(this, "trainerStepBox", 0.1, 175, 5, 1, " %");
    trainerEveryBox = spin(this, "trainerEveryBox", 1, 1000, 2);
    trainerEveryBox->setSuffix(" plays");
    grid->addWidget(trainerStepBox, row, 1);
    grid->addWidget(trainerEveryBox, row++, 2);

    sectionBox = new QCheckBox("Section", this);
    sectionBox->setObjectName("sectionBox");
    grid->addWidget(sectionBox, row, 0);
    sectionFromBox = spin(this, "sectionFromBox", 1, 100000, 1);
    sectionToBox = spin(this, "sectionToBox", 1, 100000, 1);
    grid->addWidget(sectionFromBox, row, 1);
    grid->addWidget(sectionToBox, row++, 2);

    barBreaksBox = new QCheckBox("Bar breaks", this);
    barBreaksBox->setObjectName("barBreaksBox");
    grid->addWidget(barBreaksBox, row, 0);
    barPlayBox = spin(this, "barPlayBox", 1, 64, 3);
    barPlayBox->setPrefix("play ");
    barMuteBox = spin(this, "barMuteBox", 1, 64, 1);
    barMuteBox->setPrefix("mute ");
    grid->addWidget(barPlayBox, row, 1);
    grid->addWidget(barMuteBox, row++, 2);

    label("Drop / seed");
    dropBox = spin(this, "dropBox", 0, 50, 0);
    dropBox->setSuffix(" %");
    seedBox = spin(this, "seedBox", 0, 2147483647, 1);
    grid->addWidget(dropBox, row, 1);
    grid->addWidget(seedBox, row++, 2);

    label("Swing");
    swingBox = decimalSpin(this, "swingBox", 50, 75, 50, 0.1, " %");
    grid->addWidget(swingBox, row++, 1, 1, 2);

    startButton = new QPushButton("Start practice", this);
    startButton->setObjectName("startButton");
    stopButton = new QPushButton("Stop", this);
    stopButton->setObjectName("stopButton");
    grid->addWidget(startButton, row, 0, 1, 2);
    grid->addWidget(stopButton, row++, 2);

    playLabel = new QLabel("not playing", this);
    playLabel->setObjectName("playLabel");
    grid->addWidget(playLabel, row, 0, 1, 2);
    timerLabel = new QLabel("0:00", this);
    timerLabel->setObjectName("timerLabel");
    grid->addWidget(timerLabel, row++, 2, Qt::AlignRight);
    tempoLabel = new QLabel("", this);
    tempoLabel->setObjectName("tempoLabel");
    grid->addWidget(tempoLabel, row++, 0, 1, 3);
    changeLabel = new QLabel("", this);
    changeLabel->setObjectName("changeLabel");
    grid->addWidget(changeLabel, row++, 0, 1, 3);

    byMinutesBox = new QCheckBox("By minutes", this);
    byMinutesBox->setObjectName("byMinutesBox");
    grid->addWidget(byMinutesBox, row, 0);
    playsBox = spin(this, "playsBox", 1, 100000, 1);
    playsBox->setSuffix(" plays");
    minutesBox = decimalSpin(this, "minutesBox", 0.5, 600, 10, 1, " min");
    grid->addWidget(playsBox, row, 1);
    grid->addWidget(minutesBox, row++, 2);
    renderButton = new QPushButton("Render practice track...", this);
    renderButton->setObjectName("renderButton");
    grid->addWidget(renderButton, row++, 0, 1, 3);

    const auto changed = [this] {
        enableParts();
        emit settingsChanged();
    };
    for (QSpinBox* box : {countInBox, clickLevelBox, trainerEveryBox, sectionFromBox, sectionToBox,
                          barPlayBox, barMuteBox, dropBox, seedBox})
        connect(box, &QSpinBox::valueChanged, this, changed);
    for (QDoubleSpinBox* box : {tempoScaleBox, trainerFromBox, trainerToBox, trainerStepBox, swingBox})
        connect(box, &QDoubleSpinBox::valueChanged, this, changed);
    for (QCheckBox* box : {clickBox, trainerBox, sectionBox, barBreaksBox})
        connect(box, &QCheckBox::toggled, this, changed);
    connect(byMinutesBox, &QCheckBox::toggled, this, [this] { enableParts(); });
    connect(tapButton, &QPushButton::clicked, this, &PracticePanel::tapNow);
    connect(startButton, &QPushButton::clicked, this, &PracticePanel::startRequested);
    connect(stopButton, &QPushButton::clicked, this, &PracticePanel::stopRequested);
    connect(renderButton, &QPushButton::clicked, this, [this] {
        if (byMinutesBox->isChecked())
            emit renderRequested(0, minutesBox->value());
        else
            emit renderRequested(playsBox->value(), 0);
    });
}

void PracticePanel::enableParts() {
    clickLevelBox->setEnabled(clickBox->isChecked() || countInBox->value() > 0);
    tempoScaleBox->setEnabled(!trainerBox->isChecked());
    for (QWidget* w :
         std::initializer_list<QWidget*>{trainerFromBox, trainerToBox, trainerStepBox, trainerEveryBox})
        w->setEnabled(trainerBox->isChecked());
    sectionFromBox->setEnabled(sectionBox->isChecked());
    sectionToBox->setEnabled(sectionBox->isChecked());
    barPlayBox->setEnabled(barBreaksBox->isChecked());
    barMuteBox->setEnabled(barBreaksBox->isChecked());
    seedBox->setEnabled(dropBox->value() > 0);
    playsBox->setEnabled(!byMinutesBox->isChecked());
    minutesBox->setEnabled(byMinutesBox->isChecked());
}

PracticeSettings PracticePanel::settings() const {
    PracticeSettings s;
    s.countIn = countInBox->value();
    s.click = clickBox->isChecked();
    s.clickLevel = clickLevelBox->value();
    s.tempoScale = tempoScaleBox->value();
    if (trainerBox->isChecked()) {
        // The boxes cannot hold a fall: TO below FROM trains up to FROM.
        s.speedTrainer =
            SpeedTrainer{trainerFromBox->value(), std::max(trainerFromBox->value(), trainerToBox->value()),
                         trainerStepBox->value(), trainerEveryBox->value()};
    }
    if (sectionBox->isChecked()) {
        s.sectionFrom = std::min(sectionFromBox->value(), sectionToBox->value());
        s.sectionTo = std::max(sectionFromBox->value(), sectionToBox->value());
    }
    if (barBreaksBox->isChecked()) {
        s.barPlay = barPlayBox->value();
        s.barMute = barMuteBox->value();
    }
    s.dropPercent = dropBox->value();
    s.seed = static_cast<std::uint32_t>(seedBox->value());
    s.swing = swingBox->value();
    return s;
}

void PracticePanel::setSettings(const PracticeSettings& s) {
    const QSignalBlocker blocker(this);
    countInBox->setValue(s.countIn);
    clickBox->setChecked(s.click);
    clickLevelBox->setValue(s.clickLevel);
    tempoScaleBox->setValue(s.tempoScale);
    trainerBox->setChecked(s.speedTrainer.has_value());
    if (s.speedTrainer) {
        trainerFromBox->setValue(s.speedTrainer->from);
        trainerToBox->setValue(s.speedTrainer->to);
        trainerStepBox->setValue(s.speedTrainer->step);
        trainerEveryBox->setValue(s.speedTrainer->every);
    }
    sectionBox->setChecked(s.sectionFrom > 0);
    if (s.sectionFrom > 0) {
        sectionFromBox->setValue(s.sectionFrom);
        sectionToBox->setValue(s.sectionTo);
    }
    barBreaksBox->setChecked(s.barPlay > 0);
    if (s.barPlay > 0) {
        barPlayBox->setValue(s.barPlay);
        barMuteBox->setValue(s.barMute);
    }
    dropBox->setValue(s.dropPercent);
    seedBox->setValue(static_cast<int>(std::min<std::uint32_t>(s.seed, 2147483647u)));
    swingBox->setValue(s.swing);
    enableParts();
}

void PracticePanel::showStatus(const PracticeStatus& status) {
    timerLabel->setText(minutesAndSeconds(status.elapsedSeconds));
    if (!status.playing) {
        playLabel->setText("not playing");
        return;
    }
    playLabel->setText(status.countIn
                           ? QString("Count-in")
                           : QString("Play %1, pass %2").arg(status.play + 1).arg(status.pass + 1));
    tempoLabel->setText(QString("Tempo %1 % = %2 BPM")
                            .arg(QString::fromStdString(formatNumber(std::round(status.percent * 10) / 10)))
                            .arg(status.bpm, 0, 'f', 1));
    changeLabel->setText(status.playsUntilChange > 0 ? QString("%1 play%2 to the next change")
                                                           .arg(status.playsUntilChange)
                                                           .arg(status.playsUntilChange == 1 ? "" : "s")
                                                     : QString("the tempo holds"));
}

void PracticePanel::tap(double seconds) {
    if (const auto bpm = tapTempo_.tap(seconds)) {
        tapLabel->setText(QString("%1 BPM").arg(*bpm));
        emit tempoTapped(*bpm);
    } else {
        tapLabel->setText("keep tapping");
    }
}

void PracticePanel::tapNow() {
    tap(static_cast<double>(tapClock_.nsecsElapsed()) / 1e9);
}

void PracticePanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_T && !event->isAutoRepeat()) {
        tapNow();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PracticePanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        emit shownChanged(true);
}

void PracticePanel::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        emit shownChanged(false);
}

} // namespace tamboro
