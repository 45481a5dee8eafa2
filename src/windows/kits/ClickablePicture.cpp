#include "windows/kits/ClickablePicture.h"

#include <QMouseEvent>

namespace tamboro {

void ClickablePicture::mouseReleaseEvent(QMouseEvent* event) {
    // A click is a release over the picture, so dragging off it cancels, as with a button.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

} // namespace tamboro
