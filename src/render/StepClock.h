#pragma once
// The render's clock: the time of every cell line of the song script, as the render walk adds it
// up (double seconds, the lead-in of the first pattern's step before the first row, each entry's
// rows at its own tempo), and the one rounding of a time to the frame a hit starts on. The render
// and everything that must agree with it to the frame (timing feedback) use this one walk.

#include "common/Rounding.h"
#include "render/RenderScript.h"

#include <cstddef>
#include <cstdint>

namespace tamboro {

class RenderStepClock {
public:
    explicit RenderStepClock(double firstStepSeconds) : step_(firstStepSeconds) {}

    // Advances to cell line `line` (0-based within `segment`); call for every line in script order.
    void advance(const ScriptSegment& segment, std::size_t line) {
        if (line == 0) {
            time_ += step_;
            step_ = 60.0 / segment.tempo / 4;
            column_ = 1;
            return;
        }
        if (++column_ == 7) {
            column_ = 1;
            time_ += step_;
        }
    }
    double seconds() const { return time_; }
    int column() const { return column_; } // 1 to 6

private:
    double time_ = 0;
    double step_;
    int column_ = 1;
};

// Round(byteRate x start / blockAlign) of the render format (stereo 16-bit 44100 Hz).
inline std::int64_t renderFrameAt(double seconds) {
    return roundHalfEven(176400.0 * seconds / 4);
}

// Visits every step row of the song in play order: visit(segment index, row within the entry
// counted over its loops, the row's frame in the render).
template <class Visit> void forEachRenderStep(const RenderSong& song, Visit&& visit) {
    RenderStepClock clock(song.firstStepSeconds);
    const auto& segments = song.script.segments();
    for (std::size_t s = 0; s < segments.size(); ++s) {
        const std::size_t lines = segments[s].cellLines();
        for (std::size_t i = 0; i < lines; ++i) {
            clock.advance(segments[s], i);
            if (clock.column() == 1)
                visit(s, static_cast<std::int64_t>(i / 6), renderFrameAt(clock.seconds()));
        }
    }
}

} // namespace tamboro
