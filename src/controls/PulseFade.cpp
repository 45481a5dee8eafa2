#include "controls/PulseFade.h"

#include "common/Rounding.h"

namespace tamboro {

int PulseFade::timerPeriodMs(int fadeRate) {
    return static_cast<int>(roundHalfEven(1000.0 / fadeRate));
}

bool PulseFade::setFadeRate(int rate) {
    if (rate <= 0)
        return false;
    fadeRate_ = rate;
    return true;
}

void PulseFade::computeStep() {
    step_ = static_cast<int>(roundHalfEven(static_cast<double>(height_) / fadeRate_));
}

void PulseFade::resize(int height) {
    height_ = height;
    barTop_ = 0;
    barHeight_ = height;
    computeStep();
}

void PulseFade::pulse() {
    offset_ = 0;
    barTop_ = 0;
    barHeight_ = height_;
    computeStep();
    timerEnabled_ = true;
}

bool PulseFade::tick() {
    offset_ += step_;
    if (offset_ <= height_) {
        offset_ += step_;
        // The second step may pass the bottom edge; the bar then is simply dark.
        barTop_ = offset_ < height_ ? offset_ : height_;
        barHeight_ = height_ - barTop_;
    } else {
        barHeight_ = 0;
        barTop_ = height_;
        timerEnabled_ = false;
    }
    return timerEnabled_;
}

} // namespace tamboro
