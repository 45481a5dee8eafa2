// Clock ticks reach the GUI thread through the Qt event loop, in order, and a timer driven through
// it ticks at its interval with handlers running on the GUI thread.

#include "sound/StepClock.h"
#include "windows/sound/QtTickDispatcher.h"

#include <QThread>
#include <QtTest>

#include <atomic>
#include <thread>
#include <vector>

using namespace tamboro;

class TestQtTickDispatcher : public QObject {
    Q_OBJECT
private slots:
    void tasksRunOnTheGuiThreadInOrder();
    void timerTicksOnTheGuiThread();
};

void TestQtTickDispatcher::tasksRunOnTheGuiThreadInOrder() {
    QObject context;
    QtTickDispatcher dispatcher(&context);
    std::vector<int> order;
    std::atomic<bool> wrongThread{false};
    QThread* gui = QThread::currentThread();
    std::thread worker([&] {
        for (int i = 0; i < 50; ++i)
            dispatcher.post([&, i] {
                if (QThread::currentThread() != gui)
                    wrongThread = true;
                order.push_back(i);
            });
    });
    worker.join();
    QTRY_COMPARE(order.size(), std::size_t{50});
    for (int i = 0; i < 50; ++i)
        QCOMPARE(order[static_cast<std::size_t>(i)], i);
    QVERIFY(!wrongThread);
}

void TestQtTickDispatcher::timerTicksOnTheGuiThread() {
    QObject context;
    QtTickDispatcher dispatcher(&context);
    StepClock timer(dispatcher);
    timer.setInterval(20);
    int ticks = 0;
    bool offThread = false;
    timer.onTick = [&](StepClock& t) {
        offThread |= QThread::currentThread() != QCoreApplication::instance()->thread();
        if (++ticks == 10)
            t.setEnabled(false);
    };
    QElapsedTimer clock;
    clock.start();
    timer.setEnabled(true);
    QTRY_VERIFY_WITH_TIMEOUT(!timer.enabled(), 5000);
    QCOMPARE(ticks, 10);
    QVERIFY(!offThread);
    // Nine intervals of 20 ms after the first, immediate tick.
    QVERIFY2(clock.elapsed() >= 170, qPrintable(QString::number(clock.elapsed())));
}

QTEST_MAIN(TestQtTickDispatcher)
#include "tst_qt_tick_dispatcher.moc"
