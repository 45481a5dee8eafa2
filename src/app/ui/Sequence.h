#pragma once
// TSequence: the main window. A frameless, shaped, skinned panel holding the pattern grid, the
// Pattern Library and Play List, the transport buttons, the tempo and pan knobs and a menu bar of
// labels. It is created first and closing it ends the program.
//
// The window is split by concern: SequenceLayout.cpp builds the controls, SequenceMenus.cpp the
// menus and their commands, SequenceShape.cpp the shape, paint and resize rules, SequenceDrag.cpp
// the background drag, SequenceLifecycle.cpp start-up (FormCreate) and shut-down (FormClose).

#include "app/AppSettings.h"
#include "app/GridEditing.h"
#include "app/PatternGrid.h"
#include "app/MainWindowRules.h"
#include "app/PanTable.h"
#include "app/PatternLibrary.h"
#include "app/ProgramOptions.h"
#include "kits/KitLibrary.h"
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
class TForm2;
class TKit_List;
class PictureButton;
class TAbout_Screen;
class TBJKnob;
class TPulse;

class TSequence : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kCaptionAtStart = "Tamboro Pro v6.7";
    static constexpr const char* kCaptionAfterNewSong = "Tamboro Pro v7.0";

    // Creates the window and runs start-up (FormCreate) with `programDir` as ProgramDir. `options`
    // carries the command line's audio choices for the sound output.
    explicit TSequence(const std::filesystem::path& programDir, const ProgramOptions& options = {},
                       QWidget* parent = nullptr);
    ~TSequence() override;

    // ---- Companion windows, created after this one; any may be absent. --------------------------
    QPointer<QWidget> KitListWindow, ExtraSamplesWindow, SampleEditor, KitMaker, RenderProgress;
    QPointer<TForm2> OptionsWindow;
    QPointer<QWidget> TipsWindow;
    QPointer<TAbout_Screen> AboutWindow;

    // Joins the Kit List window, created after this one: it lists the loaded kit, repaints after
    // each later kit load, carries the kit's name in its caption, and a click on an instrument makes
    // it the current instrument and puts its pan on the Panning knob.
    void attachKitList(TKit_List* kitList);

    // Stops both step clocks. Shut-down and the "x" label run it before anything else, so that no
    // tick runs against a closing window; the sound layer sets it when it wires itself in.
    std::function<void()> StopStepTimers;

    // ---- Document and playback state (start-up sets all of it). --------------------------------
    std::filesystem::path ProgramDir;
    ProgramOptions Options;
    bool ShowTips = true;
    // The pattern grid's store and its editing state (PatternChanged, CellJump, GridClicked, the
    // pending Time/Bar halves).
    PatternGrid Grid;
    PatternEditState EditState;
    // The Pattern Library and Play List behind `MusicLib` and `SongList`.
    PatternLibrary Library;
    PlayList Songs;
    // The kit (`DXWaveList1`), KitFileName, LastKitIndex and kit loading.
    std::unique_ptr<KitLibrary> DrumLibrary;
    // The instrument list behind `lstKitList`.
    InstrumentList Instruments;
    // Why the kit could not be loaded at start-up (empty when it loaded).
    std::string KitProblem;
    std::array<bool, 6> ChannelOn{};
    bool RepeatPattern = false, RepeatSong = false, GlobalSpeed = false;
    int StepInterval = 0;
    int PrimaryRate = 0, PrimaryBits = 0;
    std::vector<std::string> PatternLines, SongScript;
    // The pattern last saved or loaded, and the current song's file ("Untitled Song" after New Song,
    // empty until the first New, Open or Save Song). The drum TAB printout titles the song from it.
    std::string CurrentPattern;
    std::string SongFileName;
    // Why the pan table could not be used at start-up (empty when it was read as it stands).
    std::string PanTableProblem;
    BackgroundDrag Drag;

    // ---- Controls, at the positions of the layout. ---------------------------------------------
    QLabel* Image1 = nullptr; // background picture and drag handle
    QListWidget* MusicLib = nullptr;
    QListWidget* SongList = nullptr;
    QWidget* UpDown1 = nullptr;
    PatternGridView* StringGrid1 = nullptr;
    std::array<QPushButton*, 6> btnCH{};
    std::array<TPulse*, 6> Pulse{};
    PictureButton *btnToPatList = nullptr, *btnFromPatList = nullptr, *LibBin = nullptr, *SongBin = nullptr;
    PictureButton *btnPlay = nullptr, *btnLoopPattern = nullptr, *btnStop = nullptr, *btnSounder = nullptr,
                  *btnClearPattern = nullptr;
    PictureButton *btnPlaySong = nullptr, *btnLoopSong = nullptr, *btnRenderWave = nullptr,
                  *btnSetGlobal = nullptr, *btnClearSong = nullptr;
    PictureButton *btnTimeBar = nullptr, *btnSavePattern = nullptr;
    TBJKnob* Delay = nullptr;
    TBJKnob* Panning = nullptr;
    QSpinBox* Label6 = nullptr; // the BPM box
    QComboBox* TimeBar = nullptr;
    QLineEdit* Edit2 = nullptr;
    QSpinBox* Loop = nullptr;
    QComboBox* lstKitList = nullptr;
    MenuLabel *Label3 = nullptr, *Label4 = nullptr, *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr,
              *Label12 = nullptr, *Label10 = nullptr;

    // ---- Menus. ---------------------------------------------------------------------------------
    QMenu *PopupMenu2 = nullptr, *PopupMenu3 = nullptr, *PopupMenu4 = nullptr, *PopupMenu5 = nullptr,
          *PopupMenu6 = nullptr;
    QAction *NewSong1 = nullptr, *OpenSong1 = nullptr, *SaveSong1 = nullptr, *RendorSong1 = nullptr,
            *mnuPrintScore = nullptr, *Exit1 = nullptr;
    QAction *ClearPattern1 = nullptr, *ClearList1 = nullptr, *Insertinstrument1 = nullptr;
    QAction* KitMake = nullptr;
    QAction *SoundLibrary1 = nullptr, *CellJump1 = nullptr, *GridIndicator = nullptr, *PatternGridColor1 = nullptr,
            *IncludeMP31 = nullptr, *mnAcid = nullptr;
    QAction *HelpContents1 = nullptr, *AboutScreen1 = nullptr, *WebSite1 = nullptr;

    // Where each menu label opens its popup: the window's top-left plus (label left, 20).
    QPoint popupPointFor(const MenuLabel* label) const;

    // The instrument list as the pan table sees it (positions and LastKitIndex).
    InstrumentPositions instrumentPositions() const;
    int LastKitIndex() const { return Instruments.lastKitIndex(); }
    // The grid's colours as the pan table stores them (0x00BBGGRR).
    std::uint32_t gridBackgroundColor() const;
    std::uint32_t gridTextColor() const;
    void setGridColors(std::uint32_t background, std::uint32_t text);

    // Help's contents: the manual's index page in the installed help folder.
    static QString helpIndexPath();
    static QString webSiteAddress();

    // ---- Handlers. ------------------------------------------------------------------------------
    void FormCreate();
    void FormClose();
    void FormPaint();
    void FormResize();
    void applyWindowShape(int outlineBottom);
    void Exit1Click();
    void Label10Click();
    void Label12Click();
    void HelpContents1Click();
    void AboutScreenClick();
    void WebSite1Click();
    void GetDrumLibrary();
    void CellJump1Click();
    void PatternGridColor1Click();
    void Insertinstrument1Click();
    void MusicLibDblClick();
    void btnFromPatListClick();
    void UpDown1Click(bool up);
    void SongBinClick();
    void LibBinClick();
    // Asks OK/Cancel before the library bin deletes a pattern; tests answer it themselves.
    std::function<bool()> confirmLibraryDelete;
    // The pattern boxes under the grid: the name box mirrors cell (0,0), the loops box stays at 1 or
    // more, the Time/Bar box and button lay the grid out anew, the clear button empties the cells.
    void connectPatternBoxes();
    void Edit2Change();
    void LoopChange();
    void TimeBarChange();
    void btnTimeBarClick();
    void BitBtn7Click();
    // Tells the user why the Time/Bar button refused a choice; tests answer it themselves.
    std::function<void(const QString& message)> showTimeBarProblem;
    // Playback's side of the pattern boxes, set by the sound layer (either may be empty): after the
    // Time/Bar button laid the grid out with `endRow` rows, the playing row moves back to 2 when it
    // lies past it; the clear button empties the song script.
    std::function<void(int endRow)> PatternLaidOut;
    std::function<void()> ForgetSongScript;
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

    void refillInstrumentList(const TWaveCollection& kit);
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
