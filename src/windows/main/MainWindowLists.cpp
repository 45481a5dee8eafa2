// MainWindow: the Pattern Library and Play List boxes: filling, sending to the Play List and back,
// reordering, the two bins and the enlarge-by-right-click of both lists.

#include "windows/main/MainWindow.h"

#include "common/Error.h"
#include "song/PatternLists.h"
#include "windows/controls/PictureButton.h"

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

void MainWindow::connectLists() {
    confirmLibraryDelete = [this] {
        return QMessageBox::question(
                   this, "!Are you sure you wish to delete?",
                   "This will delete this pattern from both Pattern Lib and Play List, Some Songs "
                   "that contain this pattern may not play, are you sure?",
                   QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) == QMessageBox::Ok;
    };
    connect(patternLibraryBox, &QListWidget::currentRowChanged, this,
            [this](int row) { patternLibrary.select(row); });
    connect(playListBox, &QListWidget::currentRowChanged, this, [this](int row) { playList.select(row); });
    connect(playListBox, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        playList.setChecked(playListBox->row(item), item->checkState() == Qt::Checked);
    });
    connect(patternLibraryBox, &QListWidget::itemDoubleClicked, this, [this] { sendToPlayListClicked(); });
    connect(sendToPlayListButton, &PictureButton::clicked, this, &MainWindow::sendToPlayListClicked);
    connect(backToLibraryButton, &PictureButton::clicked, this, &MainWindow::backToLibraryClicked);
    connect(playListBinButton, &PictureButton::clicked, this, &MainWindow::playListBinClicked);
    connect(libraryBinButton, &PictureButton::clicked, this, &MainWindow::libraryBinClicked);
    const auto arrows = playListArrows->findChildren<QToolButton*>();
    for (QToolButton* arrow : arrows)
        connect(arrow, &QToolButton::clicked, this,
                [this, arrow] { playListArrowClicked(arrow->arrowType() == Qt::UpArrow); });
    for (QListWidget* list : {patternLibraryBox, playListBox})
        new ListPressWatcher(list, [this, list](Qt::MouseButton b) { listMousePress(list, b); });
    for (QWidget* w :
         std::initializer_list<QWidget*>{patternLibraryBox, playListBox, playListArrows, sendToPlayListButton,
                                         backToLibraryButton, libraryBinButton, playListBinButton})
        w->setEnabled(true);
}

void MainWindow::showLibrary() {
    const QSignalBlocker block(patternLibraryBox);
    patternLibraryBox->clear();
    for (const std::string& name : patternLibrary.entries())
        patternLibraryBox->addItem(QString::fromStdString(name));
    patternLibraryBox->setCurrentRow(patternLibrary.selected());
}

void MainWindow::showPlayList() {
    const QSignalBlocker block(playListBox);
    playListBox->clear();
    for (const PlayListEntry& entry : playList.entries()) {
        auto* item = new QListWidgetItem(QString::fromStdString(entry.name), playListBox);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.checked ? Qt::Checked : Qt::Unchecked);
    }
    playListBox->setCurrentRow(playList.selected());
}

void MainWindow::replacePlayList(const std::vector<std::string>& names) {
    playList.clear();
    for (const std::string& name : names)
        playList.append(name);
    showPlayList();
}

void MainWindow::sendToPlayListClicked() {
    if (sendToPlayList(patternLibrary, playList))
        showPlayList();
}

void MainWindow::backToLibraryClicked() {
    moveBackToLibrary(playList, patternLibrary);
    showLibrary();
    showPlayList();
}

void MainWindow::playListArrowClicked(bool up) {
    if (up)
        playList.moveUp();
    else
        playList.moveDown();
    showPlayList();
}

void MainWindow::playListBinClicked() {
    playList.deleteChecked();
    showPlayList();
}

void MainWindow::libraryBinClicked() {
    if (!canDeleteFromLibrary(patternLibrary) || !confirmLibraryDelete())
        return;
    deleteFromLibrary(patternLibrary, playList, programDir);
    showLibrary();
    showPlayList();
}

void MainWindow::listMousePress(QListWidget* list, Qt::MouseButton button) {
    const bool enlarge = button == Qt::RightButton && list->height() == kListRestoredHeight;
    list->resize(list->width(), enlarge ? kListEnlargedHeight : kListRestoredHeight);
    if (enlarge)
        list->raise();
}

} // namespace tamboro
