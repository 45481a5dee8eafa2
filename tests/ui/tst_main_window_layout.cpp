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
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QMenu>
#include <QPushButton>
#include <QRegion>
#include <QSet>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStyle>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

#include <memory>
#include <optional>

using namespace tamboro;
using tamboro::test::sendMouse;

namespace {

QStringList itemTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* a : menu->actions())
        texts << (a->isSeparator() ? QString("-") : a->text());
    return texts;
}

// Pictures the controls stand on: the skin's background and the bevelled frame under the grid. They
// lie under whatever stands on them and are cut by the outline, so the layout rules skip them.
const QSet<QString> kBackdrops = {"backgroundImage", "bevel"};

QString plainText(const QLabel* label) {
    if (label->textFormat() != Qt::RichText)
        return label->text();
    QTextDocument document;
    document.setHtml(label->text());
    return document.toPlainText();
}

// What a control shows of itself on the window: its rectangle, cut to its own shape when it has one.
// A caption (a label with text and no background of its own) shows only the ink of its text, at the
// place its alignment gives the line.
QRegion shownArea(const QWidget* control) {
    QRegion own = control->mask().isEmpty() ? QRegion(control->rect()) : control->mask();
    const auto* label = qobject_cast<const QLabel*>(control);
    if (label && !plainText(label).isEmpty() && !label->autoFillBackground()) {
        const QString text = plainText(label);
        const QFontMetrics metrics = label->fontMetrics();
        const QRect line = QStyle::alignedRect(label->layoutDirection(), label->alignment(),
                                               metrics.size(0, text), label->contentsRect());
        own = QRegion(metrics.tightBoundingRect(text).translated(line.left(), line.top() + metrics.ascent()));
    }
    return own.translated(control->pos());
}

// A control by its object name, or a caption by its text.
QString describe(const QWidget* control) {
    if (!control->objectName().isEmpty())
        return control->objectName();
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return "'" + plainText(label) + "'";
    return control->metaObject()->className();
}

// The controls the design lays over another on purpose, as "above over below", with the reason.
const QMap<QString, QString>& intendedOverlays() {
    static const QMap<QString, QString> overlays = [] {
        QMap<QString, QString> list;
        // Of the picture buttons raised over the lists' edges, the two between the lists reach the
        // Play List's left edge with their round shape; the others stop just short of a list.
        const QString listEdge = "the buttons between the lists draw over the Play List's left edge";
        list["sendToPlayList over playListBox"] = listEdge;
        list["backToLibrary over playListBox"] = listEdge;
        for (int c = 1; c <= 6; ++c) {
            const QString header = "the channel switches and their lights stand over the grid's header row";
            list[QString("channelButton%1 over patternGrid").arg(c)] = header;
            list[QString("pulseLight%1 over patternGrid").arg(c)] = header;
        }
        // Each light stands just left of its switch; the first and the last light, raised last, cover
        // one pixel column of a switch's border (the first its own switch's, the last the fifth's).
        const QString lightEdge = "the lights at the row's ends cover a pixel column of a switch's border";
        list["pulseLight1 over channelButton1"] = lightEdge;
        list["pulseLight6 over channelButton5"] = lightEdge;
        return list;
    }();
    return overlays;
}

// A text a control shows, the widget it shows in and the pixels that widget keeps beside it.
struct ShownText {
    const QWidget* box;
    QString text;
    int margins = 0;
};

