// The intro screen, the tips window and the about window.

#include "controls/AboutScroller.h"
#include "controls/ui/AboutScreen.h"
#include "controls/ui/IntroScreen.h"
#include "controls/ui/TipsWindow.h"

#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

using namespace tamboro;

class SmallWindows : public QObject {
    Q_OBJECT

private slots:
    void aboutLineScrollsAndStartsOver() {
        TAbout_Screen about;
        QVERIFY(about.Timer1.isActive()); // from creation
        QCOMPARE(about.Timer1.interval(), 100);
        QCOMPARE(about.scrollPosition(), 1);
        about.Timer1Timer();
        QCOMPARE(about.Label1->text(), QString(40, ' '));
        about.Timer1Timer();
        QCOMPARE(about.Label1->text(), QString(39, ' ') + "T");
        const int length = static_cast<int>(AboutScroller().paddedText().size());
        int ticks = 2;
        while (about.scrollPosition() != 1) {
            about.Timer1Timer();
            ++ticks;
        }
        QCOMPARE(ticks, length - 41);
        about.Timer1Timer();
        QCOMPARE(about.Label1->text(), QString(40, ' '));
    }

    void aboutOkHidesAndReopeningContinues() {
        TAbout_Screen about;
        about.open();
        QVERIFY(about.isVisible());
        for (int i = 0; i < 7; ++i)
            about.Timer1Timer();
        about.Button1->click();
        QVERIFY(about.isHidden());
        QVERIFY(!about.Timer1.isActive());
        QCOMPARE(about.scrollPosition(), 8);
        about.open();
        QVERIFY(about.Timer1.isActive());
        QCOMPARE(about.scrollPosition(), 8);
        QVERIFY(about.mask().contains(QPoint(140, 130)));
        QVERIFY(!about.mask().contains(QPoint(2, 2)));
        QCOMPARE(about.size(), QSize(281, 259));
    }

    void introGoesAfterTenTicks() {
        QWidget mainWindow;
        QPointer<TIntroScreen> intro = new TIntroScreen();
        intro->setWindows(&mainWindow, nullptr, nullptr);
        intro->show();
        QCOMPARE(intro->size(), QSize(452, 362));
        QCOMPARE(intro->Timer1().interval(), 1000);
        for (int i = 0; i < 9; ++i)
            intro->Timer1Timer();
        QVERIFY(intro->isVisible());
        QVERIFY(mainWindow.isHidden());
        intro->Timer1Timer();
        QVERIFY(mainWindow.isVisible());
        QTRY_VERIFY(intro.isNull()); // closed and deleted
    }

    void introClickBringsUpTheSidePanels() {
        QWidget mainWindow, kitList, extras;
        QPointer<TIntroScreen> intro = new TIntroScreen();
        intro->setWindows(&mainWindow, &kitList, &extras);
        intro->show();
        intro->Timer1Timer();
        intro->Timer1Timer();
        QWidget* picture = intro->findChild<QWidget*>("Image1");
        QVERIFY(picture);
        QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(100, 100));
        QVERIFY(mainWindow.isVisible());
        QVERIFY(kitList.isVisible());
        QVERIFY(extras.isVisible());
        QTRY_VERIFY(intro.isNull());
    }

    void tipsShowOneTipBesideTheMainWindow() {
        QWidget mainWindow;
        mainWindow.setGeometry(100, 100, 539, 540);
        TfrmTips tips(&mainWindow);
        QCOMPARE(tips.windowTitle(), QString("Tamboro Tips"));
        QCOMPARE(tips.lstTips->count(), 23);
        QVERIFY(tips.lstTips->isHidden());
        QCOMPARE(tips.chkDontShow->text(), QString("Don't show this in future."));
        tips.show();
        const QString text = tips.memTips->toPlainText();
        QVERIFY2(text.startsWith("Tip "), qPrintable(text));
        QCOMPARE(tips.memTips->blockCount(), 1);
        QCOMPARE(tips.frameGeometry().right(), mainWindow.frameGeometry().right());
        QCOMPARE(tips.frameGeometry().top(), mainWindow.frameGeometry().top());
    }

    void tipsOkTurnsThemOffOnlyWhenTicked() {
        QWidget mainWindow;
        for (bool ticked : {false, true}) {
            TfrmTips tips(&mainWindow);
            QSignalSpy off(&tips, &TfrmTips::tipsTurnedOff);
            tips.show();
            tips.chkDontShow->setChecked(ticked);
            tips.btnOK->click();
            QCOMPARE(off.count(), ticked ? 1 : 0);
            QVERIFY(tips.isHidden());
        }
    }
};

QTEST_MAIN(SmallWindows)
#include "tst_small_windows.moc"
