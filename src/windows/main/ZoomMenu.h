#pragma once
// View > Zoom: 100, 125, 150 and 200 % as one choice of four, with Ctrl++ / Ctrl+- / Ctrl+0 from
// every window. The choice is kept in the settings under "Zoom" (the per-cent number, written only
// when the user changes it, so the settings of a session that never zooms stay as they were) and
// applied to the main window at start.

#include <QObject>

#include <array>

class QAction;
class QMenu;

namespace tamboro {

class MainWindow;

class ZoomMenu : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kSettingsKey = "Zoom";

    // Fills `menu`, binds the keys on `window` and zooms it as the settings say; owned by `menu`.
    ZoomMenu(QMenu& menu, MainWindow& window);

    int percent() const { return percent_; }
    // Zooms the window to `percent` (one of kZoomPercents), ticks its item and keeps it.
    void choose(int percent);
    QAction* itemFor(int percent) const;

private:
    void apply(int percent);

    MainWindow& window_;
    std::array<QAction*, 4> items_{};
    int percent_ = 100;
};

} // namespace tamboro
