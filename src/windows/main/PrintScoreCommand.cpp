#include "windows/main/PrintScoreCommand.h"

#include "render/DrumTab.h"
#include "windows/main/MainWindowState.h"

#include <QAction>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include <exception>
#include <string>
#include <vector>

namespace tamboro {

PrintScoreCommand::PrintScoreCommand(QAction& trigger, const MainWindowState& state,
                                     std::function<void()> minimize, QObject* owner)
    : QObject(owner), state_(state), minimize_(std::move(minimize)) {
    openFile = [](const std::filesystem::path& file) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file.string())));
    };
    // The main window is minimised by then, so the box stands on its own rather than waiting behind
    // a minimised parent.
    showMessage = [](const QString& text) { QMessageBox::warning(nullptr, QStringLiteral("Tamboro"), text); };
    connect(&trigger, &QAction::triggered, this, &PrintScoreCommand::printScoreClicked);
}

std::filesystem::path PrintScoreCommand::writeScore(const std::vector<std::string>& entries) const {
    return writeDrumTab(state_.songFileName, entries, state_.programDir, state_.programDir);
}

void PrintScoreCommand::printScoreClicked() {
    if (minimize_)
        minimize_();

    // Every entry from the first, in order; the selection plays no part.
    const std::vector<std::string> entries = state_.playList.names();

    // The pattern files are read from, and the score written to, the program folder: it is the
    // current folder the program starts in, and no dialog of ours moves the current folder away.
    std::filesystem::path written;
    try {
        written = writeScore(entries);
    } catch (const std::exception& e) {
        // The score is built whole before it is written (atomically), so nothing half-made is left.
        if (showMessage)
            showMessage(QString::fromUtf8(e.what()));
        return;
    }
    if (openFile && !openFile(written) && showMessage)
        showMessage(
            QStringLiteral("The song score was saved as \"%1\", but no program could be found to open it.")
                .arg(QString::fromStdString(written.string())));
}

} // namespace tamboro
