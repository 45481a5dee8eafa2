#include "controls/AboutScroller.h"

namespace tamboro {

std::string AboutScroller::defaultMessage() {
    return "Tamboro is a percussion sequencer for practicing guitar, bass, and keyboards with the sound "
           "quality of a recording studio. Made by the Tamboro team at Quillon.";
}

AboutScroller::AboutScroller(const std::string& message)
    : padded_(std::string(kVisibleChars, ' ') + message + std::string(kVisibleChars, ' ')) {}

std::string AboutScroller::tick() {
    std::string shown = padded_.substr(static_cast<std::size_t>(position_ - 1), kVisibleChars);
    ++position_;
    if (position_ >= static_cast<int>(padded_.size()) - kVisibleChars)
        position_ = 1;
    return shown;
}

} // namespace tamboro
