#pragma once
// Every note of a take as a dot: time along, offset up (late, behind the beat) or down (early,
// ahead of it), over the +-10 ms and +-25 ms bands. Drawn with QPainter from the widget's size and
// font, so it reads at any size.

#include <QWidget>

#include <vector>

namespace tamboro {

struct OffsetPoint {
    double seconds = 0;
    double offsetMs = 0;
};

class OffsetPlot : public QWidget {
    Q_OBJECT
public:
    explicit OffsetPlot(QWidget* parent = nullptr);
    void setPoints(std::vector<OffsetPoint> points, double lengthSeconds);
    // The offsets the y axis spans either way: 50 ms, or more to hold every note.
    double rangeMs() const { return rangeMs_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<OffsetPoint> points_;
    double lengthSeconds_ = 1;
    double rangeMs_ = 50;
};

} // namespace tamboro
