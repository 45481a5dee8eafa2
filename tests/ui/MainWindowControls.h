#pragma once
// The main window's controls as a user meets them, found by their object names: the window keeps
// them to itself, and the window tests press, type into and read them as a user would. A control
// that is missing or renamed stops the test at once.

#include "windows/controls/Knob.h"
#include "windows/controls/PictureButton.h"
#include "windows/controls/PulseLight.h"
#include "windows/main/MainMenus.h"
#include "windows/main/MenuLabel.h"
#include "windows/main/PatternBoxes.h"
#include "windows/main/PatternGridView.h"
#include "windows/main/PatternListsPanel.h"
#include "windows/main/TransportPanel.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QtGlobal>

#include <array>

namespace tamboro::test {

template <class T> T* controlNamed(const QWidget& window, const QString& name) {
    T* found = window.findChild<T*>(name);
    if (!found)
        qFatal("the main window has no %s named \"%s\"", T::staticMetaObject.className(), qPrintable(name));
    return found;
}

struct MainWindowControls {
    explicit MainWindowControls(const QWidget& w) : window(w) {
        for (int c = 0; c < 6; ++c) {
            channelSwitches[static_cast<std::size_t>(c)] =
                controlNamed<QPushButton>(w, QString("channelButton%1").arg(c + 1));
            pulseLights[static_cast<std::size_t>(c)] =
                controlNamed<PulseLight>(w, QString("pulseLight%1").arg(c + 1));
        }
    }

    const QWidget& window;
    template <class T> T* named(const char* name) const { return controlNamed<T>(window, name); }

    QLabel* backgroundImage = named<QLabel>("backgroundImage");
    QListWidget* patternLibraryBox = named<QListWidget>("patternLibraryBox");
    QListWidget* playListBox = named<QListWidget>("playListBox");
    QWidget* playListArrows = named<QWidget>("playListArrows");
    PatternGridView* patternGrid = named<PatternGridView>("patternGrid");
    std::array<QPushButton*, 6> channelSwitches{};
    std::array<PulseLight*, 6> pulseLights{};
    PictureButton* sendToPlayListButton = named<PictureButton>("sendToPlayList");
    PictureButton* backToLibraryButton = named<PictureButton>("backToLibrary");
    PictureButton* libraryBinButton = named<PictureButton>("libraryBin");
    PictureButton* playListBinButton = named<PictureButton>("playListBin");
    PictureButton* playPatternButton = named<PictureButton>("playPattern");
    PictureButton* repeatPatternButton = named<PictureButton>("repeatPattern");
    PictureButton* stopButton = named<PictureButton>("stop");
    PictureButton* playInstrumentButton = named<PictureButton>("playInstrument");
    PictureButton* clearPatternButton = named<PictureButton>("clearPattern");
    PictureButton* playSongButton = named<PictureButton>("playSong");
    PictureButton* repeatSongButton = named<PictureButton>("repeatSong");
    PictureButton* renderSongButton = named<PictureButton>("renderSong");
    PictureButton* globalSpeedButton = named<PictureButton>("globalSpeed");
    PictureButton* clearSongButton = named<PictureButton>("clearSong");
    PictureButton* practicePanelButton = named<PictureButton>("practicePanel");
    PictureButton* applyTimeBarButton = named<PictureButton>("applyTimeBar");
    PictureButton* savePatternButton = named<PictureButton>("savePattern");
    Knob* bpmKnob = named<Knob>("tempoKnob");
    Knob* panKnob = named<Knob>("panKnob");
    QSpinBox* bpmBox = named<QSpinBox>("bpmBox");
    QComboBox* timeBarBox = named<QComboBox>("timeBarBox");
    QLineEdit* patternNameBox = named<QLineEdit>("patternNameBox");
    QSpinBox* loopsBox = named<QSpinBox>("loopsBox");
    QComboBox* instrumentBox = named<QComboBox>("instrumentBox");
    MenuLabel* fileMenuLabel = named<MenuLabel>("fileMenuLabel");
    MenuLabel* editMenuLabel = named<MenuLabel>("editMenuLabel");
    MenuLabel* viewMenuLabel = named<MenuLabel>("viewMenuLabel");
    MenuLabel* setupMenuLabel = named<MenuLabel>("setupMenuLabel");
    MenuLabel* helpMenuLabel = named<MenuLabel>("helpMenuLabel");
    MenuLabel* minimizeLabel = named<MenuLabel>("minimizeLabel");
    MenuLabel* closeLabel = named<MenuLabel>("closeLabel");
    QMenu* fileMenu = named<QMenu>("fileMenu");
    QMenu* editMenu = named<QMenu>("editMenu");
    QMenu* viewMenu = named<QMenu>("viewMenu");
    QMenu* setupMenu = named<QMenu>("setupMenu");
    QMenu* helpMenu = named<QMenu>("helpMenu");
    QAction* newSongAction = named<QAction>("newSongAction");
    QAction* openSongAction = named<QAction>("openSongAction");
    QAction* saveSongAction = named<QAction>("saveSongAction");
    QAction* renderSongAction = named<QAction>("renderSongAction");
    QAction* exportMidiAction = named<QAction>("exportMidiAction");
    QAction* printScoreAction = named<QAction>("printScoreAction");
    QAction* exitAction = named<QAction>("exitAction");
    QAction* clearPatternAction = named<QAction>("clearPatternAction");
    QAction* clearListAction = named<QAction>("clearListAction");
    QAction* insertInstrumentAction = named<QAction>("insertInstrumentAction");
    QAction* kitMakerAction = named<QAction>("kitMakerAction");
    QAction* drumKitLibraryAction = named<QAction>("drumKitLibraryAction");
    QAction* cellJumpAction = named<QAction>("cellJumpAction");
    QAction* gridScrollIndicatorAction = named<QAction>("gridScrollIndicatorAction");
    QAction* patternGridColorAction = named<QAction>("patternGridColorAction");
    QAction* includeMp3Action = named<QAction>("includeMp3Action");
    QAction* acidizeLoopAction = named<QAction>("acidizeLoopAction");
    QAction* helpContentsAction = named<QAction>("helpContentsAction");
    QAction* aboutAction = named<QAction>("aboutAction");
    QAction* webSiteAction = named<QAction>("webSiteAction");
};

// The controls of `window`, looked up anew (cheap enough for every use in a test).
inline MainWindowControls controlsOf(const QWidget& window) {
    return MainWindowControls(window);
}

} // namespace tamboro::test
