// TSequence: the popup menus behind the menu-bar labels and the commands this window carries out
// itself (exit, minimise, the two option check marks, help, about, web site).

#include "app/ui/Sequence.h"

#include "app/ui/MenuLabel.h"
#include "controls/ui/AboutScreen.h"
#include "controls/ui/SkinPictures.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QShortcut>
#include <QWindowStateChangeEvent>
#include <QUrl>

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

void TSequence::buildMenus() {
    // Items whose commands belong to parts not wired into this window yet are created disabled.
    PopupMenu2 = popup(this, "PopupMenu2");
    NewSong1 = item(PopupMenu2, "NewSong1", "New Song", false);
    OpenSong1 = item(PopupMenu2, "OpenSong1", "Open Song", false);
    SaveSong1 = item(PopupMenu2, "SaveSong1", "Save Song", false);
    RendorSong1 = item(PopupMenu2, "RendorSong1", "Rendor song to wave", false);
    PopupMenu2->addSeparator();
    mnuPrintScore = item(PopupMenu2, "mnuPrintScore", "Print Song Score (Drum TAB)", false);
    PopupMenu2->addSeparator();
    Exit1 = item(PopupMenu2, "Exit1", "Exit");
    connect(Exit1, &QAction::triggered, this, &TSequence::Exit1Click);

    PopupMenu3 = popup(this, "PopupMenu3");
    // "Clear Pattern" has no command bound to it: it is enabled and does nothing.
    ClearPattern1 = item(PopupMenu3, "ClearPattern1", "Clear Pattern");
    ClearList1 = item(PopupMenu3, "ClearList1", "Clear List", false);
    Insertinstrument1 = item(PopupMenu3, "Insertinstrument1", "Insert instrument");
    connect(Insertinstrument1, &QAction::triggered, this, &TSequence::Insertinstrument1Click);

    PopupMenu4 = popup(this, "PopupMenu4");
    KitMake = item(PopupMenu4, "KitMake", "Kit Maker", false);

    PopupMenu5 = popup(this, "PopupMenu5");
    SoundLibrary1 = item(PopupMenu5, "SoundLibrary1", "Drum Kit Library", false);
    PopupMenu5->addSeparator();
    CellJump1 = item(PopupMenu5, "CellJump1", "Cell Jump");
    connect(CellJump1, &QAction::triggered, this, &TSequence::CellJump1Click);
    PopupMenu5->addSeparator();
    GridIndicator = item(PopupMenu5, "GridIndicator", "Grid Scroll Indicator");
    GridIndicator->setCheckable(true);
    PatternGridColor1 = item(PopupMenu5, "PatternGridColor1", "Pattern Grid Color");
    connect(PatternGridColor1, &QAction::triggered, this, &TSequence::PatternGridColor1Click);
    PopupMenu5->addSeparator();
    // The two render options are check marks that the renderer reads; toggling them is their command.
    IncludeMP31 = item(PopupMenu5, "IncludeMP31", "Include MP3 option when render");
    IncludeMP31->setCheckable(true);
    mnAcid = item(PopupMenu5, "mnAcid", "Acidize Loop");
    mnAcid->setCheckable(true);

    PopupMenu6 = popup(this, "PopupMenu6");
    HelpContents1 = item(PopupMenu6, "HelpContents1", "Tamboro Help");
    PopupMenu6->addSeparator();
    AboutScreen1 = item(PopupMenu6, "AboutScreen1", "About");
    WebSite1 = item(PopupMenu6, "WebSite1", "Visit the Tamboro web site");
    connect(HelpContents1, &QAction::triggered, this, &TSequence::HelpContents1Click);
    connect(AboutScreen1, &QAction::triggered, this, &TSequence::AboutScreenClick);
    connect(WebSite1, &QAction::triggered, this, &TSequence::WebSite1Click);

    const std::pair<MenuLabel*, QMenu*> bar[] = {
        {Label3, PopupMenu2}, {Label4, PopupMenu3}, {Label7, PopupMenu4}, {Label8, PopupMenu5}, {Label9, PopupMenu6}};
    for (const auto& [label, menu] : bar) {
        connect(label, &MenuLabel::clicked, this, [this, label, menu] { openPopup(menu, label); });
        // Alt plus the underlined letter opens the menu too, as on an ordinary menu bar.
        auto* shortcut = new QShortcut(QKeySequence::mnemonic(label->caption()), this);
        connect(shortcut, &QShortcut::activated, this, [this, label, menu] { openPopup(menu, label); });
    }
    connect(Label12, &MenuLabel::clicked, this, &TSequence::Label12Click);
    connect(Label10, &MenuLabel::clicked, this, &TSequence::Label10Click);
}

QPoint TSequence::popupPointFor(const MenuLabel* label) const {
    return QPoint(x() + label->x(), y() + 20);
}

void TSequence::openPopup(QMenu* menu, const MenuLabel* label) {
    const QPoint at = popupPointFor(label);
    emit popupRequested(menu, at);
    menu->popup(at);
}

void TSequence::Exit1Click() { close(); }

void TSequence::Label10Click() {
    if (StopStepTimers)
        StopStepTimers();
    close();
}

void TSequence::Label12Click() {
    // Minimising the application: the side panels go with the main window and come back with it
    // (changeEvent).
    for (QWidget* panel : {KitListWindow.data(), ExtraSamplesWindow.data()})
        if (panel)
            panel->hide();
    showMinimized();
}

void TSequence::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    if ((change->oldState() & Qt::WindowMinimized) && !(windowState() & Qt::WindowMinimized))
        for (QWidget* panel : {KitListWindow.data(), ExtraSamplesWindow.data()})
            if (panel)
                panel->show();
}

QString TSequence::helpIndexPath() {
    const QString folder = assetFolder();
    return folder.isEmpty() ? QString() : QDir(folder).filePath("help/index.html");
}

QString TSequence::webSiteAddress() { return "https://tamboro.quillon.example/"; }

void TSequence::HelpContents1Click() {
    const QString path = helpIndexPath();
    // A manual that cannot be opened is left to the desktop's own handling, as any other document.
    if (!path.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

void TSequence::AboutScreenClick() {
    if (AboutWindow)
        AboutWindow->open();
}

void TSequence::WebSite1Click() { QDesktopServices::openUrl(QUrl(webSiteAddress())); }

} // namespace tamboro
