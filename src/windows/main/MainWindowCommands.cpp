// MainWindow: the commands the window carries out itself: exit, minimise and close, help, about and
// the web site, the grid's menu items (Insert instrument, Cell Jump, Pattern Grid Color), the grid's
// colours and the Kit List window's link to the kit.

#include "windows/main/MainWindow.h"

#include "windows/controls/AboutWindow.h"
#include "windows/controls/GridColorDialog.h"
#include "windows/controls/OptionsWindow.h"
#include "windows/controls/SkinPictures.h"
#include "windows/kits/KitListWindow.h"
#include "windows/main/KeyboardShortcuts.h"
#include "windows/main/MainMenus.h"
#include "windows/main/PatternGridView.h"
#include "windows/main/TransportPanel.h"
#include "windows/main/ZoomMenu.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QWindowStateChangeEvent>

namespace tamboro {

void MainWindow::connectWindowCommands() {
    const MainMenus& menus = parts_->menus;
    const MainMenus::Actions& a = menus.actions();
    PatternGridView* grid = &parts_->grid;
    connect(a.exit, &QAction::triggered, this, &MainWindow::exitClicked);
    connect(a.insertInstrument, &QAction::triggered, grid, &PatternGridView::insertInstrument);
    connect(a.cellJump, &QAction::triggered, this, &MainWindow::cellJumpClicked);
    connect(a.patternGridColor, &QAction::triggered, this, &MainWindow::patternGridColorClicked);
    openDocument = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    connect(a.helpContents, &QAction::triggered, this, &MainWindow::helpContentsClicked);
    connect(a.keyboardShortcuts, &QAction::triggered, this, [this] { showKeyboardShortcuts(this); });
    // View > Zoom, at the zoom the settings keep.
    new ZoomMenu(*a.zoom, *this);
    // Space plays the pattern, or stops what plays, from any window (the grid keeps Space for
    // itself while it has the keys, a text box for its text).
    auto* playOrStop = new QAction(QStringLiteral("Play or stop"), this);
    playOrStop->setObjectName("playOrStopAction");
    bindApplicationKeys(*playOrStop, KeyCommand::PlayOrStop, *this);
    connect(playOrStop, &QAction::triggered, this, [this] {
        TransportPanel& transport = parts_->transport;
        // The play buttons are disabled exactly while something plays or renders.
        if (transport.playButtonsEnabled())
            emit transport.playPatternClicked();
        else
            emit transport.stopClicked();
    });
    connect(a.about, &QAction::triggered, this, &MainWindow::aboutClicked);
    connect(a.webSite, &QAction::triggered, this, &MainWindow::webSiteClicked);
    connect(&menus, &MainMenus::minimizeClicked, this, &MainWindow::minimizeClicked);
    connect(&menus, &MainMenus::closeClicked, this, &MainWindow::closeClicked);
}

void MainWindow::exitClicked() {
    close();
}

void MainWindow::closeClicked() {
    // The sound layer stops its clocks on the Close event, before shut-down runs.
    close();
}

void MainWindow::minimizeClicked() {
    // Minimising the application: every side window open goes with the main window, and exactly
    // those come back with it (changeEvent).
    for (QWidget* window : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = window->windowType();
        if (window == this || !window->isVisible() || type == Qt::Popup || type == Qt::ToolTip)
            continue;
        hiddenWhileMinimized_.emplace_back(window);
        window->hide();
    }
    showMinimized();
}

void MainWindow::showSideWindowsAgain() {
    // Those the user closed meanwhile (gone) stay gone.
    for (const QPointer<QWidget>& window : hiddenWhileMinimized_)
        if (window)
            window->show();
    hiddenWhileMinimized_.clear();
}

void MainWindow::backInUse() {
    // Without a window manager nothing minimises the window, and a desktop may restore it without
    // a state change: clicked again, it counts as restored and its side windows come back.
    if (hiddenWhileMinimized_.empty())
        return;
    if (windowState() & Qt::WindowMinimized)
        setWindowState(windowState() & ~Qt::WindowMinimized);
    showSideWindowsAgain();
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    if ((change->oldState() & Qt::WindowMinimized) && !(windowState() & Qt::WindowMinimized))
        showSideWindowsAgain();
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
    const QString absolute = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    if (absolute.isEmpty() || !QFileInfo::exists(absolute)) {
        reportError(
            QStringLiteral("The manual (help/index.html) is not installed beside Tamboro's assets%1.")
                .arg(absolute.isEmpty() ? QString() : QStringLiteral(": \"%1\" is missing").arg(absolute)));
        return;
    }
    // Without a browser the desktop opens nothing: say where the manual is, to open by hand.
    if (!openDocument(QUrl::fromLocalFile(absolute)))
        reportError(QStringLiteral("No web browser could be started to show the manual. Open it in any "
                                   "browser: \"%1\"")
                        .arg(absolute));
}

void MainWindow::aboutClicked() {
    if (aboutWindow)
        aboutWindow->open();
}

void MainWindow::webSiteClicked() {
    QDesktopServices::openUrl(QUrl(webSiteAddress()));
}

void MainWindow::cellJumpClicked() {
    if (!optionsWindow)
        return;
    optionsWindow->show();
    optionsWindow->raise();
}

void MainWindow::patternGridColorClicked() {
    PatternGridView& grid = parts_->grid;
    QColor background = grid.backgroundColor();
    QColor text = grid.textColor();
    if (GridColorDialog::editGridColors(this, background, text))
        grid.setColors(background, text);
}

std::uint32_t MainWindow::gridBackgroundColor() const {
    return bgrFromColor(parts_->grid.backgroundColor());
}

std::uint32_t MainWindow::gridTextColor() const {
    return bgrFromColor(parts_->grid.textColor());
}

void MainWindow::setGridColors(std::uint32_t background, std::uint32_t text) {
    parts_->grid.setColors(colorFromBgr(background), colorFromBgr(text));
}

void MainWindow::attachKitList(KitListWindow* kitList) {
    kitListWindow = kitList;
    KitLibrary& kits = *state_.kitLibrary;
    kitList->setKit(&kits.kit());
    kitList->setWindowTitle(QString::fromStdString(kits.kitListCaption()));
    // Start-up loaded the kit before this window existed; from now on every load repaints it.
    kits.deferKitListPaint = false;
    kitList->paintLabels();
    kits.paintKitList = [this] {
        if (auto* list = qobject_cast<KitListWindow*>(kitListWindow.data()))
            list->paintLabels();
    };
    connect(kitList, &KitListWindow::instrumentChosen, this, [this](const QString& name, int pan) {
        setCurrentInstrument(name);
        parts_->transport.setPanKnob(pan);
    });
}

} // namespace tamboro
