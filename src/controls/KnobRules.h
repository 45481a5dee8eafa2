#pragma once
// The rotary knob's value rules, kept apart from any widget: clamping into a range whose bounds may
// be given in either order, and the vertical drag measured from the value at the press (so rounding
// never accumulates over a long drag).

namespace tamboro {

// Clamps v between min and max, whichever of the two is larger; an inverted range (min > max) is
// allowed. With min == max, v is returned unchanged.
double clampKnobValue(double v, double minValue, double maxValue);

// The unclamped value a drag asks for: the whole range per `sensitivity` pixels, upwards increasing
// (towards maxValue). Returns startValue when sensitivity is 0, which would otherwise divide by zero.
double knobDragTarget(double minValue, double maxValue, int sensitivity, int pressY, int currentY,
                      double startValue);

// The knob's value model: value, its bounds and the drag state. Setting a bound does not re-clamp
// value, as a form may set the bounds one after the other.
class KnobValue {
public:
    double value() const { return value_; }
    double minValue() const { return min_; }
    double maxValue() const { return max_; }
    int sensitivity() const { return sensitivity_; }
    bool dragging() const { return dragging_; }

    // Clamps and stores v. Returns false when v equals the current value (nothing to repaint).
    bool setValue(double v);
    void setMinValue(double v) { min_ = v; }
    void setMaxValue(double v) { max_ = v; }
    void setSensitivity(int pixels) { sensitivity_ = pixels; }

    void press(int y);
    // Applies a pointer move. Returns true when the move counts as a user change (the caller raises
    // turnedByUser): while dragging over a non-empty range, even if the value is pinned at a bound.
    bool move(int y);
    void release() { dragging_ = false; }

private:
    double value_ = 0;
    double min_ = 0;
    double max_ = 100;
    int sensitivity_ = 100;
    bool dragging_ = false;
    int pressY_ = 0;
    double pressValue_ = 0;
};

} // namespace tamboro
