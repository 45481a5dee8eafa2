// Paints the skin: window backgrounds and pictures as JPEG, button glyphs and the image list as PNG,
// each at every scale of skin::kPaintedScalePercents besides its plain size.
// Usage: tamboro-skin-painter OUTDIR

#include "Painters.h"

#include "controls/SkinFiles.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <string>
#include <vector>

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
    // Every picture at one device pixel per logical pixel and at each finer scale a window may show
    // it at (screen scale times zoom).
    std::vector<int> scales{100};
    scales.insert(scales.end(), skin::kPaintedScalePercents.begin(), skin::kPaintedScalePercents.end());
    for (const int percent : scales) {
        const qreal scale = percent / 100.0;
        const auto name = [percent](const std::string& file) {
            return QString::fromStdString(skin::scaledFile(file, percent));
        };
        ok &= save(paintMainBackground(scale), out, name(skin::kMainBackground));
        ok &= save(paintKitListBackground(scale), out, name(skin::kKitListBackground));
        ok &= save(paintExtraSamplesBackground(scale), out, name(skin::kExtraSamplesBackground));
        ok &= save(paintIntroPicture(scale), out, name(skin::kIntroPicture));
        ok &= save(paintAboutBackground(scale), out, name(skin::kAboutBackground));
        ok &= save(paintAboutPicture(scale), out, name(skin::kAboutPicture));
        for (const char* button : skin::kButtonGlyphs)
            ok &= save(paintButtonGlyph(button, scale), out, name(skin::glyphFile(button)));
        for (int i = 0; i < skin::kImageListCount; ++i)
            ok &= save(paintImageListEntry(i, scale), out, name(skin::imageListFile(i)));
    }
    return ok ? 0 : 1;
}
