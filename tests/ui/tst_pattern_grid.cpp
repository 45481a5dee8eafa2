// The pattern grid widget driven through real mouse and key events: placing and removing with the
// audition, the right-button level cycle, level digits with the cell jump, the Delete block,
// range selection, the Time/Bar layout change and the painted appearance.

#include "song/GridEditing.h"
#include "windows/main/PatternGridView.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

using namespace tamboro;

namespace {

const std::string kKick = "Kick      [ ]";
const std::string kSnare = "Snare     [ ]";

// A grid with its instrument list: the kit's 16 instruments at positions 1..16, then Sample1..32.
struct Fixture {
    PatternGrid grid;
    PatternEditState state;
    std::string instrument = kKick;
    PatternGridView view{grid, state};

    Fixture() {
        view.setInstrumentSource({[this] { return instrument; },
                                  [](const std::string& name) {
                                      if (name == kKick)
                                          return 1;
                                      if (name == kSnare)
                                          return 2;
                                      if (name.rfind("Sample", 0) == 0)
                                          return 16 + std::stoi(name.substr(6));
                                      return -1;
                                  },
                                  [] { return 16; }});
        view.resize(440, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
    }

    QPoint centre(int col, int row) const { return view.cellRect(col, row).center(); }
    void click(Qt::MouseButton button, int col, int row) {
        QTest::mouseClick(view.viewport(), button, Qt::NoModifier, centre(col, row));
    }
};

} // namespace

class TestPatternGrid : public QObject {
    Q_OBJECT
private slots:
    void leftClickPlacesAuditionsThenRemoves();
    void extraSamplesAreNotAuditioned();
    void middleButtonPlacesToo();
    void insertInstrumentIsSilentAndUnflagged();
    void rightClickCyclesTheLevel();
    void digitSetsLevelAndJumps();
    void otherKeysNeverEditACell();
    void deleteEmptiesTheSelectedBlock();
    void mouseDragSelectsARange();
    void pressOnAFixedCellKeepsTheCurrentCell();
    void timeBarLayoutScrollsUnderFixedRows();
    void appearance();
    void gestureOnSixtyFourStepsStaysInstant();
};

void TestPatternGrid::leftClickPlacesAuditionsThenRemoves() {
    Fixture f;
    f.grid.setCell(2, 4, "Kick      [5]");
    QSignalSpy audition(&f.view, &PatternGridView::auditionRequested);
    QSignalSpy changed(&f.view, &PatternGridView::patternChanged);
    f.click(Qt::LeftButton, 2, 4);
    QCOMPARE(f.view.currentColumn(), 2);
    QCOMPARE(f.view.currentRow(), 4);
    QCOMPARE(f.grid.cell(2, 4), kKick); // the level is reset
    QCOMPARE(audition.count(), 1);
    QCOMPARE(audition.at(0).at(0).toString(), QString::fromStdString(kKick));
    QCOMPARE(changed.count(), 1);
    QVERIFY(f.state.patternChanged);
    QVERIFY(f.state.gridClicked);
    f.click(Qt::LeftButton, 2, 4);
    QCOMPARE(f.grid.cell(2, 4), std::string());
    QCOMPARE(audition.count(), 1);
    QCOMPARE(changed.count(), 2);

    f.instrument.clear(); // no current instrument: nothing happens
    f.state.patternChanged = false;
    f.click(Qt::LeftButton, 3, 4);
    QCOMPARE(f.grid.cell(3, 4), std::string());
    QVERIFY(!f.state.patternChanged);
}

void TestPatternGrid::extraSamplesAreNotAuditioned() {
    Fixture f;
    f.instrument = "Sample3";
    QSignalSpy audition(&f.view, &PatternGridView::auditionRequested);
    f.click(Qt::LeftButton, 1, 2);
    QCOMPARE(f.grid.cell(1, 2), std::string("Sample3"));
    QCOMPARE(audition.count(), 0);
    QVERIFY(f.state.patternChanged);
}

void TestPatternGrid::middleButtonPlacesToo() {
    Fixture f;
    f.instrument = kSnare;
    f.click(Qt::MiddleButton, 6, 10);
    QCOMPARE(f.grid.cell(6, 10), kSnare);
}

void TestPatternGrid::insertInstrumentIsSilentAndUnflagged() {
    Fixture f;
    QSignalSpy audition(&f.view, &PatternGridView::auditionRequested);
    QSignalSpy changed(&f.view, &PatternGridView::patternChanged);
    f.view.setCurrentCell(5, 12);
    f.view.insertInstrument();
    QCOMPARE(f.grid.cell(5, 12), kKick);
    f.view.insertInstrument();
    QCOMPARE(f.grid.cell(5, 12), std::string());
    QCOMPARE(audition.count(), 0);
    QCOMPARE(changed.count(), 0);
    QVERIFY(!f.state.patternChanged);
}

void TestPatternGrid::rightClickCyclesTheLevel() {
    Fixture f;
    f.grid.setCell(3, 3, kKick);
    QSignalSpy changed(&f.view, &PatternGridView::patternChanged);
    QString levels;
    for (int i = 0; i < 9; ++i) {
        f.click(Qt::RightButton, 3, 3);
        levels += QChar(f.grid.cell(3, 3)[kLevelIndex]);
    }
    QCOMPARE(levels, QStringLiteral("234567891"));
    QCOMPARE(changed.count(), 0);
    QVERIFY(!f.state.patternChanged);
    f.grid.setCell(4, 3, "Sample3");
    f.click(Qt::RightButton, 4, 3);
    QCOMPARE(f.grid.cell(4, 3), std::string("Sample3"));
}

void TestPatternGrid::digitSetsLevelAndJumps() {
    Fixture f;
    f.instrument = kSnare;
    f.state.cellJump = 2;
    f.view.setCurrentCell(3, 5);
    f.view.setFocus();
    QSignalSpy changed(&f.view, &PatternGridView::patternChanged);
    QTest::keyClick(&f.view, Qt::Key_5, Qt::NoModifier);
    QCOMPARE(f.grid.cell(3, 5), std::string("Snare     [5]"));
    QCOMPARE(f.view.currentRow(), 7);
    QCOMPARE(changed.count(), 1);
    // Near the end the cursor stays put rather than leave the grid.
    f.view.setCurrentCell(3, 16);
    QTest::keyClick(&f.view, Qt::Key_9, Qt::NoModifier);
    QCOMPARE(f.grid.cell(3, 16), std::string("Snare     [9]"));
    QCOMPARE(f.view.currentRow(), 16);
    // An extra sample takes no level: no move and no edit.
    f.instrument = "Sample3";
    f.state.patternChanged = false;
    f.view.setCurrentCell(1, 2);
    QTest::keyClick(&f.view, Qt::Key_4, Qt::NoModifier);
    QCOMPARE(f.grid.cell(1, 2), std::string("Sample3"));
    QCOMPARE(f.view.currentRow(), 2);
    QVERIFY(!f.state.patternChanged);
    QCOMPARE(changed.count(), 2);
}

void TestPatternGrid::otherKeysNeverEditACell() {
    Fixture f;
    f.view.setCurrentCell(1, 2);
    f.view.setFocus();
    // Space and Enter place the current instrument (the keyboard editing test covers them).
    for (auto key : {Qt::Key_A, Qt::Key_0, Qt::Key_Tab, Qt::Key_Insert, Qt::Key_Backspace})
        QTest::keyClick(&f.view, key, Qt::NoModifier);
    QCOMPARE(f.grid.cell(1, 2), std::string());
    QVERIFY(!f.state.patternChanged);
}

void TestPatternGrid::deleteEmptiesTheSelectedBlock() {
    Fixture f;
    for (int row = 2; row <= 17; ++row)
        for (int col = 1; col <= 6; ++col)
            f.grid.setCell(col, row, kKick);
    f.view.setCurrentCell(2, 5);
    f.view.setFocus();
    QTest::keyClick(&f.view, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&f.view, Qt::Key_Right, Qt::ShiftModifier);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&f.view, Qt::Key_Down, Qt::ShiftModifier);
    const CellRect sel = f.view.selection();
    QCOMPARE(sel.left, 2);
    QCOMPARE(sel.right, 4);
    QCOMPARE(sel.top, 5);
    QCOMPARE(sel.bottom, 8);
    QSignalSpy changed(&f.view, &PatternGridView::patternChanged);
    QTest::keyClick(&f.view, Qt::Key_Delete, Qt::NoModifier);
    int empty = 0;
    for (int row = 2; row <= 17; ++row)
        for (int col = 1; col <= 6; ++col)
            empty += f.grid.cell(col, row).empty();
    QCOMPARE(empty, 12);
    QVERIFY(f.grid.cell(3, 6).empty());
    QCOMPARE(f.grid.cell(5, 6), kKick);
    QCOMPARE(changed.count(), 1);
    // A plain arrow collapses the selection again.
    QTest::keyClick(&f.view, Qt::Key_Up, Qt::NoModifier);
    QCOMPARE(f.view.selection().left, f.view.selection().right);
    QCOMPARE(f.view.selection().top, f.view.selection().bottom);
}

