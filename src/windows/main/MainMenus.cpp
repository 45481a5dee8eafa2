#include "windows/main/MainMenus.h"

#include "windows/main/MenuLabel.h"
#include "windows/main/WindowZoom.h"

#include <QAction>
#include <QMenu>
#include <QShortcut>

namespace tamboro {

namespace {

QAction* item(QMenu* menu, const char* name, const QString& text) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    return action;
}

QAction* checkItem(QMenu* menu, const char* name, const QString& text) {
    QAction* action = item(menu, name, text);
    action->setCheckable(true);
    return action;
}

QMenu* popup(QWidget* parent, const char* name) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(name);
    return menu;
}

} // namespace

MainMenus::MainMenus(QWidget& surface) : QObject(&surface), surface_(surface) {
    buildCaptions();
    buildMenus();
}

void MainMenus::buildCaptions() {
    struct Entry {
        MenuLabel** field;
        const char* name;
        const char* caption;
        int left;
        bool italic;
    };
    const Entry entries[] = {
        {&file_, "fileMenuLabel", "&File", 148, true}, {&edit_, "editMenuLabel", "&Edit", 196, true},
        {&view_, "viewMenuLabel", "&View", 248, true}, {&setup_, "setupMenuLabel", "&Setup", 300, true},
        {&help_, "helpMenuLabel", "&Help", 356, true}, {&minimize_, "minimizeLabel", "_", 392, false},
        {&close_, "closeLabel", "x", 404, false},
    };
    for (const Entry& e : entries) {
        auto* label = new MenuLabel(e.caption, &surface_);
        label->setObjectName(e.name);
        QFont f = label->font();
        f.setBold(true);
        f.setItalic(e.italic);
        f.setPixelSize(11);
        label->setFont(f);
        label->setStyleSheet("color: aqua; background: transparent;");
        label->adjustSize();
        label->setGeometry(e.left, 4, label->width(), 13);
        *e.field = label;
    }
    connect(minimize_, &MenuLabel::clicked, this, &MainMenus::minimizeClicked);
    connect(close_, &MenuLabel::clicked, this, &MainMenus::closeClicked);
}

void MainMenus::buildMenus() {
    Actions& a = actions_;
    QMenu* fileMenu = popup(&surface_, "fileMenu");
    a.newSong = item(fileMenu, "newSongAction", "New Song");
    a.openSong = item(fileMenu, "openSongAction", "Open Song");
    a.recentSongs = fileMenu->addMenu(QStringLiteral("Recent songs"));
    a.recentSongs->setObjectName("recentSongsMenu");
    a.recentSongs->setEnabled(false); // until a song is opened or saved
    a.saveSong = item(fileMenu, "saveSongAction", "Save Song");
    a.renderSong = item(fileMenu, "renderSongAction", "Render song to wave");
    a.exportMidi = item(fileMenu, "exportMidiAction", "Export MIDI\u2026");
    fileMenu->addSeparator();
    a.printScore = item(fileMenu, "printScoreAction", "Print Song Score (Drum TAB)");
    fileMenu->addSeparator();
    a.exit = item(fileMenu, "exitAction", "Exit");

    QMenu* editMenu = popup(&surface_, "editMenu");
    // The undo history names the step in these two items' texts.
    a.undo = item(editMenu, "undoAction", "Undo");
    a.redo = item(editMenu, "redoAction", "Redo");
    editMenu->addSeparator();
    // "Clear Pattern" has no command bound to it: it is enabled and does nothing.
    a.clearPattern = item(editMenu, "clearPatternAction", "Clear Pattern");
    a.clearList = item(editMenu, "clearListAction", "Clear List");
    a.insertInstrument = item(editMenu, "insertInstrumentAction", "Insert instrument");

    QMenu* viewMenu = popup(&surface_, "viewMenu");
    a.kitMaker = item(viewMenu, "kitMakerAction", "Kit Maker");
    // Checked while the practice panel shows; the window's metronome button toggles it too.
    a.practice = checkItem(viewMenu, "practiceAction", "Practice");
    a.timingFeedback = item(viewMenu, "timingFeedbackAction", "Timing feedback\u2026");
    a.practiceProgress = item(viewMenu, "practiceProgressAction", "Progress\u2026");
    viewMenu->addSeparator();
    a.zoom = viewMenu->addMenu(QStringLiteral("Zoom"));
    a.zoom->setObjectName("zoomMenu");

    QMenu* setupMenu = popup(&surface_, "setupMenu");
    a.drumKitLibrary = item(setupMenu, "drumKitLibraryAction", "Drum Kit Library");
    setupMenu->addSeparator();
    a.cellJump = item(setupMenu, "cellJumpAction", "Cell Jump");
    setupMenu->addSeparator();
    a.gridScrollIndicator = checkItem(setupMenu, "gridScrollIndicatorAction", "Grid Scroll Indicator");
    a.patternGridColor = item(setupMenu, "patternGridColorAction", "Pattern Grid Color");
    setupMenu->addSeparator();
    // The two render options are check marks that the renderer reads; toggling them is their command.
    a.includeMp3 = checkItem(setupMenu, "includeMp3Action", "Include MP3 option when render");
    a.acidizeLoop = checkItem(setupMenu, "acidizeLoopAction", "Acidize Loop");
    setupMenu->addSeparator();
    a.calibrateInput = item(setupMenu, "calibrateInputAction", "Calibrate input latency");

    QMenu* helpMenu = popup(&surface_, "helpMenu");
    a.helpContents = item(helpMenu, "helpContentsAction", "Tamboro Help");
    a.keyboardShortcuts = item(helpMenu, "keyboardShortcutsAction", "Keyboard shortcuts");
    helpMenu->addSeparator();
    a.about = item(helpMenu, "aboutAction", "About");
    a.webSite = item(helpMenu, "webSiteAction", "Visit the Tamboro web site");

    const std::pair<MenuLabel*, QMenu*> bar[] = {
        {file_, fileMenu}, {edit_, editMenu}, {view_, viewMenu}, {setup_, setupMenu}, {help_, helpMenu}};
    for (const auto& entry : bar) {
        // Named copies: the lambdas capture them (clang 14 cannot capture structured bindings).
        MenuLabel* const label = entry.first;
        QMenu* const menu = entry.second;
        connect(label, &MenuLabel::clicked, this, [this, label, menu] { openPopup(menu, label); });
        // Alt plus the underlined letter opens the menu too, as on an ordinary menu bar.
        auto* shortcut = new QShortcut(QKeySequence::mnemonic(label->caption()), &surface_);
        connect(shortcut, &QShortcut::activated, this, [this, label, menu] { openPopup(menu, label); });
    }
}

void MainMenus::openPopup(QMenu* menu, const MenuLabel* label) {
    const QPoint at(surface_.x() + label->x(), surface_.y() + zoomed(20, surface_));
    emit popupRequested(menu, at);
    menu->popup(at);
}

} // namespace tamboro
