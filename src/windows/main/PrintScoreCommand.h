#pragma once
// "Print Song Score (Drum TAB)" on the File menu (`printScoreClicked`): minimises the application,
// writes the Play List as a drum TAB text file named after the song in the program folder and opens
// it with the desktop's viewer for text files, from which the user prints it.

#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QAction;

namespace tamboro {

struct MainWindowState;

class PrintScoreCommand : public QObject {
    Q_OBJECT
public:
    // Answers `trigger`, printing the song of `state`; `minimize` minimises the application first.
    // Owned by `owner`; `state` outlives it.
    PrintScoreCommand(QAction& trigger, const MainWindowState& state, std::function<void()> minimize,
                      QObject* owner = nullptr);

    // Opens the written file with the desktop's default handler; false when nothing could open it.
    // Tests replace it.
    std::function<bool(const std::filesystem::path&)> openFile;
    // Shows an error or notice to the user. Tests replace it.
    std::function<void(const QString&)> showMessage;

    void printScoreClicked();

private:
    // Writes the TAB of `entries` as <title>.txt in the program folder; returns its path. Throws
    // Error, before anything is written, when a pattern cannot be read.
    std::filesystem::path writeScore(const std::vector<std::string>& entries) const;

    const MainWindowState& state_;
    std::function<void()> minimize_;
};

} // namespace tamboro
