// The pattern boxes under the main window's grid: the name box, the loops box, the Time/Bar box and
// button, and the clear button, driven through the window's own controls.

#include "WindowTestSupport.h"
#include "app/ui/Sequence.h"
#include "app/ui/PatternGridView.h"
#include "controls/ui/PictureButton.h"

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

class SequencePatternBoxes : public QObject {
    Q_OBJECT

    test::TemporarySettings settings_;
    std::unique_ptr<QTemporaryDir> work_;
    std::unique_ptr<TSequence> w_;
    QStringList problems_;
    std::vector<int> laidOut_;

    // Chooses a Time/Bar text the way a user does: select the box's text and type over it. The box
    // completes a typed text from its presets, so "32/4" may show as "32/4 ".
    void typeTimeBar(const QString& text) {
        QLineEdit* edit = w_->TimeBar->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        QCOMPARE(w_->TimeBar->currentText().trimmed(), text.trimmed());
    }

    void applyTimeBar(const QString& text) {
        typeTimeBar(text);
        QTest::mouseClick(w_->btnTimeBar, Qt::LeftButton);
    }

private slots:
    void init() {
        work_ = std::make_unique<QTemporaryDir>();
        w_ = std::make_unique<TSequence>(work_->path().toStdString());
        problems_.clear();
        laidOut_.clear();
        w_->showTimeBarProblem = [this](const QString& message) { problems_ << message; };
        w_->PatternLaidOut = [this](int endRow) { laidOut_.push_back(endRow); };
    }

    void cleanup() {
        w_->close();
        w_.reset();
    }

    void startState() {
        TSequence& w = *w_;
        for (QWidget* box : std::initializer_list<QWidget*>{w.Edit2, w.Loop, w.TimeBar, w.btnTimeBar, w.btnClearPattern})
            QVERIFY2(box->isEnabled(), qPrintable(box->objectName()));
        QStringList presets;
        for (int i = 0; i < w.TimeBar->count(); ++i)
            presets << w.TimeBar->itemText(i);
        QCOMPARE(presets.size(), 24);
        QCOMPARE(presets.mid(6, 3), QStringList({"4/4", "4/2 ", "12/4 "}));
        QCOMPARE(presets.last(), QString("7/7"));
        QCOMPARE(w.TimeBar->currentText(), QString("16/8"));
        // Neither the preset shown nor the initial name counts as a change.
        QVERIFY(w.EditState.PendingLength.empty());
        QVERIFY(w.EditState.PendingTime.empty());
        QCOMPARE(w.Edit2->text(), QString("Name"));
        QCOMPARE(w.Grid.name(), std::string());
        QCOMPARE(w.Loop->value(), 1);
    }

    void buttonBeforeAnyChangeDoesNothing() {
        const Layout before = layoutOf(w_->Grid);
        QTest::mouseClick(w_->btnTimeBar, Qt::LeftButton);
        QVERIFY(layoutOf(w_->Grid) == before);
        QCOMPARE(w_->Grid.rowCount(), 18);
        QVERIFY(problems_.isEmpty());
        QVERIFY(laidOut_.empty());
    }

    void typedChoiceLaysOutTheGrid() {
        TSequence& w = *w_;
        const int scrollBefore = w.StringGrid1->verticalScrollBar()->maximum();
        applyTimeBar("40/10");
        QCOMPARE(w.Grid.rowCount(), 42);
        QCOMPARE(w.Grid.endRow(), 42);
        QCOMPARE(w.Grid.cell(2, 0), std::string("40"));
        QCOMPARE(w.Grid.cell(4, 0), std::string("10"));
        std::vector<int> beats;
        for (int row = 2; row < 42; ++row)
            if (w.Grid.cell(0, row).ends_with('*'))
                beats.push_back(row - 1);
        QCOMPARE(beats, (std::vector<int>{1, 11, 21, 31}));
        QCOMPARE(w.Grid.cell(0, 41), std::string("40:9"));
        QCOMPARE(laidOut_, std::vector<int>{42});
        QVERIFY(problems_.isEmpty());
        QVERIFY(!w.EditState.PatternChanged);
        // The view shows the longer grid: it scrolls further and reaches the last step.
        QVERIFY(w.StringGrid1->verticalScrollBar()->maximum() > scrollBefore);
        w.StringGrid1->setCurrentCell(1, 41);
        QCOMPARE(w.StringGrid1->currentRow(), 41);
    }

    void presetFromTheListIsTrimmed() {
        TSequence& w = *w_;
        w.TimeBar->setCurrentIndex(w.TimeBar->findText("12/4 "));
        QCOMPARE(w.EditState.PendingLength, std::string("12"));
        QCOMPARE(w.EditState.PendingTime, std::string("4"));
        w.btnTimeBar->click();
        QCOMPARE(w.Grid.rowCount(), 14);
        QCOMPARE(w.Grid.cell(0, 13), std::string("12:3"));
        // A second press applies the pending choice again.
        applyTimeBar("8/2");
        w.btnTimeBar->click();
        QCOMPARE(laidOut_, (std::vector<int>{14, 10, 10}));
        // The header cells hold the numbers as numbers, however they were typed.
        applyTimeBar(" 08 / +2");
        QCOMPARE(w.Grid.cell(2, 0), std::string("8"));
        QCOMPARE(w.Grid.cell(4, 0), std::string("2"));
    }

