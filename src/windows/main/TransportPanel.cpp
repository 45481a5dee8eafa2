#include "windows/main/TransportPanel.h"

#include "common/Rounding.h"
#include "controls/SkinFiles.h"
#include "controls/ValueTexts.h"
#include "sound/Tempo.h"
#include "windows/controls/Knob.h"
#include "windows/controls/PictureButton.h"
#include "windows/controls/PulseLight.h"
#include "windows/main/SkinControls.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace tamboro {

namespace {

void showImage(PictureButton* button, int image) {
    button->setGlyphFile(QString::fromStdString(skin::imageListFile(image)));
    button->setGlyphIndex(image);
}

} // namespace

TransportPanel::TransportPanel(QWidget& surface) : QObject(&surface) {
    QWidget* s = &surface;
    skinCaption(s, "BPM", 456, 60, "#d6dee8");

    const std::array<int, kChannels> switchLefts = {106, 167, 227, 287, 347, 406};
    const std::array<int, kChannels> lightLefts = {102, 162, 222, 282, 342, 401};
    for (std::size_t c = 0; c < kChannels; ++c) {
        auto* b = new QPushButton("ON", s);
        b->setObjectName(QString("channelButton%1").arg(c + 1));
        b->setGeometry(switchLefts[c], 168, 55, 17);
        b->setProperty("Tag", 61 + static_cast<int>(c));
        // The size is the font's, not the style sheet's, so that the window's zoom can scale it.
        QFont font = b->font();
        font.setPixelSize(9);
        font.setBold(true);
        b->setFont(font);
        b->setStyleSheet(
            "QPushButton { color: #0c0e12; background: #c9d1dc; "
            "border: 1px solid #000; border-radius: 2px; } QPushButton:disabled { color: #5a6270; }");
        connect(b, &QPushButton::clicked, this, [this, c] { emit channelClicked(61 + static_cast<int>(c)); });
        channelSwitches_[c] = b;

        auto* light = new PulseLight(s);
        light->setObjectName(QString("pulseLight%1").arg(c + 1));
        light->setGeometry(lightLefts[c], 168, 5, 16);
        light->setColor(QColor(20, 40, 20));
        pulseLights_[c] = light;
    }

    playPattern_ = skinButton(s, "playPattern", 24, 204, "Play pattern");
    repeatPattern_ = skinButton(s, "repeatPattern", 24, 236, "Repeat Pattern", skin::kImageRepeatOff);
    stop_ = skinButton(s, "stop", 24, 268, "Stop");
    playInstrument_ = skinButton(s, "playInstrument", 24, 300, "Play instrument");
    clearPattern_ = skinButton(s, "clearPattern", 24, 332, "Clear pattern");
    playSong_ = skinButton(s, "playSong", 480, 206, "Play, play list");
    repeatSong_ = skinButton(s, "repeatSong", 480, 236, "Repeat song", skin::kImageRepeatOff);
    renderSong_ = skinButton(s, "renderSong", 480, 268, "Render song to wave");
    globalSpeed_ = skinButton(s, "globalSpeed", 480, 300, "Set global speed", skin::kImageGlobalSpeedOff);
    clearSong_ = skinButton(s, "clearSong", 480, 332, "Clear all");
    // Under the song's buttons, on the same rail: practice plays the Play List.
    practicePanel_ = skinButton(s, "practicePanel", 480, 364, "Practice panel", skin::kImagePracticeOff);
    const std::pair<PictureButton*, void (TransportPanel::*)()> clicks[] = {
        {playPattern_, &TransportPanel::playPatternClicked},
        {repeatPattern_, &TransportPanel::repeatPatternClicked},
        {stop_, &TransportPanel::stopClicked},
        {playInstrument_, &TransportPanel::playInstrumentClicked},
        {clearPattern_, &TransportPanel::clearPatternClicked},
        {playSong_, &TransportPanel::playSongClicked},
        {repeatSong_, &TransportPanel::repeatSongClicked},
        {renderSong_, &TransportPanel::renderSongClicked},
        {globalSpeed_, &TransportPanel::globalSpeedClicked},
        {clearSong_, &TransportPanel::clearSongClicked},
        {practicePanel_, &TransportPanel::practicePanelClicked},
    };
    for (const auto& [button, signal] : clicks)
        connect(button, &PictureButton::clicked, this, signal);

    // Tempo knob: 240 BPM over 200 pixels. Pan knob: 4000 units over 100 pixels.
    tempoKnob_ = skinKnob(s, "tempoKnob", 408, 60, 45, 60, 300, 200);
    panKnob_ = skinKnob(s, "panKnob", 440, 132, 29, -2000, 2000, 100);
    connect(tempoKnob_, &Knob::turnedByUser, this, [this] { emit tempoKnobTurned(tempoKnob_->value()); });
    // The pointer's visits to the Panning knob are watched without a button held.
    panKnob_->setMouseTracking(true);
    panKnob_->installEventFilter(this);

    bpmBox_ = new QSpinBox(s);
    bpmBox_->setObjectName("bpmBox");
    bpmBox_->setGeometry(456, 74, 45, 22);
    bpmBox_->setRange(kMinimumBpm, kMaximumBpm);
    bpmBox_->setValue(kInitialBpm);
    // Typed digits take effect on Enter or when the box loses focus, not at every key: "1", "12"
    // on the way to "120" would each retune a playing pattern. A typed value outside the range
    // snaps to the nearer limit.
    bpmBox_->setKeyboardTracking(false);
    bpmBox_->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    bpmBox_->setToolTip(
        QStringLiteral("Tempo in beats per minute (%1 to %2)").arg(kMinimumBpm).arg(kMaximumBpm));
    QFont bold = bpmBox_->font();
    bold.setBold(true);
    bpmBox_->setFont(bold);
    bpmBox_->setStyleSheet(kEntryBoxStyle);
    connect(bpmBox_, &QSpinBox::valueChanged, this, &TransportPanel::bpmChanged);

    // The knobs show their values: the tempo the BPM box holds (the knob's range is narrower), the
    // pan the knob gives the current instrument.
    tempoKnob_->setValueText(
        [this] { return QStringLiteral("Tempo: ") + QString::fromStdString(bpmText(bpmBox_->value())); });
    panKnob_->setValueText([this] {
        return QStringLiteral("Pan: ") +
               QString::fromStdString(panText(static_cast<int>(roundHalfEven(panKnob_->value()))));
    });

    skinCaption(s, "+", 448, 96, "#d6dee8");
    skinCaption(s, "_", 408, 92, "#d6dee8");
}

