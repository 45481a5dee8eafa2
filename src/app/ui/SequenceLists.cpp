// TSequence: the Pattern Library and Play List boxes: filling, sending to the Play List and back,
// reordering, the two bins and the enlarge-by-right-click of both lists.

#include "app/ui/Sequence.h"

#include "app/PatternLists.h"
#include "common/Error.h"
#include "controls/ui/PictureButton.h"

#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QToolButton>

namespace tamboro {

namespace {

constexpr int kListRestoredHeight = 129;
constexpr int kListEnlargedHeight = 404;

// Watches a list box's presses (on its viewport) without taking them away from the list.
class ListPressWatcher : public QObject {
public:
    ListPressWatcher(QListWidget* list, std::function<void(Qt::MouseButton)> onPress)
        : QObject(list), onPress_(std::move(onPress)) {
        list->viewport()->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress)
            onPress_(static_cast<QMouseEvent*>(event)->button());
        return false;
    }

private:
    std::function<void(Qt::MouseButton)> onPress_;
};

} // namespace

void TSequence::connectLists() {
    confirmLibraryDelete = [this] {
        return QMessageBox::question(this, "!Are you sure you wish to delete?",
                                     "This will delete this pattern from both Pattern Lib and Play List, Some Songs "
                                     "that contain this pattern may not play, are you sure?",
                                     QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) == QMessageBox::Ok;
    };
    connect(MusicLib, &QListWidget::currentRowChanged, this, [this](int row) { Library.select(row); });
    connect(SongList, &QListWidget::currentRowChanged, this, [this](int row) { Songs.select(row); });
    connect(SongList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        Songs.setChecked(SongList->row(item), item->checkState() == Qt::Checked);
    });
    connect(MusicLib, &QListWidget::itemDoubleClicked, this, [this] { MusicLibDblClick(); });
    connect(btnToPatList, &PictureButton::clicked, this, &TSequence::MusicLibDblClick);
    connect(btnFromPatList, &PictureButton::clicked, this, &TSequence::btnFromPatListClick);
    connect(SongBin, &PictureButton::clicked, this, &TSequence::SongBinClick);
    connect(LibBin, &PictureButton::clicked, this, &TSequence::LibBinClick);
    const auto arrows = UpDown1->findChildren<QToolButton*>();
    for (QToolButton* arrow : arrows)
        connect(arrow, &QToolButton::clicked, this,
                [this, arrow] { UpDown1Click(arrow->arrowType() == Qt::UpArrow); });
    for (QListWidget* list : {MusicLib, SongList})
        new ListPressWatcher(list, [this, list](Qt::MouseButton b) { listMousePress(list, b); });
    for (QWidget* w : std::initializer_list<QWidget*>{MusicLib, SongList, UpDown1, btnToPatList, btnFromPatList,
                                                      LibBin, SongBin})
        w->setEnabled(true);
}

void TSequence::showLibrary() {
    const QSignalBlocker block(MusicLib);
    MusicLib->clear();
    for (const std::string& name : Library.entries())
        MusicLib->addItem(QString::fromStdString(name));
    MusicLib->setCurrentRow(Library.selected());
}

void TSequence::showPlayList() {
    const QSignalBlocker block(SongList);
    SongList->clear();
    for (const PlayListEntry& entry : Songs.entries()) {
        auto* item = new QListWidgetItem(QString::fromStdString(entry.name), SongList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.checked ? Qt::Checked : Qt::Unchecked);
    }
    SongList->setCurrentRow(Songs.selected());
}

void TSequence::replacePlayList(const std::vector<std::string>& names) {
    Songs.clear();
    for (const std::string& name : names)
        Songs.append(name);
    showPlayList();
}

void TSequence::MusicLibDblClick() {
    if (SendToPlayList(Library, Songs))
        showPlayList();
}

void TSequence::btnFromPatListClick() {
    MoveBackToLibrary(Songs, Library);
    showLibrary();
    showPlayList();
}

void TSequence::UpDown1Click(bool up) {
    if (up)
        Songs.moveUp();
    else
        Songs.moveDown();
    showPlayList();
}

void TSequence::SongBinClick() {
    Songs.deleteChecked();
    showPlayList();
}

void TSequence::LibBinClick() {
    if (!CanDeleteFromLibrary(Library) || !confirmLibraryDelete())
        return;
    DeleteFromLibrary(Library, Songs, ProgramDir);
    showLibrary();
    showPlayList();
}

void TSequence::listMousePress(QListWidget* list, Qt::MouseButton button) {
    const bool enlarge = button == Qt::RightButton && list->height() == kListRestoredHeight;
    list->resize(list->width(), enlarge ? kListEnlargedHeight : kListRestoredHeight);
    if (enlarge)
        list->raise();
}

} // namespace tamboro
