#pragma once
// "Drum Kit Library" on the Setup menu: chooses another kit file, loads it with pans and volumes
// carried over by instrument position, and refreshes the Kit List window.

#include <QObject>
#include <QPointer>

#include <filesystem>
#include <functional>

class QAction;
class QWidget;

namespace tamboro {

class KitLibrary;
class KitListWindow;

class KitLibraryCommand : public QObject {
    Q_OBJECT
public:
    // Answers `trigger` by loading into `kits` a kit file of `programDir` and showing its name in
    // `kitList` (may be null). Dialogs and messages stand over `window`, which owns the command.
    KitLibraryCommand(QAction& trigger, KitLibrary& kits, const std::filesystem::path& programDir,
                      KitListWindow* kitList, QWidget& window);

    // The kit open dialog, starting in the program folder; empty when cancelled. Tests replace it.
    std::function<std::filesystem::path()> chooseKitFile;

    void drumKitLibraryClicked();
    // Loads `file` as the dialog's choice is loaded (a kit named on the command line).
    void loadKit(const std::filesystem::path& file);

private:
    KitLibrary& kits_;
    QPointer<KitListWindow> kitList_;
    QWidget& window_;
};

} // namespace tamboro
