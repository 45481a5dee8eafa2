#pragma once
// Loads the skin's pictures from the installed asset folder. A missing picture gives a null pixmap:
// the window then shows its plain background colour instead of failing.
//
// The painter draws each picture at several scales (skin::kPaintedScalePercents). A window asks for
// the scale it shows the picture at, its screen's device pixel ratio times its zoom, and gets the
// finest painting it needs, never an enlarged coarser one.

#include <QPixmap>
#include <QString>

namespace tamboro {

// The asset folder the program uses (see findAssetDir); empty when none was found.
QString assetFolder();

// The painted scale (per cent) to draw a picture shown at `scale` device pixels per logical pixel:
// the smallest painted at least that fine, else the finest there is.
int paintedScalePercentFor(double scale);

// A skin file by its name relative to the skin folder, e.g. "main.jpg" or "glyphs/playPattern.png",
// painted for `scale` device pixels per logical pixel. Its device pixel ratio is set so that its
// logical size is the picture's size at 100 % zoom.
QPixmap skinPixmapAt(const QString& relativeName, double scale);

// The same for a window that is not zoomed, at the finest device pixel ratio of the screens.
QPixmap skinPixmap(const QString& relativeName);

} // namespace tamboro
