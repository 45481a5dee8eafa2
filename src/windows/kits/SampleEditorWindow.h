#pragma once
// The sample editor: a small stay-on-top window working on one extra sample at a time ("Sample1"
// until one is chosen). Semitone pictures, a frequency slider, Volume and Pan knobs, a round play
// button with its 100 ms timer, "OK", and the File and Option menus. The players and the editor's
// fields live in ExtraSamples; the handlers read controls, call it and write controls.

#include "sound/ExtraSamples.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QSlider;

namespace tamboro {

class ClickablePicture;
class PictureButton;
class Knob;

class SampleEditorWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 233;
    static constexpr int kClientHeight = 122;
    static constexpr int kPlayTimerMs = 100;

    // `mainWindow` is the window the editor opens beside (above it, clear of its menus and lists),
    // each time it is shown while hidden.
    explicit SampleEditorWindow(ExtraSamples& samples, QWidget* mainWindow = nullptr,
                                QWidget* parent = nullptr);

    // The open dialog; returns an empty path when cancelled. Tests replace it.
    std::function<std::filesystem::path()> chooseSampleFile;
    // Shows an error message; tests replace it.
    std::function<void(const QString& text)> notify;

    ExtraSamples& samples() { return samples_; }

    // Choosing sample n in the Extra samples window: the editor works on sample n, shows it beside
    // the main window with its controls filled from player n.
    void showSample(int n);
    // Enables or disables the play button, both knobs and the slider together (opening and closing
    // a file; loading a pattern or song whose samples have files).
    void setSampleControlsEnabled(bool enabled);
    // Sets the slider from code under the slider rule, then shows its position.
    void setSliderPosition(int value);

    // Opens the WAV file `chosen` into the current sample, as "&Open" does once a file is chosen
    // (the one way in for the menu and a drop on an Extra samples button).
    void openSampleFile(const std::filesystem::path& chosen);

    // ---- Controls. ------------------------------------------------------------------------------
    QMenuBar* menuBar;
    QAction *openAction, *closeAction, *exitAction, *globalFocusAction;
    QLabel* sampleCaption;              // "Sample"
    QLabel* sampleNumber;               // the current sample's number, large red digits
    QLabel* pitchCaption;               // "Pitch by semitone"
    ClickablePicture* pitchDownPicture; // pitch down
    ClickablePicture* pitchUpPicture;   // pitch up
    QLabel* pitchDownPressedPicture;    // the pressed-state pictures beneath
    QLabel* pitchUpPressedPicture;
    QSlider* pitchSlider; // frequency, caption "Pitch"
    Knob* volumeKnob;
    Knob* panKnob;
    PictureButton* playButton;
    QPushButton* okButton;
    QTimer playTimer;

signals:
    // "&Open" named a file for sample n: its Extra samples button shows `caption`.
    void sampleCaptionChanged(int n, const QString& caption);

public slots:
    void openFileClicked();
    void closeFileClicked();
    void exitClicked();
    void pitchDownClicked(); // pitch down a semitone
    void pitchUpClicked();   // pitch up a semitone
    void pitchSliderMoved(int position);
    void volumeKnobTurned();
    void panKnobTurned();
    void playClicked();
    void onPlayTimerTick();
    void okClicked();
    void globalFocusClicked();

protected:
private:
    void semitoneStep(ClickablePicture* picture, int semitones);
    void showSliderPosition();
    void report(const QString& text);

    ExtraSamples& samples_;
};

} // namespace tamboro
