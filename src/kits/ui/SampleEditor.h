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
class TBJKnob;

class TSampleEditor : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 233;
    static constexpr int kClientHeight = 122;
    static constexpr int kPlayTimerMs = 100;

    // `mainWindow` is where the editor stands: at its left and top edges, each time it is shown.
    explicit TSampleEditor(ExtraSamples& samples, QWidget* mainWindow = nullptr, QWidget* parent = nullptr);

    // The open dialog; returns an empty path when cancelled. Tests replace it.
    std::function<std::filesystem::path()> chooseSampleFile;
    // Shows an error message; tests replace it.
    std::function<void(const QString& text)> notify;

    ExtraSamples& samples() { return Samples; }

    // Choosing sample n in the Extra samples window: the editor works on sample n, shows it at the
    // main window's corner with its controls filled from player n.
    void ShowSample(int n);
    // Enables or disables the play button, both knobs and the slider together (opening and closing
    // a file; loading a pattern or song whose samples have files).
    void setSampleControlsEnabled(bool enabled);
    // Sets the slider from code under the slider rule, then shows its position.
    void setSliderPosition(int value);
    // Moves the window to the main window's left and top edges.
    void placeAtMainWindow();

    // ---- Controls. ------------------------------------------------------------------------------
    QMenuBar* MainMenu;
    QAction *FileOpen, *FileClose, *FileExit, *GlobalFocus;
    QLabel* SampleCaption;  // "Sample"
    QLabel* SampleNumber;   // the current sample's number, large red digits
    QLabel* PitchCaption;   // "Pitch by semitone"
    ClickablePicture* Image1; // pitch down
    ClickablePicture* Image2; // pitch up
    QLabel* Image1Pressed;  // the pressed-state pictures beneath
    QLabel* Image2Pressed;
    QSlider* TrackBar1;     // frequency, caption "Pitch"
    TBJKnob* VolumeKnob;
    TBJKnob* PanKnob;
    PictureButton* PlayButton;
    QPushButton* OKButton;
    QTimer Timer1;

signals:
    // "&Open" named a file for sample n: its Extra samples button shows `caption`.
    void sampleCaptionChanged(int n, const QString& caption);

public slots:
    void FileOpenClick();
    void FileCloseClick();
    void FileExitClick();
    void Image1Click(); // pitch down a semitone
    void Image2Click(); // pitch up a semitone
    void TrackBar1Change(int position);
    void VolumeKnobChange();
    void PanKnobChange();
    void PlayButtonClick();
    void Timer1Timer();
    void OKButtonClick();
    void GlobalFocusClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void semitoneStep(ClickablePicture* picture, int semitones);
    void showSliderPosition();
    void report(const QString& text);

    ExtraSamples& Samples;
    QPointer<QWidget> MainWindow;
};

} // namespace tamboro
