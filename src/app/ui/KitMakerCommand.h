#pragma once
// The "Kit Maker" command of the main window: shows the kit maker on the current kit, asks whether
// to template it, and lets the maker audition its slots through the main sound output.

#include <QObject>

#include <functional>
#include <memory>

namespace tamboro {

class SequenceSound;
class SoundBuffer;
class TMakit;
class TSequence;

class KitMakerCommand : public QObject {
    Q_OBJECT
public:
    // `sound` may be null (no audition then). The command is enabled on `window`'s View menu.
    KitMakerCommand(TSequence& window, TMakit& maker, SequenceSound* sound);
    ~KitMakerCommand() override;

    // Asks the template question; tests replace it. True for Yes.
    std::function<bool()> askTemplate;

    // `KitMakeClick`.
    void KitMakeClick();

private:
    TSequence& Window;
    TMakit& Maker;
    SequenceSound* Sound;
    // The maker's audition player, kept until the next audition replaces it.
    std::unique_ptr<SoundBuffer> AuditionStream;
};

} // namespace tamboro
