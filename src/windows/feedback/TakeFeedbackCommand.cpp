#include "windows/feedback/TakeFeedbackCommand.h"

#include "common/Error.h"
#include "common/Files.h"
#include "feedback/PracticeHistory.h"
#include "song/PracticeFile.h"
#include "windows/feedback/FeedbackWindow.h"
#include "windows/feedback/ProgressWindow.h"

#include <QAction>
#include <QDateTime>
#include <QFileDialog>
#include <QtConcurrent/QtConcurrentRun>

namespace tamboro {

TakeFeedbackCommand::TakeFeedbackCommand(QAction& showFeedback, QAction& showProgress,
                                         std::function<TakeSource()> source,
                                         std::filesystem::path historyFile, QWidget& parent)
    : QObject(&parent), source_(std::move(source)), historyFile_(std::move(historyFile)),
      window_(std::make_unique<FeedbackWindow>()), progress_(std::make_unique<ProgressWindow>(historyFile_)),
      share_(std::make_shared<std::atomic<double>>(0.0)) {
    chooseTakeFile = [this] {
        return std::filesystem::path(
            QFileDialog::getOpenFileName(window_.get(), "Analyse take",
                                         QString::fromStdString(source_().patternDir.string()),
                                         "Wave files (*.wav *.WAV)")
                .toStdString());
    };
    chooseNotesFile = [this] {
        return std::filesystem::path(
            QFileDialog::getSaveFileName(window_.get(), "Export notes as CSV",
                                         QString::fromStdString(source_().patternDir.string()),
                                         "CSV files (*.csv)")
                .toStdString());
    };
    connect(&showFeedback, &QAction::triggered, this, [this] {
        window_->show();
        window_->raise();
    });
    auto openProgress = [this] {
        progress_->refresh();
        progress_->show();
        progress_->raise();
    };
    connect(&showProgress, &QAction::triggered, this, openProgress);
    connect(window_.get(), &FeedbackWindow::progressRequested, this, openProgress);
    connect(window_.get(), &FeedbackWindow::analyseRequested, this, [this] {
        const std::filesystem::path take = chooseTakeFile();
        if (!take.empty())
            analyse(take);
    });
    connect(window_.get(), &FeedbackWindow::exportRequested, this, [this] {
        const std::filesystem::path file = chooseNotesFile();
        if (!file.empty())
            exportNotes(file);
    });
    connect(&watcher_, &QFutureWatcher<Outcome>::finished, this, &TakeFeedbackCommand::finished);
    progressTimer_.setInterval(100);
    connect(&progressTimer_, &QTimer::timeout, this, [this] { window_->showProgress(share_->load()); });
}

TakeFeedbackCommand::~TakeFeedbackCommand() {
    watcher_.waitForFinished();
}

void TakeFeedbackCommand::analyse(const std::filesystem::path& take) {
    if (busy())
        return;
    const TakeSource source = source_();
    if (source.entries.empty()) {
        window_->showMessages({"The Play List is empty: open the song the take was played with first."},
                              true);
        return;
    }
    TakeContext context = contextNow(source);
    context.takeFile = take.string();
    share_->store(0);
    window_->showProgress(0);
    progressTimer_.start();
    // The worker gets copies of everything it reads and reports its share through the atomic.
    watcher_.setFuture(QtConcurrent::run([source, take, context, share = share_]() {
        Outcome outcome;
        outcome.context = context;
        try {
            const RenderSong song = readRenderSong(source.patternDir, source.entries, 0);
            if (!song.script.segments().empty())
                outcome.context.tempoBpm = song.script.segments().front().tempo;
            // A take played along with the practice track is measured against its steps.
            const std::string& text = source.practice;
            const PracticeSettings practice =
                text.empty()
                    ? PracticeSettings{}
                    : parsePracticeFile({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()},
                                        "the practice settings");
            outcome.feedback = analyseTakeFile(take, takeSteps(song, practice), source.latencyMs,
                                               [&share](double s) { share->store(s); });
            outcome.warnings = takeWarnings(take, *outcome.feedback);
        } catch (const std::exception& e) {
            outcome.error = e.what();
        }
        return outcome;
    }));
}

TakeContext TakeFeedbackCommand::contextNow(const TakeSource& source) const {
    TakeContext context;
    context.song = source.song;
    for (const std::string& entry : source.entries)
        context.patterns += (context.patterns.empty() ? "" : ", ") + entry;
    context.practice = source.practice;
    context.latencyMs = source.latencyMs;
    context.recordedAt = QDateTime::currentSecsSinceEpoch();
    return context;
}

void TakeFeedbackCommand::analyseLive(InputTake take, std::vector<MarkedStep> steps, double tempoBpm) {
    if (busy()) {
        // The take before is shown first (setFuture drops its pending notice).
        watcher_.waitForFinished();
        finished();
    }
    TakeContext context = contextNow(source_());
    context.takeFile = "recorded during play";
    context.tempoBpm = tempoBpm;
    share_->store(0);
    window_->showProgress(0);
    progressTimer_.start();
    watcher_.setFuture(QtConcurrent::run([take = std::move(take), steps = std::move(steps), context]() {
        Outcome outcome;
        outcome.context = context;
        try {
            outcome.feedback = analyseLiveTake(take, steps, context.latencyMs);
            outcome.warnings = liveTakeWarnings(take, *outcome.feedback);
        } catch (const std::exception& e) {
            outcome.error = e.what();
        }
        return outcome;
    }));
}

void TakeFeedbackCommand::finished() {
    progressTimer_.stop();
    window_->showProgress(-1);
    const Outcome outcome = watcher_.result();
    if (!outcome.feedback) {
        window_->showMessages({QString::fromStdString(outcome.error)}, true);
        emit analysisFinished();
        return;
    }
    showTake(*outcome.feedback, outcome.context, outcome.warnings);
    emit analysisFinished();
}

void TakeFeedbackCommand::showTake(const TakeFeedback& feedback, const TakeContext& context,
                                   const std::vector<std::string>& warnings) {
    window_->showResult(feedback, context);
    window_->show();
    QStringList lines;
    for (const std::string& warning : warnings)
        lines << QString::fromStdString(warning);
    // The take is shown whatever happens to the history; its problems are reported beside it.
    bool problem = false;
    try {
        PracticeHistory history(historyFile_);
        if (!history.notice().empty()) {
            lines << QString::fromStdString(history.notice());
            problem = true;
        }
        history.store(context, feedback.summary, feedback.notes);
    } catch (const Error& e) {
        lines << QString::fromStdString(e.what()) +
                     " \u2014 this take was not stored in the practice history.";
        problem = true;
    }
    window_->showMessages(lines, problem);
    if (progress_->isVisible())
        progress_->refresh();
}

void TakeFeedbackCommand::exportNotes(const std::filesystem::path& file) {
    if (!window_->hasResult())
        return;
    try {
        writeFileAtomically(file, notesCsv(window_->result().notes));
    } catch (const std::exception& e) {
        window_->showMessages({QString::fromStdString(e.what())}, true);
    }
}

} // namespace tamboro
