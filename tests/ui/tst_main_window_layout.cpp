// The main window's layout, shape, paint and resize rules, menus and background drag, on the
// offscreen platform.

#include "MainWindowControls.h"
#include "WindowTestSupport.h"
#include "app/ProgramOptions.h"
#include "windows/controls/Knob.h"
#include "windows/controls/PictureButton.h"
#include "windows/controls/PulseLight.h"
#include "windows/main/MainMenus.h"
#include "windows/main/MainWindow.h"
#include "windows/main/MainWindowSound.h"
#include "windows/main/MenuLabel.h"
#include "windows/main/PatternGridView.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <optional>

using namespace tamboro;

namespace {

void sendMouse(QWidget* target, QEvent::Type type, QPoint local, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(local), QPointF(target->mapToGlobal(local)), button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

QStringList itemTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* a : menu->actions())
        texts << (a->isSeparator() ? QString("-") : a->text());
    return texts;
}

} // namespace

class MainWindowLayoutTest : public QObject {
    Q_OBJECT

    test::TemporarySettings settings_;
    QTemporaryDir work_;
    std::unique_ptr<MainWindow> w_;

    // The window\'s controls, as the user meets them.
    test::MainWindowControls ui() const { return test::controlsOf(*w_); }

private slots:
    void initTestCase() { qRegisterMetaType<QMenu*>(); }

    void init() { w_ = std::make_unique<MainWindow>(work_.path().toStdString()); }
    void cleanup() {
        w_->close();
        w_.reset();
    }

    void controlsStandAtTheirPlacesWithTheirHints() {
        struct Place {
            QWidget* widget;
            QRect geometry;
            QString hint;
        };
        MainWindow& w = *w_;
        const Place places[] = {
            {ui().patternLibraryBox, {102, 42, 125, 123}, ""},
            {ui().playListBox, {254, 40, 125, 125}, ""},
            {ui().sendToPlayListButton, {222, 60, 37, 37}, ""},
            {ui().backToLibraryButton, {222, 96, 37, 37}, ""},
            {ui().playListArrows, {380, 44, 16, 49}, ""},
            {ui().libraryBinButton, {68, 132, 37, 37}, "Delete from pattern library"},
            {ui().playListBinButton, {376, 132, 37, 37}, "Delete checked from play list"},
            {ui().playPatternButton, {24, 204, 37, 37}, "Play pattern"},
            {ui().repeatPatternButton, {24, 236, 37, 37}, "Repeat Pattern"},
            {ui().stopButton, {24, 268, 37, 37}, "Stop"},
            {ui().playInstrumentButton, {24, 300, 37, 37}, "Play instrument"},
            {ui().clearPatternButton, {24, 332, 37, 37}, "Clear pattern"},
            {ui().playSongButton, {480, 206, 37, 37}, "Play, play list"},
            {ui().repeatSongButton, {480, 236, 37, 37}, "Repeat song"},
            {ui().renderSongButton, {480, 268, 37, 37}, "Render song to wave"},
            {ui().globalSpeedButton, {480, 300, 37, 37}, "Set global speed"},
            {ui().clearSongButton, {480, 332, 37, 37}, "Clear all"},
            {ui().bpmKnob, {408, 60, 45, 45}, ""},
            {ui().bpmBox, {456, 74, 45, 22}, ""},
            {ui().panKnob, {440, 132, 29, 29}, ""},
            {ui().timeBarBox, {134, 464, 61, 21}, "Time/Beat Selector"},
            {ui().applyTimeBarButton, {196, 456, 37, 37}, "Update new time/bar settings"},
            {ui().patternNameBox, {240, 464, 81, 21}, "Pattern Name"},
            {ui().savePatternButton, {318, 456, 37, 37}, "Save pattern"},
            {ui().loopsBox, {374, 464, 35, 22}, "Set loops in pattern"},
            {ui().instrumentBox, {148, 252, 101, 21}, ""},
        };
        for (const Place& p : places) {
            QCOMPARE(p.widget->geometry(), p.geometry);
            QCOMPARE(p.widget->toolTip(), p.hint);
            // Enabled from the start, whether its command is the window's own or one wired in later.
            QVERIFY2(p.widget->isEnabled(), qPrintable(p.widget->objectName()));
        }
        const int switchLefts[] = {106, 167, 227, 287, 347, 406};
        const int lightLefts[] = {102, 162, 222, 282, 342, 401};
        for (int c = 0; c < 6; ++c) {
            QCOMPARE(ui().channelSwitches[c]->text(), QString("ON"));
            QCOMPARE(ui().channelSwitches[c]->x(), switchLefts[c]);
            QCOMPARE(ui().channelSwitches[c]->y(), 168);
            QCOMPARE(ui().channelSwitches[c]->height(), 17);
            QVERIFY(ui().channelSwitches[c]->isEnabled());
            QCOMPARE(ui().pulseLights[c]->geometry(), QRect(lightLefts[c], 168, 5, 16));
        }
        QVERIFY(ui().instrumentBox->isHidden());
        QCOMPARE(ui().bpmBox->value(), 120);
        QCOMPARE(ui().loopsBox->value(), 1);
        QCOMPARE(ui().patternNameBox->text(), QString("Name"));
        QCOMPARE(ui().bpmKnob->minValue(), 60.0);
        QCOMPARE(ui().bpmKnob->maxValue(), 300.0);
        QCOMPARE(ui().panKnob->minValue(), -2000.0);
        QCOMPARE(ui().panKnob->maxValue(), 2000.0);
        QCOMPARE(ui().repeatPatternButton->glyphIndex(), 3);
        QCOMPARE(ui().repeatSongButton->glyphIndex(), 3);
        QCOMPARE(ui().globalSpeedButton->glyphIndex(), 8);
        QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
    }

