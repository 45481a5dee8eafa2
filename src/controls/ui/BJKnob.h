#pragma once
// TBJKnob: a round knob whose indicator angle shows a value between two bounds. The user drags
// vertically with any mouse button; code sets Value without raising OnChange.

#include "controls/KnobRules.h"

#include <QColor>
#include <QWidget>

namespace tamboro {

class TBJKnob : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double Value READ Value WRITE setValue)
    Q_PROPERTY(double MinValue READ MinValue WRITE setMinValue)
    Q_PROPERTY(double MaxValue READ MaxValue WRITE setMaxValue)
    Q_PROPERTY(QColor KnobColor READ KnobColor WRITE setKnobColor)
    Q_PROPERTY(int Sensitivity READ Sensitivity WRITE setSensitivity)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)
    Q_PROPERTY(QColor IndicatorColor READ IndicatorColor WRITE setIndicatorColor)

public:
    explicit TBJKnob(QWidget* parent = nullptr);

    double Value() const { return model_.value(); }
    double MinValue() const { return model_.minValue(); }
    double MaxValue() const { return model_.maxValue(); }
    QColor KnobColor() const { return knobColor_; }
    int Sensitivity() const { return model_.sensitivity(); }
    bool Transparent() const { return transparent_; }
    QColor IndicatorColor() const { return indicatorColor_; }

    // Clamps into the range and repaints; never raises OnChange.
    void setValue(double v);
    // Bounds are stored as given (an inverted range is allowed); Value is not re-clamped.
    void setMinValue(double v) { model_.setMinValue(v); }
    void setMaxValue(double v) { model_.setMaxValue(v); }
    void setKnobColor(const QColor& c);
    // Pixels of vertical drag that span the whole range. 0 makes drags do nothing.
    void setSensitivity(int pixels) { model_.setSensitivity(pixels); }
    // True clips the control to its disc.
    void setTransparent(bool t);
    void setIndicatorColor(const QColor& c);

    bool isDragging() const { return model_.dragging(); }

signals:
    // Raised on every pointer move while the user drags, also when the value is pinned at a bound.
    void OnChange();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void applyTransparency();

    KnobValue model_;
    QColor knobColor_{128, 128, 128};
    QColor indicatorColor_{255, 255, 255};
    bool transparent_ = false;
};

} // namespace tamboro
