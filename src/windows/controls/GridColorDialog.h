#pragma once
// GridColorDialog: the grid colour dialog. A miniature sample pattern shows the chosen background and
// text colours; OK hands both to the pattern grid, Cancel leaves it as it was.

#include <QColor>
#include <QDialog>
#include <QFrame>
#include <QPushButton>
#include <QTableWidget>

#include <functional>
#include <optional>

namespace tamboro {

class GridColorDialog : public QDialog {
    Q_OBJECT
public:
    // Runs a colour picker starting at `initial`; empty when the user cancels it.
    using ColorPicker = std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)>;

    // Starts from the pattern grid's current colours.
    GridColorDialog(const QColor& background, const QColor& text, QWidget* parent = nullptr);

    // Replaces the standard colour dialogs (tests pass a scripted picker).
    void setColorPicker(ColorPicker picker) { picker_ = std::move(picker); }

    QColor backgroundColor() const { return background_; }
    QColor textColor() const { return text_; }

    // Shows the dialog modally; on OK writes the chosen colours into `background` and `text` and
    // returns true, on Cancel changes nothing.
    static bool editGridColors(QWidget* parent, QColor& background, QColor& text);

    QFrame* colorButtonsPanel = nullptr;
    QPushButton* backgroundButton = nullptr; // "Background"
    QPushButton* textButton = nullptr;       // "Text"
    QTableWidget* previewGrid = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

public slots:
    void chooseBackgroundClicked();
    void chooseTextClicked();
    void okClicked();
    void cancelClicked();

private:
    void paintPreview();

    QColor background_;
    QColor text_;
    ColorPicker picker_;
};

} // namespace tamboro
