#include "windows/main/PatternGridView.h"

#include "song/PanTable.h"
#include "windows/main/KeyboardShortcuts.h"
#include "windows/main/WindowZoom.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStaticText>

#include <algorithm>

namespace tamboro {

namespace {

const QColor kLineColor(192, 192, 192); // silver
constexpr int kRowPitch = PatternGridView::kRowHeight + PatternGridView::kLineWidth;

} // namespace

QColor colorFromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

std::uint32_t bgrFromColor(const QColor& color) {
    return static_cast<std::uint32_t>(color.red()) | (static_cast<std::uint32_t>(color.green()) << 8) |
           (static_cast<std::uint32_t>(color.blue()) << 16);
}

PatternGridView::PatternGridView(PatternGrid& grid, PatternEditState& state, QWidget* parent)
    : QAbstractScrollArea(parent), grid_(grid), state_(state),
      background_(colorFromBgr(kDefaultGridBackground)), text_(colorFromBgr(kDefaultGridText)) {
    setObjectName(QStringLiteral("patternGrid"));
    setFocusPolicy(Qt::StrongFocus);
    // The window's zoom scales the painting (paintEvent), so the font stays at its 100 % size.
    setProperty("zoomPaintsItself", true);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    setFont(font);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(kColumnWidth / 4);
    updateScrollRange();
}

QSize PatternGridView::sizeHint() const {
    const int width = kFixedColumnWidth + PatternGrid::kChannels * (kColumnWidth + kLineWidth) + kLineWidth;
    return {width + 2 * frameWidth() + verticalScrollBar()->sizeHint().width(),
            20 * kRowPitch + 2 * frameWidth()};
}

void PatternGridView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        textCache_.clear();
        abbreviations_.clear();
    }
    QAbstractScrollArea::changeEvent(event);
}

void PatternGridView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    updateCells({col_, row_, col_, row_});
}

void PatternGridView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    updateCells({col_, row_, col_, row_});
}

void PatternGridView::setColors(const QColor& background, const QColor& text) {
    background_ = background;
    text_ = text;
    viewport()->update();
}

// --- geometry ---------------------------------------------------------------------------------

int PatternGridView::firstScrolledRow() const {
    return kFixedRows + verticalScrollBar()->value();
}

int PatternGridView::visibleScrolledRows() const {
    return std::max(1, (viewport()->height() - zoomed(kFixedRows * kRowPitch, *this)) /
                           zoomed(kRowPitch, *this));
}

int PatternGridView::columnLeft(int col) const {
    if (col == 0)
        return 0;
    return kFixedColumnWidth + kLineWidth + (col - 1) * (kColumnWidth + kLineWidth) -
           horizontalScrollBar()->value();
}

int PatternGridView::rowTop(int row) const {
    if (row < kFixedRows)
        return row * kRowPitch;
    return (kFixedRows + row - firstScrolledRow()) * kRowPitch;
}

QRect PatternGridView::cellRect(int col, int row) const {
    if (col < 0 || col >= PatternGrid::kColumns || row < 0 || row > lastRow())
        return {};
    if (row >= kFixedRows && row < firstScrolledRow())
        return {};
    const QRect rect(columnLeft(col), rowTop(row), columnWidth(col), kRowHeight);
    return rect.intersects(logicalViewport()) ? toViewport(rect) : QRect();
}

QRect PatternGridView::logicalViewport() const {
    const double zoom = zoomOf(*this);
    return {0, 0, static_cast<int>(viewport()->width() / zoom),
            static_cast<int>(viewport()->height() / zoom)};
}

QRect PatternGridView::toViewport(const QRect& logical) const {
    const double zoom = zoomOf(*this);
    return QRectF(logical.x() * zoom, logical.y() * zoom, logical.width() * zoom, logical.height() * zoom)
        .toAlignedRect();
}

