#include "windows/feedback/FeedbackWindow.h"

#include "windows/feedback/OffsetHistogram.h"
#include "windows/feedback/OffsetPlot.h"

#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <cmath>

namespace tamboro {

namespace {

QLabel* figure(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    QFont bigger = label->font();
    bigger.setPointSizeF(bigger.pointSizeF() * 1.25);
    label->setFont(bigger);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A narrow window wraps the figures rather than cutting them off.
    label->setWordWrap(true);
    return label;
}

} // namespace

QString meanWords(double meanMs) {
    if (std::fabs(meanMs) < 2)
        return "on the beat";
    return meanMs < 0 ? "rushing: ahead of the beat" : "dragging: behind the beat";
}

QString steadinessWords(double sdMs) {
    if (sdMs < 5)
        return "very steady";
    if (sdMs < 10)
        return "steady";
    if (sdMs < 20)
        return "uneven";
    return "unsteady";
}

FeedbackWindow::FeedbackWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("feedbackWindow");
    setWindowTitle("Timing feedback");
    heading_ = new QLabel("No take analysed yet: record yourself playing along with the song's render "
                          "and choose \u201cAnalyse take\u2026\u201d.",
                          this);
    heading_->setObjectName("feedbackHeading");
    heading_->setWordWrap(true);
    mean_ = figure(this, "meanLabel");
    steadiness_ = figure(this, "steadinessLabel");
    within10_ = figure(this, "within10Label");
    within25_ = figure(this, "within25Label");
    plot_ = new OffsetPlot(this);
    histogram_ = new OffsetHistogram(this);
    positions_ = new QLabel(this);
    positions_->setObjectName("positionsLabel");
    positions_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    positions_->setWordWrap(true);
    positions_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    messages_ = new QLabel(this);
    messages_->setObjectName("feedbackMessages");
    messages_->setWordWrap(true);
    messages_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    messages_->hide();
    progress_ = new QProgressBar(this);
    progress_->setObjectName("analysisProgress");
    progress_->setRange(0, 1000);
    progress_->setTextVisible(false);
    progress_->hide();
    analyse_ = new QPushButton("Analyse take\u2026", this);
    analyse_->setObjectName("analyseTakeButton");
    export_ = new QPushButton("Export notes as CSV\u2026", this);
    export_->setObjectName("exportNotesButton");
    export_->setEnabled(false);
    auto* progressButton = new QPushButton("Progress\u2026", this);
    progressButton->setObjectName("showProgressButton");

    auto* figures = new QGridLayout;
    figures->addWidget(mean_, 0, 0);
    figures->addWidget(steadiness_, 0, 1);
    figures->addWidget(within10_, 1, 0);
    figures->addWidget(within25_, 1, 1);
    auto* lower = new QHBoxLayout;
    lower->addWidget(histogram_, 3);
    // The positions of a long pattern scroll rather than squeeze the plots.
    auto* positionsScroll = new QScrollArea(this);
    positionsScroll->setWidget(positions_);
    positionsScroll->setWidgetResizable(true);
    positionsScroll->setFrameShape(QFrame::NoFrame);
    positionsScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lower->addWidget(positionsScroll, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(analyse_);
    buttons->addWidget(export_);
    buttons->addWidget(progressButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addLayout(figures);
    layout->addWidget(plot_, 3);
    layout->addLayout(lower, 2);
    layout->addWidget(messages_);
    layout->addWidget(progress_);
    layout->addLayout(buttons);
    resize(820, 700);

    connect(analyse_, &QPushButton::clicked, this, &FeedbackWindow::analyseRequested);
    connect(export_, &QPushButton::clicked, this, &FeedbackWindow::exportRequested);
    connect(progressButton, &QPushButton::clicked, this, &FeedbackWindow::progressRequested);
}

void FeedbackWindow::showResult(const TakeFeedback& feedback, const TakeContext& context) {
    feedback_ = feedback;
    context_ = context;
    hasResult_ = true;
    const FeedbackSummary& s = feedback.summary;
    const QString when = QDateTime::fromSecsSinceEpoch(context.recordedAt).toString("yyyy-MM-dd hh:mm");
    heading_->setText(QString("<b>%1</b> \u2014 %2, %3 BPM, %4 &nbsp; <small>%5</small>")
                          .arg(QString::fromStdString(context.song).toHtmlEscaped(),
                               QString::fromStdString(context.takeFile).toHtmlEscaped())
                          .arg(context.tempoBpm, 0, 'f', 0)
                          .arg(s.notes == 1 ? QString("1 note") : QString("%1 notes").arg(s.notes))
                          .arg(when));
    const bool any = s.notes > 0;
    mean_->setText(any ? QString("Mean %1%2 ms \u2014 %3")
                             .arg(s.meanMs >= 0 ? "+" : "")
                             .arg(s.meanMs, 0, 'f', 1)
                             .arg(meanWords(s.meanMs))
                       : QString("No notes found"));
    steadiness_->setText(
        any ? QString("Steadiness: sd %1 ms \u2014 %2").arg(s.sdMs, 0, 'f', 1).arg(steadinessWords(s.sdMs))
            : QString());
    within10_->setText(any ? QString("Within \u00b110 ms: %1 %").arg(s.within10 * 100, 0, 'f', 0)
                           : QString());
    within25_->setText(any ? QString("Within \u00b125 ms: %1 %").arg(s.within25 * 100, 0, 'f', 0)
                           : QString());

    std::vector<OffsetPoint> points;
    std::vector<double> offsets;
    for (const FeedbackNote& note : feedback.notes) {
        points.push_back({static_cast<double>(note.onsetFrame) / kTakeRate, note.offsetMs});
        offsets.push_back(note.offsetMs);
    }
    const double length =
        static_cast<double>(std::max(feedback.steps.endFrame, feedback.analysis.frames)) / kTakeRate;
    plot_->setPoints(std::move(points), length);
    histogram_->setOffsets(offsets, plot_->rangeMs());
    QStringList sentences;
    for (const PositionOffset& position : s.positions)
        sentences << QString::fromStdString(positionSentence(position)) +
                         QString(" <small>(%1 notes)</small>").arg(position.notes);
    positions_->setText(sentences.isEmpty() ? QString()
                                            : "<b>Each step of the pattern</b><br>" + sentences.join("<br>"));
    export_->setEnabled(true);
    showMessages({}, false);
}

void FeedbackWindow::showMessages(const QStringList& lines, bool problem) {
    messages_->setText(lines.join("\n"));
    messages_->setStyleSheet(problem ? "color: #b00000;" : "");
    messages_->setVisible(!lines.isEmpty());
}

void FeedbackWindow::showProgress(double share) {
    progress_->setVisible(share >= 0);
    progress_->setValue(static_cast<int>(std::lround(std::clamp(share, 0.0, 1.0) * 1000)));
    analyse_->setEnabled(share < 0);
}

QString FeedbackWindow::summaryLine() const {
    return hasResult_ ? QString::fromStdString(tamboro::summaryLine(feedback_.summary)) : QString();
}

} // namespace tamboro
