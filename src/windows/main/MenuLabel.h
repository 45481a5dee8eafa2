#pragma once
// A transparent caption on the skin that acts on a click: the main window's menu bar is a row of
// these. A caption such as "&File" shows its accelerator letter underlined.

#include <QLabel>

namespace tamboro {

class MenuLabel : public QLabel {
    Q_OBJECT
public:
    MenuLabel(const QString& caption, QWidget* parent);

    // The caption as given, with its "&" marking the accelerator.
    const QString& caption() const { return caption_; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString caption_;
};

} // namespace tamboro
