#include "windows/main/SkinControls.h"

#include "app/MainWindowShape.h"
#include "controls/SkinFiles.h"
#include "windows/controls/Knob.h"
#include "windows/controls/PictureButton.h"

#include <QLabel>
#include <QRegion>

namespace tamboro {

const char* const kEntryBoxStyle =
    "QLineEdit, QSpinBox, QComboBox { background: #eef1f5; color: #10131a; "
    "border: 1px solid #3a404c; border-radius: 2px; }"
    "QLineEdit:disabled, QSpinBox:disabled, QComboBox:disabled { background: #c9ced6; "
    "color: #4a505c; }";

QLabel* skinCaption(QWidget* surface, const QString& text, int x, int y, const QString& colour) {
    auto* label = new QLabel(text, surface);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    label->setStyleSheet("background: transparent; color: " + colour + ";");
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->move(x, y);
    label->adjustSize();
    return label;
}

PictureButton* skinButton(QWidget* surface, const char* name, int x, int y, const QString& hint,
                          int imageListIndex) {
    auto* button = new PictureButton(surface);
    button->setObjectName(name);
    button->setGeometry(x, y, 37, 37);
    button->setToolTip(hint);
    if (imageListIndex >= 0) {
        button->setGlyphFile(QString::fromStdString(skin::imageListFile(imageListIndex)));
        button->setGlyphIndex(imageListIndex);
    } else {
        button->setGlyphFile(QString::fromStdString(skin::glyphFile(name)));
    }
    const PixelRect circle = pictureButtonCircle();
    button->setMask(QRegion(circle.left, circle.top, circle.width, circle.height, QRegion::Ellipse));
    return button;
}

Knob* skinKnob(QWidget* surface, const char* name, int x, int y, int size, double min, double max,
               int sensitivity) {
    auto* k = new Knob(surface);
    k->setObjectName(name);
    k->setGeometry(x, y, size, size);
    k->setMinValue(min);
    k->setMaxValue(max);
    k->setSensitivity(sensitivity);
    k->setKnobColor(QColor(70, 76, 88));
    k->setIndicatorColor(QColor(255, 138, 31));
    QPalette pal = k->palette();
    pal.setColor(QPalette::Window, QColor(36, 40, 48));
    k->setPalette(pal);
    const PixelRect disc = knobCircle(k->width());
    k->setMask(QRegion(disc.left, disc.top, disc.width, disc.height, QRegion::Ellipse));
    return k;
}

} // namespace tamboro
