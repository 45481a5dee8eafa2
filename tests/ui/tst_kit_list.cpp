// The Kit List window: its shape and place, one label per kit instrument 16 pixels apart, choosing
// an instrument (announced with its pan, marked red), repainting after a kit load, and the
// sideways drag with its snap rules.

#include "kits/DefaultKitSynth.h"
#include "windows/kits/KitListWindow.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace tamboro;

class TestKitList : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void shapeAndPlace();
    void oneLabelPerInstrument();
    void clickChoosesTheInstrumentAndItsPan();
    void repaintDropsTheMark();
    void dropSnapsIntoTheBand_data();
    void dropSnapsIntoTheBand();
    void dragStopsFollowingOutsideTheBand();

private:
    void mouse(QEvent::Type type, int x, Qt::MouseButton button, Qt::MouseButtons held) {
        const QPointF local(x, 340); // on the background, below the label panel
        QMouseEvent event(type, local, panel->mapToGlobal(local), button, held, Qt::NoModifier);
        QApplication::sendEvent(panel.get(), &event);
    }
    QString labelStyle(int k) const {
        return panel->instrumentLabels[static_cast<std::size_t>(k)]->styleSheet();
    }

    DrumKit kit;
    std::unique_ptr<QWidget> mainWindow;
    std::unique_ptr<KitListWindow> panel;
};

void TestKitList::init() {
    kit = makeDefaultKit();
    kit.item(4).setPan(-1500);
    mainWindow = std::make_unique<QWidget>(nullptr, Qt::Window | Qt::FramelessWindowHint);
    mainWindow->setGeometry(300, 120, 539, 501);
    panel = std::make_unique<KitListWindow>(mainWindow.get(), &kit);
    panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel.get()));
}

void TestKitList::cleanup() {
    panel.reset();
    mainWindow.reset();
}

void TestKitList::shapeAndPlace() {
    QCOMPARE(panel->size(), QSize(127, 371));
    // The test screen (800 pixels wide) has no room right of the main window: the panel stands on
    // its left, 68 pixels below its top, 6 pixels apart.
    QCOMPARE(panel->pos(), QPoint(300 - 6 - 127, 120 + 68));
    QCOMPARE(panel->windowTitle(), QString("Kit List"));
    const QRegion mask = panel->mask();
    QVERIFY(!mask.contains(QPoint(60, 10))); // the title bar is cut away
    QVERIFY(mask.contains(QPoint(60, 30)));
    QVERIFY(!mask.contains(QPoint(115, 200))); // right of the outline
    QVERIFY(!mask.contains(QPoint(0, 22)));    // a rounded corner
    QVERIFY(mask.contains(QPoint(10, 200)));
    QCOMPARE(panel->labelPanel->geometry(), QRect(8, 8, 77, 301));
    QCOMPARE(panel->labelBox->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(panel->labelBox->verticalScrollBar()->width(), 8);
}

void TestKitList::oneLabelPerInstrument() {
    QCOMPARE(static_cast<int>(panel->instrumentLabels.size()), 16);
    for (int k = 0; k < 16; ++k) {
        const QLabel* label = panel->instrumentLabels[static_cast<std::size_t>(k)];
        QCOMPARE(label->y(), 16 * k + 4);
        QCOMPARE(label->x(), 0);
        // Each name whole, or one too wide for the box ending in "…" with the whole name as tooltip.
        const QString name =
            QString::fromStdString(std::string(defaultKitDisplayNames[static_cast<std::size_t>(k)]));
        QVERIFY2(label->text() == name || (label->text().endsWith(QChar(0x2026)) && label->toolTip() == name),
                 qPrintable(label->text()));
        QVERIFY2(label->width() <= label->parentWidget()->width(), qPrintable(name));
        QVERIFY(label->font().bold() && label->font().italic());
        QCOMPARE(label->font().pointSize(), 8);
        QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
    }
    QCOMPARE(panel->instrumentLabels.back()->y(), 244);
    // The shipped kit's longest name does not fit: it is shortened.
    QCOMPARE(panel->instrumentLabels[14]->toolTip(), QStringLiteral("Tambourine"));

    DrumKit emptyKit;
    emptyKit.add();
    panel->setKit(&emptyKit);
    panel->paintLabels();
    QVERIFY(panel->instrumentLabels.empty());
    panel->setKit(&kit);
}

void TestKitList::clickChoosesTheInstrumentAndItsPan() {
    QSignalSpy chosen(panel.get(), &KitListWindow::instrumentChosen);
    QTest::mouseClick(panel->instrumentLabels[3], Qt::LeftButton);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toString(), QString("Clap      [ ]"));
    QCOMPARE(chosen.at(0).at(1).toInt(), -1500);
    QVERIFY(labelStyle(3).contains("red"));
    QCOMPARE(panel->selectedLabel(), 3);

    QTest::mouseClick(panel->instrumentLabels[0], Qt::LeftButton);
    QCOMPARE(chosen.count(), 2);
    QCOMPARE(chosen.at(1).at(0).toString(), QString("Kick      [ ]"));
    QCOMPARE(chosen.at(1).at(1).toInt(), 0);
    QVERIFY(labelStyle(0).contains("red"));
    QVERIFY(!labelStyle(3).contains("red"));
    // A right click chooses nothing.
    QTest::mouseClick(panel->instrumentLabels[5], Qt::RightButton);
    QCOMPARE(chosen.count(), 2);
}

