#pragma once
// Hands clock ticks to the Qt window thread: each posted task runs as a queued call in the event
// loop of the thread that owns `context` (the GUI thread).

#include "sound/TickDispatcher.h"

#include <QObject>
#include <QPointer>

namespace tamboro {

class QtTickDispatcher final : public TickDispatcher {
public:
    // Tasks run in `context`'s thread and are dropped once `context` is destroyed.
    explicit QtTickDispatcher(QObject* context) : context_(context) {}
    void post(std::function<void()> task) override;

private:
    QPointer<QObject> context_;
};

} // namespace tamboro
