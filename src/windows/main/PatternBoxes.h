#pragma once
// The pattern boxes under the main window's grid, in their bevelled frame: the Time/Bar box and its
// button, the pattern name box with the save button, and the loops box. The name box mirrors the
// grid's name cell, the loops box never goes below 1, the Time/Bar box remembers a length/steps-
// per-beat choice that its button lays the grid out with, and shows the loaded pattern's layout. None of them
// sets patternChanged.

#include "windows/main/EditRunner.h"

#include <QObject>
#include <QString>

#include <functional>

class QComboBox;
class QLineEdit;
class QSpinBox;
class QWidget;

namespace tamboro {

class PatternGrid;
struct PatternEditState;

class PatternBoxes : public QObject {
    Q_OBJECT
public:
    // Makes the boxes on `surface`; they edit `cells` and `editState`, which outlive them.
    PatternBoxes(QWidget& surface, PatternGrid& cells, PatternEditState& editState);

    // Tells the user why the Time/Bar button refused a choice; tests answer it themselves.
    std::function<void(const QString& message)> showTimeBarProblem;

    // The Time/Bar button and the clear button run their edits through `runner` (the undo history).
    void setEditRunner(EditRunner runner) { editRunner_ = std::move(runner); }

    QString patternName() const;
    // Shows `name` in the name box, which puts it in the name cell.
    void setPatternName(const QString& name);
    void clearPatternName();
    int loops() const;
    // Sets the loops box as the user would (below 1 becomes 1).
    void setLoops(int loops);
    // Shows a loop count that playback already uses, without the box's own rule running.
    void showLoops(int loops);

    // Shows the grid's layout in the Time/Bar box as "steps/steps per beat" (a pattern loaded, the
    // window started, a render's last pattern shown). A choice typed but not applied is dropped, so
    // the button does nothing until the box's text changes again.
    void showTimeBarOf(const PatternGrid& grid);

    // The Time/Bar button's command.
    void applyTimeBarClicked();
    // The clear button's command: empties the first 65 steps and the name, loops back to 1; the
    // layout stays.
    void clearPattern();

signals:
    // The grid's cells changed behind its view (name cell, new layout): the view shows them anew.
    void cellsChanged();
    // The Time/Bar button laid the grid out anew with `endRow` as its last step row.
    void laidOut(int endRow);
    // clearPattern emptied the pattern: a song script made from it is gone too.
    void patternCleared();
    void savePatternClicked();
    // The user typed in the name box (the name cell holds the new name by now).
    void nameEdited();
    // The loops box holds a new value (after its rule).
    void loopsEdited();

private:
    void loopsChanged();

    PatternGrid& cells_;
    PatternEditState& editState_;
    QComboBox* timeBarBox_ = nullptr;
    QLineEdit* nameBox_ = nullptr;
    QSpinBox* loopsBox_ = nullptr;
    EditRunner editRunner_;
};

} // namespace tamboro
