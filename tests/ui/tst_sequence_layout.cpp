// The main window's layout, shape, paint and resize rules, menus and background drag, on the
// offscreen platform.

#include "WindowTestSupport.h"
#include "app/ui/MenuLabel.h"
#include "app/ui/PatternGridView.h"
#include "app/ui/Sequence.h"
#include "controls/ui/BJKnob.h"
#include "controls/ui/PictureButton.h"
#include "controls/ui/Pulse.h"

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

using namespace tamboro;

namespace {

void sendMouse(QWidget* target, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(local), QPointF(target->mapToGlobal(local)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

QStringList itemTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* a : menu->actions())
        texts << (a->isSeparator() ? QString("-") : a->text());
    return texts;
}

} // namespace

class SequenceLayout : public QObject {
    Q_OBJECT

    test::TemporarySettings settings_;
    QTemporaryDir work_;
    std::unique_ptr<TSequence> w_;

private slots:
    void initTestCase() {
        qRegisterMetaType<QMenu*>();
    }

    void init() { w_ = std::make_unique<TSequence>(work_.path().toStdString()); }
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
        TSequence& w = *w_;
        const Place places[] = {
            {w.MusicLib, {102, 42, 125, 123}, ""},
            {w.SongList, {254, 40, 125, 125}, ""},
            {w.btnToPatList, {222, 60, 37, 37}, ""},
            {w.btnFromPatList, {222, 96, 37, 37}, ""},
            {w.UpDown1, {380, 44, 16, 49}, ""},
            {w.LibBin, {68, 132, 37, 37}, "Delete from pattern library"},
            {w.SongBin, {376, 132, 37, 37}, "Delete checked from play list"},
            {w.btnPlay, {24, 204, 37, 37}, "Play pattern"},
            {w.btnLoopPattern, {24, 236, 37, 37}, "Repeat Pattern"},
            {w.btnStop, {24, 268, 37, 37}, "Stop"},
            {w.btnSounder, {24, 300, 37, 37}, "Play instrument"},
            {w.btnClearPattern, {24, 332, 37, 37}, "Clear pattern"},
            {w.btnPlaySong, {480, 206, 37, 37}, "Play, play list"},
            {w.btnLoopSong, {480, 236, 37, 37}, "Repeat song"},
            {w.btnRenderWave, {480, 268, 37, 37}, "Render song to wave"},
            {w.btnSetGlobal, {480, 300, 37, 37}, "Set global speed"},
            {w.btnClearSong, {480, 332, 37, 37}, "Clear all"},
            {w.Delay, {408, 60, 45, 45}, ""},
            {w.Label6, {456, 74, 45, 22}, ""},
            {w.Panning, {440, 132, 29, 29}, ""},
            {w.TimeBar, {134, 464, 61, 21}, "Time/Beat Selector"},
            {w.btnTimeBar, {196, 456, 37, 37}, "Update new time/bar settings"},
            {w.Edit2, {240, 464, 81, 21}, "Pattern Name"},
            {w.btnSavePattern, {318, 456, 37, 37}, "Save pattern"},
            {w.Loop, {374, 464, 35, 22}, "Set loops in pattern"},
            {w.lstKitList, {148, 252, 101, 21}, ""},
        };
        for (const Place& p : places) {
            QCOMPARE(p.widget->geometry(), p.geometry);
            QCOMPARE(p.widget->toolTip(), p.hint);
        }
        const int switchLefts[] = {106, 167, 227, 287, 347, 406};
        const int lightLefts[] = {102, 162, 222, 282, 342, 401};
        for (int c = 0; c < 6; ++c) {
            QCOMPARE(w.btnCH[c]->text(), QString("ON"));
            QCOMPARE(w.btnCH[c]->x(), switchLefts[c]);
            QCOMPARE(w.btnCH[c]->y(), 168);
            QCOMPARE(w.btnCH[c]->height(), 17);
            QCOMPARE(w.Pulse[c]->geometry(), QRect(lightLefts[c], 168, 5, 16));
        }
        QVERIFY(w.lstKitList->isHidden());
        QCOMPARE(w.Label6->value(), 120);
        QCOMPARE(w.Loop->value(), 1);
        QCOMPARE(w.Edit2->text(), QString("Name"));
        QCOMPARE(w.Delay->MinValue(), 60.0);
        QCOMPARE(w.Delay->MaxValue(), 300.0);
        QCOMPARE(w.Panning->MinValue(), -2000.0);
        QCOMPARE(w.Panning->MaxValue(), 2000.0);
        QCOMPARE(w.btnLoopPattern->glyphIndex(), 3);
        QCOMPARE(w.btnLoopSong->glyphIndex(), 3);
        QCOMPARE(w.btnSetGlobal->glyphIndex(), 8);
        QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
    }

    void shapeIsCutAtCreationAndAtEveryPaint() {
        TSequence& w = *w_;
        QVERIFY(w.mask().contains(QPoint(270, 499)));
        QVERIFY(!w.mask().contains(QPoint(5, 5)));
        QVERIFY(!w.mask().contains(QPoint(533, 3)));
        QVERIFY(w.mask().contains(QPoint(5, 85)));
        QVERIFY(!w.mask().contains(QPoint(5, 200)));
        w.grab(); // paints
        QVERIFY(w.mask().contains(QPoint(270, 498)));
        QVERIFY(!w.mask().contains(QPoint(270, 499)));
        for (PictureButton* b : {w.btnPlay, w.LibBin, w.btnSavePattern}) {
            QVERIFY(b->mask().contains(QPoint(19, 19)));
            QVERIFY(b->mask().contains(QPoint(6, 19)));
            QVERIFY(!b->mask().contains(QPoint(4, 19)));
            QVERIFY(!b->mask().contains(QPoint(33, 19)));
            QVERIFY(!b->mask().contains(QPoint(7, 7)));
        }
        QVERIFY(w.Delay->mask().contains(QPoint(22, 1)));
        QVERIFY(!w.Delay->mask().contains(QPoint(2, 2)));
        QVERIFY(w.Panning->mask().contains(QPoint(14, 14)));
        QVERIFY(!w.Panning->mask().contains(QPoint(28, 28)));
    }

    void resizeAndPaintSetTheGridHeight() {
        TSequence& w = *w_;
        // Creation at 501 rows already ran the resize rule: at least 540 high, grid fitted.
        QCOMPARE(w.height(), 540);
        QCOMPARE(w.StringGrid1->height(), 540 - 168 - 40);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.resize(w.width(), 700);
        QCOMPARE(w.height(), 700);
        QCOMPARE(w.StringGrid1->height(), 492);
        w.grab();
        QCOMPARE(w.StringGrid1->height(), 276);
        w.resize(w.width(), 300);
        QCOMPARE(w.height(), 540);
        QCOMPARE(w.StringGrid1->height(), 332);
        w.grab();
        QCOMPARE(w.StringGrid1->height(), 276);
    }

    void menuBarLabels() {
        TSequence& w = *w_;
        struct Bar {
            MenuLabel* label;
            QString caption;
            int left;
            bool italic;
        };
        const Bar bar[] = {{w.Label3, "&File", 148, true}, {w.Label4, "&Edit", 196, true},
                           {w.Label7, "&View", 248, true}, {w.Label8, "&Setup", 300, true},
                           {w.Label9, "&Help", 356, true}, {w.Label12, "_", 392, false},
                           {w.Label10, "x", 404, false}};
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
        QSignalSpy popups(&w, &TSequence::popupRequested);
        sendMouse(w.Label8, QEvent::MouseButtonPress, {3, 3}, Qt::LeftButton, Qt::LeftButton);
        sendMouse(w.Label8, QEvent::MouseButtonRelease, {3, 3}, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(popups.count(), 1);
        QCOMPARE(popups[0][0].value<QMenu*>(), w.PopupMenu5);
        QCOMPARE(popups[0][1].toPoint(), QPoint(w.x() + 300, w.y() + 20));
        w.PopupMenu5->close();
    }

    void popupMenusAndDisabledItems() {
        TSequence& w = *w_;
        QCOMPARE(itemTexts(w.PopupMenu2), QStringList({"New Song", "Open Song", "Save Song", "Rendor song to wave", "-",
                                                       "Print Song Score (Drum TAB)", "-", "Exit"}));
        QCOMPARE(itemTexts(w.PopupMenu3), QStringList({"Clear Pattern", "Clear List", "Insert instrument"}));
        QCOMPARE(itemTexts(w.PopupMenu4), QStringList({"Kit Maker"}));
        QCOMPARE(itemTexts(w.PopupMenu5),
                 QStringList({"Drum Kit Library", "-", "Cell Jump", "-", "Grid Scroll Indicator", "Pattern Grid Color",
                              "-", "Include MP3 option when render", "Acidize Loop"}));
        QCOMPARE(itemTexts(w.PopupMenu6).size(), 4);
        QCOMPARE(itemTexts(w.PopupMenu6)[1], QString("-"));
        QCOMPARE(itemTexts(w.PopupMenu6)[2], QString("About"));
        // What this window carries out itself is enabled; the rest waits for its part.
        for (QAction* a : {w.Exit1, w.ClearPattern1, w.Insertinstrument1, w.CellJump1, w.PatternGridColor1, w.GridIndicator, w.IncludeMP31, w.mnAcid, w.HelpContents1,
                           w.AboutScreen1, w.WebSite1})
            QVERIFY2(a->isEnabled(), qPrintable(a->text()));
        for (QAction* a : {w.GridIndicator, w.IncludeMP31, w.mnAcid})
            QVERIFY(a->isCheckable());
        // The check marks toggle.
        const bool before = w.GridIndicator->isChecked();
        w.GridIndicator->trigger();
        QCOMPARE(w.GridIndicator->isChecked(), !before);
        // "Clear Pattern" is bound to nothing: the pattern's name and state stay.
        w.Edit2->setText("Rock");
        w.ClearPattern1->trigger();
        QCOMPARE(w.Edit2->text(), QString("Rock"));
        QVERIFY(!w.EditState.PatternChanged);
        QVERIFY(QFileInfo(TSequence::helpIndexPath()).fileName() == "index.html");
    }

    void exitAndCloseLabelsEndTheProgram() {
        for (int which = 0; which < 2; ++which) {
            TSequence w(work_.path().toStdString());
            int stops = 0;
            w.StopStepTimers = [&] { ++stops; };
            QSignalSpy closed(&w, &TSequence::closed);
            if (which == 0)
                w.Exit1->trigger();
            else
                w.Label10Click();
            QCOMPARE(closed.count(), 1);
            QVERIFY(stops >= 1); // the clocks stop before the window closes
        }
    }

    void minimiseLabel() {
        TSequence& w = *w_;
        QWidget extras(nullptr, Qt::FramelessWindowHint);
        extras.show();
        w.ExtraSamplesWindow = &extras;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.Label12Click();
        QTRY_VERIFY(w.isMinimized());
        QVERIFY(extras.isHidden());
        w.showNormal();
        QTRY_VERIFY(extras.isVisible());
        w.ExtraSamplesWindow = nullptr;
    }

    void dragMovesTheWindowAndTheCompanions() {
        TSequence& w = *w_;
        QWidget kitList(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        QWidget extras(nullptr, Qt::FramelessWindowHint);
        kitList.setGeometry(600, 160, 100, 300);
        extras.setGeometry(50, 150, 100, 300);
        kitList.show();
        extras.show();
        w.KitListWindow = &kitList;
        w.ExtraSamplesWindow = &extras;
        w.move(100, 100);
        const QPoint start = w.pos();

        sendMouse(w.Image1, QEvent::MouseButtonPress, {200, 20}, Qt::LeftButton, Qt::LeftButton);
        QVERIFY(w.Drag.dragging());
        // The window follows the pointer, so the pointer stays at the same window point.
        QCursor::setPos(w.mapToGlobal(QPoint(230, 5)));
        sendMouse(w.Image1, QEvent::MouseMove, {230, 5}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(w.pos(), start + QPoint(30, -15));
        QCOMPARE(kitList.pos(), QPoint(630, w.y() + 68));
        QCOMPARE(extras.pos(), QPoint(80, w.y() + 67));
        QVERIFY(kitList.isHidden());
        QVERIFY(extras.isHidden());

        sendMouse(w.Image1, QEvent::MouseButtonRelease, {230, 5}, Qt::LeftButton, Qt::NoButton);
        QVERIFY(!w.Drag.dragging());
        QVERIFY(kitList.isVisible());
        QVERIFY(extras.isVisible());
        QVERIFY(!(kitList.windowFlags() & Qt::WindowStaysOnTopHint));

        // A right-button release shows them too, with no drag at all.
        kitList.hide();
        extras.hide();
        sendMouse(w.Image1, QEvent::MouseButtonPress, {300, 300}, Qt::RightButton, Qt::RightButton);
        QVERIFY(!w.Drag.dragging());
        sendMouse(w.Image1, QEvent::MouseMove, {320, 320}, Qt::NoButton, Qt::RightButton);
        QCOMPARE(w.pos(), start + QPoint(30, -15));
        sendMouse(w.Image1, QEvent::MouseButtonRelease, {320, 320}, Qt::RightButton, Qt::NoButton);
        QVERIFY(kitList.isVisible());
        QVERIFY(extras.isVisible());
        w.KitListWindow = nullptr;
        w.ExtraSamplesWindow = nullptr;
    }

    void paintHidesTipsWhenTheyAreTurnedOff() {
        TSequence& w = *w_;
        QWidget tips;
        tips.show();
        w.TipsWindow = &tips;
        w.grab();
        QVERIFY(tips.isVisible());
        w.ShowTips = false;
        w.grab();
        QVERIFY(tips.isHidden());
        w.TipsWindow = nullptr;
    }
};

QTEST_MAIN(SequenceLayout)
#include "tst_sequence_layout.moc"
