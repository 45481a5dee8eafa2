#include "windows/main/MenuLabel.h"

#include <QMouseEvent>

namespace tamboro {

namespace {

QString withUnderlinedAccelerator(const QString& caption) {
    const int amp = caption.indexOf('&');
    if (amp < 0 || amp + 1 >= caption.size())
        return caption.toHtmlEscaped();
    return caption.left(amp).toHtmlEscaped() + "<u>" + caption.mid(amp + 1, 1).toHtmlEscaped() + "</u>" +
           caption.mid(amp + 2).toHtmlEscaped();
}

} // namespace

MenuLabel::MenuLabel(const QString& caption, QWidget* parent) : QLabel(parent), caption_(caption) {
    setTextFormat(Qt::RichText);
    setText(withUnderlinedAccelerator(caption));
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_TranslucentBackground);
}

void MenuLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace tamboro
