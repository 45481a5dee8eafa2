#pragma once
// MainWindow: the main window. A frameless, shaped, skinned panel holding the pattern grid, the
// Pattern Library and Play List, the transport buttons, the tempo and pan knobs and a menu bar of
// labels. It is created first and closing it ends the program.
//
// The window is split by concern: MainWindowLayout.cpp builds the controls, MainWindowMenus.cpp the
// menus and their commands, MainWindowShape.cpp the shape, paint and resize rules, MainWindowDrag.cpp
// the background drag, MainWindowLifecycle.cpp start-up (startUp) and shut-down (shutDown).

#include "app/AppSettings.h"
#include "app/MainWindowRules.h"
#include "app/ProgramOptions.h"
#include "kits/KitLibrary.h"
#include "song/GridEditing.h"
#include "song/PanTable.h"
#include "song/PatternGrid.h"
#include "song/PatternLibrary.h"
#include "sound/InstrumentList.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace tamboro {

class MenuLabel;
class PatternGridView;
class OptionsWindow;
class KitListWindow;
class PictureButton;
class AboutWindow;
class Knob;
class PulseLight;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kCaptionAtStart = "Tamboro Pro v6.7";
    static constexpr const char* kCaptionAfterNewSong = "Tamboro Pro v7.0";

    // Creates the window and runs start-up (startUp) with `programFolder` as programDir. `options`
    // carries the command line's audio choices for the sound output.
    explicit MainWindow(const std::filesystem::path& programFolder, const ProgramOptions& options = {},
                        QWidget* parent = nullptr);
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

    // Stops both step clocks. Shut-down and the "x" label run it before anything else, so that no
    // tick runs against a closing window; the sound layer sets it when it wires itself in.
    std::function<void()> stopStepClocks;

    // ---- Document and playback state (start-up sets all of it). --------------------------------
    std::filesystem::path programDir;
    ProgramOptions programOptions;
    bool showTips = true;
    // The pattern grid's store and its editing state (patternChanged, cellJump, gridClicked, the
    // pending Time/Bar halves).
    PatternGrid patternCells;
    PatternEditState editState;
    // The Pattern Library and Play List behind `patternLibraryBox` and `playListBox`.
    PatternLibrary patternLibrary;
    PlayList playList;
    // The kit, kitFileName, lastKitIndex and kit loading.
    std::unique_ptr<KitLibrary> kitLibrary;
    // The instrument list behind `instrumentBox`.
    InstrumentList instruments;
    // Why the kit could not be loaded at start-up (empty when it loaded).
    std::string kitProblem;
    std::array<bool, 6> channelOn{};
    bool repeatPattern = false, repeatSong = false, globalSpeed = false;
    int stepInterval = 0;
    int primaryRate = 0, primaryBits = 0;
    std::vector<std::string> patternLines, songScript;
    // The pattern last saved or loaded, and the current song's file ("Untitled Song" after New Song,
    // empty until the first New, Open or Save Song). The drum TAB printout titles the song from it.
    std::string currentPattern;
    std::string songFileName;
    // Why the pan table could not be used at start-up (empty when it was read as it stands).
    std::string panTableProblem;
    BackgroundDrag backgroundDrag;

    // ---- Controls, at the positions of the layout. ---------------------------------------------
    QLabel* backgroundImage = nullptr; // background picture and drag handle
    QListWidget* patternLibraryBox = nullptr;
    QListWidget* playListBox = nullptr;
    QWidget* playListArrows = nullptr;
    PatternGridView* patternGrid = nullptr;
    std::array<QPushButton*, 6> channelSwitches{};
    std::array<PulseLight*, 6> pulseLights{};
    PictureButton *sendToPlayListButton = nullptr, *backToLibraryButton = nullptr,
                  *libraryBinButton = nullptr, *playListBinButton = nullptr;
    PictureButton *playPatternButton = nullptr, *repeatPatternButton = nullptr, *stopButton = nullptr,
                  *playInstrumentButton = nullptr, *clearPatternButton = nullptr;
    PictureButton *playSongButton = nullptr, *repeatSongButton = nullptr, *renderSongButton = nullptr,
                  *globalSpeedButton = nullptr, *clearSongButton = nullptr;
    PictureButton *applyTimeBarButton = nullptr, *savePatternButton = nullptr;
    Knob* bpmKnob = nullptr;
    Knob* panKnob = nullptr;
    QSpinBox* bpmBox = nullptr; // the BPM box
    QComboBox* timeBarBox = nullptr;
    QLineEdit* patternNameBox = nullptr;
    QSpinBox* loopsBox = nullptr;
    QComboBox* instrumentBox = nullptr;
    MenuLabel *fileMenuLabel = nullptr, *editMenuLabel = nullptr, *viewMenuLabel = nullptr,
              *setupMenuLabel = nullptr, *helpMenuLabel = nullptr, *minimizeLabel = nullptr,
              *closeLabel = nullptr;

    // ---- Menus. ---------------------------------------------------------------------------------
    QMenu *fileMenu = nullptr, *editMenu = nullptr, *viewMenu = nullptr, *setupMenu = nullptr,
          *helpMenu = nullptr;
    QAction *newSongAction = nullptr, *openSongAction = nullptr, *saveSongAction = nullptr,
            *renderSongAction = nullptr, *printScoreAction = nullptr, *exitAction = nullptr;
    QAction *clearPatternAction = nullptr, *clearListAction = nullptr, *insertInstrumentAction = nullptr;
    QAction* kitMakerAction = nullptr;
    QAction *drumKitLibraryAction = nullptr, *cellJumpAction = nullptr, *gridScrollIndicatorAction = nullptr,
            *patternGridColorAction = nullptr, *includeMp3Action = nullptr, *acidizeLoopAction = nullptr;
    QAction *helpContentsAction = nullptr, *aboutAction = nullptr, *webSiteAction = nullptr;

    // Where each menu label opens its popup: the window's top-left plus (label left, 20).
    QPoint popupPointFor(const MenuLabel* label) const;

    // The instrument list as the pan table sees it (positions and lastKitIndex).
    InstrumentPositions instrumentPositions() const;
    int lastKitIndex() const { return instruments.lastKitIndex(); }
    // The grid's colours as the pan table stores them (0x00BBGGRR).
    std::uint32_t gridBackgroundColor() const;
    std::uint32_t gridTextColor() const;
    void setGridColors(std::uint32_t background, std::uint32_t text);

    // Help's contents: the manual's index page in the installed help folder.
    static QString helpIndexPath();
    static QString webSiteAddress();

    // ---- Handlers. ------------------------------------------------------------------------------
    void startUp();
    void shutDown();
    void applyPaintRules();
    void applyResizeRule();
    void applyWindowShape(int outlineBottom);
    void exitClicked();
    void closeClicked();
    void minimizeClicked();
    void helpContentsClicked();
    void aboutClicked();
    void webSiteClicked();
    void loadKit();
    void cellJumpClicked();
    void patternGridColorClicked();
    void insertInstrumentClicked();
    void sendToPlayListClicked();
    void backToLibraryClicked();
    void playListArrowClicked(bool up);
    void playListBinClicked();
    void libraryBinClicked();
    // Asks OK/Cancel before the library bin deletes a pattern; tests answer it themselves.
    std::function<bool()> confirmLibraryDelete;
    // The pattern boxes under the grid: the name box mirrors cell (0,0), the loops box stays at 1 or
    // more, the Time/Bar box and button lay the grid out anew, the clear button empties the cells.
    void connectPatternBoxes();
    void patternNameChanged();
    void loopsChanged();
    void timeBarChanged();
    void applyTimeBarClicked();
    void clearPatternClicked();
    // Tells the user why the Time/Bar button refused a choice; tests answer it themselves.
    std::function<void(const QString& message)> showTimeBarProblem;
    // Playback's side of the pattern boxes, set by the sound layer (either may be empty): after the
    // Time/Bar button laid the grid out with `endRow` rows, the playing row moves back to 2 when it
    // lies past it; the clear button empties the song script.
    std::function<void(int endRow)> patternLaidOut;
    std::function<void()> forgetSongScript;
    // Replaces the Play List's entries (Open Song) and shows them; the selection and checks go.
    void replacePlayList(const std::vector<std::string>& names);
    // Shows the two list models in their list boxes.
    void showLibrary();
    void showPlayList();

signals:
    // Shut-down has run; the program ends.
    void closed();
    // A menu label asked for its popup at this screen point (tests watch this instead of a blocking
    // popup).
    void popupRequested(QMenu* menu, QPoint screenPoint);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void buildMenuBar();
    void buildGrid();
    void connectLists();
    // A right-button press enlarges a list to 404 pixels; any other press restores it to 129.
    void listMousePress(QListWidget* list, Qt::MouseButton button);

    void refillInstrumentList(const DrumKit& kit);
    void reportError(const QString& message);
    void openPopup(QMenu* menu, const MenuLabel* label);
    void backgroundPress(QMouseEvent* event);
    void backgroundMove(QMouseEvent* event);
    void backgroundRelease(QMouseEvent* event);
    void savePanTableAtClose();
    AppSettings currentSettings() const;

    bool closed_ = false;
};

} // namespace tamboro
