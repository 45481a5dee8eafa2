// The pattern boxes under the main window's grid: the name box, the loops box, the Time/Bar box and
// button, and the clear button, driven through the window's own controls.

#include "MainWindowControls.h"
#include "WindowTestSupport.h"
#include "windows/controls/PictureButton.h"
#include "windows/main/MainWindow.h"
#include "windows/main/PatternBoxes.h"
#include "windows/main/PatternGridView.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <string>
#include <vector>

using namespace tamboro;

namespace {

const std::string kKick = "Kick      [5]";

// Everything the Time/Bar button may change: row counts, the header cells and the step labels.
struct Layout {
    int rows = 0, endRow = 0;
    std::vector<std::string> cells;
    bool operator==(const Layout&) const = default;
};

Layout layoutOf(const PatternGrid& grid) {
    Layout l{grid.rowCount(), grid.endRow(), {}};
    for (int col = 0; col < PatternGrid::kColumns; ++col)
        l.cells.push_back(grid.cell(col, 0));
    for (int row = PatternGrid::kFirstStepRow; row < grid.rowCount(); ++row)
        l.cells.push_back(grid.cell(0, row));
    return l;
}

} // namespace

class MainWindowPatternBoxesTest : public QObject {
    Q_OBJECT

    test::TemporarySettings settings_;
    std::unique_ptr<QTemporaryDir> work_;
    std::unique_ptr<MainWindow> w_;

    // The window\'s controls, as the user meets them.
    test::MainWindowControls ui() const { return test::controlsOf(*w_); }
    QStringList problems_;
    std::vector<int> laidOut_;

    // Chooses a Time/Bar text the way a user does: select the box's text and type over it. The box
    // completes a typed text from its presets, so "32/4" may show as "32/4 ".
    void typeTimeBar(const QString& text) {
        QLineEdit* edit = ui().timeBarBox->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        QCOMPARE(ui().timeBarBox->currentText().trimmed(), text.trimmed());
    }

    void applyTimeBar(const QString& text) {
        typeTimeBar(text);
        QTest::mouseClick(ui().applyTimeBarButton, Qt::LeftButton);
    }

private slots:
    void init() {
        work_ = std::make_unique<QTemporaryDir>();
        w_ = std::make_unique<MainWindow>(work_->path().toStdString());
        problems_.clear();
        laidOut_.clear();
        w_->parts().boxes.showTimeBarProblem = [this](const QString& message) { problems_ << message; };
        connect(&w_->parts().boxes, &PatternBoxes::laidOut, this,
                [this](int endRow) { laidOut_.push_back(endRow); });
    }

    void cleanup() {
        w_->close();
        w_.reset();
    }

    void startState() {
        MainWindow& w = *w_;
        for (QWidget* box :
             std::initializer_list<QWidget*>{ui().patternNameBox, ui().loopsBox, ui().timeBarBox,
                                             ui().applyTimeBarButton, ui().clearPatternButton})
            QVERIFY2(box->isEnabled(), qPrintable(box->objectName()));
        QStringList presets;
        for (int i = 0; i < ui().timeBarBox->count(); ++i)
            presets << ui().timeBarBox->itemText(i);
        QCOMPARE(presets.size(), 24);
        QCOMPARE(presets.mid(6, 3), QStringList({"4/4", "4/2 ", "12/4 "}));
        QCOMPARE(presets.last(), QString("7/7"));
        QCOMPARE(ui().timeBarBox->currentText(), QString("16/4"));
        // Neither the preset shown nor the initial name counts as a change.
        QVERIFY(w.state().editState.pendingLength.empty());
        QVERIFY(w.state().editState.pendingTime.empty());
        QCOMPARE(ui().patternNameBox->text(), QString("Name"));
        QCOMPARE(w.state().patternCells.name(), std::string());
        QCOMPARE(ui().loopsBox->value(), 1);
    }

    void buttonBeforeAnyChangeDoesNothing() {
        const Layout before = layoutOf(w_->state().patternCells);
        QTest::mouseClick(ui().applyTimeBarButton, Qt::LeftButton);
        QVERIFY(layoutOf(w_->state().patternCells) == before);
        QCOMPARE(w_->state().patternCells.rowCount(), 18);
        QVERIFY(problems_.isEmpty());
        QVERIFY(laidOut_.empty());
    }

