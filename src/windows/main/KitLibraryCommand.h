#pragma once
// "Drum Kit Library" on the Setup menu: chooses another kit file, loads it with pans and volumes
// carried over by instrument position, and refreshes the Kit List window.

#include <QObject>
#include <QPointer>
#include <QString>

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
    // Tells the user why a kit did not load; tests replace it.
    std::function<void(const QString& message)> showProblem;

    void drumKitLibraryClicked();
    // Loads the kit file `file` as "Drum Kit Library" does once a file is chosen (the one way in
    // for the menu, a drop and the command line). A kit that fails to load is reported and the
    // current kit stays. True when the kit was loaded.
    bool openKitFile(const std::filesystem::path& file);

private:
    KitLibrary& kits_;
    QPointer<KitListWindow> kitList_;
    QWidget& window_;
};

} // namespace tamboro
