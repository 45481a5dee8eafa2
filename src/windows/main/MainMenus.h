#pragma once
// The main window's menu bar: a row of captions on the skin (File, Edit, View, Setup, Help and the
// minimise and close marks), each opening its popup menu under it, also by Alt and its underlined
// letter. The menus' items are reachable through `actions()` for the commands that answer them.

#include <QObject>
#include <QPoint>

class QAction;
class QMenu;
class QWidget;

namespace tamboro {

class MenuLabel;

class MainMenus : public QObject {
    Q_OBJECT
public:
    // The items of the five menus, in menu order.
    struct Actions {
        QAction *newSong, *openSong, *saveSong, *renderSong, *exportMidi, *printScore, *exit;
        QAction *undo, *redo, *clearPattern, *clearList, *insertInstrument;
        QAction *kitMaker, *practice, *timingFeedback, *practiceProgress;
        QAction *drumKitLibrary, *cellJump, *gridScrollIndicator, *patternGridColor, *includeMp3,
            *acidizeLoop, *calibrateInput;
        QAction *helpContents, *keyboardShortcuts, *about, *webSite;
        QMenu* recentSongs; // File > Recent songs, filled by RecentSongsMenu
        QMenu* zoom;        // View > Zoom, filled by ZoomMenu
    };

    // Makes the captions and the menus on `surface`, which owns them.
    explicit MainMenus(QWidget& surface);

    const Actions& actions() const { return actions_; }

signals:
    // A caption asked for its popup at this screen point (tests watch this instead of a blocking
    // popup).
    void popupRequested(QMenu* menu, QPoint screenPoint);
    // The "_" and "x" captions were clicked.
    void minimizeClicked();
    void closeClicked();

private:
    // The caption row at the top of the skin.
    void buildCaptions();
    void buildMenus();
    // Opens `menu` at the window's top-left plus (caption left, 20 at 100 % zoom).
    void openPopup(QMenu* menu, const MenuLabel* label);

    QWidget& surface_;
    Actions actions_{};
    MenuLabel *file_ = nullptr, *edit_ = nullptr, *view_ = nullptr, *setup_ = nullptr, *help_ = nullptr,
              *minimize_ = nullptr, *close_ = nullptr;
};

} // namespace tamboro
