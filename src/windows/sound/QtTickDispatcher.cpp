#include "windows/sound/QtTickDispatcher.h"

#include <QMetaObject>

namespace tamboro {

void QtTickDispatcher::post(std::function<void()> task) {
    // QPointer reads are not thread-safe against the object's destruction, but the dispatcher's
    // owner (the main window) stops both clocks before it goes, so no worker posts past that.
    QObject* context = context_.data();
    if (!context)
        return;
    QMetaObject::invokeMethod(context, std::move(task), Qt::QueuedConnection);
}

} // namespace tamboro
