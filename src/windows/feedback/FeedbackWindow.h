#pragma once
// The timing feedback view: one analysed take as a player reads it. A plot of every note's offset
// over time, a histogram of the offsets, the mean (rushing or dragging), the standard deviation
// (steadiness), the share within +-10 ms and +-25 ms, and the mean offset at each position of the
// pattern in words. "Analyse take..." and "Export notes as CSV..." ask whoever drives the window
// (TakeFeedbackCommand); anything that has a take, a file or a live capture, hands it to
// showResult().

#include "feedback/PracticeHistory.h"
#include "feedback/TakeFeedback.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace tamboro {

class OffsetHistogram;
class OffsetPlot;

class FeedbackWindow : public QWidget {
    Q_OBJECT
public:
    explicit FeedbackWindow(QWidget* parent = nullptr);

    // Shows `feedback` of the take `context` describes; the export button then writes its notes.
    void showResult(const TakeFeedback& feedback, const TakeContext& context);
    // A line under the figures: what was odd about the take, or what went wrong (`problem`: in red).
    void showMessages(const QStringList& lines, bool problem);
    // Analysis running: a progress bar from 0 to 1 and the analyse button disabled; negative: idle.
    void showProgress(double share);

    bool hasResult() const { return hasResult_; }
    const TakeFeedback& result() const { return feedback_; }
    const TakeContext& context() const { return context_; }
    // The summary as `tamboro-cli feedback` prints it last.
    QString summaryLine() const;

signals:
    void analyseRequested();
    void exportRequested();
    void progressRequested();

private:
    OffsetPlot* plot_;
    OffsetHistogram* histogram_;
    QLabel *heading_, *mean_, *steadiness_, *within10_, *within25_, *positions_, *messages_;
    QProgressBar* progress_;
    QPushButton *analyse_, *export_;
    TakeFeedback feedback_;
    TakeContext context_;
    bool hasResult_ = false;
};

// "rushing" / "dragging" / "on the beat" for a mean offset; "very steady" ... "unsteady" for an sd.
QString meanWords(double meanMs);
QString steadinessWords(double sdMs);

} // namespace tamboro
