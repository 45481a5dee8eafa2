#pragma once
// The main window's sound: the sound output, the kit voices, the 32 extra-sample players and the
// playback state, wired to the window's transport panel, grid, pattern boxes and Play List. The
// controls stay thin: each forwards to the playback handler of the same name and shows what
// playback reports.

#include "app/InputSettings.h"
#include "sound/ExtraSamples.h"
#include "sound/KitVoices.h"
#include "sound/PlaybackState.h"
#include "sound/SampleStreams.h"
#include "sound/SoundDevice.h"
#include "windows/main/MainWindowParts.h"
#include "windows/sound/QtTickDispatcher.h"

#include <QObject>

#include <functional>
#include <memory>

namespace tamboro {

struct ProgramOptions;

class MainWindowSound : public QObject {
    Q_OBJECT
public:
    // The message shown when the sound output cannot be opened at start-up.
    static const char* const kSoundCardMessage;

    // Opens the sound output chosen by the options (the system device, or the null device with an
    // optional capture) and wires the window's parts. Throws Error when the output cannot be
    // opened. The sound layer is a child of the window, which removes it before its controls.
    // With an input device in `input`, the output opens with that input (on the null device: its
    // own output heard back) so Play can record a take; a device whose input cannot be opened
    // plays without it (inputProblem() says why).
    MainWindowSound(const MainWindowParts& window, const ProgramOptions& options,
                    const InputSettings& input = {});
    ~MainWindowSound() override;

    PlaybackState& playback() { return *playback_; }
    ExtraSamples& extraSamples() { return *samples_; }
    SoundDevice& device() { return *device_; }
    KitVoices& kitVoices() { return *voices_; }
    // Hands clock ticks to the window thread (the practice player's clock uses it too).
    TickDispatcher& dispatcher() { return dispatcher_; }

    // Runs when Play Pattern or Play Song is clicked, before the playback starts.
    std::function<void()> beforePlay;

    // Stops both clocks. Closing the window ("x", "Exit", shut-down) does this before anything else,
    // so that no tick runs against a closing window.
    void stopClocks();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wireControls();
    void wireEvents();

    MainWindowParts window_;
    // The window's own instrument-list refill, which the sound layer's refill runs before renewing
    // the voices.
    std::function<void(const DrumKit&)> refillWithoutVoices_;
    QtTickDispatcher dispatcher_;
    std::unique_ptr<SoundDevice> device_;
    std::unique_ptr<KitVoices> voices_;
    std::unique_ptr<SampleStreams> streams_;
    std::unique_ptr<ExtraSamples> samples_;
    std::unique_ptr<PlaybackState> playback_;
};

} // namespace tamboro
