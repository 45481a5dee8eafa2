// The Extra samples window: its shape and place, the 32 buttons in groups of four with their
// numbers, choosing a sample (current instrument, the editor opened on it), the captions written by
// "&Open", and the sideways drag that snaps back beside the main window.

#include "windows/controls/Knob.h"
#include "windows/kits/ExtraSamplesWindow.h"
#include "windows/kits/SampleEditorWindow.h"

#include "ExtraSamplesWorkspace.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

using namespace tamboro;
namespace fs = std::filesystem;

class TestExtraSamples : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void shapeAndPlace();
    void buttonsInGroupsOfFour();
    void choosingASampleOpensTheEditorOnIt();
    void focusOnlyMovesTheActiveNumber();
    void openCaptionsTheButton();
    void dragSnapsBackBesideTheMainWindow_data();
    void dragSnapsBackBesideTheMainWindow();
    void dragIsOnlySideways();

private:
    std::unique_ptr<test::ExtraSamplesWorkspace> ws;
    std::unique_ptr<QWidget> mainWindow;
    std::unique_ptr<SampleEditorWindow> editor;
    std::unique_ptr<ExtraSamplesWindow> panel;

    void mouse(QEvent::Type type, int x, Qt::MouseButton button, Qt::MouseButtons held) {
        const QPointF local(x, 150);
        QMouseEvent event(type, local, panel->mapToGlobal(local), button, held, Qt::NoModifier);
        QApplication::sendEvent(panel.get(), &event);
    }
};

void TestExtraSamples::init() {
    ws = std::make_unique<test::ExtraSamplesWorkspace>();
    mainWindow = std::make_unique<QWidget>(nullptr, Qt::Window | Qt::FramelessWindowHint);
    mainWindow->setGeometry(300, 120, 539, 501);
    mainWindow->show();
    editor = std::make_unique<SampleEditorWindow>(*ws->samples, mainWindow.get());
    editor->notify = [](const QString& text) { QFAIL(qPrintable(text)); };
    panel = std::make_unique<ExtraSamplesWindow>(mainWindow.get());
    panel->setSampleEditor(editor.get());
    panel->show();
}

void TestExtraSamples::cleanup() {
    panel.reset();
    editor.reset();
    mainWindow.reset();
    ws.reset();
}

void TestExtraSamples::shapeAndPlace() {
    QCOMPARE(panel->windowTitle(), QStringLiteral("Extra samples"));
    QCOMPARE(panel->size(), QSize(130, 365));
    QVERIFY(panel->isVisible());
    QVERIFY(panel->windowFlags() & Qt::FramelessWindowHint);
    const QRegion shape = panel->mask();
    QCOMPARE(shape.boundingRect(), QRect(4, 23, 118, 321));
    QVERIFY(shape.contains(QPoint(60, 180)));
    QVERIFY(!shape.contains(QPoint(5, 24)));  // a rounded corner is cut away
    QVERIFY(!shape.contains(QPoint(60, 10))); // the title bar is cut away
    // Left of the main window, 6 pixels apart, 67 pixels below its top.
    QCOMPARE(panel->pos(), QPoint(300 - 6 - 130, 120 + 67));
    QCOMPARE(panel->activeSampleCaption->text(), QStringLiteral("Active Sample"));
    QCOMPARE(panel->activeNumber->text(), QStringLiteral("1"));
    QCOMPARE(panel->sampleButtonBox->geometry(), QRect(16, 24, 96, 281));
    QCOMPARE(panel->sampleButtonBox->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(panel->sampleButtonBox->verticalScrollBar()->width(), 10);
    // The scroll box and the caption lie inside the visible shape.
    const QRect box = panel->sampleButtonBox->geometry().translated(panel->clientArea->pos());
    QVERIFY(shape.contains(box.topLeft()) && shape.contains(box.bottomRight()));
    QVERIFY(
        shape.contains(panel->activeSampleCaption->geometry().translated(panel->clientArea->pos()).center()));
}

void TestExtraSamples::buttonsInGroupsOfFour() {
    QCOMPARE(panel->sampleButtons.size(), std::size_t{32});
    for (int n = 1; n <= 32; ++n) {
        QPushButton* b = panel->sampleButtons[static_cast<std::size_t>(n - 1)];
        const int group = (n - 1) / 4, inGroup = (n - 1) % 4;
        QCOMPARE(b->geometry().topLeft(), QPoint(17, 106 * group + 25 * inGroup));
        QCOMPARE(b->width(), 60);
        QCOMPARE(b->text(), QString("Sample %1").arg(n));
        QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(b->font().pointSize(), 6);
        QCOMPARE(b->mask().boundingRect(), QRect(4, 4, 54, 18));
        QLabel* number = panel->numberLabels[static_cast<std::size_t>(n - 1)];
        QCOMPARE(number->text(), QString::number(n));
        QCOMPARE(number->pos(), QPoint(1, b->y() + 6));
        QVERIFY(number->font().bold());
    }
    QCOMPARE(panel->sampleButtons[31]->y(), 817);
    // The last button can be scrolled into view.
    QVERIFY(panel->sampleButtonBox->widget()->height() >= 817 + panel->sampleButtons[31]->height());
}

void TestExtraSamples::choosingASampleOpensTheEditorOnIt() {
    QVERIFY(ws->samples->setPan(7, 1500));
    QVERIFY(ws->samples->setVolume(7, -2300));
    QVERIFY(ws->samples->setFrequency(7, 30000));
    QSignalSpy chosen(panel.get(), &ExtraSamplesWindow::instrumentChosen);
    QVERIFY(!editor->isVisible());

    QTest::mouseClick(panel->sampleButtons[6], Qt::LeftButton, {}, QPoint(30, 12));
    QCOMPARE(panel->activeNumber->text(), QStringLiteral("7"));
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen[0][0].toString(), QStringLiteral("Sample7"));
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->windowTitle(), QStringLiteral("Sample 7 : Blank.wav"));
    QCOMPARE(editor->sampleNumber->text(), QStringLiteral("7"));
    QCOMPARE(ws->samples->currentSample, 7);
    QCOMPARE(editor->panKnob->value(), 15.0);
    QCOMPARE(editor->volumeKnob->value(), -23.0);
    QCOMPARE(editor->pitchSlider->value(), 30000);
    // The editor opens beside the main window, over none of it.
    QVERIFY(!editor->frameGeometry().intersects(mainWindow->frameGeometry()));
}

