#pragma once
// TfrmTips: the tip-of-the-day window. Shows one random tip beside the main window; the check box
// "Don't show this in future." turns the tips off for later starts.

#include <QCheckBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

namespace tamboro {

class TfrmTips : public QWidget {
    Q_OBJECT
public:
    explicit TfrmTips(QWidget* mainWindow, QWidget* parent = nullptr);

    QPlainTextEdit* memTips = nullptr;
    QListWidget* lstTips = nullptr;
    QCheckBox* chkDontShow = nullptr;
    QPushButton* btnOK = nullptr;

signals:
    // OK was pressed with "Don't show this in future." ticked.
    void tipsTurnedOff();

public slots:
    void btnOKClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    QPointer<QWidget> mainWindow_;
};

} // namespace tamboro
