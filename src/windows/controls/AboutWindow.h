#pragma once
// AboutWindow: the shaped about window with a picture and a line of text scrolling through a
// 40-character window.

#include "controls/AboutScroller.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

namespace tamboro {

class AboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);

    QLabel* backgroundPicture = nullptr;
    QLabel* aboutPicture = nullptr;
    QLabel* scrollingLine = nullptr;
    QPushButton* okButton = nullptr;
    QTimer tickTimer;

    // The Help menu's "About": show the window, run the scrolling, bring it to the front.
    void open();
    int scrollPosition() const { return scroller_.position(); }

public slots:
    void onTick();
    void okClicked();

private:
    AboutScroller scroller_;
};

} // namespace tamboro