void TestExtraSamples::focusOnlyMovesTheActiveNumber() {
    QSignalSpy chosen(panel.get(), &ExtraSamplesWindow::instrumentChosen);
    panel->activateWindow();
    panel->sampleButtons[2]->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(panel->activeNumber->text(), QStringLiteral("3"));
    QCOMPARE(chosen.size(), 0);
    QVERIFY(!editor->isVisible());
}

void TestExtraSamples::openCaptionsTheButton() {
    panel->selectSample(5);
    editor->chooseSampleFile = [this] { return ws->wav("drumloop-long.wav", 22050); };
    editor->openFileClicked();
    QCOMPARE(panel->sampleButtons[4]->text(), QStringLiteral("drumloop"));
    QCOMPARE(panel->sampleButtons[3]->text(), QStringLiteral("Sample 4"));
    editor->chooseSampleFile = [this] { return ws->wav("hat.wav", 22050); };
    editor->openFileClicked();
    QCOMPARE(panel->sampleButtons[4]->text(), QStringLiteral("hat"));
}

void TestExtraSamples::dragSnapsBackBesideTheMainWindow_data() {
    QTest::addColumn<int>("pressX");
    QTest::addColumn<int>("moveX");
    QTest::addColumn<int>("expected"); // relative to the main window's left edge
    // From L - 92: a drop at L - 100 snaps to L - 94, a drop at L + 3 snaps to L.
    QTest::newRow("L-100") << 50 << 42 << -94;
    QTest::newRow("L+3") << 10 << 105 << 0;
    QTest::newRow("inside") << 30 << 60 << -62;
}

void TestExtraSamples::dragSnapsBackBesideTheMainWindow() {
    QFETCH(int, pressX);
    QFETCH(int, moveX);
    QFETCH(int, expected);
    // The drag band is measured from the panel's place, as if it stood at L + -92.
    const int L = panel->x() + 92;
    QCOMPARE(panel->x(), L - 92);
    mouse(QEvent::MouseButtonPress, pressX, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, moveX, Qt::NoButton, Qt::LeftButton);
    QCOMPARE(panel->x(), L - 92 - pressX + moveX);
    mouse(QEvent::MouseButtonRelease, moveX, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(panel->x(), L + expected);
}

void TestExtraSamples::dragIsOnlySideways() {
    // The drag band is measured from the panel's place, as if it stood at L + -92.
    const int L = panel->x() + 92;
    const int top = panel->y();
    mouse(QEvent::MouseButtonPress, 40, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, 30, Qt::NoButton, Qt::LeftButton);  // to L - 102: out of the band
    mouse(QEvent::MouseMove, 120, Qt::NoButton, Qt::LeftButton); // no longer followed
    QCOMPARE(panel->x(), L - 102);
    mouse(QEvent::MouseButtonRelease, 120, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(panel->x(), L - 94);
    QCOMPARE(panel->y(), top);
    // Without a press, moving does nothing.
    mouse(QEvent::MouseMove, 80, Qt::NoButton, Qt::NoButton);
    QCOMPARE(panel->x(), L - 94);
}

QTEST_MAIN(TestExtraSamples)
#include "tst_extra_samples.moc"
