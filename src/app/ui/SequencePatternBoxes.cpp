// TSequence: the pattern boxes under the grid. The name box mirrors cell (0,0), the loops box
// never goes below 1, the Time/Bar box remembers a length/steps-per-beat choice that its button
// lays the grid out with, and the clear button empties the pattern. None of them sets
// PatternChanged.

#include "app/ui/Sequence.h"

#include "app/ui/PatternGridView.h"
#include "common/Error.h"
#include "controls/ui/PictureButton.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QSpinBox>

namespace tamboro {

namespace {

// The Time/Bar box shows this preset at start, while the grid is laid out as 16 steps of 4 to a
// beat; the button does nothing until the box's text changes.
constexpr const char* kTimeBarShownAtStart = "16/8";

} // namespace

void TSequence::connectPatternBoxes() {
    showTimeBarProblem = [this](const QString& message) {
        QMessageBox::warning(this, QStringLiteral("Tamboro"), message);
    };

    {
        // Filling the presets changes the box's text; that is no choice of the user's.
        const QSignalBlocker quiet(TimeBar);
        TimeBar->clear();
        for (const std::string& preset : TimeBarPresets())
            TimeBar->addItem(QString::fromStdString(preset));
        TimeBar->setCurrentIndex(TimeBar->findText(kTimeBarShownAtStart));
        // A typed choice stays a choice: Return must not add it to the preset list.
        TimeBar->setInsertPolicy(QComboBox::NoInsert);
    }

    connect(Edit2, &QLineEdit::textChanged, this, &TSequence::Edit2Change);
    connect(Loop, &QSpinBox::valueChanged, this, &TSequence::LoopChange);
    connect(TimeBar, &QComboBox::editTextChanged, this, &TSequence::TimeBarChange);
    connect(btnTimeBar, &PictureButton::clicked, this, &TSequence::btnTimeBarClick);
    connect(btnClearPattern, &PictureButton::clicked, this, &TSequence::BitBtn7Click);

    for (QWidget* w : std::initializer_list<QWidget*>{Edit2, Loop, TimeBar, btnTimeBar, btnClearPattern})
        w->setEnabled(true);
}

void TSequence::Edit2Change() {
    Grid.setName(Edit2->text().toStdString());
    StringGrid1->modelChanged(); // the name shows in the grid's corner cell
}

void TSequence::LoopChange() {
    const int loops = ClampLoops(Loop->value());
    if (loops != Loop->value())
        Loop->setValue(loops);
}

void TSequence::TimeBarChange() { tamboro::TimeBarChange(EditState, TimeBar->currentText().toStdString()); }

void TSequence::btnTimeBarClick() {
    // The playing row belongs to the sound layer; PatternLaidOut moves it back when it lies past
    // the new end.
    int unusedPlayRow = PatternGrid::kFirstStepRow;
    try {
        if (!ApplyTimeBar(Grid, EditState, unusedPlayRow))
            return;
    } catch (const Error& e) {
        // The choice is checked before anything is written, so the grid is as it was.
        if (showTimeBarProblem)
            showTimeBarProblem(QString::fromStdString(e.what()));
        return;
    }
    StringGrid1->modelChanged();
    if (PatternLaidOut)
        PatternLaidOut(Grid.endRow());
}

void TSequence::BitBtn7Click() {
    ClearGridCells(Grid);
    Edit2->clear();
    PatternLines.clear();
    SongScript.clear();
    if (ForgetSongScript)
        ForgetSongScript();
    Loop->setValue(1);
    StringGrid1->modelChanged();
}

} // namespace tamboro