void TransportPanel::raiseOverGrid() {
    for (QPushButton* b : channelSwitches_)
        b->raise();
    for (PulseLight* light : pulseLights_)
        light->raise();
}

bool TransportPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == panKnob_) {
        if (event->type() == QEvent::MouseMove)
            emit panKnobHovered(panKnob_->value());
        else if (event->type() == QEvent::Leave)
            emit panKnobLeft();
    }
    return QObject::eventFilter(watched, event);
}

void TransportPanel::setPlayButtonsEnabled(bool enabled) {
    playPattern_->setEnabled(enabled);
    playSong_->setEnabled(enabled);
}

void TransportPanel::setPlayPatternEnabled(bool enabled) {
    playPattern_->setEnabled(enabled);
}

bool TransportPanel::playButtonsEnabled() const {
    return playPattern_->isEnabled();
}

void TransportPanel::showRepeatPatternGlyph(int image) {
    showImage(repeatPattern_, image);
}

void TransportPanel::showRepeatSongGlyph(int image) {
    showImage(repeatSong_, image);
}

void TransportPanel::showGlobalSpeedGlyph(int image) {
    showImage(globalSpeed_, image);
}

void TransportPanel::showPracticePanelShown(bool shown) {
    showImage(practicePanel_, shown ? skin::kImagePracticeOn : skin::kImagePracticeOff);
}

void TransportPanel::setPracticePanelTip(const QString& tip) {
    practicePanel_->setToolTip(tip);
}

void TransportPanel::setChannelCaption(int channel, const QString& caption) {
    if (channel >= 1 && channel <= kChannels)
        channelSwitches_[static_cast<std::size_t>(channel - 1)]->setText(caption);
}

void TransportPanel::showSoundHealth(const QString& text) {
    stop_->setToolTip(QStringLiteral("Stop\n") + text);
}

QString TransportPanel::stopTip() const {
    return stop_->toolTip();
}

void TransportPanel::pulseChannel(int channel) {
    if (channel >= 1 && channel <= kChannels)
        pulseLights_[static_cast<std::size_t>(channel - 1)]->pulse();
}

int TransportPanel::bpm() const {
    return bpmBox_->value();
}

void TransportPanel::setBpm(int bpm) {
    bpmBox_->setValue(bpm);
}

void TransportPanel::showTempo(int bpm, double knobValue) {
    {
        const QSignalBlocker quiet(bpmBox_);
        bpmBox_->setValue(bpm);
    }
    // Also refreshes the knob's value text from the box.
    tempoKnob_->setValue(knobValue);
}

void TransportPanel::setTempoKnob(double value) {
    tempoKnob_->setValue(value);
}

double TransportPanel::tempoKnob() const {
    return tempoKnob_->value();
}

void TransportPanel::setPanKnob(double value) {
    panKnob_->setValue(value);
}

double TransportPanel::panKnob() const {
    return panKnob_->value();
}

} // namespace tamboro
