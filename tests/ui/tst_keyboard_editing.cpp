// Keyboard-first editing of the main window: the grid cursor and selection under the arrow keys,
// Space and Enter, level digits, Delete, copy and paste of a block, Page Up/Down by the pattern's
// length, Space and the undo keys from another window, and Help > Keyboard shortcuts listing the
// same table the keys come from.

#include "MainWindowControls.h"
#include "WindowTestSupport.h"

#include "windows/main/KeyboardShortcuts.h"
#include "windows/main/MainWindow.h"
#include "windows/main/MainWindowState.h"

#include <QDialog>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace tamboro;

namespace {
const std::string kKick = "Kick      [ ]";
} // namespace

class KeyboardEditingTest : public QObject {
    Q_OBJECT

    test::TemporarySettings settings_;
    std::unique_ptr<QTemporaryDir> work_;
    std::unique_ptr<MainWindow> w_;

    test::MainWindowControls ui() const { return test::controlsOf(*w_); }
    PatternGrid& grid() { return w_->state().patternCells; }
    PatternGridView* view() const { return ui().patternGrid; }
    void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(view(), Qt::Key(k), modifiers);
    }

private slots:
    void init() {
        work_ = std::make_unique<QTemporaryDir>();
        w_ = std::make_unique<MainWindow>(work_->path().toStdString());
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
        w_->setCurrentInstrument(QString::fromStdString(kKick));
        view()->setFocus();
        view()->setCurrentCell(1, 2);
    }

    void cleanup() {
        w_->close();
        w_.reset();
    }

    void arrowsMoveAndSpaceOrEnterPlaces() {
        key(Qt::Key_Right);
        key(Qt::Key_Down);
        key(Qt::Key_Down);
        QCOMPARE(view()->currentColumn(), 2);
        QCOMPARE(view()->currentRow(), 4);
        key(Qt::Key_Space);
        QCOMPARE(grid().cell(2, 4), kKick);
        QVERIFY(w_->state().editState.patternChanged);
        key(Qt::Key_Return);
        QCOMPARE(grid().cell(2, 4), std::string());
        key(Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(grid().cell(2, 4), kKick);
        key(Qt::Key_6);
        QCOMPARE(grid().cell(2, 4), std::string("Kick      [6]"));
        // Each key was one undo step.
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(grid().cell(2, 4), kKick);
    }

    void shiftArrowsSelectCopyAndPaste() {
        grid().setCell(1, 2, kKick);
        grid().setCell(2, 3, "Snare     [4]");
        key(Qt::Key_Right, Qt::ShiftModifier);
        key(Qt::Key_Down, Qt::ShiftModifier);
        const CellRect selected = view()->selection();
        QCOMPARE(selected.left, 1);
        QCOMPARE(selected.right, 2);
        QCOMPARE(selected.bottom, 3);
        key(Qt::Key_C, Qt::ControlModifier);
        view()->setCurrentCell(4, 10);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(grid().cell(4, 10), kKick);
        QCOMPARE(grid().cell(5, 11), std::string("Snare     [4]"));
        QCOMPARE(view()->selection().right, 5); // the pasted block is selected
        key(Qt::Key_Delete);
        QCOMPARE(grid().cell(4, 10), std::string());
        QCOMPARE(grid().cell(5, 11), std::string());
        QCOMPARE(grid().cell(1, 2), kKick); // the copied cells stay
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(grid().cell(5, 11), std::string("Snare     [4]"));
    }

    void pageKeysMoveByThePatternLength() {
        grid().layOut(40, 4);
        view()->modelChanged();
        view()->setCurrentCell(3, 5);
        key(Qt::Key_PageDown);
        QCOMPARE(view()->currentRow(), 41); // clamped at the last of 40 steps
        view()->setCurrentCell(3, 30);
        key(Qt::Key_PageUp);
        QCOMPARE(view()->currentRow(), 2);
        key(Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(view()->currentRow(), 41);
        QCOMPARE(view()->currentColumn(), 6);
    }

    void cursorShowsWhileTheGridHasTheKeys() {
        view()->setCurrentCell(2, 5);
        const QPoint corner = view()->cellRect(2, 5).topLeft() + QPoint(1, 1);
        const QColor focused = view()->viewport()->grab().toImage().pixelColor(corner);
        ui().patternNameBox->setFocus();
        QTRY_VERIFY(!view()->hasFocus());
        const QColor unfocused = view()->viewport()->grab().toImage().pixelColor(corner);
        QVERIFY(focused != unfocused);
    }

    // Space and Ctrl+Z from a window other than the main window.
    void keysWorkFromAnotherWindow() {
        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        QSignalSpy play(&w_->parts().transport, &TransportPanel::playPatternClicked);
        QTest::keyClick(&other, Qt::Key_Space);
        QCOMPARE(play.count(), 1);
        key(Qt::Key_Space); // in the grid, Space places
        QCOMPARE(play.count(), 1);
        QCOMPARE(grid().cell(1, 2), kKick);
        QTest::keyClick(&other, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(grid().cell(1, 2), std::string());
        QTest::keyClick(&other, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(grid().cell(1, 2), kKick);
    }

    void helpListsEveryBinding() {
        w_->parts().menus.actions().keyboardShortcuts->trigger();
        auto* window = w_->findChild<QDialog*>("keyboardShortcutsWindow");
        QVERIFY(window);
        const QString table = window->findChild<QLabel*>("keyboardShortcutsTable")->text();
        for (const KeyBinding& binding : keyBindings()) {
            QVERIFY2(table.contains(QString::fromUtf8(binding.description).toHtmlEscaped()),
                     binding.description);
            if (!binding.keysText)
                QVERIFY(
                    table.contains(binding.keys.first().toString(QKeySequence::NativeText).toHtmlEscaped()));
        }
        QVERIFY(table.contains("Ctrl+Shift+Z"));
        // The actions carry the keys the table lists.
        QCOMPARE(w_->parts().menus.actions().redo->shortcuts(), keysFor(KeyCommand::Redo));
        QCOMPARE(w_->parts().menus.actions().undo->shortcutContext(), Qt::ApplicationShortcut);
        window->close();
    }
};

QTEST_MAIN(KeyboardEditingTest)
#include "tst_keyboard_editing.moc"