void TestPatternGrid::mouseDragSelectsARange() {
    Fixture f;
    f.instrument.clear();
    QTest::mousePress(f.view.viewport(), Qt::LeftButton, Qt::NoModifier, f.centre(1, 3));
    QMouseEvent move(QEvent::MouseMove, QPointF(f.centre(3, 6)),
                     f.view.viewport()->mapToGlobal(QPointF(f.centre(3, 6))), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(f.view.viewport(), &move);
    QTest::mouseRelease(f.view.viewport(), Qt::LeftButton, Qt::NoModifier, f.centre(3, 6));
    const CellRect sel = f.view.selection();
    QCOMPARE(sel.left, 1);
    QCOMPARE(sel.top, 3);
    QCOMPARE(sel.right, 3);
    QCOMPARE(sel.bottom, 6);
    QCOMPARE(f.view.currentColumn(), 1); // the press cell stays current
    QCOMPARE(f.view.currentRow(), 3);
}

void TestPatternGrid::pressOnAFixedCellKeepsTheCurrentCell() {
    Fixture f;
    f.view.setCurrentCell(4, 9);
    f.state.gridClicked = false;
    // A release over a fixed cell acts on the current cell.
    f.click(Qt::LeftButton, 0, 5);
    QVERIFY(f.state.gridClicked);
    QCOMPARE(f.view.currentColumn(), 4);
    QCOMPARE(f.view.currentRow(), 9);
    QCOMPARE(f.grid.cell(4, 9), kKick);
    QCOMPARE(f.grid.cell(0, 5), std::string("4:3"));
    f.click(Qt::LeftButton, 2, 0);
    QCOMPARE(f.grid.cell(2, 0), std::string("16"));
    QCOMPARE(f.grid.cell(4, 9), std::string());
}

void TestPatternGrid::timeBarLayoutScrollsUnderFixedRows() {
    Fixture f;
    setPendingTimeBar(f.state, "40/10");
    int playRow = 2;
    QVERIFY(applyTimeBar(f.grid, f.state, playRow));
    f.view.modelChanged();
    QVERIFY(f.view.verticalScrollBar()->maximum() > 0);
    f.view.setCurrentCell(1, 41);
    QVERIFY(!f.view.cellRect(1, 41).isEmpty());
    QVERIFY(f.view.cellRect(1, 2).isEmpty()); // scrolled out of view
    QCOMPARE(f.view.cellRect(2, 0).top(), 0); // the header rows stay put
    QCOMPARE(f.view.cellRect(0, 41).left(), 0);
    f.click(Qt::LeftButton, 1, 41);
    QCOMPARE(f.grid.cell(1, 41), kKick);

    // Shrinking keeps the current cell inside the grid.
    setPendingTimeBar(f.state, "8/4");
    applyTimeBar(f.grid, f.state, playRow);
    f.view.modelChanged();
    QCOMPARE(f.view.currentRow(), 9);
    QCOMPARE(f.view.verticalScrollBar()->maximum(), 0);
}

void TestPatternGrid::appearance() {
    Fixture f;
    QCOMPARE(f.view.cellRect(0, 0).width(), 40);
    QCOMPARE(f.view.cellRect(1, 0).width(), 60);
    QCOMPARE(f.view.cellRect(6, 5).height(), 15);
    QCOMPARE(f.view.cellRect(1, 3).top() - f.view.cellRect(1, 2).top(), 16);
    QCOMPARE(f.view.backgroundColor(), QColor(170, 221, 64));
    QCOMPARE(f.view.textColor(), QColor(64, 64, 128));
    QCOMPARE(bgrFromColor(QColor(170, 221, 64)), 0x0040DDAAu);
    QCOMPARE(colorFromBgr(0x00804040), QColor(64, 64, 128));

    f.view.setCurrentCell(1, 2);
    f.grid.setCell(4, 6, kSnare);
    f.grid.setName(std::string(40, 'W')); // far wider than its cell
    f.view.setColors(QColor(10, 20, 30), QColor(200, 100, 0));
    const QImage image = f.view.viewport()->grab().toImage();
    auto pixel = [&](QPoint p) { return QColor(image.pixel(p)); };
    const QRect plain = f.view.cellRect(3, 6);
    QCOMPARE(pixel(plain.topLeft() + QPoint(1, 1)), QColor(10, 20, 30));
    QCOMPARE(pixel(QPoint(plain.right() + 1, plain.center().y())), QColor(192, 192, 192));
    QCOMPARE(pixel(QPoint(plain.center().x(), plain.bottom() + 1)), QColor(192, 192, 192));
    // The text is drawn in the text colour, and a long text stops at its cell's edge.
    const QRect written = f.view.cellRect(4, 6);
    bool textPixel = false;
    for (int x = written.left(); x <= written.right(); ++x)
        for (int y = written.top(); y <= written.bottom(); ++y)
            textPixel = textPixel || pixel(QPoint(x, y)).red() > 150;
    QVERIFY(textPixel);
    const QRect neighbour = f.view.cellRect(1, 0); // "Length:" fills only its left part
    for (int x = neighbour.left() + 48; x <= neighbour.right(); ++x)
        for (int y = neighbour.top(); y <= neighbour.bottom(); ++y)
            QCOMPARE(pixel(QPoint(x, y)), f.view.palette().color(QPalette::Button));
    // The current cell is highlighted, with the keyboard cursor's frame inside its edge.
    const QRect focused = f.view.cellRect(1, 2);
    QCOMPARE(pixel(focused.topLeft() + QPoint(4, 7)), f.view.palette().color(QPalette::Highlight));
    QCOMPARE(pixel(focused.topLeft() + QPoint(1, 1)), f.view.hasFocus()
                                                          ? f.view.palette().color(QPalette::HighlightedText)
                                                          : f.view.palette().color(QPalette::Highlight));
    const QRect header = f.view.cellRect(1, 1);
    QCOMPARE(pixel(header.topLeft() + QPoint(1, 1)), f.view.palette().color(QPalette::Button));
}

void TestPatternGrid::gestureOnSixtyFourStepsStaysInstant() {
    Fixture f;
    f.grid.layOut(64, 4);
    for (int row = 2; row <= 65; ++row)
        for (int col = 1; col <= 6; ++col)
            f.grid.setCell(col, row, kSnare);
    f.view.modelChanged();
    f.view.resize(440, 64 * 16 + 60); // every row on screen, so each repaint draws the whole pattern
    QVERIFY(QTest::qWaitForWindowExposed(&f.view));
    constexpr int kClicks = 200;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kClicks; ++i) {
        f.click(Qt::LeftButton, 1 + i % 6, 2 + i % 64);
        QCoreApplication::processEvents(); // the gesture's own repaint
    }
    const double perGesture = static_cast<double>(timer.nsecsElapsed()) / kClicks / 1e6;
    timer.start();
    for (int i = 0; i < 20; ++i)
        f.view.viewport()->repaint();
    const double fullRepaint = static_cast<double>(timer.nsecsElapsed()) / 20 / 1e6;
    qInfo("64-step pattern: %.3f ms per left click with its repaint, %.3f ms per full repaint", perGesture,
          fullRepaint);
    QVERIFY2(perGesture < 50.0, "a gesture took long enough to be seen");
}

QTEST_MAIN(TestPatternGrid)
#include "tst_pattern_grid.moc"
