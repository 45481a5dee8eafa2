#pragma once
// How many notes landed at each offset, in 2-ms bins from early (left) to late (right), notes
// beyond the range counted in the outermost bins. Drawn with QPainter at any size.

#include <QWidget>

#include <vector>

namespace tamboro {

class OffsetHistogram : public QWidget {
    Q_OBJECT
public:
    explicit OffsetHistogram(QWidget* parent = nullptr);
    void setOffsets(const std::vector<double>& offsetsMs, double rangeMs);
    const std::vector<int>& bins() const { return bins_; }
    static constexpr double kBinMs = 2;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<int> bins_;
    double rangeMs_ = 50;
};

} // namespace tamboro
