// The Pattern Library and Play List boxes of the main window: filled from the folder's pattern
// files, sending and moving back, reordering, the two bins and the right-click enlarge.

#include "WindowTestSupport.h"
#include "app/ui/Sequence.h"
#include "controls/ui/PictureButton.h"

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
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(at), QPointF(list->viewport()->mapToGlobal(at)), button,
                      button, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &event);
}

} // namespace

class SequenceLists : public QObject {
    Q_OBJECT

    test::TemporarySettings settings_;
    std::unique_ptr<QTemporaryDir> work_;
    std::unique_ptr<TSequence> w_;

    fs::path work() const { return work_->path().toStdString(); }

private slots:
    void init() {
        work_ = std::make_unique<QTemporaryDir>();
        for (const char* name : {"rock", "Bossa", "funk"})
            std::ofstream(work() / (std::string(name) + ".pat")) << "x";
        std::ofstream(work() / "notes.txt") << "x";
        w_ = std::make_unique<TSequence>(work());
    }

    void cleanup() {
        w_->close();
        w_.reset();
    }

    void libraryIsFilledFromThePatternFiles() { QCOMPARE(test::listTexts(w_->MusicLib), QStringList({"Bossa", "funk", "rock"})); }

    void sendMoveBackAndReorder() {
        TSequence& w = *w_;
        w.MusicLib->setCurrentRow(2);
        w.btnToPatList->click();
        w.MusicLib->setCurrentRow(0);
        w.MusicLibDblClick();
        w.MusicLibDblClick();
        QCOMPARE(test::listTexts(w.SongList), QStringList({"rock", "Bossa", "Bossa"}));

        w.SongList->setCurrentRow(0);
        QToolButton* down = nullptr;
        for (QToolButton* b : w.UpDown1->findChildren<QToolButton*>())
            if (b->arrowType() == Qt::DownArrow)
                down = b;
        QVERIFY(down);
        down->click();
        QCOMPARE(test::listTexts(w.SongList), QStringList({"Bossa", "rock", "Bossa"}));
        QCOMPARE(w.SongList->currentRow(), 1);

        // Moving back an entry the library holds only takes it off the Play List.
        w.btnFromPatList->click();
        QCOMPARE(test::listTexts(w.SongList), QStringList({"Bossa", "Bossa"}));
        QCOMPARE(test::listTexts(w.MusicLib), QStringList({"Bossa", "funk", "rock"}));
    }

    void binsDeleteCheckedEntriesAndConfirmedPatterns() {
        TSequence& w = *w_;
        w.MusicLib->setCurrentRow(1);
        w.MusicLibDblClick();
        w.MusicLib->setCurrentRow(2);
        w.MusicLibDblClick();
        w.MusicLib->setCurrentRow(1);
        w.MusicLibDblClick();
        QCOMPARE(test::listTexts(w.SongList), QStringList({"funk", "rock", "funk"}));
        w.SongList->item(1)->setCheckState(Qt::Checked);
        w.SongBin->click();
        QCOMPARE(test::listTexts(w.SongList), QStringList({"funk", "funk"}));

        bool asked = false;
        w.confirmLibraryDelete = [&] {
            asked = true;
            return false;
        };
        w.MusicLib->setCurrentRow(1);
        w.LibBin->click();
        QVERIFY(asked);
        QVERIFY(fs::exists(work() / "funk.pat"));
        w.confirmLibraryDelete = [] { return true; };
        w.LibBin->click();
        QVERIFY(!fs::exists(work() / "funk.pat"));
        QCOMPARE(test::listTexts(w.MusicLib), QStringList({"Bossa", "rock"}));
        QVERIFY(test::listTexts(w.SongList).isEmpty());
    }

    void rightClickEnlargesAndAnyPressRestores() {
        TSequence& w = *w_;
        for (QListWidget* list : {w.MusicLib, w.SongList}) {
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

QTEST_MAIN(SequenceLists)
#include "tst_sequence_lists.moc"
