#pragma once
// OptionsWindow: the Options window with "Cell Jump", the rows the grid cursor moves down after a typed
// level digit. It lives for the whole run and is only shown and hidden; the spin keeps its last
// value between showings.

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QWidget>

namespace tamboro {

class OptionsWindow : public QWidget {
    Q_OBJECT
public:
    explicit OptionsWindow(QWidget* parent = nullptr);

    QLabel* cellJumpLabel = nullptr; // "Cell Jump"
    QSpinBox* cellJumpBox = nullptr;
    QPushButton* okButton = nullptr; // "OK"

signals:
    // OK confirmed this cell jump (never negative); the main window stores it as `cellJump`.
    void cellJumpChosen(int cellJump);

public slots:
    void okClicked();

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace tamboro