bool PatternGridView::cellAt(const QPoint& viewportPoint, int& col, int& row) const {
    const double zoom = zoomOf(*this);
    const QPoint pos(static_cast<int>(viewportPoint.x() / zoom), static_cast<int>(viewportPoint.y() / zoom));
    if (viewportPoint.x() < 0 || viewportPoint.y() < 0)
        return false;
    const int band = pos.y() / kRowPitch;
    row = band < kFixedRows ? band : firstScrolledRow() + band - kFixedRows;
    if (row > lastRow())
        return false;
    if (pos.x() < kFixedColumnWidth + kLineWidth) {
        col = 0;
        return true;
    }
    const int x = pos.x() + horizontalScrollBar()->value() - kFixedColumnWidth - kLineWidth;
    col = 1 + x / (kColumnWidth + kLineWidth);
    return col <= PatternGrid::kChannels;
}

void PatternGridView::updateScrollRange() {
    const int scrolledRows = std::max(0, grid_.rowCount() - kFixedRows);
    verticalScrollBar()->setRange(0, std::max(0, scrolledRows - visibleScrolledRows()));
    verticalScrollBar()->setPageStep(visibleScrolledRows());
    const int contentWidth =
        kFixedColumnWidth + PatternGrid::kChannels * (kColumnWidth + kLineWidth) + kLineWidth;
    horizontalScrollBar()->setRange(0, std::max(0, contentWidth - logicalViewport().width()));
    horizontalScrollBar()->setPageStep(logicalViewport().width());
}

void PatternGridView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void PatternGridView::scrollContentsBy(int, int) {
    viewport()->update();
}

void PatternGridView::ensureRowVisible(int row) {
    if (row < kFixedRows)
        return;
    QScrollBar* bar = verticalScrollBar();
    const int offset = row - kFixedRows;
    if (offset < bar->value())
        bar->setValue(offset);
    else if (offset >= bar->value() + visibleScrolledRows())
        bar->setValue(offset - visibleScrolledRows() + 1);
}

// --- painting ---------------------------------------------------------------------------------

const QStaticText& PatternGridView::staticText(const std::string& text) const {
    // A pattern holds a handful of distinct texts (instrument names, labels), so their laid-out
    // forms are kept; the cache is dropped when the font changes or it grows large.
    if (textCache_.size() > 4096)
        textCache_.clear();
    auto it = textCache_.find(text);
    if (it == textCache_.end()) {
        QStaticText laidOut(QString::fromStdString(text));
        laidOut.setTextFormat(Qt::PlainText);
        laidOut.setTextWidth(-1);
        laidOut.prepare(QTransform(), font());
        it = textCache_.emplace(text, std::move(laidOut)).first;
    }
    return it->second;
}

const std::string& PatternGridView::abbreviated(const std::string& text, int width) const {
    static const std::string kNone;
    // An instrument cell ("Name      [5]") keeps its level tag whole; the name gives way, cut
    // with "…", so that the level can always be read.
    if (text.size() <= kLevelIndex + 1 || text[kLevelIndex - 1] != '[')
        return kNone;
    if (abbreviations_.size() > 4096)
        abbreviations_.clear();
    auto it = abbreviations_.find(text);
    if (it == abbreviations_.end())
        it = abbreviations_
                 .emplace(
                     text,
                     cellDisplayText(QString::fromStdString(text), QFontMetrics(font()), width).toStdString())
                 .first;
    return it->second;
}

QString cellDisplayText(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width || text.size() <= static_cast<qsizetype>(kLevelIndex + 1) ||
        text[static_cast<qsizetype>(kLevelIndex - 1)] != QLatin1Char('['))
        return text;
    const QString tag = text.mid(static_cast<qsizetype>(kLevelIndex - 1));
    const QString name = text.left(static_cast<qsizetype>(kLevelIndex - 1)).trimmed();
    // The parts' widths need not add up to the whole's (kerning, rounding): shrink until it fits.
    QString shown = tag;
    for (int room = width - metrics.horizontalAdvance(QLatin1Char(' ') + tag); room > 0; --room) {
        const QString candidate = metrics.elidedText(name, Qt::ElideRight, room) + QLatin1Char(' ') + tag;
        if (metrics.horizontalAdvance(candidate) <= width) {
            shown = candidate.trimmed();
            break;
        }
    }
    return shown;
}

