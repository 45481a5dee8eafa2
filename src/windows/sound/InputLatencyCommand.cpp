#include "windows/sound/InputLatencyCommand.h"

#include "common/Error.h"
#include "kits/ClickSynth.h"
#include "sound/NullAudioBackend.h"
#include "sound/RtAudioBackend.h"
#include "sound/SoundDevice.h"
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
        SoundDeviceOptions deviceOptions;
        deviceOptions.recordInput = true;
        SoundDevice sound(std::move(backend), deviceOptions);
        if (!sound.inputProblem().empty())
            throw Error(sound.inputProblem());
        return calibrateInputLatency(sound, clickWave(ClickVoice::Accent));
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
