#pragma once
// TGridColor: the grid colour dialog. A miniature sample pattern shows the chosen background and
// text colours; OK hands both to the pattern grid, Cancel leaves it as it was.

#include <QColor>
#include <QDialog>
#include <QFrame>
#include <QPushButton>
#include <QTableWidget>

#include <functional>
#include <optional>

namespace tamboro {

class TGridColor : public QDialog {
    Q_OBJECT
public:
    // Runs a colour picker starting at `initial`; empty when the user cancels it.
    using ColorPicker = std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)>;

    // Starts from the pattern grid's current colours.
    TGridColor(const QColor& background, const QColor& text, QWidget* parent = nullptr);

    // Replaces the standard colour dialogs (tests pass a scripted picker).
    void setColorPicker(ColorPicker picker) { picker_ = std::move(picker); }

    QColor backgroundColor() const { return background_; }
    QColor textColor() const { return text_; }

    // Shows the dialog modally; on OK writes the chosen colours into `background` and `text` and
    // returns true, on Cancel changes nothing.
    static bool editGridColors(QWidget* parent, QColor& background, QColor& text);

    QFrame* Panel1 = nullptr;
    QPushButton* Button1 = nullptr; // "Background"
    QPushButton* Button2 = nullptr; // "Text"
    QTableWidget* StringGrid1 = nullptr;
    QPushButton* OK = nullptr;
    QPushButton* Cancel = nullptr;

public slots:
    void Button1Click();
    void Button2Click();
    void OKClick();
    void CancelClick();

private:
    void paintPreview();

    QColor background_;
    QColor text_;
    ColorPicker picker_;
};

} // namespace tamboro
