// The main window's undo history: every kind of step undone and redone through the Edit menu's
// items (grid edits, the pattern boxes, the two lists), a history of more than 200 steps walked
// back and forth, redo dropped by a new edit, and files on disk never touched by undo or redo.

#include "MainWindowControls.h"
#include "WindowTestSupport.h"

#include "common/Files.h"
#include "windows/main/EditHistory.h"
#include "windows/main/MainWindow.h"
#include "windows/main/MainWindowState.h"

#include <QtTest>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

using namespace tamboro;
namespace fs = std::filesystem;

namespace {

const QString kKick = QStringLiteral("Kick      [ ]");

// Every file of a folder with its bytes.
std::map<std::string, std::vector<std::uint8_t>> folderBytes(const fs::path& dir) {
    std::map<std::string, std::vector<std::uint8_t>> out;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        if (entry.is_regular_file())
            out[entry.path().string()] = readFileBytes(entry.path());
    return out;
}

std::vector<std::string> channelCells(const PatternGrid& grid) {
    std::vector<std::string> out;
    for (int row = 0; row < 20; ++row)
        for (int col = 0; col < PatternGrid::kColumns; ++col)
            out.push_back(grid.cell(col, row));
    return out;
}

} // namespace

class UndoHistoryTest : public QObject {
    Q_OBJECT

    test::TemporarySettings settings_;
    std::unique_ptr<QTemporaryDir> work_;
    std::unique_ptr<MainWindow> w_;

    test::MainWindowControls ui() const { return test::controlsOf(*w_); }
    fs::path work() const { return work_->path().toStdString(); }
    PatternGrid& grid() { return w_->state().patternCells; }
    const MainMenus::Actions& menu() const { return w_->parts().menus.actions(); }
    void undo() { menu().undo->trigger(); }
    void redo() { menu().redo->trigger(); }
    void clickCell(int col, int row, Qt::MouseButton button = Qt::LeftButton) {
        PatternGridView* g = ui().patternGrid;
        QTest::mouseClick(g->viewport(), button, Qt::NoModifier, g->cellRect(col, row).center());
    }

private slots:
    void init() {
        work_ = std::make_unique<QTemporaryDir>();
        for (const char* name : {"rock", "Bossa", "funk"})
            std::ofstream(work() / (std::string(name) + ".pat")) << "x";
        w_ = std::make_unique<MainWindow>(work());
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
        w_->setCurrentInstrument(kKick);
    }

    void cleanup() {
        w_->close();
        w_.reset();
    }

    void startsWithNothingToUndo() {
        QVERIFY(!menu().undo->isEnabled());
        QVERIFY(!menu().redo->isEnabled());
        QCOMPARE(menu().undo->text(), QStringLiteral("Undo"));
    }

    // Each grid edit, undone and redone; the Edit menu names it.
    void gridEditsUndoAndRedo_data() {
        QTest::addColumn<QString>("step");
        QTest::newRow("place") << "Place instrument";
        QTest::newRow("remove") << "Remove instrument";
        QTest::newRow("level digit") << "Set level";
        QTest::newRow("right-button level") << "Change level";
        QTest::newRow("delete selection") << "Delete cells";
        QTest::newRow("clear") << "Clear pattern";
    }
    void gridEditsUndoAndRedo() {
        QFETCH(QString, step);
        grid().setCell(3, 5, kKick.toStdString());
        grid().setCell(4, 6, "Snare     [4]");
        ui().patternGrid->modelChanged();
        const std::vector<std::string> before = channelCells(grid());
        PatternGridView* g = ui().patternGrid;
        if (step == "Place instrument") {
            clickCell(1, 2);
        } else if (step == "Remove instrument") {
            clickCell(3, 5);
        } else if (step == "Set level") {
            clickCell(4, 6, Qt::RightButton); // makes it current; the level steps to 5
            undo();
            QTest::keyClick(g, Qt::Key_7);
        } else if (step == "Change level") {
            clickCell(4, 6, Qt::RightButton);
        } else if (step == "Delete cells") {
            g->setSelection({3, 5, 4, 6});
            QTest::keyClick(g, Qt::Key_Delete);
        } else {
            ui().clearPatternButton->click();
        }
        const std::vector<std::string> after = channelCells(grid());
        QVERIFY(after != before);
        QCOMPARE(menu().undo->text(), "Undo " + step);
        undo();
        QCOMPARE(channelCells(grid()), before);
        QCOMPARE(menu().redo->text(), "Redo " + step);
        redo();
        QCOMPARE(channelCells(grid()), after);
    }

    void patternBoxesUndoAndRedo() {
        // Typing a name is one step, however many keys.
        ui().patternNameBox->clear();
        w_->parts().history->startFresh();
        QTest::keyClicks(ui().patternNameBox, "Rock B");
        QCOMPARE(grid().name(), std::string("Rock B"));
        QCOMPARE(w_->parts().history->stack().count(), 1);
        QCOMPARE(menu().undo->text(), QStringLiteral("Undo Rename pattern"));
        undo();
        QCOMPARE(grid().name(), std::string());
        QCOMPARE(ui().patternNameBox->text(), QString());
        redo();
        QCOMPARE(ui().patternNameBox->text(), QStringLiteral("Rock B"));

        ui().loopsBox->setValue(4);
        ui().bpmBox->setValue(97);
        ui().bpmBox->setValue(98); // joins the tempo step before it
        QCOMPARE(menu().undo->text(), QStringLiteral("Undo Change tempo"));
        undo();
        QCOMPARE(ui().bpmBox->value(), 120);
        undo();
        QCOMPARE(ui().loopsBox->value(), 1);
        redo();
        redo();
        QCOMPARE(ui().loopsBox->value(), 4);
        QCOMPARE(ui().bpmBox->value(), 98);

        ui().timeBarBox->setEditText("24/4");
        ui().applyTimeBarButton->click();
        QCOMPARE(grid().rowCount(), 26);
        QCOMPARE(menu().undo->text(), QStringLiteral("Undo Change Time/Bar"));
        undo();
        QCOMPARE(grid().rowCount(), 18);
        QCOMPARE(grid().length(), 16);
        redo();
        QCOMPARE(grid().length(), 24);
        QCOMPARE(grid().cell(0, 25), std::string("24:3"));
    }

