#pragma once
// The encoder window ("Wav to mp3"): after a render it offers the WAV file, an MP3 path and a bit
// rate, starts the external encoder on "GO" and watches it, blinking its light until it ends.

#include "common/ChildProcess.h"

#include <QWidget>

#include <filesystem>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace tamboro {

class TMBladefrm : public QWidget {
    Q_OBJECT
public:
    explicit TMBladefrm(QWidget* parent = nullptr);

    // The encoder program started by "GO".
    void setEncoderPath(const std::filesystem::path& path) { EncoderPath = path; }
    // Fills "From wav" (and so "To mp3").
    void setWavPath(const QString& path);

    QLineEdit* Edit1; // "From wav", read-only
    QLineEdit* Edit2; // "To mp3"
    QComboBox* ComboBox1; // "Bit Rate"
    QPushButton* BitBtn1; // "GO"
    QLabel* Shape1; // the activity light
    QProgressBar* ProgressBar1;
    QTimer* Timer1; // polls the encoder every 400 ms

    // True while the last started encoder runs.
    bool encoderRunning() { return EncoderProcess.running(); }

public slots:
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void Edit1Change(const QString& text);
    void Timer1Timer();

private:
    std::filesystem::path EncoderPath;
    ChildProcess EncoderProcess;
};

} // namespace tamboro
