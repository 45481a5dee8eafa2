// MainWindow: the popup menus behind the menu-bar labels and the commands this window carries out
// itself (exit, minimise, the two option check marks, help, about, web site).

#include "windows/main/MainWindow.h"

#include "windows/controls/AboutWindow.h"
#include "windows/controls/SkinPictures.h"
#include "windows/main/MenuLabel.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QShortcut>
#include <QUrl>
#include <QWindowStateChangeEvent>

namespace tamboro {

namespace {

QAction* item(QMenu* menu, const char* name, const QString& text, bool enabled = true) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    action->setEnabled(enabled);
    return action;
}

QMenu* popup(QWidget* parent, const char* name) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(name);
    return menu;
}

} // namespace

void MainWindow::buildMenus() {
    // Items whose commands belong to parts not wired into this window yet are created disabled.
    fileMenu = popup(this, "fileMenu");
    newSongAction = item(fileMenu, "newSongAction", "New Song", false);
    openSongAction = item(fileMenu, "openSongAction", "Open Song", false);
    saveSongAction = item(fileMenu, "saveSongAction", "Save Song", false);
    renderSongAction = item(fileMenu, "renderSongAction", "Render song to wave", false);
    fileMenu->addSeparator();
    printScoreAction = item(fileMenu, "printScoreAction", "Print Song Score (Drum TAB)", false);
    fileMenu->addSeparator();
    exitAction = item(fileMenu, "exitAction", "Exit");
    connect(exitAction, &QAction::triggered, this, &MainWindow::exitClicked);

    editMenu = popup(this, "editMenu");
    // "Clear Pattern" has no command bound to it: it is enabled and does nothing.
    clearPatternAction = item(editMenu, "clearPatternAction", "Clear Pattern");
    clearListAction = item(editMenu, "clearListAction", "Clear List", false);
    insertInstrumentAction = item(editMenu, "insertInstrumentAction", "Insert instrument");
    connect(insertInstrumentAction, &QAction::triggered, this, &MainWindow::insertInstrumentClicked);

    viewMenu = popup(this, "viewMenu");
    kitMakerAction = item(viewMenu, "kitMakerAction", "Kit Maker", false);

    setupMenu = popup(this, "setupMenu");
    drumKitLibraryAction = item(setupMenu, "drumKitLibraryAction", "Drum Kit Library", false);
    setupMenu->addSeparator();
    cellJumpAction = item(setupMenu, "cellJumpAction", "Cell Jump");
    connect(cellJumpAction, &QAction::triggered, this, &MainWindow::cellJumpClicked);
    setupMenu->addSeparator();
    gridScrollIndicatorAction = item(setupMenu, "gridScrollIndicatorAction", "Grid Scroll Indicator");
    gridScrollIndicatorAction->setCheckable(true);
    patternGridColorAction = item(setupMenu, "patternGridColorAction", "Pattern Grid Color");
    connect(patternGridColorAction, &QAction::triggered, this, &MainWindow::patternGridColorClicked);
    setupMenu->addSeparator();
    // The two render options are check marks that the renderer reads; toggling them is their command.
    includeMp3Action = item(setupMenu, "includeMp3Action", "Include MP3 option when render");
    includeMp3Action->setCheckable(true);
    acidizeLoopAction = item(setupMenu, "acidizeLoopAction", "Acidize Loop");
    acidizeLoopAction->setCheckable(true);

    helpMenu = popup(this, "helpMenu");
    helpContentsAction = item(helpMenu, "helpContentsAction", "Tamboro Help");
    helpMenu->addSeparator();
    aboutAction = item(helpMenu, "aboutAction", "About");
    webSiteAction = item(helpMenu, "webSiteAction", "Visit the Tamboro web site");
    connect(helpContentsAction, &QAction::triggered, this, &MainWindow::helpContentsClicked);
    connect(aboutAction, &QAction::triggered, this, &MainWindow::aboutClicked);
    connect(webSiteAction, &QAction::triggered, this, &MainWindow::webSiteClicked);

    const std::pair<MenuLabel*, QMenu*> bar[] = {{fileMenuLabel, fileMenu},
                                                 {editMenuLabel, editMenu},
                                                 {viewMenuLabel, viewMenu},
                                                 {setupMenuLabel, setupMenu},
                                                 {helpMenuLabel, helpMenu}};
    for (const auto& entry : bar) {
        // Named copies: the lambdas capture them (clang 14 cannot capture structured bindings).
        MenuLabel* const label = entry.first;
        QMenu* const menu = entry.second;
        connect(label, &MenuLabel::clicked, this, [this, label, menu] { openPopup(menu, label); });
        // Alt plus the underlined letter opens the menu too, as on an ordinary menu bar.
        auto* shortcut = new QShortcut(QKeySequence::mnemonic(label->caption()), this);
        connect(shortcut, &QShortcut::activated, this, [this, label, menu] { openPopup(menu, label); });
    }
    connect(minimizeLabel, &MenuLabel::clicked, this, &MainWindow::minimizeClicked);
    connect(closeLabel, &MenuLabel::clicked, this, &MainWindow::closeClicked);
}

QPoint MainWindow::popupPointFor(const MenuLabel* label) const {
    return QPoint(x() + label->x(), y() + 20);
}

void MainWindow::openPopup(QMenu* menu, const MenuLabel* label) {
    const QPoint at = popupPointFor(label);
    emit popupRequested(menu, at);
    menu->popup(at);
}

void MainWindow::exitClicked() {
    close();
}

void MainWindow::closeClicked() {
    if (stopStepClocks)
        stopStepClocks();
    close();
}

void MainWindow::minimizeClicked() {
    // Minimising the application: the side panels go with the main window and come back with it
    // (changeEvent).
    for (QWidget* panel : {kitListWindow.data(), extraSamplesWindow.data()})
        if (panel)
            panel->hide();
    showMinimized();
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    if ((change->oldState() & Qt::WindowMinimized) && !(windowState() & Qt::WindowMinimized))
        for (QWidget* panel : {kitListWindow.data(), extraSamplesWindow.data()})
            if (panel)
                panel->show();
}

QString MainWindow::helpIndexPath() {
    const QString folder = assetFolder();
    return folder.isEmpty() ? QString() : QDir(folder).filePath("help/index.html");
}

QString MainWindow::webSiteAddress() {
    return "https://tamboro.quillon.example/";
}

void MainWindow::helpContentsClicked() {
    const QString path = helpIndexPath();
    // A manual that cannot be opened is left to the desktop's own handling, as any other document.
    if (!path.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

void MainWindow::aboutClicked() {
    if (aboutWindow)
        aboutWindow->open();
}

void MainWindow::webSiteClicked() {
    QDesktopServices::openUrl(QUrl(webSiteAddress()));
}

} // namespace tamboro