void PatternGridView::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    p.fillRect(event->rect(), palette().color(QPalette::Window));
    // The grid is laid out in logical pixels at 100 % and drawn through the zoom: lines, cells and
    // text are painted at the finer scale, not enlarged.
    const double zoom = zoomOf(*this);
    p.scale(zoom, zoom);
    const QRect dirty = QRectF(QRectF(event->rect()).topLeft() / zoom, QRectF(event->rect()).size() / zoom)
                            .toAlignedRect()
                            .adjusted(-1, -1, 1, 1);
    const QRect view = logicalViewport();
    const QFontMetrics metrics(font());
    const int textTop = (kRowHeight - metrics.height()) / 2;
    const CellRect sel = selection();
    const QColor fixedFill = palette().color(QPalette::Button);
    const QColor fixedText = palette().color(QPalette::ButtonText);
    const QColor highlight = palette().color(QPalette::Highlight);
    const QColor highlightText = palette().color(QPalette::HighlightedText);
    // The cursor shows while the grid has the keys, so the grid at rest looks as it always did.
    const bool cursorShown = hasFocus() && hasChannelRows();

    auto paintCell = [&](int col, int row) {
        const QRect rect(columnLeft(col), rowTop(row), columnWidth(col), kRowHeight);
        // Only the cells a change touched are drawn again (the lines sit right and below a cell).
        if (!rect.adjusted(0, 0, kLineWidth, kLineWidth).intersects(dirty))
            return;
        const bool fixed = col == 0 || row < kFixedRows;
        const bool selected =
            !fixed && col >= sel.left && col <= sel.right && row >= sel.top && row <= sel.bottom;
        p.fillRect(rect, fixed ? fixedFill : selected ? highlight : background_);
        p.setPen(kLineColor);
        p.drawLine(rect.right() + 1, rect.top(), rect.right() + 1, rect.bottom() + 1);
        p.drawLine(rect.left(), rect.bottom() + 1, rect.right() + 1, rect.bottom() + 1);
        if (cursorShown && col == col_ && row == row_) {
            // The keyboard cursor: a frame two pixels wide inside the current cell.
            p.setPen(selected ? highlightText : text_);
            p.drawRect(rect.adjusted(0, 0, -1, -1));
            p.drawRect(rect.adjusted(1, 1, -2, -2));
        }
        const std::string& text = grid_.cell(col, row);
        if (!text.empty()) {
            p.setPen(fixed ? fixedText : selected ? highlightText : text_);
            const QStaticText& laidOut = staticText(text);
            const QPoint at(rect.left() + 2, rect.top() + textTop);
            if (laidOut.size().width() <= rect.width() - 2) {
                p.drawStaticText(at, laidOut);
            } else if (const std::string& shortText = abbreviated(text, rect.width() - 3);
                       !shortText.empty()) {
                p.drawStaticText(at, staticText(shortText));
            } else { // a long text is cut at the cell's edge, never drawn over its neighbour
                p.save();
                p.setClipRect(rect, Qt::IntersectClip);
                p.drawStaticText(at, laidOut);
                p.restore();
            }
        }
    };

    const int lastVisible = std::min(lastRow(), firstScrolledRow() + visibleScrolledRows());
    // Scrolled rows first, then the fixed column and rows over them.
    p.setClipRect(QRect(kFixedColumnWidth + kLineWidth, kFixedRows * kRowPitch, view.width(), view.height()));
    for (int row = firstScrolledRow(); row <= lastVisible; ++row)
        for (int col = 1; col < PatternGrid::kColumns; ++col)
            paintCell(col, row);
    p.setClipRect(QRect(0, kFixedRows * kRowPitch, kFixedColumnWidth + kLineWidth, view.height()));
    for (int row = firstScrolledRow(); row <= lastVisible; ++row)
        paintCell(0, row);
    p.setClipRect(QRect(kFixedColumnWidth + kLineWidth, 0, view.width(), kFixedRows * kRowPitch));
    for (int row = 0; row < std::min(kFixedRows, grid_.rowCount()); ++row)
        for (int col = 1; col < PatternGrid::kColumns; ++col)
            paintCell(col, row);
    p.setClipping(false);
    for (int row = 0; row < std::min(kFixedRows, grid_.rowCount()); ++row)
        paintCell(0, row);
}

// --- current cell and selection ---------------------------------------------------------------

