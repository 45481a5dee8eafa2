// MainWindow: the window's outline, and the paint and resize rules. (The round buttons and knobs
// are cut to their circles as they are made, SkinControls.cpp.)

#include "windows/main/MainWindow.h"

#include "app/MainWindowShape.h"
#include "windows/controls/OptionsWindow.h"
#include "windows/controls/SkinPictures.h"
#include "windows/main/PatternGridView.h"
#include "windows/main/WindowZoom.h"

#include <QPolygon>
#include <QRegion>

#include <cmath>

namespace tamboro {

void MainWindow::applyWindowShape(int outlineBottom) {
    QPolygon outline;
    for (const PixelPoint& p : mainWindowOutline(outlineBottom))
        outline << QPoint(zoomed(p.x, *this), zoomed(p.y, *this));
    setMask(QRegion(outline, Qt::OddEvenFill));
}

void MainWindow::applyPaintRules() {
    applyWindowShape(kOutlineBottomAtPaint);
    PatternGridView& grid = parts_->grid;
    grid.resize(grid.width(), zoomed(gridHeightAfterPaint(), *this));
    // Moved to a screen of another scale: the background painted for it.
    if (paintedScalePercentFor(devicePixelRatioF() * zoom_) != backgroundPercent_)
        showBackground();
    if (sampleEditorWindow && sampleEditorWindow->isVisible() && !sampleEditorWindow->hasFocus())
        sampleEditorWindow->raise();
    for (QWidget* w : std::initializer_list<QWidget*>{kitMakerWindow.data(), optionsWindow.data(),
                                                      renderProgressWindow.data()})
        if (w && w->isVisible())
            w->raise();
    if (!state_.showTips && tipsWindow)
        tipsWindow->hide();
}

void MainWindow::applyResizeRule() {
    PatternGridView& grid = parts_->grid;
    // The rule speaks of the window at 100 %.
    const auto logical = [this](int pixels) { return static_cast<int>(std::lround(pixels / zoom_)); };
    const ResizeOutcome outcome = resizeOutcome(logical(height()), logical(grid.y()));
    if (zoomed(outcome.windowHeight, *this) != height())
        resize(width(), zoomed(outcome.windowHeight, *this));
    grid.resize(grid.width(), zoomed(outcome.gridHeight, *this));
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    applyPaintRules();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (parts_)
        applyResizeRule();
}

} // namespace tamboro
