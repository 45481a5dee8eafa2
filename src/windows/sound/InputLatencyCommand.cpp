#include "windows/sound/InputLatencyCommand.h"

#include "common/Error.h"
#include "sound/LatencyCalibration.h"
#include "sound/NullAudioBackend.h"
#include "sound/RtAudioBackend.h"
#include "windows/sound/InputLatencyDialog.h"

#include <QMessageBox>

namespace tamboro {

void showInputLatencyDialog(QWidget* parent, bool nullAudio) {
    auto calibrate = [nullAudio](const std::string& device) {
        std::unique_ptr<AudioBackend> backend;
        if (nullAudio) {
            NullAudioOptions options;
            options.loopback = true;
            backend = std::make_unique<NullAudioBackend>(options);
        } else {
            SystemAudioOptions options;
            options.inputDevice = device;
            backend = makeSystemAudioBackend(options);
        }
        return calibrateInputLatencyOn(std::move(backend));
    };
    const std::vector<std::string> devices = nullAudio ? std::vector<std::string>{} : systemInputDevices();
    InputLatencyDialog dialog(loadInputSettings(), devices, calibrate, parent);
    dialog.setCalibrationNeedsDevice(!nullAudio);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!saveInputSettings(dialog.settings()))
        QMessageBox::warning(parent, "Calibrate input latency",
                             "The input settings could not be stored; they stay as they were.");
}

} // namespace tamboro
