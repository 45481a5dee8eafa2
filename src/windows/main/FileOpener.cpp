#include "windows/main/FileOpener.h"

#include "app/OpenableFiles.h"
#include "windows/main/KitLibraryCommand.h"
#include "windows/main/PatternSongCommands.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace tamboro {

FileOpener::FileOpener(QWidget& window, PatternSongCommands& songs, KitLibraryCommand* kits)
    : QObject(&window), songs_(songs), kits_(kits) {
    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

bool FileOpener::openFile(const std::filesystem::path& file) {
    switch (openableKindOf(file)) {
    case OpenableKind::Song:
        return songs_.openSongFile(file);
    case OpenableKind::Pattern:
        songs_.openPatternFile(file);
        return true;
    case OpenableKind::Kit:
        return kits_ && kits_->openKitFile(file);
    case OpenableKind::Wave:
    case OpenableKind::Other:
        break;
    }
    return false;
}

std::vector<std::filesystem::path> FileOpener::openableFiles(const QMimeData* mime) {
    std::vector<std::filesystem::path> files;
    if (!mime || !mime->hasUrls())
        return files;
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile())
            continue;
        const std::filesystem::path file = url.toLocalFile().toStdString();
        const OpenableKind kind = openableKindOf(file);
        if (kind == OpenableKind::Song || kind == OpenableKind::Pattern || kind == OpenableKind::Kit)
            files.push_back(file);
    }
    return files;
}

bool FileOpener::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (openableFiles(drag->mimeData()).empty())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const auto files = openableFiles(drop->mimeData());
        if (files.empty())
            return false;
        drop->acceptProposedAction();
        for (const auto& file : files)
            openFile(file);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace tamboro
