#pragma once
// "Render song to wave" (the button and the File menu item `renderSongClicked`): renders the Play List
// into one WAV file through the render window, optionally as an acidized loop, then offers the MP3
// copy when "Include MP3 option when render" is checked.

#include "windows/main/MainWindowParts.h"
#include "windows/render/Mp3ExportWindow.h"

#include <QObject>
#include <QPointer>

namespace tamboro {

class MainWindowSound;
class RenderProgressWindow;
struct PatternFileData;
struct RenderRequest;

class SongRenderCommand : public QObject {
    Q_OBJECT
public:
    // Answers the render button and menu item of `window`, whose Play List, grid and boxes it reads
    // and shows the song in; owned by the window. `sound` gives the extra samples' files and
    // settings and the channel switches; may be null.
    SongRenderCommand(const MainWindowParts& window, RenderProgressWindow& renderWindow,
                      MainWindowSound* sound);

    // The request the render reads, from the window's current state.
    RenderRequest buildRequest() const;
    // The encoder window of the last render that offered one (null otherwise).
    Mp3ExportWindow* encoderWindow() const { return encoder_; }

    void renderSongClicked();
    // Offers the WAV file at `wavPath` for MP3 encoding, in the one encoder window.
    void offerMp3(const QString& wavPath);

private:
    // Shows the song's last pattern: its cells in the grid, its tempo, loop count and name.
    void showPattern(const PatternFileData& pattern);

    MainWindowParts window_;
    RenderProgressWindow& renderWindow_;
    MainWindowSound* sound_;
    QPointer<Mp3ExportWindow> encoder_;
};

} // namespace tamboro
