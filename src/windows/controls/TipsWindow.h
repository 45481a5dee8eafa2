#pragma once
// TipsWindow: the tip-of-the-day window. Shows one random tip beside the main window; the check box
// "Don't show this in future." turns the tips off for later starts.

#include <QCheckBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

namespace tamboro {

class TipsWindow : public QWidget {
    Q_OBJECT
public:
    // Each time it opens it stands above `mainWindow`'s right end (or on another side with room),
    // clear of its menus.
    explicit TipsWindow(QWidget* mainWindow, QWidget* parent = nullptr);

    QPlainTextEdit* tipText = nullptr;
    QListWidget* tipList = nullptr;
    QCheckBox* dontShowBox = nullptr;
    QPushButton* okButton = nullptr;

signals:
    // OK was pressed with "Don't show this in future." ticked.
    void tipsTurnedOff();

public slots:
    void okClicked();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showRandomTip();
};

} // namespace tamboro
