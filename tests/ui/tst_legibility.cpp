// Every text whole and nothing covered: grid cells keep their level digit whatever the instrument's
// name, long pattern names end in "…" with the whole name as tooltip, the Play List's empty check
// boxes can be seen, a walk over every visible control of the main window at every zoom finds no
// text wider than its control or cut by the window's outline, the grid colour preview shows every
// text, and with every side window open in its default place none of them hides a control or menu
// of the main window. The tests run on a 1280 x 1024 screen.

#include "MainWindowControls.h"
#include "WindowTestSupport.h"

#include "app/ProgramOptions.h"
#include "app/ZoomSteps.h"
#include "kits/DrumKit.h"
#include "kits/KitLibrary.h"
#include "windows/controls/AboutWindow.h"
#include "windows/controls/GridColorDialog.h"
#include "windows/controls/OptionsWindow.h"
#include "windows/controls/SideWindowPlacer.h"
#include "windows/controls/TipsWindow.h"
#include "windows/kits/ExtraSamplesWindow.h"
#include "windows/kits/KitListWindow.h"
#include "windows/kits/KitMakerWindow.h"
#include "windows/kits/SampleEditorWindow.h"
#include "windows/main/KitMakerCommand.h"
#include "windows/main/MainMenus.h"
#include "windows/main/MainWindow.h"
#include "windows/main/MainWindowSound.h"
#include "windows/main/MainWindowState.h"
#include "windows/main/SongRenderCommand.h"
#include "windows/practice/PracticeCommand.h"
#include "windows/practice/PracticePanel.h"
#include "windows/render/Mp3ExportWindow.h"
#include "windows/render/RenderProgressWindow.h"

#include <QAbstractButton>
#include <QScreen>
#include <QTableWidget>
#include <QtTest>

#include <fstream>
#include <memory>

using namespace tamboro;
namespace fs = std::filesystem;

class LegibilityTest : public QObject {
    Q_OBJECT

    test::TemporarySettings settings_;
    std::unique_ptr<QTemporaryDir> work_;
    std::unique_ptr<MainWindow> w_;

    test::MainWindowControls ui() const { return test::controlsOf(*w_); }
    fs::path work() const { return work_->path().toStdString(); }

private slots:
    void init() {
        work_ = std::make_unique<QTemporaryDir>();
        test::seedProgramFolder(work());
        for (const char* name : {"Reggae One Drop Extended Mix", "rock"})
            std::ofstream(work() / (std::string(name) + ".pat")) << "x";
        w_ = std::make_unique<MainWindow>(work());
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    }

    void cleanup() {
        w_->close();
        w_.reset();
    }

    // Every instrument of the shipped kit, at every level, in a grid column.
    void everyGridCellShowsItsLevel() {
        const DrumKit& kit = w_->state().kitLibrary->kit();
        QVERIFY(kit.count() > 0);
        PatternGridView* grid = ui().patternGrid;
        const QFontMetrics metrics(grid->font());
        const int width = PatternGridView::kColumnWidth - 3;
        QStringList names;
        for (int i = 0; i < kit.count(); ++i)
            names << QString::fromStdString(kit.item(i).displayName());
        names << "Tambourine"
              << "ClsHiat"
              << "Snare";
        for (const QString& name : names)
            for (char level : {' ', '5', '9'}) {
                const QString cell =
                    name.leftJustified(10, QLatin1Char(' '), true) + '[' + QChar(level) + ']';
                const QString shown = cellDisplayText(cell, metrics, width);
                QVERIFY2(shown.endsWith(QString("[%1]").arg(QChar(level))), qPrintable(shown));
                QVERIFY2(metrics.horizontalAdvance(shown) <= width, qPrintable(shown));
            }
        // A text that is no instrument is left for the cell to cut, unchanged.
        QCOMPARE(cellDisplayText("a long step label text", metrics, 10), QString("a long step label text"));
    }

