#pragma once
// A round picture button: paints its glyph, sinks by a pixel while pressed, brightens under the
// pointer and greys out when disabled. The owner clips it to its circle.

#include <QAbstractButton>
#include <QPixmap>
#include <QString>

namespace tamboro {

class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent = nullptr);

    void setGlyph(const QPixmap& glyph);
    // The glyph as a skin file ("glyphs/stop.png"), loaded as finely as the button is shown: its
    // size (37 x 37 at 100 % zoom) times the screen's device pixel ratio.
    void setGlyphFile(const QString& relativeName);
    const QPixmap& glyph() const { return glyph_; }
    // Which image of an image list the glyph came from (-1: its own glyph), so toggles can be checked.
    void setGlyphIndex(int index) { glyphIndex_ = index; }
    int glyphIndex() const { return glyphIndex_; }

    QSize sizeHint() const override { return {37, 37}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void loadGlyph();

    QPixmap glyph_;
    QString glyphFile_;
    int glyphPercent_ = 0; // the painted scale glyph_ was loaded at
    int glyphIndex_ = -1;
    bool hovered_ = false;
};

} // namespace tamboro
