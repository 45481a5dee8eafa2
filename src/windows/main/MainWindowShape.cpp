// MainWindow: the window's outline, and the paint and resize rules. (The round buttons and knobs
// are cut to their circles as they are made, SkinControls.cpp.)

#include "windows/main/MainWindow.h"

#include "app/MainWindowShape.h"
#include "windows/controls/OptionsWindow.h"
#include "windows/main/PatternGridView.h"

#include <QPolygon>
#include <QRegion>

namespace tamboro {

void MainWindow::applyWindowShape(int outlineBottom) {
    QPolygon outline;
    for (const PixelPoint& p : mainWindowOutline(outlineBottom))
        outline << QPoint(p.x, p.y);
    setMask(QRegion(outline, Qt::OddEvenFill));
}

void MainWindow::applyPaintRules() {
    applyWindowShape(kOutlineBottomAtPaint);
    PatternGridView& grid = parts_->grid;
    grid.resize(grid.width(), gridHeightAfterPaint());
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
    const ResizeOutcome outcome = resizeOutcome(height(), grid.y());
    if (outcome.windowHeight != height())
        resize(width(), outcome.windowHeight);
    grid.resize(grid.width(), outcome.gridHeight);
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
