// View > Zoom: every control, font, mask and the outline scale by the zoom; the skin pictures are
// loaded painted for it (never enlarged); the grid maps clicks through it; the choice is kept in the
// settings and a round trip through every step puts every control back where it was.

#include "MainWindowControls.h"
#include "WindowTestSupport.h"

#include "app/MainWindowShape.h"
#include "app/ZoomSteps.h"
#include "windows/main/MainWindow.h"
#include "windows/main/PatternGridView.h"
#include "windows/main/SettingsStore.h"
#include "windows/main/ZoomMenu.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>

#include <map>
#include <memory>

using namespace tamboro;
namespace fs = std::filesystem;

class ZoomTest : public QObject {
    Q_OBJECT

    test::TemporarySettings settings_;
    std::unique_ptr<QTemporaryDir> work_;
    std::unique_ptr<MainWindow> w_;

    test::MainWindowControls ui() const { return test::controlsOf(*w_); }
    fs::path work() const { return work_->path().toStdString(); }
    QAction* action(const QString& name) const { return w_->findChild<QAction*>(name); }

    void openWindow() {
        w_ = std::make_unique<MainWindow>(work());
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    }

    std::map<QWidget*, std::pair<QRect, QFont>> layout() const {
        w_->repaint(); // the paint rule sets the grid's height
        std::map<QWidget*, std::pair<QRect, QFont>> out;
        // The window's own controls (the inner parts of a list or spin box are laid out by it).
        for (QWidget* widget : w_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!widget->isWindow())
                out[widget] = {widget->geometry(), widget->font()};
        return out;
    }

private slots:
    void init() {
        QSettings(SettingsStore::kOrganisation, SettingsStore::kApplication).clear();
        work_ = std::make_unique<QTemporaryDir>();
        test::seedProgramFolder(work());
        openWindow();
    }

    void cleanup() {
        w_->close();
        w_.reset();
    }

    void everyPlaceSizeAndOutlineScales_data() {
        QTest::addColumn<int>("percent");
        for (int percent : kZoomPercents)
            QTest::addRow("%d %%", percent) << percent;
    }

    void everyPlaceSizeAndOutlineScales() {
        QFETCH(int, percent);
        const double zoom = percent / 100.0;
        const QSize size100 = w_->size();
        action(QString("zoom%1Action").arg(percent))->trigger();
        QCOMPARE(w_->zoom(), zoom);
        QVERIFY(action(QString("zoom%1Action").arg(percent))->isChecked());
        QCOMPARE(w_->width(), qRound(size100.width() * zoom));
        QCOMPARE(w_->height(), qRound(size100.height() * zoom));
        // A button at (24, 204), 37 x 37 at 100 %, and its round cut.
        PictureButton* play = ui().playPatternButton;
        QCOMPARE(play->geometry(),
                 QRect(qRound(24 * zoom), qRound(204 * zoom), qRound(61 * zoom) - qRound(24 * zoom),
                       qRound(241 * zoom) - qRound(204 * zoom)));
        QVERIFY(play->mask().contains(QPoint(qRound(19 * zoom), qRound(19 * zoom))));
        QVERIFY(!play->mask().contains(QPoint(qRound(3 * zoom), qRound(19 * zoom))));
        // The outline: the cut top left corner stays cut, the panel's middle and right tab stay in.
        const QRegion outline = w_->mask();
        QVERIFY(outline.contains(QPoint(qRound(270 * zoom), qRound(250 * zoom))));
        QVERIFY(outline.contains(QPoint(qRound(535 * zoom), qRound(415 * zoom))));
        QVERIFY(!outline.contains(QPoint(qRound(5 * zoom), qRound(5 * zoom))));
        // The background fills the window with a picture painted at the zoom: one picture pixel per
        // device pixel, not a small picture stretched.
        auto* background = w_->findChild<QLabel*>("backgroundImage");
        QCOMPARE(background->size(),
                 QSize(qRound(kMainClientWidth * zoom), qRound(kMainClientHeight * zoom)));
        const QPixmap picture = background->pixmap();
        QVERIFY(qAbs(picture.width() - background->width() * background->devicePixelRatioF()) <= 1);
        QVERIFY(qAbs(picture.deviceIndependentSize().width() - background->width()) <= 1);
        // The glyph of a button likewise.
        play->repaint();
        QVERIFY(qAbs(play->glyph().width() - play->width() * play->devicePixelRatioF()) <= 1);
    }

