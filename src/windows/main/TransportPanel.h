#pragma once
// The main window's transport and tempo controls: the play, repeat, stop, audition, clear, render,
// global-speed and practice-panel buttons down both sides, the tempo knob with its BPM box, the Panning knob,
// and the six channel switches with their pulse lights over the grid's header row. The panel makes them on
// the window's surface and speaks for them: user actions leave as signals, what playback reports comes in
// through the show/set functions.

#include <QObject>
#include <QString>

#include <array>

class QPushButton;
class QSpinBox;
class QWidget;

namespace tamboro {

class Knob;
class PictureButton;
class PulseLight;

class TransportPanel : public QObject {
    Q_OBJECT
public:
    static constexpr int kChannels = 6;

    // Makes the controls on `surface`, which owns them; the panel is a child of `surface` too.
    explicit TransportPanel(QWidget& surface);

    // The channel switches and lights stand over the grid: call once the grid is made.
    void raiseOverGrid();

    // ---- What playback shows. -------------------------------------------------------------------
    // Both play buttons (pattern and song) together; disabled while something plays or renders.
    void setPlayButtonsEnabled(bool enabled);
    bool playButtonsEnabled() const;
    // The play-pattern button alone (a song saved or opened enables it).
    void setPlayPatternEnabled(bool enabled);
    // The toggle buttons' glyphs, as image-list indexes.
    void showRepeatPatternGlyph(int image);
    void showRepeatSongGlyph(int image);
    void showGlobalSpeedGlyph(int image);
    // The practice panel's button: lit while the panel shows; its tip names the keys that toggle it.
    void showPracticePanelShown(bool shown);
    void setPracticePanelTip(const QString& tip);
    // Channel 1..6: its switch's caption ("ON"/"OFF") and one flash of its light.
    void setChannelCaption(int channel, const QString& caption);
    void pulseChannel(int channel);
    // How the sound output keeps time, under the Stop button's tip.
    void showSoundHealth(const QString& text);
    QString stopTip() const;

    // ---- Tempo and pan. --------------------------------------------------------------------------
    // The BPM box holds a whole number of 20..400; values from elsewhere are clamped into it.
    int bpm() const;
    // Sets the BPM box as the user would: bpmChanged follows when the value changes.
    void setBpm(int bpm);
    // Shows a tempo that playback already uses: the box without bpmChanged, and the knob.
    void showTempo(int bpm, double knobValue);
    void setTempoKnob(double value);
    double tempoKnob() const;
    void setPanKnob(double value);
    double panKnob() const;

signals:
    void playPatternClicked();
    void repeatPatternClicked();
    void stopClicked();
    void playInstrumentClicked();
    void clearPatternClicked();
    void playSongClicked();
    void repeatSongClicked();
    void renderSongClicked();
    void globalSpeedClicked();
    void clearSongClicked();
    void practicePanelClicked();
    // A channel switch was pressed; `tag` is 61..66 for channels 1..6.
    void channelClicked(int tag);
    // The user turned the tempo knob to `value`.
    void tempoKnobTurned(double value);
    // The BPM box changed: by its arrows, the arrow keys, typed digits (on Enter or focus loss) or setBpm.
    void bpmChanged(int bpm);
    // The pointer moves over the Panning knob (at its current value), or leaves it.
    void panKnobHovered(double value);
    void panKnobLeft();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QPushButton*, kChannels> channelSwitches_{};
    std::array<PulseLight*, kChannels> pulseLights_{};
    PictureButton *playPattern_ = nullptr, *repeatPattern_ = nullptr, *stop_ = nullptr,
                  *playInstrument_ = nullptr, *clearPattern_ = nullptr;
    PictureButton *playSong_ = nullptr, *repeatSong_ = nullptr, *renderSong_ = nullptr,
                  *globalSpeed_ = nullptr, *clearSong_ = nullptr, *practicePanel_ = nullptr;
    Knob* tempoKnob_ = nullptr;
    Knob* panKnob_ = nullptr;
    QSpinBox* bpmBox_ = nullptr;
};

} // namespace tamboro
