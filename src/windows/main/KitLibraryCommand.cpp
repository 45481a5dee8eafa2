#include "windows/main/KitLibraryCommand.h"

#include "kits/KitLibrary.h"
#include "windows/kits/KitListWindow.h"
#include "windows/main/MainWindow.h"

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>

#include <exception>

namespace tamboro {

KitLibraryCommand::KitLibraryCommand(MainWindow& window) : QObject(&window), window_(window) {
    chooseKitFile = [this] {
        return std::filesystem::path(
            QFileDialog::getOpenFileName(&window_, QString(),
                                         QString::fromStdString(window_.programDir.string()),
                                         QStringLiteral("dxg (*.dxg)"))
                .toStdString());
    };
    window_.drumKitLibraryAction->setEnabled(true);
    connect(window_.drumKitLibraryAction, &QAction::triggered, this,
            &KitLibraryCommand::drumKitLibraryClicked);
}

void KitLibraryCommand::drumKitLibraryClicked() {
    const std::filesystem::path file = chooseKitFile ? chooseKitFile() : std::filesystem::path();
    try {
        if (!window_.kitLibrary->chooseKit(file.string()))
            return;
    } catch (const std::exception& e) {
        // The reader's message; the instrument list keeps the names it had.
        QMessageBox::warning(&window_, QStringLiteral("Tamboro"), QString::fromUtf8(e.what()));
        return;
    }
    if (auto* kitList = qobject_cast<KitListWindow*>(window_.kitListWindow.data())) {
        kitList->setWindowTitle(QString::fromStdString(window_.kitLibrary->kitListCaption()));
        kitList->scrollLabelsToTop();
    }
}

} // namespace tamboro