void TestKitList::repaintDropsTheMark() {
    panel->selectInstrument(2);
    QVERIFY(labelStyle(2).contains("red"));
    panel->labelBox->verticalScrollBar()->setValue(panel->labelBox->verticalScrollBar()->maximum());
    panel->paintLabels();
    QCOMPARE(panel->selectedLabel(), -1);
    QVERIFY(!labelStyle(2).contains("red"));
    QCOMPARE(panel->labelBox->verticalScrollBar()->value(), 0);
}

void TestKitList::dropSnapsIntoTheBand_data() {
    QTest::addColumn<int>("moveX");
    QTest::addColumn<int>("expected");
    // Pressed at x 40 with the panel at L + 508; the drop position is L + 508 - 40 + moveX.
    QTest::newRow("dropped at L+421 stays") << 40 - 87 << 421;
    QTest::newRow("dropped at L+419 snaps to L+427") << 40 - 89 << 427;
    QTest::newRow("dropped at L+520 snaps to L+508") << 40 + 12 << 508;
    QTest::newRow("dropped at L+460 stays") << 40 - 48 << 460;
}

void TestKitList::dropSnapsIntoTheBand() {
    QFETCH(int, moveX);
    QFETCH(int, expected);
    // The drag band is measured from the panel's place, as if it stood at L + 508.
    const int L = panel->x() - 508;
    const int top = panel->y();
    mouse(QEvent::MouseButtonPress, 40, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, moveX, Qt::NoButton, Qt::LeftButton);
    QCOMPARE(panel->x(), L + 508 - 40 + moveX);
    mouse(QEvent::MouseButtonRelease, moveX, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(panel->x(), L + expected);
    QCOMPARE(panel->y(), top);
}

void TestKitList::dragStopsFollowingOutsideTheBand() {
    // The drag band is measured from the panel's place, as if it stood at L + 508.
    const int L = panel->x() - 508;
    mouse(QEvent::MouseButtonPress, 40, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, 30, Qt::NoButton, Qt::LeftButton);  // to L + 498, still in the band
    mouse(QEvent::MouseMove, 0, Qt::NoButton, Qt::LeftButton);   // to L + 458
    mouse(QEvent::MouseMove, -50, Qt::NoButton, Qt::LeftButton); // to L + 368: out of the band
    QCOMPARE(panel->x(), L + 368);
    mouse(QEvent::MouseMove, 100, Qt::NoButton, Qt::LeftButton); // no longer followed
    QCOMPARE(panel->x(), L + 368);
    mouse(QEvent::MouseButtonRelease, 100, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(panel->x(), L + 427);
    // Without a press, moving does nothing.
    mouse(QEvent::MouseMove, 80, Qt::NoButton, Qt::NoButton);
    QCOMPARE(panel->x(), L + 427);
}

QTEST_MAIN(TestKitList)
#include "tst_kit_list.moc"