    void longListNamesAreElidedWithTheirTooltip() {
        QListWidget* library = ui().patternLibraryBox;
        QListWidgetItem* item = library->item(0);
        QCOMPARE(item->text(), QString("Reggae One Drop Extended Mix"));
        QCOMPARE(item->toolTip(), item->text());
        QVERIFY(library->visualItemRect(item).width() <= library->viewport()->width());
        library->setCurrentRow(0);
        ui().sendToPlayListButton->click();
        QCOMPARE(ui().playListBox->item(0)->toolTip(), QString("Reggae One Drop Extended Mix"));
    }

    void emptyCheckBoxesCanBeSeen() {
        ui().patternLibraryBox->setCurrentRow(1);
        ui().sendToPlayListButton->click();
        QListWidget* list = ui().playListBox;
        QCOMPARE(list->count(), 1);
        list->doItemsLayout(); // the list lays its items out late
        const QImage image = list->viewport()->grab().toImage();
        const QRect row = list->visualItemRect(list->item(0));
        // Some pixel of the row left of its text is light: the box's edge.
        bool edge = false;
        for (int x = row.left(); x < row.left() + 16; ++x)
            for (int y = row.top(); y <= row.bottom(); ++y)
                edge = edge || image.pixelColor(x, y).lightness() > 150;
        QVERIFY(edge);
    }

    void noVisibleTextIsClipped_data() {
        QTest::addColumn<int>("percent");
        for (int percent : kZoomPercents)
            QTest::addRow("%d %%", percent) << percent;
    }

