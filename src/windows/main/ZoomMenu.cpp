#include "windows/main/ZoomMenu.h"

#include "app/ZoomSteps.h"
#include "windows/main/KeyboardShortcuts.h"
#include "windows/main/MainWindow.h"
#include "windows/main/SettingsStore.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QSettings>

namespace tamboro {

namespace {

QString settingsKey() {
    return QString(SettingsStore::kGroup) + "/" + ZoomMenu::kSettingsKey;
}

} // namespace

ZoomMenu::ZoomMenu(QMenu& menu, MainWindow& window) : QObject(&menu), window_(window) {
    auto* group = new QActionGroup(this);
    group->setExclusive(true);
    for (std::size_t i = 0; i < kZoomPercents.size(); ++i) {
        const int percent = kZoomPercents[i];
        QAction* item = menu.addAction(QString("%1 %").arg(percent));
        item->setObjectName(QString("zoom%1Action").arg(percent));
        item->setCheckable(true);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, percent] { choose(percent); });
        items_[i] = item;
    }
    menu.addSeparator();
    const auto bind = [&](const QString& text, KeyCommand command, auto step) {
        QAction* action = menu.addAction(text);
        bindApplicationKeys(*action, command, window);
        connect(action, &QAction::triggered, this, [this, step] { choose(step(percent_)); });
    };
    bind(QStringLiteral("Zoom in"), KeyCommand::ZoomIn, zoomInFrom);
    bind(QStringLiteral("Zoom out"), KeyCommand::ZoomOut, zoomOutFrom);
    bind(QStringLiteral("Actual size"), KeyCommand::ZoomReset, [](int) { return kDefaultZoomPercent; });

    const QSettings settings(SettingsStore::kOrganisation, SettingsStore::kApplication);
    const std::optional<int> stored =
        zoomPercentFromStored(settings.value(settingsKey()).toString().toStdString());
    apply(stored.value_or(kDefaultZoomPercent));
}

QAction* ZoomMenu::itemFor(int percent) const {
    for (std::size_t i = 0; i < kZoomPercents.size(); ++i)
        if (kZoomPercents[i] == percent)
            return items_[i];
    return nullptr;
}

void ZoomMenu::choose(int percent) {
    if (!itemFor(percent))
        return;
    apply(percent);
    QSettings settings(SettingsStore::kOrganisation, SettingsStore::kApplication);
    settings.setValue(settingsKey(), QString::number(percent));
}

void ZoomMenu::apply(int percent) {
    percent_ = percent;
    itemFor(percent)->setChecked(true);
    window_.setZoom(percent / 100.0);
}

} // namespace tamboro