    void fontsScaleWithTheZoom() {
        const QFont before = ui().bpmBox->font();
        action("zoom200Action")->trigger();
        const QFont after = ui().bpmBox->font();
        if (before.pixelSize() > 0)
            QCOMPARE(after.pixelSize(), before.pixelSize() * 2);
        else
            QCOMPARE(after.pointSizeF(), before.pointSizeF() * 2);
        // An editable list box's text too (a style sheet polishes its line edit).
        QCOMPARE(ui().timeBarBox->lineEdit()->font(), ui().timeBarBox->font());
        QVERIFY(QFontInfo(ui().timeBarBox->lineEdit()->font()).pixelSize() >
                QFontInfo(ui().patternGrid->font()).pixelSize());
        // The grid scales its painting, not its font.
        QCOMPARE(ui().patternGrid->font().pointSize(), 8);
    }

    // 100 → 125 → 150 → 200 → 150 → 100 with the keys: every control is back exactly where it was.
    void aRoundTripPutsEveryControlBack() {
        const auto before = layout();
        for (int step = 0; step < 4; ++step)
            QTest::keyClick(w_.get(), Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(w_->zoom(), 2.0);
        QTest::keyClick(w_.get(), Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(w_->zoom(), 1.5);
        QTest::keyClick(w_.get(), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(w_->zoom(), 1.0);
        const auto after = layout();
        for (const auto& [widget, place] : before) {
            QVERIFY2(after.at(widget).first == place.first, qPrintable(widget->objectName()));
            QVERIFY2(after.at(widget).second.pixelSize() == place.second.pixelSize() &&
                         qFuzzyCompare(after.at(widget).second.pointSizeF(), place.second.pointSizeF()),
                     qPrintable(widget->objectName()));
        }
    }

    void theGridMapsClicksAndCellsThroughTheZoom() {
        action("zoom150Action")->trigger();
        PatternGridView* grid = ui().patternGrid;
        const QRect cell = grid->cellRect(2, 3);
        QCOMPARE(cell.topLeft(), QPoint(qRound((40 + 1 + 61) * 1.5), qRound(3 * 16 * 1.5)));
        int col = -1, row = -1;
        QVERIFY(grid->cellAt(cell.center(), col, row));
        QCOMPARE(col, 2);
        QCOMPARE(row, 3);
    }

    // The whole zoomed background is the drag handle, and the window follows the pointer 1:1.
    void theZoomedBackgroundDragsTheWindow() {
        action("zoom200Action")->trigger();
        w_->move(50, 50);
        const QPoint start = w_->pos();
        QWidget* background = w_->findChild<QLabel*>("backgroundImage");
        // A point beyond the 100 % panel's right edge: there only at 200 %.
        const QPoint press(700, 900);
        QVERIFY(background->rect().contains(press));
        test::sendMouse(background, QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
        QVERIFY(w_->backgroundDrag().dragging());
        QCursor::setPos(w_->mapToGlobal(press + QPoint(40, -20)));
        test::sendMouse(background, QEvent::MouseMove, press + QPoint(40, -20), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(w_->pos(), start + QPoint(40, -20));
        test::sendMouse(background, QEvent::MouseButtonRelease, press + QPoint(40, -20), Qt::LeftButton,
                        Qt::NoButton);
        QVERIFY(!w_->backgroundDrag().dragging());
    }

    void theChoiceIsKeptAndAppliedAtTheNextStart() {
        QSettings settings(SettingsStore::kOrganisation, SettingsStore::kApplication);
        QVERIFY(!settings.contains("7.0/Zoom")); // nothing written until the user zooms
        action("zoom125Action")->trigger();
        settings.sync();
        QCOMPARE(settings.value("7.0/Zoom").toString(), QString("125"));
        w_->close();
        w_.reset();
        openWindow();
        QCOMPARE(w_->zoom(), 1.25);
        QVERIFY(action("zoom125Action")->isChecked());
        // A value that is no step starts at 100 %.
        settings.setValue("7.0/Zoom", "175");
        settings.sync();
        w_->close();
        w_.reset();
        openWindow();
        QCOMPARE(w_->zoom(), 1.0);
    }
};

QTEST_MAIN(ZoomTest)
#include "tst_zoom.moc"
