#pragma once
// Files a user puts on the main window: a dropped song opens as the song, a pattern loads into the
// grid, a kit becomes the kit. The command line's files go the same way. Each kind has one entry
// point (PatternSongCommands::openSongFile and openPatternFile, KitLibraryCommand::openKitFile), so
// a drop, the command line and the menus open a file alike.

#include <QObject>
#include <QPointer>

#include <filesystem>
#include <vector>

class QMimeData;
class QWidget;

namespace tamboro {

class KitLibraryCommand;
class PatternSongCommands;

class FileOpener : public QObject {
    Q_OBJECT
public:
    // Makes `window` take drops of song, pattern and kit files; owned by `window`.
    FileOpener(QWidget& window, PatternSongCommands& songs, KitLibraryCommand* kits);

    // Opens `file` by its kind. False for a file it does not open or one that failed (reported).
    bool openFile(const std::filesystem::path& file);

    // The local files among `mime`'s URLs that this window opens, in their order.
    static std::vector<std::filesystem::path> openableFiles(const QMimeData* mime);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PatternSongCommands& songs_;
    QPointer<KitLibraryCommand> kits_;
};

} // namespace tamboro
