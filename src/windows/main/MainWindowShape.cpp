// MainWindow: the window's outline and round controls, and the paint and resize rules.

#include "windows/main/MainWindow.h"

#include "app/MainWindowShape.h"
#include "windows/controls/Knob.h"
#include "windows/controls/OptionsWindow.h"
#include "windows/controls/PictureButton.h"
#include "windows/main/PatternGridView.h"

#include <QFrame>
#include <QPolygon>
#include <QRegion>

namespace tamboro {

void MainWindow::applyWindowShape(int outlineBottom) {
    QPolygon outline;
    for (const PixelPoint& p : mainWindowOutline(outlineBottom))
        outline << QPoint(p.x, p.y);
    setMask(QRegion(outline, Qt::OddEvenFill));

    const PixelRect circle = pictureButtonCircle();
    for (PictureButton* b : {sendToPlayListButton, backToLibraryButton, playPatternButton, stopButton,
                             repeatPatternButton, playInstrumentButton, playSongButton, repeatSongButton,
                             clearSongButton, renderSongButton, savePatternButton, globalSpeedButton,
                             applyTimeBarButton, clearPatternButton, libraryBinButton, playListBinButton})
        b->setMask(QRegion(circle.left, circle.top, circle.width, circle.height, QRegion::Ellipse));
    for (Knob* k : {bpmKnob, panKnob}) {
        const PixelRect disc = knobCircle(k->width());
        k->setMask(QRegion(disc.left, disc.top, disc.width, disc.height, QRegion::Ellipse));
    }
}

void MainWindow::applyPaintRules() {
    applyWindowShape(kOutlineBottomAtPaint);
    patternGrid->resize(patternGrid->width(), gridHeightAfterPaint());
    if (sampleEditorWindow && sampleEditorWindow->isVisible() && !sampleEditorWindow->hasFocus())
        sampleEditorWindow->raise();
    for (QWidget* w : std::initializer_list<QWidget*>{kitMakerWindow.data(), optionsWindow.data(),
                                                      renderProgressWindow.data()})
        if (w && w->isVisible())
            w->raise();
    if (!showTips && tipsWindow)
        tipsWindow->hide();
}

void MainWindow::applyResizeRule() {
    const ResizeOutcome outcome = resizeOutcome(height(), patternGrid->y());
    if (outcome.windowHeight != height())
        resize(width(), outcome.windowHeight);
    patternGrid->resize(patternGrid->width(), outcome.gridHeight);
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    applyPaintRules();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (patternGrid)
        applyResizeRule();
}

} // namespace tamboro
