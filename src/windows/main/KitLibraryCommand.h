#pragma once
// "Drum Kit Library" on the Setup menu: chooses another kit file, loads it with pans and volumes
// carried over by instrument position, and refreshes the Kit List window.

#include <QObject>

#include <filesystem>
#include <functional>

namespace tamboro {

class MainWindow;

class KitLibraryCommand : public QObject {
    Q_OBJECT
public:
    explicit KitLibraryCommand(MainWindow& window);

    // The kit open dialog, starting in the program folder; empty when cancelled. Tests replace it.
    std::function<std::filesystem::path()> chooseKitFile;

    void drumKitLibraryClicked();

private:
    MainWindow& window_;
};

} // namespace tamboro
