#pragma once
// Loads the skin's pictures from the installed asset folder. A missing picture gives a null pixmap:
// the window then shows its plain background colour instead of failing.

#include <QPixmap>
#include <QString>

namespace tamboro {

// The asset folder the program uses (see findAssetDir); empty when none was found.
QString assetFolder();

// A skin file by its name relative to the skin folder, e.g. "main.jpg" or "glyphs/playPattern.png".
QPixmap skinPixmap(const QString& relativeName);

} // namespace tamboro
