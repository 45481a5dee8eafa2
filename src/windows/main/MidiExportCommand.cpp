#include "windows/main/MidiExportCommand.h"

#include "render/MidiExport.h"
#include "windows/main/MainWindowState.h"

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>

#include <exception>
#include <filesystem>

namespace tamboro {

namespace {

QString askMidiFile(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Export MIDI"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("mid"));
    dialog.setNameFilters({QStringLiteral("MIDI files (*.mid *.MID)"), QStringLiteral("All files (*)")});
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
               ? dialog.selectedFiles().first()
               : QString();
}

} // namespace

MidiExportCommand::MidiExportCommand(QAction& trigger, const MainWindowState& state,
                                     std::function<std::array<bool, 6>()> channelsOn, QWidget& dialogParent)
    : QObject(&dialogParent), state_(state), channelsOn_(std::move(channelsOn)) {
    chooseOutputFile = [parent = &dialogParent] { return askMidiFile(parent); };
    showMessage = [parent = &dialogParent](const QString& text) {
        QMessageBox::warning(parent, QStringLiteral("Tamboro"), text);
    };
    connect(&trigger, &QAction::triggered, this, &MidiExportCommand::exportMidiClicked);
}

void MidiExportCommand::exportMidiClicked() {
    // Every entry from the first, in order, as the song is; the selection plays no part.
    const std::vector<std::string> entries = state_.playList.names();
    if (entries.empty()) {
        if (showMessage)
            showMessage(QStringLiteral("The Play List is empty: there is no song to export."));
        return;
    }
    const QString chosen = chooseOutputFile ? chooseOutputFile() : QString();
    if (chosen.isEmpty())
        return;
    const std::array<bool, 6> channels =
        channelsOn_ ? channelsOn_() : std::array<bool, 6>{true, true, true, true, true, true};
    try {
        DrumNoteMap notes;
        exportSongMidi(state_.programDir, entries, channels, notes,
                       std::filesystem::path(chosen.toStdWString()));
    } catch (const std::exception& e) {
        // The file is built whole before it is written (atomically): nothing half-made is left.
        if (showMessage)
            showMessage(QString::fromUtf8(e.what()));
    }
}

} // namespace tamboro
