#pragma once
// IntroWindow: the splash shown at start-up for ten seconds, or until its picture is clicked.

#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace tamboro {

class IntroWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTicksShown = 10;

    explicit IntroWindow(QWidget* parent = nullptr);

    // The windows the intro brings up when it goes: the main window always, the two side panels
    // when its picture is clicked. Any of them may be absent.
    void setWindows(QWidget* mainWindow, QWidget* kitList, QWidget* extraSamples);

    int ticks() const { return ticks_; }
    QTimer& tickTimer() { return timer_; }

public slots:
    void onTick();
    void introPictureClicked();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void finish();

    QLabel* introPicture = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* titleLabel = nullptr;
    QTimer timer_;
    int ticks_ = 0;
    QPointer<QWidget> mainWindow_, kitList_, extraSamples_;
};

} // namespace tamboro