CellRect PatternGridView::selection() const {
    return {std::min(col_, anchorCol_), std::min(row_, anchorRow_), std::max(col_, anchorCol_),
            std::max(row_, anchorRow_)};
}

void PatternGridView::updateCells(const CellRect& cells) {
    QRect area;
    for (int row = cells.top; row <= cells.bottom; ++row)
        for (int col = cells.left; col <= cells.right; ++col)
            area |= cellRect(col, row);
    if (!area.isEmpty())
        viewport()->update(area.adjusted(0, 0, zoomed(kLineWidth, *this) + 1, zoomed(kLineWidth, *this) + 1));
}

void PatternGridView::moveCurrent(int col, int row, bool extend) {
    const CellRect before = selection();
    col_ = std::clamp(col, 1, PatternGrid::kChannels);
    row_ = std::clamp(row, static_cast<int>(kFixedRows), std::max(lastRow(), static_cast<int>(kFixedRows)));
    if (!extend) {
        anchorCol_ = col_;
        anchorRow_ = row_;
    }
    ensureRowVisible(row_); // a scroll repaints everything by itself
    updateCells(before);
    updateCells(selection());
}

void PatternGridView::setCurrentCell(int col, int row) {
    moveCurrent(col, row, false);
}

void PatternGridView::setSelection(const CellRect& rect) {
    moveCurrent(rect.left, rect.top, false);
    anchorCol_ = std::clamp(rect.right, 1, PatternGrid::kChannels);
    anchorRow_ = std::clamp(rect.bottom, static_cast<int>(kFixedRows),
                            std::max(lastRow(), static_cast<int>(kFixedRows)));
    updateCells(selection());
}

void PatternGridView::modelChanged() {
    updateScrollRange();
    const int maxRow = std::max(lastRow(), static_cast<int>(kFixedRows));
    row_ = std::min(row_, maxRow);
    anchorRow_ = std::min(anchorRow_, maxRow);
    viewport()->update();
}

// --- gestures ---------------------------------------------------------------------------------

std::string PatternGridView::currentInstrument() const {
    return instruments_.current ? instruments_.current() : std::string();
}

QString PatternGridView::toggleStepName(const std::string& instrument) const {
    return grid_.cell(col_, row_) == instrument ? QStringLiteral("Remove instrument")
                                                : QStringLiteral("Place instrument");
}

void PatternGridView::markChanged() {
    updateCells(selection());
    emit patternChanged();
}

void PatternGridView::mousePressEvent(QMouseEvent* event) {
    state_.gridClicked = true;
    int col = 0, row = 0;
    if (cellAt(event->position().toPoint(), col, row) && isChannelCell(col, row)) {
        moveCurrent(col, row, false);
        dragging_ = event->button() == Qt::LeftButton;
    }
    setFocus(Qt::MouseFocusReason);
}

void PatternGridView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_)
        return;
    int col = 0, row = 0;
    if (!cellAt(event->position().toPoint(), col, row))
        return;
    const CellRect before = selection();
    anchorCol_ = std::clamp(col, 1, PatternGrid::kChannels);
    anchorRow_ =
        std::clamp(row, static_cast<int>(kFixedRows), std::max(lastRow(), static_cast<int>(kFixedRows)));
    updateCells(before);
    updateCells(selection());
}

void PatternGridView::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    if (!hasChannelRows())
        return;
    if (event->button() == Qt::RightButton) {
        // The level step never sets patternChanged.
        bool stepped = false;
        runEdit(editRunner_, QStringLiteral("Change level"),
                [&] { stepped = stepCellLevel(grid_, col_, row_); });
        if (stepped)
            updateCells({col_, row_, col_, row_});
        return;
    }
    if (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton)
        placeOrRemoveAtCursor();
}

void PatternGridView::insertInstrument() {
    if (!hasChannelRows())
        return;
    runEdit(editRunner_, toggleStepName(currentInstrument()),
            [&] { toggleCellInstrument(grid_, col_, row_, currentInstrument()); });
    updateCells({col_, row_, col_, row_});
}

