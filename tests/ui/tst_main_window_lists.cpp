// The Pattern Library and Play List boxes of the main window: filled from the folder's pattern
// files, sending and moving back, reordering, the two bins and the right-click enlarge.

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
        QCOMPARE(test::listTexts(w_->patternLibraryBox), QStringList({"Bossa", "funk", "rock"}));
    }

    void sendMoveBackAndReorder() {
        MainWindow& w = *w_;
        w.patternLibraryBox->setCurrentRow(2);
        w.sendToPlayListButton->click();
        w.patternLibraryBox->setCurrentRow(0);
        w.sendToPlayListClicked();
        w.sendToPlayListClicked();
        QCOMPARE(test::listTexts(w.playListBox), QStringList({"rock", "Bossa", "Bossa"}));

        w.playListBox->setCurrentRow(0);
        QToolButton* down = nullptr;
        for (QToolButton* b : w.playListArrows->findChildren<QToolButton*>())
            if (b->arrowType() == Qt::DownArrow)
                down = b;
        QVERIFY(down);
        down->click();
        QCOMPARE(test::listTexts(w.playListBox), QStringList({"Bossa", "rock", "Bossa"}));
        QCOMPARE(w.playListBox->currentRow(), 1);

        // Moving back an entry the library holds only takes it off the Play List.
        w.backToLibraryButton->click();
        QCOMPARE(test::listTexts(w.playListBox), QStringList({"Bossa", "Bossa"}));
        QCOMPARE(test::listTexts(w.patternLibraryBox), QStringList({"Bossa", "funk", "rock"}));
    }

    void binsDeleteCheckedEntriesAndConfirmedPatterns() {
        MainWindow& w = *w_;
        w.patternLibraryBox->setCurrentRow(1);
        w.sendToPlayListClicked();
        w.patternLibraryBox->setCurrentRow(2);
        w.sendToPlayListClicked();
        w.patternLibraryBox->setCurrentRow(1);
        w.sendToPlayListClicked();
        QCOMPARE(test::listTexts(w.playListBox), QStringList({"funk", "rock", "funk"}));
        w.playListBox->item(1)->setCheckState(Qt::Checked);
        w.playListBinButton->click();
        QCOMPARE(test::listTexts(w.playListBox), QStringList({"funk", "funk"}));

        bool asked = false;
        w.confirmLibraryDelete = [&] {
            asked = true;
            return false;
        };
        w.patternLibraryBox->setCurrentRow(1);
        w.libraryBinButton->click();
        QVERIFY(asked);
        QVERIFY(fs::exists(work() / "funk.pat"));
        w.confirmLibraryDelete = [] { return true; };
        w.libraryBinButton->click();
        QVERIFY(!fs::exists(work() / "funk.pat"));
        QCOMPARE(test::listTexts(w.patternLibraryBox), QStringList({"Bossa", "rock"}));
        QVERIFY(test::listTexts(w.playListBox).isEmpty());
    }

    void rightClickEnlargesAndAnyPressRestores() {
        MainWindow& w = *w_;
        for (QListWidget* list : {w.patternLibraryBox, w.playListBox}) {
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
