#pragma once
// TForm2: the Options window with "Cell Jump", the rows the grid cursor moves down after a typed
// level digit. It lives for the whole run and is only shown and hidden; the spin keeps its last
// value between showings.

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QWidget>

namespace tamboro {

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr; // "Cell Jump"
    QSpinBox* SpinEdit1 = nullptr;
    QPushButton* Button1 = nullptr; // "OK"

signals:
    // OK confirmed this cell jump (never negative); the main window stores it as `CellJump`.
    void cellJumpChosen(int cellJump);

public slots:
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace tamboro
