#pragma once
// The skin's pictures, each painted at the size its window gives it (in logical pixels) with `scale`
// device pixels per logical pixel.

#include <QImage>
#include <QString>

QImage paintMainBackground(qreal scale = 1);         // 539 x 501
QImage paintKitListBackground(qreal scale = 1);      // 127 x 371
QImage paintExtraSamplesBackground(qreal scale = 1); // 130 x 365
QImage paintIntroPicture(qreal scale = 1);           // 452 x 362
QImage paintAboutBackground(qreal scale = 1);        // 281 x 259
QImage paintAboutPicture(qreal scale = 1);           // 200 x 150

// A 37 x 37 round button glyph with a transparent surround.
QImage paintButtonGlyph(const QString& buttonName, qreal scale = 1);
QImage paintImageListEntry(int index, qreal scale = 1);
