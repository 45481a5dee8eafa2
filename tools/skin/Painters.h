#pragma once
// The skin's pictures, each painted at the size its window gives it.

#include <QImage>
#include <QString>

QImage paintMainBackground();         // 539 x 501
QImage paintKitListBackground();      // 127 x 371
QImage paintExtraSamplesBackground(); // 130 x 365
QImage paintIntroPicture();           // 452 x 362
QImage paintAboutBackground();        // 281 x 259
QImage paintAboutPicture();           // 200 x 150

// A 37 x 37 round button glyph with a transparent surround.
QImage paintButtonGlyph(const QString& buttonName);
QImage paintImageListEntry(int index);
