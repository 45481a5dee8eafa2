#pragma once
// Setup > Calibrate input latency: the input device to record (none, the system's default or one
// by name) and the input's round-trip latency, measured by playing a click burst (on a thread of
// its own, so the window stays live) or typed. OK keeps both; the caller stores them.

#include "app/InputSettings.h"
#include "sound/LatencyCalibration.h"

#include <QDialog>

#include <functional>
#include <string>
#include <thread>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tamboro {

class InputLatencyDialog : public QDialog {
    Q_OBJECT
public:
    // Runs a calibration through the input `device` (InputSettings::device); called on a worker
    // thread, may throw Error.
    using Calibrate = std::function<LatencyFinding(const std::string& device)>;

    InputLatencyDialog(InputSettings settings, std::vector<std::string> devices, Calibrate calibrate,
                       QWidget* parent = nullptr);
    // Waits for a calibration still running.
    ~InputLatencyDialog() override;

    // Whether Calibrate needs an input device chosen (not on the null device, whose input is its
    // own output).
    void setCalibrationNeedsDevice(bool needs);

    // The device chosen and the latency typed or measured.
    InputSettings settings() const;

signals:
    void calibrationFinished();

private:
    void startCalibration();
    void showFinding(const LatencyFinding& finding, const QString& error);
    void updateAcceptable();

    Calibrate calibrate_;
    QComboBox* deviceBox_ = nullptr;
    QLineEdit* latencyEdit_ = nullptr;
    QPushButton* calibrateButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QLabel* resultLabel_ = nullptr;
    bool needsDevice_ = true;
    std::thread worker_;
};

// Loads and saves the input settings beside the program's other settings. save returns whether
// they were written.
InputSettings loadInputSettings();
bool saveInputSettings(const InputSettings& settings);

} // namespace tamboro
