#pragma once
// TAbout_Screen: the shaped about window with a picture and a line of text scrolling through a
// 40-character window.

#include "controls/AboutScroller.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

namespace tamboro {

class TAbout_Screen : public QWidget {
    Q_OBJECT
public:
    explicit TAbout_Screen(QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr;
    QTimer Timer1;

    // The Help menu's "About": show the window, run the scrolling, bring it to the front.
    void open();
    int scrollPosition() const { return scroller_.position(); }

public slots:
    void Timer1Timer();
    void Button1Click();

private:
    AboutScroller scroller_;
};

} // namespace tamboro
