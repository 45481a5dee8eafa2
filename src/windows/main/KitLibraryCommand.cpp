#include "windows/main/KitLibraryCommand.h"

#include "kits/KitLibrary.h"
#include "windows/kits/KitListWindow.h"

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>

#include <exception>

namespace tamboro {

KitLibraryCommand::KitLibraryCommand(QAction& trigger, KitLibrary& kits,
                                     const std::filesystem::path& programDir, KitListWindow* kitList,
                                     QWidget& window)
    : QObject(&window), kits_(kits), kitList_(kitList), window_(window) {
    chooseKitFile = [this, folder = QString::fromStdString(programDir.string())] {
        return std::filesystem::path(
            QFileDialog::getOpenFileName(&window_, QString(), folder, QStringLiteral("dxg (*.dxg)"))
                .toStdString());
    };
    showProblem = [this](const QString& message) {
        QMessageBox::warning(&window_, QStringLiteral("Tamboro"), message);
    };
    connect(&trigger, &QAction::triggered, this, &KitLibraryCommand::drumKitLibraryClicked);
}

void KitLibraryCommand::drumKitLibraryClicked() {
    openKitFile(chooseKitFile ? chooseKitFile() : std::filesystem::path());
}

bool KitLibraryCommand::openKitFile(const std::filesystem::path& file) {
    try {
        if (!kits_.chooseKit(file.string()))
            return false;
    } catch (const std::exception& e) {
        // The reader's message, which names the file; the instrument list keeps the names it had.
        if (showProblem)
            showProblem(QString::fromUtf8(e.what()));
        return false;
    }
    if (kitList_) {
        kitList_->setWindowTitle(QString::fromStdString(kits_.kitListCaption()));
        kitList_->scrollLabelsToTop();
    }
    return true;
}

} // namespace tamboro
