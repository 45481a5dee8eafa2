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
    connect(&trigger, &QAction::triggered, this, &KitLibraryCommand::drumKitLibraryClicked);
}

void KitLibraryCommand::drumKitLibraryClicked() {
    loadKit(chooseKitFile ? chooseKitFile() : std::filesystem::path());
}

void KitLibraryCommand::loadKit(const std::filesystem::path& file) {
    try {
        if (!kits_.chooseKit(file.string()))
            return;
    } catch (const std::exception& e) {
        // The reader's message; the instrument list keeps the names it had.
        QMessageBox::warning(&window_, QStringLiteral("Tamboro"), QString::fromUtf8(e.what()));
        return;
    }
    if (kitList_) {
        kitList_->setWindowTitle(QString::fromStdString(kits_.kitListCaption()));
        kitList_->scrollLabelsToTop();
    }
}

} // namespace tamboro