    void typedChoiceLaysOutTheGrid() {
        MainWindow& w = *w_;
        const int scrollBefore = ui().patternGrid->verticalScrollBar()->maximum();
        applyTimeBar("40/10");
        QCOMPARE(w.state().patternCells.rowCount(), 42);
        QCOMPARE(w.state().patternCells.endRow(), 42);
        QCOMPARE(w.state().patternCells.cell(2, 0), std::string("40"));
        QCOMPARE(w.state().patternCells.cell(4, 0), std::string("10"));
        std::vector<int> beats;
        for (int row = 2; row < 42; ++row)
            if (w.state().patternCells.cell(0, row).ends_with('*'))
                beats.push_back(row - 1);
        QCOMPARE(beats, (std::vector<int>{1, 11, 21, 31}));
        QCOMPARE(w.state().patternCells.cell(0, 41), std::string("40:9"));
        QCOMPARE(laidOut_, std::vector<int>{42});
        QVERIFY(problems_.isEmpty());
        QVERIFY(!w.state().editState.patternChanged);
        // The view shows the longer grid: it scrolls further and reaches the last step.
        QVERIFY(ui().patternGrid->verticalScrollBar()->maximum() > scrollBefore);
        ui().patternGrid->setCurrentCell(1, 41);
        QCOMPARE(ui().patternGrid->currentRow(), 41);
    }

    void presetFromTheListIsTrimmed() {
        MainWindow& w = *w_;
        ui().timeBarBox->setCurrentIndex(ui().timeBarBox->findText("12/4 "));
        QCOMPARE(w.state().editState.pendingLength, std::string("12"));
        QCOMPARE(w.state().editState.pendingTime, std::string("4"));
        ui().applyTimeBarButton->click();
        QCOMPARE(w.state().patternCells.rowCount(), 14);
        QCOMPARE(w.state().patternCells.cell(0, 13), std::string("12:3"));
        // A second press applies the pending choice again.
        applyTimeBar("8/2");
        ui().applyTimeBarButton->click();
        QCOMPARE(laidOut_, (std::vector<int>{14, 10, 10}));
        // The header cells hold the numbers as numbers, however they were typed.
        applyTimeBar(" 08 / +2");
        QCOMPARE(w.state().patternCells.cell(2, 0), std::string("8"));
        QCOMPARE(w.state().patternCells.cell(4, 0), std::string("2"));
    }

    void shorterThenLongerKeepsTheLaterSteps() {
        MainWindow& w = *w_;
        applyTimeBar("32/4");
        for (int row = 2; row <= 33; ++row)
            w.state().patternCells.setCell(1 + row % 6, row,
                                           kKick.substr(0, 10) + "[" + std::to_string(row % 9 + 1) + "]");
        const PatternGrid full = w.state().patternCells;
        applyTimeBar("16/4");
        QCOMPARE(w.state().patternCells.rowCount(), 18);
        applyTimeBar("32/4");
        QCOMPARE(w.state().patternCells.rowCount(), 34);
        for (int row = 18; row <= 33; ++row)
            for (int col = 1; col <= 6; ++col)
                QCOMPARE(w.state().patternCells.cell(col, row), full.cell(col, row));
    }

    void badChoiceIsRefusedAndChangesNothing() {
        MainWindow& w = *w_;
        applyTimeBar("24/8");
        w.state().patternCells.setCell(3, 20, kKick);
        laidOut_.clear();
        const Layout before = layoutOf(w.state().patternCells);
        struct Case {
            QString text;
            QString inMessage; // empty: silently nothing to apply
        };
        const Case cases[] = {
            {"x/4", "\"x\""}, {"0/4", "0"},    {"1000/4", "1000"}, {"16/0", "0"}, {"16/x", "\"x\""},
            {"-3/4", "-3"},   {"16/-1", "-1"}, {"4.5/4", "4.5"},   {"99", ""},    {" /4", ""},
        };
        for (const Case& c : cases) {
            problems_.clear();
            applyTimeBar(c.text);
            if (c.inMessage.isEmpty()) {
                QVERIFY2(problems_.isEmpty(), qPrintable(c.text));
            } else {
                QVERIFY2(problems_.size() == 1, qPrintable(c.text));
                QVERIFY2(problems_.front().contains(c.inMessage), qPrintable(problems_.front()));
            }
            QVERIFY2(layoutOf(w.state().patternCells) == before, qPrintable(c.text));
            QCOMPARE(w.state().patternCells.cell(3, 20), kKick);
        }
        QVERIFY(laidOut_.empty());
        QVERIFY(!w.state().editState.patternChanged);
        // A good choice afterwards still applies.
        applyTimeBar("8/4");
        QCOMPARE(w.state().patternCells.rowCount(), 10);
    }