// The texts a control shows: a caption, a button's text, or the text of an entry box (the line edit
// inside a spin box or an editable combo box, which keeps 2 pixels either side of its text).
QList<ShownText> shownTexts(const QWidget* control) {
    constexpr int kLineEditMargins = 2 * 2;
    QList<ShownText> texts;
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        if (!plainText(label).isEmpty())
            texts.append({label, plainText(label)});
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        if (!button->text().isEmpty())
            texts.append({button, button->text()});
    } else if (const auto* edit = qobject_cast<const QLineEdit*>(control)) {
        texts.append({edit, edit->text(), kLineEditMargins});
    } else if (qobject_cast<const QAbstractSpinBox*>(control) || qobject_cast<const QComboBox*>(control)) {
        if (const auto* inner = control->findChild<const QLineEdit*>())
            texts.append({inner, inner->text(), kLineEditMargins});
    }
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

    // The layout's rules, over every control the window shows: it lies inside the window's outline,
    // covers no other control except where the design lays one over another on purpose (and then
    // stands above it), and its text fits.
    void controlsLieInsideTheOutlineWithoutOverlapOrClipping() {
        MainWindow& w = *w_;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.grab(); // the paint rules set the final outline and grid height
        const QList<QWidget*> children = w.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QList<QWidget*> controls;
        for (QWidget* child : children)
            if (child->isVisible() && !child->isWindow() && !kBackdrops.contains(child->objectName()))
                controls << child;
        QVERIFY(controls.size() > 40);

        // Each rule lists every control that breaks it, so one run shows the whole picture.
        QStringList outside, overlaps, clipped;
        for (const QWidget* c : controls)
            if (!shownArea(c).subtracted(w.mask()).isEmpty())
                outside << describe(c);

        QSet<QString> seen;
        for (qsizetype i = 0; i < controls.size(); ++i) {
            for (qsizetype j = i + 1; j < controls.size(); ++j) {
                const QWidget* below = controls[i]; // children() runs from the bottom of the stack up
                const QWidget* above = controls[j];
                if (!shownArea(below).intersects(shownArea(above)))
                    continue;
                const QString pair = describe(above) + " over " + describe(below);
                if (intendedOverlays().contains(pair))
                    seen.insert(pair);
                else
                    overlaps << pair;
            }
        }
        // Every listed overlay happens, with the right control on top: the list is the layout's.
        QStringList missing;
        for (const QString& pair : intendedOverlays().keys())
            if (!seen.contains(pair))
                missing << pair;

        int texts = 0;
        for (QWidget* c : controls) {
            for (const ShownText& shown : shownTexts(c)) {
                ++texts;
                const QFontMetrics metrics = shown.box->fontMetrics();
                const int needed = metrics.horizontalAdvance(shown.text) + shown.margins;
                const QRect room = shown.box->contentsRect();
                if (needed > room.width() || metrics.height() > room.height())
                    clipped << QString("%1 '%2' (%3 x %4 in %5 x %6 pixels)")
                                   .arg(describe(c), shown.text)
                                   .arg(needed)
                                   .arg(metrics.height())
                                   .arg(room.width())
                                   .arg(room.height());
            }
        }
        QVERIFY(texts > 15);

        QVERIFY2(outside.isEmpty(), qPrintable("outside the outline: " + outside.join(", ")));
        QVERIFY2(overlaps.isEmpty(), qPrintable("unintended overlays: " + overlaps.join(", ")));
        QVERIFY2(missing.isEmpty(), qPrintable("listed overlays not found: " + missing.join(", ")));
        QVERIFY2(clipped.isEmpty(), qPrintable("clipped texts: " + clipped.join(", ")));
    }

    void controlsCarryTheirHintsAndStartValues() {
        MainWindow& w = *w_;
        const test::MainWindowControls ui = this->ui();
        const std::pair<QWidget*, QString> hints[] = {
            {ui.libraryBinButton, "Delete from pattern library"},
            {ui.playListBinButton, "Delete checked from play list"},
            {ui.playPatternButton, "Play pattern"},
            {ui.repeatPatternButton, "Repeat Pattern"},
            {ui.stopButton, "Stop"},
            {ui.playInstrumentButton, "Play instrument"},
            {ui.clearPatternButton, "Clear pattern"},
            {ui.playSongButton, "Play, play list"},
            {ui.repeatSongButton, "Repeat song"},
            {ui.renderSongButton, "Render song to wave"},
            {ui.globalSpeedButton, "Set global speed"},
            {ui.clearSongButton, "Clear all"},
            {ui.practicePanelButton, "Practice panel"},
            {ui.timeBarBox, "Time/Beat Selector"},
            {ui.applyTimeBarButton, "Update new time/bar settings"},
            {ui.patternNameBox, "Pattern Name"},
            {ui.savePatternButton, "Save pattern"},
            {ui.loopsBox, "Set loops in pattern"},
        };
        for (const auto& hint : hints) {
            QCOMPARE(hint.first->toolTip(), hint.second);
            // Enabled from the start, whether its command is the window's own or one wired in later.
            QVERIFY2(hint.first->isEnabled(), qPrintable(hint.first->objectName()));
        }
        for (QWidget* silent :
             std::initializer_list<QWidget*>{ui.sendToPlayListButton, ui.backToLibraryButton})
            QVERIFY(silent->toolTip().isEmpty());
        for (QPushButton* channel : ui.channelSwitches) {
            QCOMPARE(channel->text(), QString("ON"));
            QVERIFY(channel->isEnabled());
        }
        QVERIFY(ui.instrumentBox->isHidden());
        QCOMPARE(ui.bpmBox->value(), 120);
        QCOMPARE(ui.loopsBox->value(), 1);
        QCOMPARE(ui.patternNameBox->text(), QString("Name"));
        QCOMPARE(ui.bpmKnob->minValue(), 60.0);
        QCOMPARE(ui.bpmKnob->maxValue(), 300.0);
        QCOMPARE(ui.panKnob->minValue(), -2000.0);
        QCOMPARE(ui.panKnob->maxValue(), 2000.0);
        QCOMPARE(ui.repeatPatternButton->glyphIndex(), 3);
        QCOMPARE(ui.repeatSongButton->glyphIndex(), 3);
        QCOMPARE(ui.globalSpeedButton->glyphIndex(), 8);
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
                 QStringList({"New Song", "Open Song", "Recent songs", "Save Song", "Render song to wave",
                              "Export MIDI\u2026", "-", "Print Song Score (Drum TAB)", "-", "Exit"}));
        QCOMPARE(itemTexts(ui().editMenu),
                 QStringList({"Undo", "Redo", "-", "Clear Pattern", "Clear List", "Insert instrument"}));
        QCOMPARE(itemTexts(ui().viewMenu), QStringList({"Kit Maker", "Practice", "Timing feedback\u2026",
                                                        "Progress\u2026", "-", "Zoom"}));
        QCOMPARE(
            itemTexts(w.parts().menus.actions().zoom),
            QStringList({"100 %", "125 %", "150 %", "200 %", "-", "Zoom in", "Zoom out", "Actual size"}));
        QCOMPARE(itemTexts(ui().setupMenu),
                 QStringList({"Drum Kit Library", "-", "Cell Jump", "-", "Grid Scroll Indicator",
                              "Pattern Grid Color", "-", "Include MP3 option when render", "Acidize Loop",
                              "-", "Calibrate input latency"}));
        QCOMPARE(itemTexts(ui().helpMenu).size(), 5);
        QCOMPARE(itemTexts(ui().helpMenu)[1], QString("Keyboard shortcuts"));
        QCOMPARE(itemTexts(ui().helpMenu)[2], QString("-"));
        QCOMPARE(itemTexts(ui().helpMenu)[3], QString("About"));
        // Every item is enabled from the start, whether its command is the window's own or one wired
        // in later, but for Undo and Redo with nothing to undo or redo yet, and Recent songs, which
        // waits, empty, until a song is opened or saved.
        const QMenu* recent = w.parts().menus.actions().recentSongs;
        for (const QMenu* menu : {ui().fileMenu, ui().editMenu, ui().viewMenu, ui().setupMenu, ui().helpMenu})
            for (const QAction* a : menu->actions())
                QVERIFY2(a->isEnabled() !=
                             (a->text() == "Undo" || a->text() == "Redo" || a == recent->menuAction()),
                         qPrintable(a->text()));
        QVERIFY(recent->actions().isEmpty());
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
        // The companions move as far as the main window, keeping their places beside it.
        QCOMPARE(kitList.pos(), QPoint(630, 145));
        QCOMPARE(extras.pos(), QPoint(80, 135));
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
