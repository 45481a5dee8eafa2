#include "windows/feedback/ProgressWindow.h"

#include "common/Error.h"
#include "feedback/PracticeHistory.h"
#include "windows/feedback/ProgressPlot.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tamboro {

ProgressWindow::ProgressWindow(std::filesystem::path historyFile, QWidget* parent)
    : QWidget(parent, Qt::Window), historyFile_(std::move(historyFile)) {
    setObjectName("progressWindow");
    setWindowTitle("Practice progress");
    mean_ = new ProgressPlot(ProgressPlot::Figure::Mean, this);
    steadiness_ = new ProgressPlot(ProgressPlot::Figure::Steadiness, this);
    legend_ = new QLabel(this);
    legend_->setObjectName("progressLegend");
    legend_->setWordWrap(true);
    status_ = new QLabel(this);
    status_->setObjectName("progressStatus");
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(legend_);
    layout->addWidget(mean_, 1);
    layout->addWidget(steadiness_, 1);
    layout->addWidget(status_);
    resize(720, 560);
}

void ProgressWindow::refresh() {
    std::vector<SongProgress> songs;
    QString status;
    try {
        const PracticeHistory history(historyFile_, PracticeHistory::Mode::ReadOnly);
        songs = history.progress();
        status = QString("%1 takes in %2")
                     .arg(history.takeCount())
                     .arg(QString::fromStdString(historyFile_.string()));
    } catch (const Error& e) {
        status = QString::fromStdString(e.what());
    }
    QStringList names;
    for (std::size_t i = 0; i < songs.size(); ++i) {
        std::size_t takes = 0;
        for (const DayProgress& day : songs[i].days)
            takes += day.takes;
        names << QString("<span style=\"color:%1\">\u25cf</span> %2 <small>(%3 takes over %4 days)</small>")
                     .arg(ProgressPlot::songColor(i).name(),
                          QString::fromStdString(songs[i].song).toHtmlEscaped())
                     .arg(takes)
                     .arg(songs[i].days.size());
    }
    legend_->setText(names.isEmpty() ? QString("No takes analysed yet.") : names.join(" &nbsp; "));
    mean_->setSongs(songs);
    steadiness_->setSongs(std::move(songs));
    status_->setText(status);
}

} // namespace tamboro
