#pragma once
// `patternGrid`: the main window's pattern grid. It paints the grid store (fixed header rows and
// step-label column, the grid's own background and text colours, silver lines, highlighted
// selection), keeps the current cell and the range selection, and maps mouse and keys onto the
// editing rules of app/GridEditing.h. It never edits a cell in place.

#include "song/GridEditing.h"
#include "song/PatternGrid.h"
#include "windows/main/EditRunner.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFontMetrics>
#include <QStaticText>

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>

namespace tamboro {

// Colours as the pan table stores them: 0x00BBGGRR.
QColor colorFromBgr(std::uint32_t bgr);
std::uint32_t bgrFromColor(const QColor& color);

// What the grid needs of the instrument list (`instrumentBox`).
struct GridInstrumentSource {
    std::function<std::string()> current;              // the current instrument (the list's text)
    std::function<int(const std::string&)> positionOf; // its list position, -1 when absent
    std::function<int()> lastKitIndex;                 // `lastKitIndex`
};

// What a cell shows in `width` pixels: its text, or for an instrument with its level tag
// ("Name      [5]") that does not fit, the name cut with "…" and the tag whole.
QString cellDisplayText(const QString& text, const QFontMetrics& metrics, int width);

class PatternGridView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kFixedColumnWidth = 40;
    static constexpr int kColumnWidth = 60;
    static constexpr int kRowHeight = 15;
    static constexpr int kLineWidth = 1;
    static constexpr int kFixedRows = 2;

    // The grid and the editor state belong to the main window and outlive the view.
    PatternGridView(PatternGrid& grid, PatternEditState& state, QWidget* parent = nullptr);

    void setInstrumentSource(GridInstrumentSource source) { instruments_ = std::move(source); }
    // Every edit of a cell runs through `runner` (the undo history).
    void setEditRunner(EditRunner runner) { editRunner_ = std::move(runner); }

    // The current cell (`Col`, `Row`); always a channel cell.
    int currentColumn() const { return col_; }
    int currentRow() const { return row_; }
    // Makes (col, row) current, clamped to the channel cells, and collapses the selection onto it.
    void setCurrentCell(int col, int row);
    // The selection rectangle, current cell included.
    CellRect selection() const;
    // Selects columns left..right of rows top..bottom, the current cell moving to the top left
    // corner (the pattern step highlights a playing row this way).
    void setSelection(const CellRect& rect);

    QColor backgroundColor() const { return background_; }
    QColor textColor() const { return text_; }
    void setColors(const QColor& background, const QColor& text);

    // Call after the store changed outside the view (layout, Time/Bar, load, clear, song start):
    // re-reads the row count, keeps the current cell inside it and repaints.
    void modelChanged();
    // Scrolls so that `row` is visible.
    void ensureRowVisible(int row);

    // Edit menu "Insert instrument": toggles the current instrument into the current cell, without
    // sound and without touching patternChanged.
    void insertInstrument();
    // A level digit typed while the main window has the keys.
    void typeLevelDigit(QChar key);
    // Space or Enter, and a left or middle click: toggles the current instrument into the current
    // cell (auditioning a placed kit instrument).
    void placeOrRemoveAtCursor();
    // Ctrl+C and Ctrl+V: the selected cells, pasted with their top left corner at the cursor.
    void copySelection();
    void pasteAtCursor();

    // Geometry, in viewport coordinates; an empty rectangle for a row scrolled out of view.
    QRect cellRect(int col, int row) const;
    // The cell under a viewport point; false outside every cell.
    bool cellAt(const QPoint& pos, int& col, int& row) const;

    QSize sizeHint() const override;

signals:
    // A left or middle click placed a kit instrument: play it once.
    void auditionRequested(const QString& instrument);
    // An edit set patternChanged.
    void patternChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The viewport in the grid's logical pixels (at 100 % zoom), and a logical rectangle on it.
    QRect logicalViewport() const;
    QRect toViewport(const QRect& logical) const;
    int columnLeft(int col) const;
    int columnWidth(int col) const { return col == 0 ? kFixedColumnWidth : kColumnWidth; }
    int rowTop(int row) const;
    int firstScrolledRow() const;
    int visibleScrolledRows() const;
    int lastRow() const { return grid_.rowCount() - 1; }
    bool hasChannelRows() const { return grid_.rowCount() > kFixedRows; }
    // Moves the current cell; with `extend` the anchor stays and the selection grows.
    void moveCurrent(int col, int row, bool extend);
    void updateScrollRange();
    // Schedules a repaint of just these cells (those on screen).
    void updateCells(const CellRect& cells);
    void markChanged();
    // The undo step's name for toggling `instrument` into the current cell.
    QString toggleStepName(const std::string& instrument) const;
    std::string currentInstrument() const;
    const QStaticText& staticText(const std::string& text) const;
    // An instrument cell's text shortened to `width` pixels with its level tag whole; empty for
    // a text that is no instrument with a level.
    const std::string& abbreviated(const std::string& text, int width) const;

    PatternGrid& grid_;
    PatternEditState& state_;
    GridInstrumentSource instruments_;
    EditRunner editRunner_;
    int col_ = 1;
    int row_ = kFixedRows;
    // The other corner of the selection: moved by a mouse drag (the current cell stays where the
    // press was) and left in place by shifted arrow keys (which move the current cell).
    int anchorCol_ = 1;
    int anchorRow_ = kFixedRows;
    bool dragging_ = false;
    QColor background_;
    QColor text_;
    mutable std::unordered_map<std::string, QStaticText> textCache_;
    mutable std::unordered_map<std::string, std::string> abbreviations_;
    // The cells Ctrl+C copied.
    CellBlock clipboard_;
};

} // namespace tamboro
