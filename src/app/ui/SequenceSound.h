#pragma once
// The main window's sound: the sound output, the kit voices, the 32 extra-sample players and the
// playback state, wired to the window's transport buttons, knobs, channel switches, lights, grid
// and Play List. The window's controls stay thin: each forwards to the playback handler of the same
// name and shows what playback reports.

#include "sound/ExtraSamples.h"
#include "sound/KitVoices.h"
#include "sound/PlaybackState.h"
#include "sound/SampleStreams.h"
#include "sound/SoundDevice.h"
#include "sound/ui/QtTickDispatcher.h"

#include <QObject>

#include <memory>

namespace tamboro {

class TSequence;
struct ProgramOptions;

class SequenceSound : public QObject {
    Q_OBJECT
public:
    // The message shown when the sound output cannot be opened at start-up.
    static const char* const kSoundCardMessage;

    // Opens the sound output chosen by the options (the system device, or the null device with an
    // optional capture) and wires `window`. Throws Error when the output cannot be opened.
    SequenceSound(TSequence& window, const ProgramOptions& options);
    ~SequenceSound() override;

    PlaybackState& playback() { return *Playback; }
    ExtraSamples& extraSamples() { return *Samples; }
    SoundDevice& device() { return *Device; }
    KitVoices& kitVoices() { return *Voices; }

    // Stops both clocks (shut-down and the "x" label do this first) and the extra samples.
    void stopClocks();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wireControls();
    void wireEvents();
    void showGlyph(class PictureButton* button, int imageIndex);

    TSequence& Window;
    QtTickDispatcher Dispatcher;
    std::unique_ptr<SoundDevice> Device;
    std::unique_ptr<KitVoices> Voices;
    std::unique_ptr<SampleStreams> Streams;
    std::unique_ptr<ExtraSamples> Samples;
    std::unique_ptr<PlaybackState> Playback;
};

} // namespace tamboro