void PatternGridView::typeLevelDigit(QChar key) {
    if (!hasChannelRows() || key < QLatin1Char('1') || key > QLatin1Char('9'))
        return;
    // Run the rule on a cleared flag to learn whether this digit counted as an edit.
    const bool wasChanged = state_.patternChanged;
    state_.patternChanged = false;
    const int typedRow = row_;
    int newRow = row_;
    runEdit(editRunner_, QStringLiteral("Set level"), [&] {
        newRow = applyLevelDigit(grid_, state_, col_, row_, key.toLatin1(), currentInstrument());
    });
    const bool edited = state_.patternChanged;
    state_.patternChanged = wasChanged || edited;
    updateCells({col_, typedRow, col_, typedRow});
    moveCurrent(col_, newRow, false);
    if (edited)
        emit patternChanged();
}

bool PatternGridView::event(QEvent* event) {
    // The grid's own keys win over the keys that work from every window (Space places here).
    if (event->type() == QEvent::ShortcutOverride && gridCommandFor(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void PatternGridView::placeOrRemoveAtCursor() {
    if (!hasChannelRows())
        return;
    const std::string instrument = currentInstrument();
    ToggleResult result = ToggleResult::Nothing;
    runEdit(editRunner_, toggleStepName(instrument),
            [&] { result = placeOrRemove(grid_, state_, col_, row_, instrument); });
    if (result == ToggleResult::Nothing)
        return;
    markChanged();
    if (result == ToggleResult::Placed && instruments_.positionOf && instruments_.lastKitIndex &&
        shouldAudition(instruments_.positionOf(instrument), instruments_.lastKitIndex()))
        emit auditionRequested(QString::fromStdString(instrument));
}

void PatternGridView::copySelection() {
    clipboard_ = copyCells(grid_, selection());
}

void PatternGridView::pasteAtCursor() {
    if (clipboard_.empty() || !hasChannelRows())
        return;
    CellRect written;
    runEdit(editRunner_, QStringLiteral("Paste cells"),
            [&] { written = pasteCells(grid_, state_, clipboard_, col_, row_); });
    if (written.right < written.left)
        return;
    // The pasted block becomes the selection, so that it can be copied on or deleted at once.
    setSelection(written);
    emit patternChanged();
}

void PatternGridView::keyPressEvent(QKeyEvent* event) {
    const std::optional<KeyCommand> command = gridCommandFor(*event);
    if (!command) {
        // Every other key is ignored: typing never edits a cell directly.
        event->ignore();
        return;
    }
    const bool extend = *command == KeyCommand::ExtendSelection;
    const int key = event->key();
    const int steps = std::max(1, grid_.rowCount() - kFixedRows);
    switch (*command) {
    case KeyCommand::MoveCursor:
    case KeyCommand::ExtendSelection:
        if (key == Qt::Key_Up || key == Qt::Key_Down)
            moveCurrent(col_, row_ + (key == Qt::Key_Up ? -1 : 1), extend);
        else
            moveCurrent(col_ + (key == Qt::Key_Left ? -1 : 1), row_, extend);
        return;
    case KeyCommand::RowStartEnd:
        moveCurrent(key == Qt::Key_Home ? 1 : PatternGrid::kChannels, row_, false);
        return;
    case KeyCommand::FirstLastStep:
        moveCurrent(key == Qt::Key_Home ? 1 : PatternGrid::kChannels,
                    key == Qt::Key_Home ? kFixedRows : lastRow(), false);
        return;
    case KeyCommand::PatternLengthUp:
        moveCurrent(col_, row_ - steps, false);
        return;
    case KeyCommand::PatternLengthDown:
        moveCurrent(col_, row_ + steps, false);
        return;
    case KeyCommand::PlaceOrRemove:
        placeOrRemoveAtCursor();
        return;
    case KeyCommand::SetLevel:
        typeLevelDigit(QChar(u'0' + (key - Qt::Key_0)));
        return;
    case KeyCommand::DeleteCells:
        if (hasChannelRows()) {
            runEdit(editRunner_, QStringLiteral("Delete cells"),
                    [&] { deleteSelectedCells(grid_, state_, selection()); });
            markChanged();
        }
        return;
    case KeyCommand::CopyCells:
        copySelection();
        return;
    case KeyCommand::PasteCells:
        pasteAtCursor();
        return;
    default:
        event->ignore();
        return;
    }
}

} // namespace tamboro
