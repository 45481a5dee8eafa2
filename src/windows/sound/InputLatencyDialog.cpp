#include "windows/sound/InputLatencyDialog.h"

#include "common/Error.h"
#include "windows/main/SettingsStore.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace tamboro {

InputLatencyDialog::InputLatencyDialog(InputSettings settings, std::vector<std::string> devices,
                                       Calibrate calibrate, QWidget* parent)
    : QDialog(parent), calibrate_(std::move(calibrate)) {
    setWindowTitle("Calibrate input latency");
    auto* form = new QFormLayout;
    deviceBox_ = new QComboBox(this);
    deviceBox_->setObjectName("inputDeviceBox");
    deviceBox_->addItem("None (no recording)", QString());
    deviceBox_->addItem("The system's default input", QString("default"));
    for (const std::string& name : devices)
        deviceBox_->addItem(QString::fromStdString(name), QString::fromStdString(name));
    const QString chosen = QString::fromStdString(settings.device);
    if (deviceBox_->findData(chosen) < 0)
        deviceBox_->addItem(chosen + " (not connected)", chosen);
    deviceBox_->setCurrentIndex(deviceBox_->findData(chosen));
    form->addRow("Input device:", deviceBox_);

    latencyEdit_ = new QLineEdit(QString::number(settings.latencyMs, 'f', 1), this);
    latencyEdit_->setObjectName("latencyEdit");
    form->addRow("Round-trip latency (ms):", latencyEdit_);

    auto* explanation = new QLabel("Connect the output to the input with a cable, or hold the microphone "
                                   "near the speaker, then press Calibrate: Tamboro plays a few clicks "
                                   "and measures how late they come back. With an input device, Play "
                                   "records a take and shows your timing; a new device is used from "
                                   "Tamboro's next start.",
                                   this);
    explanation->setWordWrap(true);
    calibrateButton_ = new QPushButton("Calibrate", this);
    calibrateButton_->setObjectName("calibrateButton");
    resultLabel_ = new QLabel(this);
    resultLabel_->setObjectName("resultLabel");
    resultLabel_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    okButton_ = buttons->button(QDialogButtonBox::Ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(explanation);
    layout->addWidget(calibrateButton_);
    layout->addWidget(resultLabel_);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(calibrateButton_, &QPushButton::clicked, this, &InputLatencyDialog::startCalibration);
    connect(latencyEdit_, &QLineEdit::textChanged, this, &InputLatencyDialog::updateAcceptable);
    connect(deviceBox_, &QComboBox::currentIndexChanged, this, &InputLatencyDialog::updateAcceptable);
    updateAcceptable();
}

InputLatencyDialog::~InputLatencyDialog() {
    if (worker_.joinable())
        worker_.join();
}

InputSettings InputLatencyDialog::settings() const {
    InputSettings s;
    s.device = deviceBox_->currentData().toString().toStdString();
    s.latencyMs = parseLatencyMs(latencyEdit_->text().toStdString()).value_or(0.0);
    return s;
}

void InputLatencyDialog::setCalibrationNeedsDevice(bool needs) {
    needsDevice_ = needs;
    updateAcceptable();
}

void InputLatencyDialog::updateAcceptable() {
    okButton_->setEnabled(parseLatencyMs(latencyEdit_->text().toStdString()).has_value());
    calibrateButton_->setEnabled(!worker_.joinable() &&
                                 (!needsDevice_ || !deviceBox_->currentData().toString().isEmpty()));
}

void InputLatencyDialog::startCalibration() {
    if (worker_.joinable())
        return;
    const std::string device = deviceBox_->currentData().toString().toStdString();
    resultLabel_->setText("Listening for the clicks...");
    calibrateButton_->setEnabled(false);
    deviceBox_->setEnabled(false);
    // The worker hands its finding back through a queued call; the destructor waits for it, so
    // the dialog outlives the call's posting.
    worker_ = std::thread([this, device] {
        LatencyFinding finding;
        QString error;
        try {
            finding = calibrate_(device);
        } catch (const Error& e) {
            error = QString::fromStdString(e.what());
        }
        QMetaObject::invokeMethod(
            this, [this, finding, error] { showFinding(finding, error); }, Qt::QueuedConnection);
    });
}

void InputLatencyDialog::showFinding(const LatencyFinding& finding, const QString& error) {
    if (worker_.joinable())
        worker_.join();
    deviceBox_->setEnabled(true);
    if (!error.isEmpty())
        resultLabel_->setText(error);
    else if (!finding.found)
        resultLabel_->setText("No clicks found: " + QString::fromStdString(finding.problem) +
                              ". Turn the output up or move the microphone nearer the speaker.");
    else {
        latencyEdit_->setText(QString::number(finding.latencyMs, 'f', 1));
        resultLabel_->setText(QString("Measured %1 ms (match %2).")
                                  .arg(finding.latencyMs, 0, 'f', 1)
                                  .arg(finding.match, 0, 'f', 2));
    }
    updateAcceptable();
    emit calibrationFinished();
}

InputSettings loadInputSettings() {
    QSettings settings(SettingsStore::kOrganisation, SettingsStore::kApplication);
    settings.beginGroup(SettingsStore::kGroup);
    return inputSettingsFromStore([&](const std::string& key) -> std::optional<std::string> {
        const QVariant value = settings.value(QString::fromStdString(key));
        if (!value.isValid())
            return std::nullopt;
        return value.toString().toStdString();
    });
}

bool saveInputSettings(const InputSettings& values) {
    QSettings settings(SettingsStore::kOrganisation, SettingsStore::kApplication);
    if (settings.status() != QSettings::NoError || !settings.isWritable())
        return false;
    settings.beginGroup(SettingsStore::kGroup);
    for (const auto& [key, value] : inputSettingsToStore(values))
        settings.setValue(QString::fromStdString(key), QString::fromStdString(value));
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace tamboro
