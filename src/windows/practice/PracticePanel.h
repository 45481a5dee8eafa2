#pragma once
// The Practice panel: a frameless side window in the skin's colours beside the main window, holding
// the practice tools' controls (count-in, click and its level, tap tempo, tempo scale, speed
// trainer, section, bar breaks, beat dropper, swing) and what a playing session shows at a glance
// (play and pass, tempo as a percentage and in BPM, plays until the next change, session time).
// It only edits a PracticeSettings value and reports requests; the main window plays and renders.

#include "controls/TapTempo.h"
#include "song/PracticeSettings.h"
#include "sound/PracticePlayer.h"

#include <QElapsedTimer>
#include <QWidget>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

namespace tamboro {

class PracticePanel : public QWidget {
    Q_OBJECT
public:
    explicit PracticePanel(QWidget* parent = nullptr);

    PracticeSettings settings() const;
    // Shows `settings` in the controls (values out of a control's range are clamped by it).
    void setSettings(const PracticeSettings& settings);
    // The session's state: shown in the status lines.
    void showStatus(const PracticeStatus& status);
    // A tap at `seconds` (a steady clock): the Tap button and the key T call it with the panel's
    // clock; tests give their own times.
    void tap(double seconds);
    // A tap now, on the panel's clock.
    void tapNow();

    // The controls, named for the tests.
    QSpinBox *countInBox, *clickLevelBox, *trainerEveryBox, *sectionFromBox, *sectionToBox, *barPlayBox,
        *barMuteBox, *dropBox, *seedBox, *playsBox;
    QDoubleSpinBox *tempoScaleBox, *trainerFromBox, *trainerToBox, *trainerStepBox, *swingBox, *minutesBox;
    QCheckBox *clickBox, *trainerBox, *sectionBox, *barBreaksBox, *byMinutesBox;
    QPushButton *tapButton, *startButton, *stopButton, *renderButton;
    QLabel *tapLabel, *playLabel, *tempoLabel, *changeLabel, *timerLabel;

signals:
    void settingsChanged();
    void startRequested();
    void stopRequested();
    // Tap tempo measured a tempo.
    void tempoTapped(int bpm);
    // "Render practice track": a number of plays, or minutes (the other is 0).
    void renderRequested(int plays, double minutes);
    // The panel was shown or hidden by the program (not by the window system minimising it), so
    // the View menu's check mark and the main window's button can follow it.
    void shownChanged(bool shown);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildControls();
    void enableParts();

    TapTempo tapTempo_;
    QElapsedTimer tapClock_;
};

} // namespace tamboro
