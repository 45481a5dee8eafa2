#pragma once
// The about window's scrolling line: a text padded with 40 blanks on each side, shown 40 characters
// at a time, one character further on each tick, starting over once the text has passed.

#include <string>

namespace tamboro {

class AboutScroller {
public:
    static constexpr int kVisibleChars = 40;

    // The about line's sentence followed by the credit, as the window shows it.
    static std::string defaultMessage();

    explicit AboutScroller(const std::string& message = defaultMessage());

    // The 40 characters shown at the current position, then advances the position.
    std::string tick();

    int position() const { return position_; } // 1-based, 1 at creation
    const std::string& paddedText() const { return padded_; }

private:
    std::string padded_;
    int position_ = 1;
};

} // namespace tamboro
