#pragma once
// TIntroScreen: the splash shown at start-up for ten seconds, or until its picture is clicked.

#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace tamboro {

class TIntroScreen : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTicksShown = 10;

    explicit TIntroScreen(QWidget* parent = nullptr);

    // The windows the intro brings up when it goes: the main window always, the two side panels
    // when its picture is clicked. Any of them may be absent.
    void setWindows(QWidget* mainWindow, QWidget* kitList, QWidget* extraSamples);

    int ticks() const { return ticks_; }
    QTimer& Timer1() { return timer_; }

public slots:
    void Timer1Timer();
    void Image1Click();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void finish();

    QLabel* Image1 = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* titleLabel = nullptr;
    QTimer timer_;
    int ticks_ = 0;
    QPointer<QWidget> mainWindow_, kitList_, extraSamples_;
};

} // namespace tamboro
