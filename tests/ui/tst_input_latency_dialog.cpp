// Setup > Calibrate input latency: Calibrate measures a known round trip through the null device's
// loopback and shows it; a typed value is taken only when it is milliseconds in range; the device
// chosen and the latency survive a save and a load.

#include "WindowTestSupport.h"
#include "common/Error.h"
#include "kits/ClickSynth.h"
#include "sound/NullAudioBackend.h"
#include "sound/SoundDevice.h"
#include "windows/sound/InputLatencyDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace tamboro;

class InputLatencyDialogTest : public QObject {
    Q_OBJECT

    test::TemporarySettings settings_;

private slots:
    void calibratesTypesAndStores() {
        std::string asked;
        // The real calibration over the null device's loopback, 441 frames (10 ms) late.
        auto calibrate = [&asked](const std::string& device) {
            asked = device;
            NullAudioOptions options;
            options.loopback = true;
            options.inputDelayFrames = 441;
            SoundDeviceOptions deviceOptions;
            deviceOptions.recordInput = true;
            SoundDevice sound(std::make_unique<NullAudioBackend>(options), deviceOptions);
            CalibrationOptions burst;
            burst.clicks = 3;
            burst.intervalSeconds = 0.35;
            burst.maxLatencySeconds = 0.25;
            return calibrateInputLatency(sound, clickWave(ClickVoice::Accent), burst);
        };
        InputLatencyDialog dialog(InputSettings{"USB Audio", 3.5}, {"USB Audio", "Line In"}, calibrate);
        auto* device = dialog.findChild<QComboBox*>("inputDeviceBox");
        auto* latency = dialog.findChild<QLineEdit*>("latencyEdit");
        auto* button = dialog.findChild<QPushButton*>("calibrateButton");
        auto* result = dialog.findChild<QLabel*>("resultLabel");
        QVERIFY(device && latency && button && result);
        QCOMPARE(device->currentText(), QString("USB Audio"));
        QCOMPARE(latency->text(), QString("3.5"));

        device->setCurrentIndex(device->findData(QString("Line In")));
        QSignalSpy finished(&dialog, &InputLatencyDialog::calibrationFinished);
        button->click();
        QVERIFY(!button->isEnabled());
        QVERIFY(finished.wait(30000));
        QCOMPARE(asked, std::string("Line In"));
        QCOMPARE(latency->text(), QString("10.0"));
        QVERIFY2(result->text().contains("10.0 ms"), qPrintable(result->text()));
        QVERIFY(button->isEnabled());

        // Typed values: OK only for milliseconds in range.
        auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        latency->setText("soon");
        QVERIFY(!ok->isEnabled());
        latency->setText("12.5 ms");
        QVERIFY(ok->isEnabled());
        QCOMPARE(dialog.settings(), (InputSettings{"Line In", 12.5}));

        // No input: nothing to calibrate with, except on the null device (its output is its input).
        device->setCurrentIndex(device->findData(QString()));
        QVERIFY(!button->isEnabled());
        dialog.setCalibrationNeedsDevice(false);
        QVERIFY(button->isEnabled());

        QVERIFY(saveInputSettings(InputSettings{"Line In", 12.5}));
        QCOMPARE(loadInputSettings(), (InputSettings{"Line In", 12.5}));
    }

    void aDeviceThatIsGoneStaysChosenAndErrorsAreShown() {
        auto failing = [](const std::string& device) -> LatencyFinding {
            throw Error("Input device \"" + device + "\" cannot be opened: gone");
        };
        InputLatencyDialog dialog(InputSettings{"Old Card", 0}, {}, failing);
        auto* device = dialog.findChild<QComboBox*>("inputDeviceBox");
        QVERIFY(device->currentText().contains("Old Card"));
        QSignalSpy finished(&dialog, &InputLatencyDialog::calibrationFinished);
        dialog.findChild<QPushButton*>("calibrateButton")->click();
        QVERIFY(finished.wait(10000));
        QVERIFY(dialog.findChild<QLabel*>("resultLabel")->text().contains("\"Old Card\" cannot be opened"));
        QCOMPARE(dialog.findChild<QLineEdit*>("latencyEdit")->text(), QString("0.0"));
    }
};

QTEST_MAIN(InputLatencyDialogTest)
#include "tst_input_latency_dialog.moc"
