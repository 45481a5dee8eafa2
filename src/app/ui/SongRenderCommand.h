#pragma once
// "Render song to wave" (the button and the File menu item `RendorClick`): renders the Play List
// into one WAV file through the render window, optionally as an acidized loop, then offers the MP3
// copy when "Include MP3 option when render" is checked.

#include "render/ui/TMBladefrm.h"

#include <QObject>
#include <QPointer>

namespace tamboro {

class SequenceSound;
class TForm1;
class TSequence;
struct PatternFileData;
struct RenderRequest;

class SongRenderCommand : public QObject {
    Q_OBJECT
public:
    // `sound` gives the extra samples' files and settings and the channel switches; may be null.
    SongRenderCommand(TSequence& window, TForm1& renderWindow, SequenceSound* sound);

    // The request the render reads, from the window's current state.
    RenderRequest buildRequest() const;
    // The encoder window of the last render that offered one (null otherwise).
    TMBladefrm* encoderWindow() const { return Encoder; }

    void RendorClick();

private:
    void setPlayButtons(bool enabled);
    // Shows the song's last pattern: its cells in the grid, its tempo, loop count and name.
    void showPattern(const PatternFileData& pattern);

    TSequence& Window;
    TForm1& RenderWindow;
    SequenceSound* Sound;
    QPointer<TMBladefrm> Encoder;
};

} // namespace tamboro
