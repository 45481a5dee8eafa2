// TSequence: the window's outline and round controls, and the paint and resize rules.

#include "app/ui/Sequence.h"

#include "app/MainWindowShape.h"
#include "app/ui/PatternGridView.h"
#include "controls/ui/OptionsWindow.h"
#include "controls/ui/BJKnob.h"
#include "controls/ui/PictureButton.h"

#include <QFrame>
#include <QPolygon>
#include <QRegion>

namespace tamboro {

void TSequence::applyWindowShape(int outlineBottom) {
    QPolygon outline;
    for (const PixelPoint& p : mainWindowOutline(outlineBottom))
        outline << QPoint(p.x, p.y);
    setMask(QRegion(outline, Qt::OddEvenFill));

    const PixelRect circle = pictureButtonCircle();
    for (PictureButton* b : {btnToPatList, btnFromPatList, btnPlay, btnStop, btnLoopPattern, btnSounder, btnPlaySong,
                             btnLoopSong, btnClearSong, btnRenderWave, btnSavePattern, btnSetGlobal, btnTimeBar,
                             btnClearPattern, LibBin, SongBin})
        b->setMask(QRegion(circle.left, circle.top, circle.width, circle.height, QRegion::Ellipse));
    for (TBJKnob* k : {Delay, Panning}) {
        const PixelRect disc = knobCircle(k->width());
        k->setMask(QRegion(disc.left, disc.top, disc.width, disc.height, QRegion::Ellipse));
    }
}

void TSequence::FormPaint() {
    applyWindowShape(kOutlineBottomAtPaint);
    StringGrid1->resize(StringGrid1->width(), gridHeightAfterPaint());
    if (SampleEditor && SampleEditor->isVisible() && !SampleEditor->hasFocus())
        SampleEditor->raise();
    for (QWidget* w : std::initializer_list<QWidget*>{KitMaker.data(), OptionsWindow.data(), RenderProgress.data()})
        if (w && w->isVisible())
            w->raise();
    if (!ShowTips && TipsWindow)
        TipsWindow->hide();
}

void TSequence::FormResize() {
    const ResizeOutcome outcome = resizeOutcome(height(), StringGrid1->y());
    if (outcome.windowHeight != height())
        resize(width(), outcome.windowHeight);
    StringGrid1->resize(StringGrid1->width(), outcome.gridHeight);
}

void TSequence::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    FormPaint();
}

void TSequence::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (StringGrid1)
        FormResize();
}

} // namespace tamboro
