#pragma once
// One figure of the practice history over days, one line per song: the mean offset (0 is on the
// beat) or the standard deviation (lower is steadier). Drawn with QPainter at any size.

#include "feedback/PracticeHistory.h"

#include <QWidget>

#include <vector>

namespace tamboro {

class ProgressPlot : public QWidget {
    Q_OBJECT
public:
    enum class Figure { Mean, Steadiness };
    ProgressPlot(Figure figure, QWidget* parent = nullptr);
    void setSongs(std::vector<SongProgress> songs);
    // The colour of the song at `index`, the same in every plot and in the legend.
    static QColor songColor(std::size_t index);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Figure figure_;
    std::vector<SongProgress> songs_;
};

} // namespace tamboro