    void listChangesUndoAndRedo() {
        auto lists = [this] {
            return test::listTexts(ui().patternLibraryBox) + QStringList{"|"} +
                   test::listTexts(ui().playListBox);
        };
        const QStringList start = lists();
        auto checkStep = [&](const QString& name, const std::function<void()>& act) {
            const QStringList before = lists();
            act();
            const QStringList after = lists();
            QVERIFY2(after != before, qPrintable(name));
            QCOMPARE(menu().undo->text(), "Undo " + name);
            undo();
            QCOMPARE(lists(), before);
            redo();
            QCOMPARE(lists(), after);
        };
        PatternListsPanel& panel = w_->parts().lists;
        ui().patternLibraryBox->setCurrentRow(0);
        checkStep("Send to Play List", [&] { ui().sendToPlayListButton->click(); });
        ui().patternLibraryBox->setCurrentRow(2);
        checkStep("Send to Play List", [&] { ui().sendToPlayListButton->click(); });
        ui().playListBox->setCurrentRow(1);
        checkStep("Move up in Play List", [&] { panel.playListArrowClicked(true); });
        ui().playListBox->setCurrentRow(0);
        checkStep("Move back to library", [&] { ui().backToLibraryButton->click(); });
        QCOMPARE(w_->state().playList.size(), 1);
        ui().playListBox->item(0)->setCheckState(Qt::Checked);
        QCOMPARE(menu().undo->text(), QStringLiteral("Undo Tick Play List entry"));
        undo();
        QCOMPARE(ui().playListBox->item(0)->checkState(), Qt::Unchecked);
        redo();
        QCOMPARE(ui().playListBox->item(0)->checkState(), Qt::Checked);
        checkStep("Delete checked from Play List", [&] { ui().playListBinButton->click(); });
        menu().clearList->trigger(); // no command here without the sound layer: nothing changes
        while (menu().undo->isEnabled())
            undo();
        QCOMPARE(lists(), start);
    }

    // Undoing the bin brings the name back to both lists; the file stays deleted and the Edit
    // menu says so. No undo or redo writes, restores or deletes a file.
    void undoNeverTouchesFiles() {
        std::ofstream(work() / "Bossa.pat") << "pattern bytes";
        ui().patternLibraryBox->setCurrentRow(0);
        ui().sendToPlayListButton->click();
        ui().patternLibraryBox->setCurrentRow(0);
        w_->parts().lists.confirmLibraryDelete = [] { return true; };
        ui().libraryBinButton->click();
        QVERIFY(!fs::exists(work() / "Bossa.pat"));
        QCOMPARE(menu().undo->text(), QStringLiteral("Undo Delete pattern (file stays deleted)"));
        const auto files = folderBytes(work());
        undo();
        QCOMPARE(test::listTexts(ui().patternLibraryBox), QStringList({"Bossa", "funk", "rock"}));
        QCOMPARE(test::listTexts(ui().playListBox), QStringList({"Bossa"}));
        QVERIFY(!fs::exists(work() / "Bossa.pat"));
        clickCell(2, 3);
        undo();
        undo();
        redo();
        redo();
        redo();
        QVERIFY(folderBytes(work()) == files);
    }

    // 250 steps: the last 200 (and more) walk back one by one to the exact grid of each step.
    void twoHundredStepsBackAndForth() {
        PatternGridView* g = ui().patternGrid;
        std::vector<std::vector<std::string>> states{channelCells(grid())};
        for (int i = 0; i < 250; ++i) {
            g->setCurrentCell(1 + i % 6, 2 + (i / 6) % 16);
            menu().insertInstrument->trigger();
            states.push_back(channelCells(grid()));
        }
        QCOMPARE(w_->parts().history->stack().count(), 250);
        for (int i = 250; i > 0; --i) {
            undo();
            QCOMPARE(channelCells(grid()), states[static_cast<std::size_t>(i - 1)]);
        }
        QVERIFY(!menu().undo->isEnabled());
        for (int i = 1; i <= 250; ++i) {
            redo();
            QCOMPARE(channelCells(grid()), states[static_cast<std::size_t>(i)]);
        }
    }

    void aNewEditDropsRedo() {
        clickCell(1, 2);
        clickCell(2, 2);
        undo();
        QVERIFY(menu().redo->isEnabled());
        clickCell(3, 2);
        QVERIFY(!menu().redo->isEnabled());
        QCOMPARE(grid().cell(2, 2), std::string());
        undo();
        undo();
        QCOMPARE(grid().cell(1, 2), std::string());
        QVERIFY(!menu().undo->isEnabled());
    }

    void shortcutsUndoAndRedo() {
        clickCell(1, 2);
        QTest::keyClick(ui().patternGrid, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(grid().cell(1, 2), std::string());
        QTest::keyClick(ui().patternGrid, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(grid().cell(1, 2), kKick.toStdString());
        QTest::keyClick(ui().patternGrid, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(ui().patternGrid, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(grid().cell(1, 2), kKick.toStdString());
    }
};

QTEST_MAIN(UndoHistoryTest)
#include "tst_undo_history.moc"