    void shapeIsCutAtCreationAndAtEveryPaint() {
        MainWindow& w = *w_;
        QVERIFY(w.mask().contains(QPoint(270, 499)));
        QVERIFY(!w.mask().contains(QPoint(5, 5)));
        QVERIFY(!w.mask().contains(QPoint(533, 3)));
        QVERIFY(w.mask().contains(QPoint(5, 85)));
        QVERIFY(!w.mask().contains(QPoint(5, 200)));
        w.grab(); // paints
        QVERIFY(w.mask().contains(QPoint(270, 498)));
        QVERIFY(!w.mask().contains(QPoint(270, 499)));
        for (PictureButton* b : {ui().playPatternButton, ui().libraryBinButton, ui().savePatternButton}) {
            QVERIFY(b->mask().contains(QPoint(19, 19)));
            QVERIFY(b->mask().contains(QPoint(6, 19)));
            QVERIFY(!b->mask().contains(QPoint(4, 19)));
            QVERIFY(!b->mask().contains(QPoint(33, 19)));
            QVERIFY(!b->mask().contains(QPoint(7, 7)));
        }
        QVERIFY(ui().bpmKnob->mask().contains(QPoint(22, 1)));
        QVERIFY(!ui().bpmKnob->mask().contains(QPoint(2, 2)));
        QVERIFY(ui().panKnob->mask().contains(QPoint(14, 14)));
        QVERIFY(!ui().panKnob->mask().contains(QPoint(28, 28)));
    }

    void resizeAndPaintSetTheGridHeight() {
        MainWindow& w = *w_;
        // Creation at 501 rows already ran the resize rule: at least 540 high, grid fitted.
        QCOMPARE(w.height(), 540);
        QCOMPARE(ui().patternGrid->height(), 540 - 168 - 40);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.resize(w.width(), 700);
        QCOMPARE(w.height(), 700);
        QCOMPARE(ui().patternGrid->height(), 492);
        w.grab();
        QCOMPARE(ui().patternGrid->height(), 276);
        w.resize(w.width(), 300);
        QCOMPARE(w.height(), 540);
        QCOMPARE(ui().patternGrid->height(), 332);
        w.grab();
        QCOMPARE(ui().patternGrid->height(), 276);
    }

