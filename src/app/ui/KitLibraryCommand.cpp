#include "app/ui/KitLibraryCommand.h"

#include "app/ui/Sequence.h"
#include "kits/KitLibrary.h"
#include "kits/ui/KitList.h"

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>

#include <exception>

namespace tamboro {

KitLibraryCommand::KitLibraryCommand(TSequence& window) : QObject(&window), Window(window) {
    chooseKitFile = [this] {
        return std::filesystem::path(
            QFileDialog::getOpenFileName(&Window, QString(), QString::fromStdString(Window.ProgramDir.string()),
                                         QStringLiteral("dxg (*.dxg)"))
                .toStdString());
    };
    Window.SoundLibrary1->setEnabled(true);
    connect(Window.SoundLibrary1, &QAction::triggered, this, &KitLibraryCommand::SoundLibrary1Click);
}

void KitLibraryCommand::SoundLibrary1Click() {
    const std::filesystem::path file = chooseKitFile ? chooseKitFile() : std::filesystem::path();
    try {
        if (!Window.DrumLibrary->chooseKit(file.string()))
            return;
    } catch (const std::exception& e) {
        // The reader's message; the instrument list keeps the names it had.
        QMessageBox::warning(&Window, QStringLiteral("Tamboro"), QString::fromUtf8(e.what()));
        return;
    }
    if (auto* kitList = qobject_cast<TKit_List*>(Window.KitListWindow.data())) {
        kitList->setWindowTitle(QString::fromStdString(Window.DrumLibrary->kitListCaption()));
        kitList->FormShow();
    }
}

} // namespace tamboro
