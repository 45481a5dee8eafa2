#pragma once
// The Progress view: from the practice history, each song's mean offset and steadiness over
// days, with a legend naming the songs. It reads the history read-only, so a damaged or locked
// file is reported and left as it is.

#include <QWidget>

#include <filesystem>

class QLabel;

namespace tamboro {

class ProgressPlot;

class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    explicit ProgressWindow(std::filesystem::path historyFile, QWidget* parent = nullptr);
    // Reads the history again and redraws.
    void refresh();
    const QLabel& status() const { return *status_; }

private:
    std::filesystem::path historyFile_;
    ProgressPlot *mean_, *steadiness_;
    QLabel *legend_, *status_;
};

} // namespace tamboro
