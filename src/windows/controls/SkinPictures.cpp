#include "windows/controls/SkinPictures.h"

#include "common/AssetDir.h"
#include "controls/SkinFiles.h"

#include <QCoreApplication>
#include <QDir>

namespace tamboro {

QString assetFolder() {
    static const QString folder = [] {
        const std::filesystem::path dir = findAssetDir(QCoreApplication::applicationFilePath().toStdString());
        return QString::fromStdString(dir.string());
    }();
    return folder;
}

QPixmap skinPixmap(const QString& relativeName) {
    const QString folder = assetFolder();
    if (folder.isEmpty())
        return {};
    return QPixmap(QDir(folder).filePath(QString(skin::kFolder) + "/" + relativeName));
}

} // namespace tamboro
