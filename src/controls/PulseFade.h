#pragma once
// The pulse light's fade: a bar lit at full height by a pulse whose top edge moves down by two steps
// on each fade tick until it is dark. Pure state, driven by the widget's timer.

namespace tamboro {

class PulseFade {
public:
    static constexpr int kDefaultFadeRate = 10;

    // Timer period for a fade rate: 1000 / rate ms, rounded (100 ms for the default rate).
    static int timerPeriodMs(int fadeRate);

    explicit PulseFade(int height = 32) : height_(height), barHeight_(height) {}

    int fadeRate() const { return fadeRate_; }
    // A rate of 0 or less would divide by zero when sizing the steps; it is refused and the
    // previous rate kept. Returns whether the rate was taken.
    bool setFadeRate(int rate);

    // The control's size changed: the bar covers the whole control again and the step is resized.
    void resize(int height);
    // Lights the bar at full height and (re)starts the fade.
    void pulse();
    // One timer tick. Returns false when the fade has ended and the timer should stop.
    bool tick();

    bool timerEnabled() const { return timerEnabled_; }
    int barTop() const { return barTop_; }
    int barHeight() const { return barHeight_; }
    int step() const { return step_; }

private:
    void computeStep();

    int height_;
    int fadeRate_ = kDefaultFadeRate;
    int step_ = 0;
    int offset_ = 0;
    int barTop_ = 0;
    int barHeight_;
    bool timerEnabled_ = true; // the fade timer runs from creation
};

} // namespace tamboro
