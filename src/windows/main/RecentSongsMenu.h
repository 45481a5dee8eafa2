#pragma once
// File > Recent songs: the last eight songs opened or saved, newest first, kept in the settings
// under "RecentSongs" (written only once a song has been opened or saved, so the settings of a
// session without songs stay as they were). Choosing one opens it; one that no longer exists is
// removed from the list with a message.

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QMenu;

namespace tamboro {

class PatternSongCommands;

class RecentSongsMenu : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kSettingsKey = "RecentSongs";

    // Fills `menu` from the settings and follows `songs`; owned by `menu`.
    RecentSongsMenu(QMenu& menu, PatternSongCommands& songs);

    // Tells the user that a listed song is gone; tests replace it.
    std::function<void(const QString& message)> showMessage;

    QStringList songs() const { return songs_; }
    // Opens entry `index` of the list, as choosing it in the menu does.
    void openRecent(int index);

private:
    void songUsed(const QString& file);
    void store();
    void rebuild();

    QMenu& menu_;
    PatternSongCommands& commands_;
    QStringList songs_;
};

} // namespace tamboro
