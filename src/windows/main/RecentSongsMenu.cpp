#include "windows/main/RecentSongsMenu.h"

#include "app/OpenableFiles.h"
#include "windows/main/PatternSongCommands.h"
#include "windows/main/SettingsStore.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>

namespace tamboro {

namespace {

std::vector<std::string> toStd(const QStringList& list) {
    std::vector<std::string> out;
    for (const QString& s : list)
        out.push_back(s.toStdString());
    return out;
}

QStringList toQt(const std::vector<std::string>& list) {
    QStringList out;
    for (const std::string& s : list)
        out << QString::fromStdString(s);
    return out;
}

} // namespace

RecentSongsMenu::RecentSongsMenu(QMenu& menu, PatternSongCommands& songs)
    : QObject(&menu), menu_(menu), commands_(songs) {
    showMessage = [this](const QString& message) {
        QMessageBox::information(menu_.parentWidget(), QStringLiteral("Recent songs"), message);
    };
    QSettings settings(SettingsStore::kOrganisation, SettingsStore::kApplication);
    settings.beginGroup(SettingsStore::kGroup);
    // Whatever the store holds, the list keeps its rules (each file once, at most eight): the
    // stored files are used again from the oldest to the newest.
    const QStringList stored = settings.value(kSettingsKey).toStringList();
    std::vector<std::string> recent;
    for (auto file = stored.crbegin(); file != stored.crend(); ++file)
        if (!file->isEmpty())
            recent = recentSongsAfterUse(recent, file->toStdString());
    songs_ = toQt(recent);
    connect(&songs, &PatternSongCommands::songFileUsed, this, &RecentSongsMenu::songUsed);
    rebuild();
}

void RecentSongsMenu::songUsed(const QString& file) {
    const QString absolute = QFileInfo(file).absoluteFilePath();
    songs_ = toQt(recentSongsAfterUse(toStd(songs_), absolute.toStdString()));
    store();
    rebuild();
}

void RecentSongsMenu::openRecent(int index) {
    if (index < 0 || index >= songs_.size())
        return;
    const QString file = songs_[index];
    if (!QFileInfo::exists(file)) {
        songs_ = toQt(recentSongsWithout(toStd(songs_), file.toStdString()));
        store();
        rebuild();
        if (showMessage)
            showMessage(QStringLiteral("The song \"%1\" no longer exists; it was removed from Recent songs.")
                            .arg(file));
        return;
    }
    commands_.openSongFile(file.toStdString());
}

void RecentSongsMenu::store() {
    QSettings settings(SettingsStore::kOrganisation, SettingsStore::kApplication);
    settings.beginGroup(SettingsStore::kGroup);
    settings.setValue(kSettingsKey, songs_);
}

void RecentSongsMenu::rebuild() {
    menu_.clear();
    for (int i = 0; i < songs_.size(); ++i) {
        QAction* action =
            menu_.addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(songs_[i]).fileName()));
        action->setToolTip(songs_[i]);
        connect(action, &QAction::triggered, this, [this, i] { openRecent(i); });
    }
    menu_.setEnabled(!songs_.isEmpty());
}

} // namespace tamboro
