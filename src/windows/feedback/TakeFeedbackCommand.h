#pragma once
// The timing feedback's commands in the main window: View > "Timing feedback..." shows the
// feedback view, View > "Progress..." the practice history over days. "Analyse take..." reads a
// WAV recorded in step with the song's render and analyses it on a worker thread (Qt Concurrent)
// with the very code `tamboro-cli feedback` runs, the view showing its progress; the result is
// shown and stored in the practice history, whose problems are reported without losing the take.
// "Export notes as CSV..." writes the CLI's CSV, atomically.

#include "feedback/LiveTake.h"
#include "feedback/PracticeHistory.h"
#include "feedback/TakeFeedback.h"

#include <QFutureWatcher>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QWidget;

namespace tamboro {

class FeedbackWindow;
class ProgressWindow;

// What the takes are played against, as the window stands when "Analyse take..." is chosen.
struct TakeSource {
    std::filesystem::path patternDir;
    std::vector<std::string> entries; // the Play List's patterns
    std::string song;                 // shown and stored: the song's name, or the pattern's
    std::string practice;             // the practice settings as their file holds them
    double latencyMs = 0;             // the input's round trip, taken off every note
};

class TakeFeedbackCommand : public QObject {
    Q_OBJECT
public:
    // `historyFile`: the practice history's database (kept in the user's data folder).
    TakeFeedbackCommand(QAction& showFeedback, QAction& showProgress, std::function<TakeSource()> source,
                        std::filesystem::path historyFile, QWidget& parent);
    ~TakeFeedbackCommand() override;

    FeedbackWindow& window() { return *window_; }
    ProgressWindow& progressWindow() { return *progress_; }

    // Analyses `take` against the source as it stands now; the result arrives on the window thread.
    void analyse(const std::filesystem::path& take);
    // Analyses a take recorded through the sound device during Play (its marks name the steps),
    // played at `tempoBpm`, with the stored latency; shown and stored as analyse() does. A take
    // still being analysed is waited for first.
    void analyseLive(InputTake take, std::vector<MarkedStep> steps, double tempoBpm);
    // Shows an analysed take (from a file or a live capture) and stores it in the practice history;
    // what the history could not do is reported under the figures with `warnings`.
    void showTake(const TakeFeedback& feedback, const TakeContext& context,
                  const std::vector<std::string>& warnings = {});
    // Writes the shown take's notes to `file`; errors name the file.
    void exportNotes(const std::filesystem::path& file);
    bool busy() const { return watcher_.isRunning(); }

    // The file dialogs (empty: cancelled); tests replace them.
    std::function<std::filesystem::path()> chooseTakeFile;
    std::function<std::filesystem::path()> chooseNotesFile;

signals:
    // A take was analysed (shown) or failed (its error shown).
    void analysisFinished();

private:
    struct Outcome {
        std::optional<TakeFeedback> feedback;
        TakeContext context;
        std::vector<std::string> warnings;
        std::string error;
    };
    void finished();
    // The source's context of a take recorded now.
    TakeContext contextNow(const TakeSource& source) const;

    std::function<TakeSource()> source_;
    std::filesystem::path historyFile_;
    std::unique_ptr<FeedbackWindow> window_;
    std::unique_ptr<ProgressWindow> progress_;
    QFutureWatcher<Outcome> watcher_;
    std::shared_ptr<std::atomic<double>> share_;
    QTimer progressTimer_;
};

} // namespace tamboro