    // Labels, buttons and entry boxes, at every zoom: their text fits inside them, and they lie
    // inside the window's outline (a control half cut off by the shaped edge shows half its text).
    void noVisibleTextIsClipped() {
        QFETCH(int, percent);
        w_->setZoom(percent / 100.0);
        const QRegion outline = w_->mask();
        QStringList clipped;
        for (QWidget* widget : w_->findChildren<QWidget*>()) {
            if (!widget->isVisible())
                continue;
            QString text;
            int room = widget->contentsRect().width();
            if (auto* label = qobject_cast<QLabel*>(widget); label && label->pixmap().isNull())
                text = label->text();
            else if (auto* button = qobject_cast<QAbstractButton*>(widget))
                text = button->text();
            else if (auto* edit = qobject_cast<QLineEdit*>(widget);
                     edit && !edit->parentWidget()->inherits("QAbstractSpinBox") &&
                     !edit->parentWidget()->inherits("QComboBox"))
                text = edit->text(), room -= 4;
            text.remove(QLatin1Char('&'));
            if (text.isEmpty() || text.contains(QLatin1Char('<')))
                continue;
            if (widget->fontMetrics().horizontalAdvance(text) > room)
                clipped << QString("%1 \"%2\" wider than its control").arg(widget->objectName(), text);
            const QRect onWindow(widget->mapTo(w_.get(), QPoint(0, 0)), widget->size());
            if (QRegion(onWindow).subtracted(outline) != QRegion())
                clipped << QString("%1 \"%2\" cut by the outline").arg(widget->objectName(), text);
        }
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(", ")));
    }

    // Every side window opened as the program opens it, in its default place: none stands over a
    // visible control or menu label of the main window, and each is whole on the screen.
    void noSideWindowHidesAControl() {
        MainWindow& w = *w_;
        QCOMPARE(w.screen()->availableGeometry().size(), QSize(1280, 1024));
        ProgramOptions audio;
        audio.audio = AudioChoice::Null;
        MainWindowSound sound(w.parts(), audio);
        const MainMenus::Actions& menu = w.parts().menus.actions();

        SampleEditorWindow editor(sound.extraSamples(), &w);
        KitListWindow kitList(&w);
        w.attachKitList(&kitList);
        ExtraSamplesWindow extras(&w);
        extras.setSampleEditor(&editor);
        TipsWindow tips(&w);
        RenderProgressWindow renderWindow;
        auto* render = new SongRenderCommand(w.parts(), renderWindow, &sound);
        PracticePanel practicePanel;
        auto* practice = new PracticeCommand(*menu.practice, practicePanel, w.parts(), sound, *render);
        KitMakerWindow maker;
        auto* makerCommand = new KitMakerCommand(*menu.kitMaker, w.state(), maker, &sound, w);
        makerCommand->askTemplate = [] { return false; };
        OptionsWindow options;
        w.optionsWindow = &options;
        keepBeside(options, w, kDialogWish);
        AboutWindow about;
        w.aboutWindow = &about;
        keepBeside(about, w, kDialogWish);

        // The panels and the tips at start-up, the others as their commands open them.
        extras.placeBesideMainWindow();
        extras.show();
        kitList.placeBesideMainWindow();
        kitList.show();
        tips.show();
        extras.selectSample(1);
        menu.practice->trigger();
        menu.kitMaker->trigger();
        menu.cellJump->trigger();
        menu.about->trigger();
        renderWindow.show();
        render->offerMp3(QString::fromStdString((work() / "Song.wav").string()));

        QList<QWidget*> sideWindows;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window != &w && window->isVisible() && window->windowType() != Qt::ToolTip)
                sideWindows << window;
        for (QWidget* window :
             std::initializer_list<QWidget*>{&kitList, &extras, &tips, &editor, &practicePanel, &maker,
                                             &options, &about, &renderWindow, render->encoderWindow()})
            QVERIFY2(window && sideWindows.contains(window),
                     window ? qPrintable(window->objectName()) : "mp3");

        QStringList covered;
        const QRect screen = w.screen()->availableGeometry();
        for (QWidget* window : sideWindows) {
            if (!screen.contains(window->frameGeometry()))
                covered << QString("%1 off the screen").arg(window->windowTitle());
            for (QWidget* control : w.findChildren<QWidget*>()) {
                if (!control->isVisible() || control == ui().backgroundImage)
                    continue;
                const QRect rect(control->mapToGlobal(QPoint(0, 0)), control->size());
                if (window->frameGeometry().intersects(rect))
                    covered << QString("%1 under %2").arg(control->objectName(), window->windowTitle());
            }
        }
        QVERIFY2(covered.isEmpty(), qPrintable(covered.join(", ")));

        w.optionsWindow = nullptr;
        w.aboutWindow = nullptr;
        w.kitListWindow = nullptr;
        delete makerCommand;
        delete practice;
        delete render;
    }

    // Pattern Grid Color's preview shows every column whole, each text inside its cell.
    void gridColourPreviewShowsEveryText() {
        GridColorDialog dialog(Qt::white, Qt::black);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTableWidget* preview = dialog.previewGrid;
        const QFontMetrics metrics(preview->font());
        QStringList clipped;
        for (int row = 0; row < preview->rowCount(); ++row)
            for (int col = 0; col < preview->columnCount(); ++col) {
                const QString text = preview->item(row, col)->text();
                const QRect cell = preview->visualRect(preview->model()->index(row, col));
                const QRect onDialog(preview->viewport()->mapTo(&dialog, cell.topLeft()), cell.size());
                if (!text.isEmpty() &&
                    (!dialog.rect().contains(onDialog) || metrics.horizontalAdvance(text) > cell.width() - 4))
                    clipped << text;
            }
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(", ")));
    }
};

int main(int argc, char** argv) {
    // The offscreen platform's screen is 800 x 600 unless told otherwise: the side windows are
    // judged on a 1280 x 1024 one, where the main window leaves them room.
    QTemporaryDir screenConfig;
    const QString configFile = screenConfig.filePath("screen.json");
    QFile config(configFile);
    if (!config.open(QIODevice::WriteOnly) ||
        config.write(R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": 1280, "height": 1024,
                         "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})") < 0)
        return 1;
    config.close();
    if (qEnvironmentVariable("QT_QPA_PLATFORM") == QStringLiteral("offscreen"))
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + configFile).toLocal8Bit());
    QApplication app(argc, argv);
    LegibilityTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_legibility.moc"
