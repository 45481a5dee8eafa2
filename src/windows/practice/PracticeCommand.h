#pragma once
// The practice panel's commands in the main window: View > Practice, its keys and the window's
// metronome button show the panel beside the window or hide it again; Start practice plays the Play List
// through the practice plan (sound/PracticePlayer.h) on the window's sound output, with the panel's status
// refreshed while it plays; tap tempo sets the BPM box; Render practice track writes the Play List with the
// panel's settings to WAV; Save Song and Open Song keep the settings in the song's `.practice` file.

#include "song/PracticeSettings.h"
#include "windows/main/MainWindowParts.h"

#include <QObject>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>

class QAction;

namespace tamboro {

class MainWindowSound;
class PracticePanel;
class PracticePlayer;
class SongRenderCommand;

class PracticeCommand : public QObject {
    Q_OBJECT
public:
    // Owned by the window. `render` builds the render request the practice track starts from.
    PracticeCommand(QAction& showPanel, PracticePanel& panel, const MainWindowParts& window,
                    MainWindowSound& sound, SongRenderCommand& render);
    ~PracticeCommand() override;

    // The song was saved to / opened from `song`: write or read its `.practice` file. A damaged
    // file leaves the defaults in the panel and says so; the song stays open.
    void songSaved(const std::filesystem::path& song);
    void songOpened(const std::filesystem::path& song);

    void start();
    void stop();
    // Renders the practice track of `plays` plays or `minutes` minutes to `file`.
    void renderTrack(int plays, double minutes, const std::filesystem::path& file);

    // The practice track's save dialog (empty: cancelled) and message boxes; tests replace them.
    std::function<std::filesystem::path()> chooseTrackFile;
    std::function<void(const QString& text)> showMessage;

    PracticePlayer& player() { return *player_; }

private:
    void showPanel(bool shown);

    PracticePanel& panel_;
    MainWindowParts window_;
    MainWindowSound& sound_;
    SongRenderCommand& render_;
    std::unique_ptr<PracticePlayer> player_;
    QTimer statusTimer_;
};

} // namespace tamboro
