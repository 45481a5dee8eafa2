// Paints the skin: window backgrounds and pictures as JPEG, button glyphs and the image list as PNG.
// Usage: tamboro-skin-painter OUTDIR

#include "Painters.h"

#include "controls/SkinFiles.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

namespace {

bool save(const QImage& image, const QDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    const bool isJpeg = name.endsWith(".jpg");
    // Write beside the target and rename, so a failed run never leaves half a picture.
    const QString temporary = path + ".part";
    if (!image.save(temporary, isJpeg ? "JPEG" : "PNG", isJpeg ? 92 : -1)) {
        std::fprintf(stderr, "tamboro-skin-painter: cannot write %s\n", qPrintable(temporary));
        return false;
    }
    QFile::remove(path);
    if (!QFile::rename(temporary, path)) {
        std::fprintf(stderr, "tamboro-skin-painter: cannot rename to %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tamboro-skin-painter OUTDIR\n");
        return 2;
    }
    namespace skin = tamboro::skin;
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = true;
    ok &= save(paintMainBackground(), out, skin::kMainBackground);
    ok &= save(paintKitListBackground(), out, skin::kKitListBackground);
    ok &= save(paintExtraSamplesBackground(), out, skin::kExtraSamplesBackground);
    ok &= save(paintIntroPicture(), out, skin::kIntroPicture);
    ok &= save(paintAboutBackground(), out, skin::kAboutBackground);
    ok &= save(paintAboutPicture(), out, skin::kAboutPicture);
    for (const char* button : skin::kButtonGlyphs)
        ok &= save(paintButtonGlyph(button), out, QString::fromStdString(skin::glyphFile(button)));
    for (int i = 0; i < skin::kImageListCount; ++i)
        ok &= save(paintImageListEntry(i), out, QString::fromStdString(skin::imageListFile(i)));
    return ok ? 0 : 1;
}
