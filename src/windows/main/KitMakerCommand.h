#pragma once
// The "Kit Maker" command of the main window: shows the kit maker on the current kit, asks whether
// to template it, and lets the maker audition its slots through the main sound output.

#include <QObject>

#include <functional>
#include <memory>

namespace tamboro {

class MainWindowSound;
class SoundBuffer;
class KitMakerWindow;
class MainWindow;

class KitMakerCommand : public QObject {
    Q_OBJECT
public:
    // `sound` may be null (no audition then). The command is enabled on `window`'s View menu.
    KitMakerCommand(MainWindow& window, KitMakerWindow& maker, MainWindowSound* sound);
    ~KitMakerCommand() override;

    // Asks the template question; tests replace it. True for Yes.
    std::function<bool()> askTemplate;

    // `kitMakerClicked`.
    void kitMakerClicked();

private:
    MainWindow& window_;
    KitMakerWindow& maker_;
    MainWindowSound* sound_;
    // The maker's audition player, kept until the next audition replaces it.
    std::unique_ptr<SoundBuffer> auditionStream_;
};

} // namespace tamboro
