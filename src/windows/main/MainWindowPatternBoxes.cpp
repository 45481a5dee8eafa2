// MainWindow: the pattern boxes under the grid. The name box mirrors cell (0,0), the loops box
// never goes below 1, the Time/Bar box remembers a length/steps-per-beat choice that its button
// lays the grid out with, and the clear button empties the pattern. None of them sets
// patternChanged.

#include "windows/main/MainWindow.h"

#include "common/Error.h"
#include "windows/controls/PictureButton.h"
#include "windows/main/PatternGridView.h"

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

void MainWindow::connectPatternBoxes() {
    showTimeBarProblem = [this](const QString& message) {
        QMessageBox::warning(this, QStringLiteral("Tamboro"), message);
    };

    {
        // Filling the presets changes the box's text; that is no choice of the user's.
        const QSignalBlocker quiet(timeBarBox);
        timeBarBox->clear();
        for (const std::string& preset : timeBarPresets())
            timeBarBox->addItem(QString::fromStdString(preset));
        timeBarBox->setCurrentIndex(timeBarBox->findText(kTimeBarShownAtStart));
        // A typed choice stays a choice: Return must not add it to the preset list.
        timeBarBox->setInsertPolicy(QComboBox::NoInsert);
    }

    connect(patternNameBox, &QLineEdit::textChanged, this, &MainWindow::patternNameChanged);
    connect(loopsBox, &QSpinBox::valueChanged, this, &MainWindow::loopsChanged);
    connect(timeBarBox, &QComboBox::editTextChanged, this, &MainWindow::timeBarChanged);
    connect(applyTimeBarButton, &PictureButton::clicked, this, &MainWindow::applyTimeBarClicked);
    connect(clearPatternButton, &PictureButton::clicked, this, &MainWindow::clearPatternClicked);

    for (QWidget* w : std::initializer_list<QWidget*>{patternNameBox, loopsBox, timeBarBox,
                                                      applyTimeBarButton, clearPatternButton})
        w->setEnabled(true);
}

void MainWindow::patternNameChanged() {
    patternCells.setName(patternNameBox->text().toStdString());
    patternGrid->modelChanged(); // the name shows in the grid's corner cell
}

void MainWindow::loopsChanged() {
    const int loops = clampLoops(loopsBox->value());
    if (loops != loopsBox->value())
        loopsBox->setValue(loops);
}

void MainWindow::timeBarChanged() {
    tamboro::setPendingTimeBar(editState, timeBarBox->currentText().toStdString());
}

void MainWindow::applyTimeBarClicked() {
    // The playing row belongs to the sound layer; patternLaidOut moves it back when it lies past
    // the new end.
    int unusedPlayRow = PatternGrid::kFirstStepRow;
    try {
        if (!applyTimeBar(patternCells, editState, unusedPlayRow))
            return;
    } catch (const Error& e) {
        // The choice is checked before anything is written, so the grid is as it was.
        if (showTimeBarProblem)
            showTimeBarProblem(QString::fromStdString(e.what()));
        return;
    }
    patternGrid->modelChanged();
    if (patternLaidOut)
        patternLaidOut(patternCells.endRow());
}

void MainWindow::clearPatternClicked() {
    clearGridCells(patternCells);
    patternNameBox->clear();
    patternLines.clear();
    songScript.clear();
    if (forgetSongScript)
        forgetSongScript();
    loopsBox->setValue(1);
    patternGrid->modelChanged();
}

} // namespace tamboro