    void nameBoxIsTheNameCell() {
        MainWindow& w = *w_;
        ui().patternNameBox->selectAll();
        QTest::keyClicks(ui().patternNameBox, "Rock");
        QCOMPARE(w.state().patternCells.name(), std::string("Rock"));
        QTest::keyClicks(ui().patternNameBox, " 2");
        QCOMPARE(w.state().patternCells.name(), std::string("Rock 2"));
        // Digits typed into the box stay in the box; the grid's cells are not touched.
        QCOMPARE(w.state().patternCells.cell(1, 2), std::string());
        QVERIFY(!w.state().editState.patternChanged);
        ui().patternNameBox->clear();
        QCOMPARE(w.state().patternCells.name(), std::string());
    }

    void loopsStayAtOneOrMore() {
        MainWindow& w = *w_;
        const std::pair<int, int> cases[] = {{0, 1}, {-5, 1}, {1, 1}, {4, 4}, {250, 250}, {100000, 100000}};
        for (const auto& [typed, kept] : cases) {
            ui().loopsBox->setValue(typed);
            QCOMPARE(ui().loopsBox->value(), kept);
        }
        // Typed over with the keyboard.
        ui().loopsBox->selectAll();
        QTest::keyClicks(ui().loopsBox, "0");
        QCOMPARE(ui().loopsBox->value(), 1);
        QVERIFY(!w.state().editState.patternChanged);
    }

    void clearEmptiesTheFirst65Steps() {
        MainWindow& w = *w_;
        int forgotten = 0;
        connect(&w.parts().boxes, &PatternBoxes::patternCleared, this, [&] { ++forgotten; });
        applyTimeBar("70/4");
        for (int row = 2; row <= 71; ++row)
            for (int col = 1; col <= 6; ++col)
                w.state().patternCells.setCell(col, row, kKick);
        ui().patternNameBox->setText("Groove");
        ui().loopsBox->setValue(4);
        w.state().patternLines = {"Groove", "70"};
        w.state().songScript = {"//", "120", "%%%"};
        for (bool changed : {true, false}) {
            w.state().editState.patternChanged = changed;
            QTest::mouseClick(ui().clearPatternButton, Qt::LeftButton);
            QCOMPARE(w.state().editState.patternChanged, changed);
        }
        QCOMPARE(forgotten, 2);
        for (int row = 2; row <= 71; ++row)
            for (int col = 1; col <= 6; ++col)
                QCOMPARE(w.state().patternCells.cell(col, row), row <= 66 ? std::string() : kKick);
        QCOMPARE(ui().patternNameBox->text(), QString());
        QCOMPARE(w.state().patternCells.name(), std::string());
        QCOMPARE(ui().loopsBox->value(), 1);
        QVERIFY(w.state().patternLines.empty());
        QVERIFY(w.state().songScript.empty());
        // The layout stays.
        QCOMPARE(w.state().patternCells.rowCount(), 72);
        QCOMPARE(w.state().patternCells.cell(2, 0), std::string("70"));
        QCOMPARE(w.state().patternCells.cell(0, 71), std::string("70:1"));
    }

    void clearWithoutSoundLayer() {
        MainWindow& w = *w_;
        w.state().patternCells.setCell(2, 5, kKick);
        ui().clearPatternButton->click();
        QCOMPARE(w.state().patternCells.cell(2, 5), std::string());
    }
};

QTEST_MAIN(MainWindowPatternBoxesTest)
#include "tst_main_window_pattern_boxes.moc"
