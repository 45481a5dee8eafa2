#include "controls/KnobRules.h"

namespace tamboro {

double clampKnobValue(double v, double minValue, double maxValue) {
    if (v > maxValue && maxValue > minValue)
        return maxValue;
    if (v > minValue && minValue > maxValue)
        return minValue;
    if (v < maxValue && maxValue < minValue)
        return maxValue;
    if (v < minValue && minValue < maxValue)
        return minValue;
    return v;
}

double knobDragTarget(double minValue, double maxValue, int sensitivity, int pressY, int currentY,
                      double startValue) {
    if (sensitivity == 0)
        return startValue;
    const double fraction = static_cast<double>(pressY - currentY) / sensitivity;
    return (maxValue - minValue) * fraction + startValue;
}

bool KnobValue::setValue(double v) {
    if (v == value_)
        return false;
    value_ = clampKnobValue(v, min_, max_);
    return true;
}

void KnobValue::press(int y) {
    dragging_ = true;
    pressY_ = y;
    pressValue_ = value_;
}

bool KnobValue::move(int y) {
    if (!dragging_ || max_ == min_)
        return false;
    setValue(knobDragTarget(min_, max_, sensitivity_, pressY_, y, pressValue_));
    return true;
}

} // namespace tamboro
