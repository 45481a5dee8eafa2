#include "windows/main/SettingsStore.h"

#include <QSettings>

namespace tamboro {

AppSettings SettingsStore::load() {
    QSettings settings(kOrganisation, kApplication);
    if (settings.status() != QSettings::NoError)
        return settingsWhenStoreUnavailable();
    settings.beginGroup(kGroup);
    return settingsFromStore([&](const std::string& key) -> std::optional<std::string> {
        const QVariant value = settings.value(QString::fromStdString(key));
        if (!value.isValid())
            return std::nullopt;
        return value.toString().toStdString();
    });
}

bool SettingsStore::save(const AppSettings& values) {
    QSettings settings(kOrganisation, kApplication);
    if (settings.status() != QSettings::NoError || !settings.isWritable())
        return false;
    settings.beginGroup(kGroup);
    for (const auto& [key, value] : settingsToStore(values))
        settings.setValue(QString::fromStdString(key), QString::fromStdString(value));
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace tamboro
