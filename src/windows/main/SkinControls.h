#pragma once
// The main window's controls as the skin draws them: bold captions, round picture buttons and round
// knobs, made at their places on the window's surface. Every part of the window builds its controls
// with these, so they all look alike.

#include <QString>

class QLabel;
class QWidget;

namespace tamboro {

class Knob;
class PictureButton;

// A bold caption that lets the mouse through to the background under it.
QLabel* skinCaption(QWidget* surface, const QString& text, int x, int y, const QString& colour);

// A 37 x 37 button clipped to its circle, showing its own glyph file or, with `imageListIndex` of 0
// or more, an image of the skin's image list.
PictureButton* skinButton(QWidget* surface, const char* name, int x, int y, const QString& hint,
                          int imageListIndex = -1);

// A round knob of `size` pixels, `sensitivity` pixels of mouse travel covering min..max.
Knob* skinKnob(QWidget* surface, const char* name, int x, int y, int size, double min, double max,
               int sensitivity);

// The style of the small entry boxes (BPM, Time/Bar, name, loops): dark text on light fields,
// readable also while disabled.
extern const char* const kEntryBoxStyle;

} // namespace tamboro
