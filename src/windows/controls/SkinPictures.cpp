#include "windows/controls/SkinPictures.h"

#include "common/AssetDir.h"
#include "controls/SkinFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>

#include <cmath>

namespace tamboro {

QString assetFolder() {
    static const QString folder = [] {
        const std::filesystem::path dir = findAssetDir(QCoreApplication::applicationFilePath().toStdString());
        return QString::fromStdString(dir.string());
    }();
    return folder;
}

int paintedScalePercentFor(double scale) {
    // Three per cent of tolerance: a control's size is rounded to whole pixels (a 37 pixel button
    // at 150 % is 56 pixels, 1.51 times as wide), and that must still find the 150 % painting.
    const int wanted = static_cast<int>(std::ceil(scale * 100 - 3));
    if (wanted <= 100)
        return 100;
    for (const int percent : skin::kPaintedScalePercents)
        if (percent >= wanted)
            return percent;
    return skin::kPaintedScalePercents.back();
}

QPixmap skinPixmapAt(const QString& relativeName, double scale) {
    const QString folder = assetFolder();
    if (folder.isEmpty())
        return {};
    const int percent = paintedScalePercentFor(scale);
    const QString file = QString::fromStdString(skin::scaledFile(relativeName.toStdString(), percent));
    QPixmap pixmap(QDir(folder).filePath(QString(skin::kFolder) + "/" + file));
    if (pixmap.isNull() && percent != 100) // a skin folder painted before the finer scales existed
        return skinPixmapAt(relativeName, 1);
    pixmap.setDevicePixelRatio(percent / 100.0);
    return pixmap;
}

QPixmap skinPixmap(const QString& relativeName) {
    const auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    return skinPixmapAt(relativeName, app ? app->devicePixelRatio() : 1.0);
}

} // namespace tamboro
