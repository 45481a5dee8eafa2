// The Pattern Library and Play List boxes of the main window: filled from the folder's pattern
// files, sending and moving back, reordering, the two bins and the right-click enlarge.

#include "MainWindowControls.h"
#include "WindowTestSupport.h"
#include "windows/controls/PictureButton.h"
#include "windows/main/MainWindow.h"

#include <QListWidget>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <memory>

using namespace tamboro;
namespace fs = std::filesystem;

namespace {

void pressOn(QListWidget* list, Qt::MouseButton button) {
    const QPoint at(5, 5);
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(at), QPointF(list->viewport()->mapToGlobal(at)),
                      button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &event);
}

} // namespace

class MainWindowListsTest : public QObject {
    Q_OBJECT

    test::TemporarySettings settings_;
    std::unique_ptr<QTemporaryDir> work_;
    std::unique_ptr<MainWindow> w_;

    // The window\'s controls, as the user meets them.
    test::MainWindowControls ui() const { return test::controlsOf(*w_); }

    fs::path work() const { return work_->path().toStdString(); }

private slots:
    void init() {
        work_ = std::make_unique<QTemporaryDir>();
        for (const char* name : {"rock", "Bossa", "funk"})
            std::ofstream(work() / (std::string(name) + ".pat")) << "x";
        std::ofstream(work() / "notes.txt") << "x";
        w_ = std::make_unique<MainWindow>(work());
    }

    void cleanup() {
        w_->close();
        w_.reset();
    }

    void libraryIsFilledFromThePatternFiles() {
        QCOMPARE(test::listTexts(ui().patternLibraryBox), QStringList({"Bossa", "funk", "rock"}));
    }

    void sendMoveBackAndReorder() {
        MainWindow& w = *w_;
        ui().patternLibraryBox->setCurrentRow(2);
        ui().sendToPlayListButton->click();
        ui().patternLibraryBox->setCurrentRow(0);
        w.parts().lists.sendToPlayListClicked();
        w.parts().lists.sendToPlayListClicked();
        QCOMPARE(test::listTexts(ui().playListBox), QStringList({"rock", "Bossa", "Bossa"}));

        ui().playListBox->setCurrentRow(0);
        QToolButton* down = nullptr;
        for (QToolButton* b : ui().playListArrows->findChildren<QToolButton*>())
            if (b->arrowType() == Qt::DownArrow)
                down = b;
        QVERIFY(down);
        down->click();
        QCOMPARE(test::listTexts(ui().playListBox), QStringList({"Bossa", "rock", "Bossa"}));
        QCOMPARE(ui().playListBox->currentRow(), 1);

        // Moving back an entry the library holds only takes it off the Play List.
        ui().backToLibraryButton->click();
        QCOMPARE(test::listTexts(ui().playListBox), QStringList({"Bossa", "Bossa"}));
        QCOMPARE(test::listTexts(ui().patternLibraryBox), QStringList({"Bossa", "funk", "rock"}));
    }

    void binsDeleteCheckedEntriesAndConfirmedPatterns() {
        MainWindow& w = *w_;
        ui().patternLibraryBox->setCurrentRow(1);
        w.parts().lists.sendToPlayListClicked();
        ui().patternLibraryBox->setCurrentRow(2);
        w.parts().lists.sendToPlayListClicked();
        ui().patternLibraryBox->setCurrentRow(1);
        w.parts().lists.sendToPlayListClicked();
        QCOMPARE(test::listTexts(ui().playListBox), QStringList({"funk", "rock", "funk"}));
        ui().playListBox->item(1)->setCheckState(Qt::Checked);
        ui().playListBinButton->click();
        QCOMPARE(test::listTexts(ui().playListBox), QStringList({"funk", "funk"}));

        bool asked = false;
        w.parts().lists.confirmLibraryDelete = [&] {
            asked = true;
            return false;
        };
        ui().patternLibraryBox->setCurrentRow(1);
        ui().libraryBinButton->click();
        QVERIFY(asked);
        QVERIFY(fs::exists(work() / "funk.pat"));
        w.parts().lists.confirmLibraryDelete = [] { return true; };
        ui().libraryBinButton->click();
        QVERIFY(!fs::exists(work() / "funk.pat"));
        QCOMPARE(test::listTexts(ui().patternLibraryBox), QStringList({"Bossa", "rock"}));
        QVERIFY(test::listTexts(ui().playListBox).isEmpty());
    }

    void rightClickEnlargesAndAnyPressRestores() {
        for (QListWidget* list : {ui().patternLibraryBox, ui().playListBox}) {
            pressOn(list, Qt::RightButton);
            QCOMPARE(list->height(), 129);
            pressOn(list, Qt::RightButton);
            QCOMPARE(list->height(), 404);
            pressOn(list, Qt::LeftButton);
            QCOMPARE(list->height(), 129);
            pressOn(list, Qt::RightButton);
            pressOn(list, Qt::RightButton);
            QCOMPARE(list->height(), 129);
        }
    }
};

QTEST_MAIN(MainWindowListsTest)
#include "tst_main_window_lists.moc"