    void shorterThenLongerKeepsTheLaterSteps() {
        TSequence& w = *w_;
        w.PatternLaidOut = nullptr; // as without a sound layer
        applyTimeBar("32/4");
        for (int row = 2; row <= 33; ++row)
            w.Grid.setCell(1 + row % 6, row, kKick.substr(0, 10) + "[" + std::to_string(row % 9 + 1) + "]");
        const PatternGrid full = w.Grid;
        applyTimeBar("16/4");
        QCOMPARE(w.Grid.rowCount(), 18);
        applyTimeBar("32/4");
        QCOMPARE(w.Grid.rowCount(), 34);
        for (int row = 18; row <= 33; ++row)
            for (int col = 1; col <= 6; ++col)
                QCOMPARE(w.Grid.cell(col, row), full.cell(col, row));
    }

    void badChoiceIsRefusedAndChangesNothing() {
        TSequence& w = *w_;
        applyTimeBar("24/8");
        w.Grid.setCell(3, 20, kKick);
        laidOut_.clear();
        const Layout before = layoutOf(w.Grid);
        struct Case {
            QString text;
            QString inMessage; // empty: silently nothing to apply
        };
        const Case cases[] = {
            {"x/4", "\"x\""},   {"0/4", "0"},      {"1000/4", "1000"}, {"16/0", "0"},  {"16/x", "\"x\""},
            {"-3/4", "-3"},     {"16/-1", "-1"},   {"4.5/4", "4.5"},   {"99", ""},     {" /4", ""},
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
            QVERIFY2(layoutOf(w.Grid) == before, qPrintable(c.text));
            QCOMPARE(w.Grid.cell(3, 20), kKick);
        }
        QVERIFY(laidOut_.empty());
        QVERIFY(!w.EditState.PatternChanged);
        // A good choice afterwards still applies.
        applyTimeBar("8/4");
        QCOMPARE(w.Grid.rowCount(), 10);
    }

    void nameBoxIsTheNameCell() {
        TSequence& w = *w_;
        w.Edit2->selectAll();
        QTest::keyClicks(w.Edit2, "Rock");
        QCOMPARE(w.Grid.name(), std::string("Rock"));
        QTest::keyClicks(w.Edit2, " 2");
        QCOMPARE(w.Grid.name(), std::string("Rock 2"));
        // Digits typed into the box stay in the box; the grid's cells are not touched.
        QCOMPARE(w.Grid.cell(1, 2), std::string());
        QVERIFY(!w.EditState.PatternChanged);
        w.Edit2->clear();
        QCOMPARE(w.Grid.name(), std::string());
    }

    void loopsStayAtOneOrMore() {
        TSequence& w = *w_;
        const std::pair<int, int> cases[] = {{0, 1}, {-5, 1}, {1, 1}, {4, 4}, {250, 250}, {100000, 100000}};
        for (const auto& [typed, kept] : cases) {
            w.Loop->setValue(typed);
            QCOMPARE(w.Loop->value(), kept);
        }
        // Typed over with the keyboard.
        w.Loop->selectAll();
        QTest::keyClicks(w.Loop, "0");
        QCOMPARE(w.Loop->value(), 1);
        QVERIFY(!w.EditState.PatternChanged);
    }

    void clearEmptiesTheFirst65Steps() {
        TSequence& w = *w_;
        int forgotten = 0;
        w.ForgetSongScript = [&] { ++forgotten; };
        applyTimeBar("70/4");
        for (int row = 2; row <= 71; ++row)
            for (int col = 1; col <= 6; ++col)
                w.Grid.setCell(col, row, kKick);
        w.Edit2->setText("Groove");
        w.Loop->setValue(4);
        w.PatternLines = {"Groove", "70"};
        w.SongScript = {"//", "120", "%%%"};
        for (bool changed : {true, false}) {
            w.EditState.PatternChanged = changed;
            QTest::mouseClick(w.btnClearPattern, Qt::LeftButton);
            QCOMPARE(w.EditState.PatternChanged, changed);
        }
        QCOMPARE(forgotten, 2);
        for (int row = 2; row <= 71; ++row)
            for (int col = 1; col <= 6; ++col)
                QCOMPARE(w.Grid.cell(col, row), row <= 66 ? std::string() : kKick);
        QCOMPARE(w.Edit2->text(), QString());
        QCOMPARE(w.Grid.name(), std::string());
        QCOMPARE(w.Loop->value(), 1);
        QVERIFY(w.PatternLines.empty());
        QVERIFY(w.SongScript.empty());
        // The layout stays.
        QCOMPARE(w.Grid.rowCount(), 72);
        QCOMPARE(w.Grid.cell(2, 0), std::string("70"));
        QCOMPARE(w.Grid.cell(0, 71), std::string("70:1"));
    }

    void clearWithoutSoundLayer() {
        TSequence& w = *w_;
        w.ForgetSongScript = nullptr;
        w.Grid.setCell(2, 5, kKick);
        w.btnClearPattern->click();
        QCOMPARE(w.Grid.cell(2, 5), std::string());
    }
};

QTEST_MAIN(SequencePatternBoxes)
#include "tst_sequence_pattern_boxes.moc"