    void menuBarLabels() {
        MainWindow& w = *w_;
        struct Bar {
            MenuLabel* label;
            QString caption;
            int left;
            bool italic;
        };
        const Bar bar[] = {
            {ui().fileMenuLabel, "&File", 148, true}, {ui().editMenuLabel, "&Edit", 196, true},
            {ui().viewMenuLabel, "&View", 248, true}, {ui().setupMenuLabel, "&Setup", 300, true},
            {ui().helpMenuLabel, "&Help", 356, true}, {ui().minimizeLabel, "_", 392, false},
            {ui().closeLabel, "x", 404, false}};
        for (const Bar& b : bar) {
            QCOMPARE(b.label->caption(), b.caption);
            QCOMPARE(b.label->x(), b.left);
            QCOMPARE(b.label->y(), 4);
            QCOMPARE(b.label->height(), 13);
            QVERIFY(b.label->font().bold());
            QCOMPARE(b.label->font().italic(), b.italic);
            QCOMPARE(b.label->cursor().shape(), Qt::PointingHandCursor);
        }
        w.move(100, 50);
        QSignalSpy popups(&w.parts().menus, &MainMenus::popupRequested);
        sendMouse(ui().setupMenuLabel, QEvent::MouseButtonPress, {3, 3}, Qt::LeftButton, Qt::LeftButton);
        sendMouse(ui().setupMenuLabel, QEvent::MouseButtonRelease, {3, 3}, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(popups.count(), 1);
        QCOMPARE(popups[0][0].value<QMenu*>(), ui().setupMenu);
        QCOMPARE(popups[0][1].toPoint(), QPoint(w.x() + 300, w.y() + 20));
        ui().setupMenu->close();
    }

    void popupMenusAndTheirItems() {
        MainWindow& w = *w_;
        QCOMPARE(itemTexts(ui().fileMenu),
                 QStringList({"New Song", "Open Song", "Save Song", "Render song to wave", "-",
                              "Print Song Score (Drum TAB)", "-", "Exit"}));
        QCOMPARE(itemTexts(ui().editMenu), QStringList({"Clear Pattern", "Clear List", "Insert instrument"}));
        QCOMPARE(itemTexts(ui().viewMenu), QStringList({"Kit Maker"}));
        QCOMPARE(itemTexts(ui().setupMenu),
                 QStringList({"Drum Kit Library", "-", "Cell Jump", "-", "Grid Scroll Indicator",
                              "Pattern Grid Color", "-", "Include MP3 option when render", "Acidize Loop"}));
        QCOMPARE(itemTexts(ui().helpMenu).size(), 4);
        QCOMPARE(itemTexts(ui().helpMenu)[1], QString("-"));
        QCOMPARE(itemTexts(ui().helpMenu)[2], QString("About"));
        // Every item is enabled from the start, whether its command is the window's own or one wired
        // in later.
        for (const QMenu* menu : {ui().fileMenu, ui().editMenu, ui().viewMenu, ui().setupMenu, ui().helpMenu})
            for (const QAction* a : menu->actions())
                QVERIFY2(a->isEnabled(), qPrintable(a->text()));
        for (QAction* a : {ui().gridScrollIndicatorAction, ui().includeMp3Action, ui().acidizeLoopAction})
            QVERIFY(a->isCheckable());
        // The check marks toggle.
        const bool before = ui().gridScrollIndicatorAction->isChecked();
        ui().gridScrollIndicatorAction->trigger();
        QCOMPARE(ui().gridScrollIndicatorAction->isChecked(), !before);
        // "Clear Pattern" is bound to nothing: the pattern's name and state stay.
        ui().patternNameBox->setText("Rock");
        ui().clearPatternAction->trigger();
        QCOMPARE(ui().patternNameBox->text(), QString("Rock"));
        QVERIFY(!w.state().editState.patternChanged);
        QVERIFY(QFileInfo(MainWindow::helpIndexPath()).fileName() == "index.html");
    }

    void exitAndCloseLabelsEndTheProgram() {
        QTemporaryDir folder;
        test::seedProgramFolder(folder.path().toStdString());
        ProgramOptions options;
        options.audio = AudioChoice::Null;
        for (int which = 0; which < 2; ++which) {
            MainWindow w(folder.path().toStdString(), options);
            const test::MainWindowControls ui(w);
            MainWindowSound sound(w.parts(), options);
            ui.playPatternButton->click();
            QVERIFY(sound.playback().patternPlaying());
            // The clocks stop before the window closes: shut-down runs with no clock left going.
            std::optional<bool> playingAtShutDown;
            connect(&w, &MainWindow::closed, this, [&] {
                playingAtShutDown = sound.playback().patternPlaying() || sound.playback().songPlaying();
            });
            QSignalSpy closed(&w, &MainWindow::closed);
            if (which == 0)
                ui.exitAction->trigger();
            else
                w.closeClicked();
            QCOMPARE(closed.count(), 1);
            QCOMPARE(playingAtShutDown, std::optional<bool>(false));
        }
    }

    void minimiseLabel() {
        MainWindow& w = *w_;
        QWidget extras(nullptr, Qt::FramelessWindowHint);
        extras.show();
        w.extraSamplesWindow = &extras;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.minimizeClicked();
        QTRY_VERIFY(w.isMinimized());
        QVERIFY(extras.isHidden());
        w.showNormal();
        QTRY_VERIFY(extras.isVisible());
        w.extraSamplesWindow = nullptr;
    }

    void dragMovesTheWindowAndTheCompanions() {
        MainWindow& w = *w_;
        QWidget kitList(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        QWidget extras(nullptr, Qt::FramelessWindowHint);
        kitList.setGeometry(600, 160, 100, 300);
        extras.setGeometry(50, 150, 100, 300);
        kitList.show();
        extras.show();
        w.kitListWindow = &kitList;
        w.extraSamplesWindow = &extras;
        w.move(100, 100);
        const QPoint start = w.pos();

        sendMouse(ui().backgroundImage, QEvent::MouseButtonPress, {200, 20}, Qt::LeftButton, Qt::LeftButton);
        QVERIFY(w.backgroundDrag().dragging());
        // The window follows the pointer, so the pointer stays at the same window point.
        QCursor::setPos(w.mapToGlobal(QPoint(230, 5)));
        sendMouse(ui().backgroundImage, QEvent::MouseMove, {230, 5}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(w.pos(), start + QPoint(30, -15));
        QCOMPARE(kitList.pos(), QPoint(630, w.y() + 68));
        QCOMPARE(extras.pos(), QPoint(80, w.y() + 67));
        QVERIFY(kitList.isHidden());
        QVERIFY(extras.isHidden());

        sendMouse(ui().backgroundImage, QEvent::MouseButtonRelease, {230, 5}, Qt::LeftButton, Qt::NoButton);
        QVERIFY(!w.backgroundDrag().dragging());
        QVERIFY(kitList.isVisible());
        QVERIFY(extras.isVisible());
        QVERIFY(!(kitList.windowFlags() & Qt::WindowStaysOnTopHint));

        // A right-button release shows them too, with no drag at all.
        kitList.hide();
        extras.hide();
        sendMouse(ui().backgroundImage, QEvent::MouseButtonPress, {300, 300}, Qt::RightButton,
                  Qt::RightButton);
        QVERIFY(!w.backgroundDrag().dragging());
        sendMouse(ui().backgroundImage, QEvent::MouseMove, {320, 320}, Qt::NoButton, Qt::RightButton);
        QCOMPARE(w.pos(), start + QPoint(30, -15));
        sendMouse(ui().backgroundImage, QEvent::MouseButtonRelease, {320, 320}, Qt::RightButton,
                  Qt::NoButton);
        QVERIFY(kitList.isVisible());
        QVERIFY(extras.isVisible());
        w.kitListWindow = nullptr;
        w.extraSamplesWindow = nullptr;
    }

    void paintHidesTipsWhenTheyAreTurnedOff() {
        MainWindow& w = *w_;
        QWidget tips;
        tips.show();
        w.tipsWindow = &tips;
        w.grab();
        QVERIFY(tips.isVisible());
        w.state().showTips = false;
        w.grab();
        QVERIFY(tips.isHidden());
        w.tipsWindow = nullptr;
    }
};

QTEST_MAIN(MainWindowLayoutTest)
#include "tst_main_window_layout.moc"
