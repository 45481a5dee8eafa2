#pragma once
// MainWindow: the main window. A frameless, shaped, skinned panel holding the pattern grid, the
// Pattern Library and Play List, the transport buttons, the tempo and pan knobs and a menu bar of
// captions. It is created first and closing it ends the program.
//
// The window is made of parts that own their controls: the lists (PatternListsPanel), the transport
// and tempo controls (TransportPanel), the pattern boxes under the grid (PatternBoxes), the grid
// (PatternGridView) and the menu bar (MainMenus). MainWindowLayout.cpp puts them together,
// MainWindowCommands.cpp carries out what the window does itself (exit, minimise, help, the grid's
// menu items), MainWindowShape.cpp the shape, paint and resize rules, MainWindowZoom.cpp the zoom,
// MainWindowDrag.cpp the background drag, MainWindowLifecycle.cpp start-up (startUp), shut-down (shutDown)
// and teardown.

#include "app/AppSettings.h"
#include "app/MainWindowRules.h"
#include "song/PanTable.h"
#include "windows/main/MainWindowParts.h"
#include "windows/main/MainWindowState.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QUrl;

namespace tamboro {

class AboutWindow;
class KitListWindow;
class OptionsWindow;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kCaptionAtStart = "Tamboro Pro v6.7";

    // Creates the window and runs start-up (startUp) with `programFolder` as programDir. `options`
    // carries the command line's audio choices for the sound output.
    explicit MainWindow(const std::filesystem::path& programFolder, const ProgramOptions& options = {},
                        QWidget* parent = nullptr);
    // Removes what was wired into the window (the sound layer, the commands) and its parts before
    // any control goes, so that nothing watches or drives a control that is half destroyed.
    ~MainWindow() override;

    // ---- Companion windows, created after this one; any may be absent. --------------------------
    QPointer<QWidget> kitListWindow, extraSamplesWindow, sampleEditorWindow, kitMakerWindow,
        renderProgressWindow;
    QPointer<OptionsWindow> optionsWindow;
    QPointer<QWidget> tipsWindow;
    QPointer<AboutWindow> aboutWindow;

    // Joins the Kit List window, created after this one: it lists the loaded kit, repaints after
    // each later kit load, carries the kit's name in its caption, and a click on an instrument makes
    // it the current instrument and puts its pan on the Panning knob.
    void attachKitList(KitListWindow* kitList);

    // The parts, for the sound layer and the commands that wire into the window.
    const MainWindowParts& parts() const { return *parts_; }
    MainWindowState& state() { return state_; }
    const MainWindowState& state() const { return state_; }

    // Makes `name` the current instrument, as choosing it in a list does.
    void setCurrentInstrument(const QString& name);

    // The instrument list as the pan table sees it (positions and lastKitIndex).
    InstrumentPositions instrumentPositions() const;
    int lastKitIndex() const { return state_.instruments.lastKitIndex(); }
    // The grid's colours as the pan table stores them (0x00BBGGRR).
    std::uint32_t gridBackgroundColor() const;
    std::uint32_t gridTextColor() const;
    void setGridColors(std::uint32_t background, std::uint32_t text);
    // The zoom (1 at 100 %, View > Zoom): every control, font and mask, the skin pictures and the
    // outline scale by it, on top of the screen's own scale (MainWindowZoom.cpp).
    double zoom() const { return zoom_; }
    void setZoom(double zoom);

    // The background drag in progress, if any.
    const BackgroundDrag& backgroundDrag() const { return backgroundDrag_; }

    // Help's contents: the manual's index page in the installed help folder.
    static QString helpIndexPath();
    // Hands a document to the desktop (a browser for the manual); false when nothing opened it.
    // Tests replace it.
    std::function<bool(const QUrl&)> openDocument;
    static QString webSiteAddress();

    // ---- Commands of the window itself. ----------------------------------------------------------
    void exitClicked();
    void closeClicked();
    // Minimises the application: the side windows open go with the window, and those come back
    // with it.
    void minimizeClicked();
    void loadKit();

signals:
    // Shut-down has run; the program ends.
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildParts();
    void connectWindowCommands();
    void startUp();
    void shutDown();
    void applyPaintRules();
    void applyResizeRule();
    void applyWindowShape(int outlineBottom);
    // The background picture painted for the window's zoom and screen.
    void showBackground();
    void clearPatternClicked();
    void helpContentsClicked();
    void aboutClicked();
    void webSiteClicked();
    void cellJumpClicked();
    void patternGridColorClicked();
    void refillInstrumentList(const DrumKit& kit);
    void reportError(const QString& message);
    void backgroundPress(QMouseEvent* event);
    void backgroundMove(QMouseEvent* event);
    void backgroundRelease(QMouseEvent* event);
    void savePanTableAtClose();
    void showSideWindowsAgain();
    void backInUse();
    AppSettings currentSettings() const;

    MainWindowState state_;
    BackgroundDrag backgroundDrag_;
    std::optional<MainWindowParts> parts_;
    // The background picture fills the window and is its drag handle.
    QLabel* backgroundImage_ = nullptr;
    // The current instrument's text; never shown, the grid and the audition read it.
    QComboBox* instrumentBox_ = nullptr;
    bool closed_ = false;
    // The side windows minimizeClicked hid, to show again when the window is restored.
    std::vector<QPointer<QWidget>> hiddenWhileMinimized_;
    double zoom_ = 1;
    int backgroundPercent_ = 0; // the painted scale the background was loaded at
};

} // namespace tamboro
