#pragma once
// The encoder window ("Wav to mp3"): after a render it offers the WAV file, an MP3 path and a bit
// rate, starts the external encoder on "GO" and watches it, blinking its light until it ends. It
// closes when the encoder succeeded; a failure is reported with the encoder's exit status, and the
// WAV file is left as the render wrote it.

#include "common/ChildProcess.h"

#include <QWidget>

#include <filesystem>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace tamboro {

class Mp3ExportWindow : public QWidget {
    Q_OBJECT
public:
    explicit Mp3ExportWindow(QWidget* parent = nullptr);

    // The encoder program started by "GO".
    void setEncoderPath(const std::filesystem::path& path) { encoderPath_ = path; }
    // Fills "From wav" (and so "To mp3").
    void setWavPath(const QString& path);

    QLineEdit* wavPathBox; // "From wav", read-only
    QLineEdit* mp3PathBox; // "To mp3"
    QComboBox* bitRateBox; // "Bit Rate"
    QPushButton* goButton; // "GO"
    QLabel* activityLight; // the activity light
    QProgressBar* progressBar;
    QTimer* pollTimer; // polls the encoder every 400 ms

    // Tells the user that the encoder could not start or ended with a failure; the window stays
    // open so the user can try again. Tests replace it.
    std::function<void(const QString& message)> showProblem;

    // True while the last started encoder runs.
    bool encoderRunning() { return encoderProcess_.running(); }

public slots:
    void goClicked();

private slots:
    void wavPathChanged(const QString& text);
    void onPollTick();

private:
    QString failureText(const QString& why) const;

    std::filesystem::path encoderPath_;
    ChildProcess encoderProcess_;
};

} // namespace tamboro
