#pragma once
// The "Kit Maker" command of the main window: shows the kit maker on the current kit, asks whether
// to template it, and lets the maker audition its slots through the main sound output.

#include <QObject>

class QAction;
class QWidget;

#include <functional>
#include <memory>

namespace tamboro {

class MainWindowSound;
class SoundBuffer;
class KitMakerWindow;
struct MainWindowState;

class KitMakerCommand : public QObject {
    Q_OBJECT
public:
    // Answers `trigger` by showing `maker` on the kit and instruments of `state`. `sound` may be
    // null (no audition then). The question stands over `window`, which owns the command.
    KitMakerCommand(QAction& trigger, const MainWindowState& state, KitMakerWindow& maker,
                    MainWindowSound* sound, QWidget& window);
    ~KitMakerCommand() override;

    // Asks the template question; tests replace it. True for Yes.
    std::function<bool()> askTemplate;

    // `kitMakerClicked`.
    void kitMakerClicked();

private:
    const MainWindowState& state_;
    KitMakerWindow& maker_;
    MainWindowSound* sound_;
    // The maker's audition player, kept until the next audition replaces it.
    std::unique_ptr<SoundBuffer> auditionStream_;
};

} // namespace tamboro
