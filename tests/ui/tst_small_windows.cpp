// The intro screen, the tips window and the about window.

#include "controls/AboutScroller.h"
#include "windows/controls/AboutWindow.h"
#include "windows/controls/IntroWindow.h"
#include "windows/controls/TipsWindow.h"

#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

using namespace tamboro;

class SmallWindows : public QObject {
    Q_OBJECT

private slots:
    void aboutLineScrollsAndStartsOver() {
        AboutWindow about;
        QVERIFY(about.tickTimer.isActive()); // from creation
        QCOMPARE(about.tickTimer.interval(), 100);
        QCOMPARE(about.scrollPosition(), 1);
        about.onTick();
        QCOMPARE(about.scrollingLine->text(), QString(40, ' '));
        about.onTick();
        QCOMPARE(about.scrollingLine->text(), QString(39, ' ') + "T");
        const int length = static_cast<int>(AboutScroller().paddedText().size());
        int ticks = 2;
        while (about.scrollPosition() != 1) {
            about.onTick();
            ++ticks;
        }
        QCOMPARE(ticks, length - 41);
        about.onTick();
        QCOMPARE(about.scrollingLine->text(), QString(40, ' '));
    }

    void aboutOkHidesAndReopeningContinues() {
        AboutWindow about;
        about.open();
        QVERIFY(about.isVisible());
        for (int i = 0; i < 7; ++i)
            about.onTick();
        about.okButton->click();
        QVERIFY(about.isHidden());
        QVERIFY(!about.tickTimer.isActive());
        QCOMPARE(about.scrollPosition(), 8);
        about.open();
        QVERIFY(about.tickTimer.isActive());
        QCOMPARE(about.scrollPosition(), 8);
        QVERIFY(about.mask().contains(QPoint(140, 130)));
        QVERIFY(!about.mask().contains(QPoint(2, 2)));
        QCOMPARE(about.size(), QSize(281, 259));
    }

    void introGoesAfterTenTicks() {
        QWidget mainWindow;
        QPointer<IntroWindow> intro = new IntroWindow();
        intro->setWindows(&mainWindow, nullptr, nullptr);
        intro->show();
        QCOMPARE(intro->size(), QSize(452, 362));
        QCOMPARE(intro->tickTimer().interval(), 1000);
        for (int i = 0; i < 9; ++i)
            intro->onTick();
        QVERIFY(intro->isVisible());
        QVERIFY(mainWindow.isHidden());
        intro->onTick();
        QVERIFY(mainWindow.isVisible());
        QTRY_VERIFY(intro.isNull()); // closed and deleted
    }

    void introClickBringsUpTheSidePanels() {
        QWidget mainWindow, kitList, extras;
        QPointer<IntroWindow> intro = new IntroWindow();
        intro->setWindows(&mainWindow, &kitList, &extras);
        intro->show();
        intro->onTick();
        intro->onTick();
        QWidget* picture = intro->findChild<QWidget*>("introPicture");
        QVERIFY(picture);
        QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(100, 100));
        QVERIFY(mainWindow.isVisible());
        QVERIFY(kitList.isVisible());
        QVERIFY(extras.isVisible());
        QTRY_VERIFY(intro.isNull());
    }

    void tipsShowOneTipBesideTheMainWindow() {
        QWidget mainWindow;
        mainWindow.setGeometry(100, 250, 539, 300);
        TipsWindow tips(&mainWindow);
        QCOMPARE(tips.windowTitle(), QString("Tamboro Tips"));
        QCOMPARE(tips.tipList->count(), 23);
        QVERIFY(tips.tipList->isHidden());
        QCOMPARE(tips.dontShowBox->text(), QString("Don't show this in future."));
        tips.show();
        const QString text = tips.tipText->toPlainText();
        QVERIFY2(text.startsWith("Tip "), qPrintable(text));
        QCOMPARE(tips.tipText->blockCount(), 1);
        // Above the main window's right end, clear of its menus.
        QCOMPARE(tips.frameGeometry().right(), mainWindow.frameGeometry().right());
        QCOMPARE(tips.frameGeometry().bottom(), mainWindow.frameGeometry().top() - 7);
    }

    void tipsOkTurnsThemOffOnlyWhenTicked() {
        QWidget mainWindow;
        for (bool ticked : {false, true}) {
            TipsWindow tips(&mainWindow);
            QSignalSpy off(&tips, &TipsWindow::tipsTurnedOff);
            tips.show();
            tips.dontShowBox->setChecked(ticked);
            tips.okButton->click();
            QCOMPARE(off.count(), ticked ? 1 : 0);
            QVERIFY(tips.isHidden());
        }
    }
};

QTEST_MAIN(SmallWindows)
#include "tst_small_windows.moc"
