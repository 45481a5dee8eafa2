#pragma once
// "Export MIDI…" on the File menu (`exportMidiClicked`): asks for a .mid file and writes the whole
// Play List there as a Standard MIDI File (render/MidiExport), leaving out the channels switched
// off, for a DAW to play with its own drums.

#include <QObject>
#include <QString>

#include <array>
#include <functional>

class QAction;
class QWidget;

namespace tamboro {

struct MainWindowState;

class MidiExportCommand : public QObject {
    Q_OBJECT
public:
    // Answers `trigger` with the Play List of `state`; `channelsOn` tells which of the six channels
    // play. The dialogs stand over `dialogParent`, which owns the command and outlives nothing it uses.
    MidiExportCommand(QAction& trigger, const MainWindowState& state,
                      std::function<std::array<bool, 6>()> channelsOn, QWidget& dialogParent);

    // The save dialog; an empty result means Cancel. Tests replace it.
    std::function<QString()> chooseOutputFile;
    // Shows an error or notice to the user. Tests replace it.
    std::function<void(const QString&)> showMessage;

    void exportMidiClicked();

private:
    const MainWindowState& state_;
    std::function<std::array<bool, 6>()> channelsOn_;
};

} // namespace tamboro
