#pragma once
// Knob: a round knob whose indicator angle shows a value between two bounds. The user drags
// vertically with any mouse button; code sets value without raising turnedByUser.

#include "controls/KnobRules.h"

#include <QColor>
#include <QWidget>

#include <functional>

namespace tamboro {

class Knob : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double value READ value WRITE setValue)
    Q_PROPERTY(double minValue READ minValue WRITE setMinValue)
    Q_PROPERTY(double maxValue READ maxValue WRITE setMaxValue)
    Q_PROPERTY(QColor knobColor READ knobColor WRITE setKnobColor)
    Q_PROPERTY(int sensitivity READ sensitivity WRITE setSensitivity)
    Q_PROPERTY(bool transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(QColor indicatorColor READ indicatorColor WRITE setIndicatorColor)

public:
    explicit Knob(QWidget* parent = nullptr);

    double value() const { return model_.value(); }
    double minValue() const { return model_.minValue(); }
    double maxValue() const { return model_.maxValue(); }
    QColor knobColor() const { return knobColor_; }
    int sensitivity() const { return model_.sensitivity(); }
    bool transparent() const { return transparent_; }
    QColor indicatorColor() const { return indicatorColor_; }

    // Clamps into the range and repaints; never raises turnedByUser.
    void setValue(double v);
    // Bounds are stored as given (an inverted range is allowed); value is not re-clamped.
    void setMinValue(double v) { model_.setMinValue(v); }
    void setMaxValue(double v) { model_.setMaxValue(v); }
    void setKnobColor(const QColor& c);
    // Pixels of vertical drag that span the whole range. 0 makes drags do nothing.
    void setSensitivity(int pixels) { model_.setSensitivity(pixels); }
    // True clips the control to its disc.
    void setTransparent(bool t);
    void setIndicatorColor(const QColor& c);

    bool isDragging() const { return model_.dragging(); }

    // The text that shows the knob's value (in the owner's units, read after the owner handled a
    // turn): the knob's tooltip, and shown beside the pointer while it is dragged.
    void setValueText(std::function<QString()> text);
    // The value text as it stands now (empty without one).
    QString valueTip() const { return valueText_ ? valueText_() : QString(); }

signals:
    // Raised on every pointer move while the user drags, also when the value is pinned at a bound.
    void turnedByUser();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void applyTransparency();
    void refreshTip();

    KnobValue model_;
    QColor knobColor_{128, 128, 128};
    QColor indicatorColor_{255, 255, 255};
    bool transparent_ = false;
    std::function<QString()> valueText_;
};

} // namespace tamboro
