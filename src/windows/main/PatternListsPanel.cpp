#include "windows/main/PatternListsPanel.h"

#include "common/Error.h"
#include "song/PatternLists.h"
#include "windows/controls/PictureButton.h"
#include "windows/main/SkinControls.h"
#include "windows/main/WindowZoom.h"

#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace tamboro {

namespace {

constexpr int kListRestoredHeight = 129;
constexpr int kListEnlargedHeight = 404;

// The check boxes get a light edge of their own: the style's black-on-black box could not be seen.
const char* const kListStyle =
    "QListWidget { background: #0c0e12; color: #d6dee8; border: 1px solid #000; selection-background-color: "
    "#ff8a1f; selection-color: #000; }"
    "QListWidget::indicator { width: 9px; height: 9px; border: 1px solid #d6dee8; background: #0c0e12; }"
    "QListWidget::indicator:checked { background: #ff8a1f; }";

// Never wider than the list, so that a long name ends in "…" instead of running out of sight;
// the whole name is the entry's tooltip.
class ElidingDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (const auto* view = qobject_cast<const QAbstractItemView*>(option.widget))
            size.setWidth(std::min(size.width(), view->viewport()->width()));
        return size;
    }
};

} // namespace

PatternListsPanel::PatternListsPanel(QWidget& surface, PatternLibrary& library, PlayList& playList,
                                     std::filesystem::path programDir)
    : QObject(&surface), library_(library), playList_(playList), programDir_(std::move(programDir)) {
    QWidget* s = &surface;
    skinCaption(s, "Pattern Library", 120, 24, "#d6dee8");
    skinCaption(s, "Play List", 288, 24, "#d6dee8");

    libraryBox_ = new QListWidget(s);
    libraryBox_->setObjectName("patternLibraryBox");
    libraryBox_->setGeometry(102, 42, 125, 123);
    playListBox_ = new QListWidget(s);
    playListBox_->setObjectName("playListBox");
    playListBox_->setGeometry(254, 40, 125, 125);
    for (QListWidget* list : {libraryBox_, playListBox_}) {
        list->setStyleSheet(kListStyle);
        list->setItemDelegate(new ElidingDelegate(list));
        list->setTextElideMode(Qt::ElideRight);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }

    auto* sendButton = skinButton(s, "sendToPlayList", 222, 60, QString());
    auto* backButton = skinButton(s, "backToLibrary", 222, 96, QString());

    auto* arrows = new QWidget(s);
    arrows->setObjectName("playListArrows");
    arrows->setGeometry(380, 44, 16, 49);
    auto* column = new QVBoxLayout(arrows);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    for (Qt::ArrowType arrow : {Qt::UpArrow, Qt::DownArrow}) {
        auto* b = new QToolButton(arrows);
        b->setArrowType(arrow);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        column->addWidget(b);
        connect(b, &QToolButton::clicked, this,
                [this, arrow] { playListArrowClicked(arrow == Qt::UpArrow); });
    }

    auto* libraryBin = skinButton(s, "libraryBin", 68, 132, "Delete from pattern library");
    auto* playListBin = skinButton(s, "playListBin", 376, 132, "Delete checked from play list");
    // The picture buttons draw over the lists' edges, as on the skin.
    for (PictureButton* b : {sendButton, backButton, libraryBin, playListBin})
        b->raise();

    confirmLibraryDelete = [s] {
        return QMessageBox::question(
                   s, "!Are you sure you wish to delete?",
                   "This will delete this pattern from both Pattern Lib and Play List, Some Songs "
                   "that contain this pattern may not play, are you sure?",
                   QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) == QMessageBox::Ok;
    };
    showProblem = [s](const QString& message) {
        QMessageBox::warning(s, QStringLiteral("Tamboro"), message);
    };
    connect(libraryBox_, &QListWidget::currentRowChanged, this, [this](int row) { library_.select(row); });
    connect(playListBox_, &QListWidget::currentRowChanged, this, [this](int row) { playList_.select(row); });
    connect(playListBox_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const bool checked = item->checkState() == Qt::Checked;
        runEdit(editRunner_,
                checked ? QStringLiteral("Tick Play List entry") : QStringLiteral("Untick Play List entry"),
                [&] { playList_.setChecked(playListBox_->row(item), checked); });
    });
    connect(libraryBox_, &QListWidget::itemDoubleClicked, this, [this] { sendToPlayListClicked(); });
    connect(sendButton, &PictureButton::clicked, this, &PatternListsPanel::sendToPlayListClicked);
    connect(backButton, &PictureButton::clicked, this, &PatternListsPanel::backToLibraryClicked);
    connect(playListBin, &PictureButton::clicked, this, &PatternListsPanel::playListBinClicked);
    connect(libraryBin, &PictureButton::clicked, this, &PatternListsPanel::libraryBinClicked);
    // The presses are watched without taking them away from the lists.
    for (QListWidget* list : {libraryBox_, playListBox_})
        list->viewport()->installEventFilter(this);
}

bool PatternListsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        for (QListWidget* list : {libraryBox_, playListBox_})
            if (watched == list->viewport())
                listPressed(list, button);
        // The list selects the entry under the pointer as it handles this press; the signal
        // follows once the press is done.
        if (watched == playListBox_->viewport() && (button == Qt::LeftButton || button == Qt::MiddleButton))
            QTimer::singleShot(0, this, &PatternListsPanel::playListEntryPressed);
    }
    return QObject::eventFilter(watched, event);
}

void PatternListsPanel::showLibrary() {
    const QSignalBlocker block(libraryBox_);
    libraryBox_->clear();
    for (const std::string& name : library_.entries()) {
        auto* item = new QListWidgetItem(QString::fromStdString(name), libraryBox_);
        item->setToolTip(item->text());
    }
    libraryBox_->setCurrentRow(library_.selected());
}

void PatternListsPanel::showPlayList() {
    const QSignalBlocker block(playListBox_);
    playListBox_->clear();
    for (const PlayListEntry& entry : playList_.entries()) {
        auto* item = new QListWidgetItem(QString::fromStdString(entry.name), playListBox_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setToolTip(item->text());
        item->setCheckState(entry.checked ? Qt::Checked : Qt::Unchecked);
    }
    playListBox_->setCurrentRow(playList_.selected());
}

void PatternListsPanel::replacePlayList(const std::vector<std::string>& names) {
    runEdit(editRunner_, QStringLiteral("Replace Play List"), [&] {
        playList_.clear();
        for (const std::string& name : names)
            playList_.append(name);
    });
    showPlayList();
}

int PatternListsPanel::playListRow() const {
    return playListBox_->currentRow();
}

std::optional<std::string> PatternListsPanel::playListEntry(int row) const {
    if (row < 0 || row >= playListBox_->count())
        return std::nullopt;
    return playListBox_->item(row)->text().toStdString();
}

void PatternListsPanel::selectPlayListRow(int row) {
    playListBox_->setCurrentRow(row);
}

void PatternListsPanel::sendToPlayListClicked() {
    bool sent = false;
    runEdit(editRunner_, QStringLiteral("Send to Play List"),
            [&] { sent = sendToPlayList(library_, playList_); });
    if (sent)
        showPlayList();
}

void PatternListsPanel::backToLibraryClicked() {
    try {
        // Refuses names that could leave the program folder; the lists stay as they were.
        runEdit(editRunner_, QStringLiteral("Move back to library"),
                [this] { moveBackToLibrary(playList_, library_); });
    } catch (const Error& e) {
        if (showProblem)
            showProblem(QString::fromStdString(e.what()));
        return;
    }
    showLibrary();
    showPlayList();
}

void PatternListsPanel::playListArrowClicked(bool up) {
    runEdit(editRunner_,
            up ? QStringLiteral("Move up in Play List") : QStringLiteral("Move down in Play List"),
            [this, up] {
                if (up)
                    playList_.moveUp();
                else
                    playList_.moveDown();
            });
    showPlayList();
}

void PatternListsPanel::playListBinClicked() {
    runEdit(editRunner_, QStringLiteral("Delete checked from Play List"),
            [this] { playList_.deleteChecked(); });
    showPlayList();
}

void PatternListsPanel::libraryBinClicked() {
    if (!canDeleteFromLibrary(library_) || !confirmLibraryDelete())
        return;
    // Undoing puts the name back in both lists; the pattern file stays deleted.
    runEdit(editRunner_, QStringLiteral("Delete pattern (file stays deleted)"),
            [this] { deleteFromLibrary(library_, playList_, programDir_); });
    showLibrary();
    showPlayList();
}

void PatternListsPanel::listPressed(QListWidget* list, Qt::MouseButton button) {
    const int restored = zoomed(kListRestoredHeight, *list);
    const bool enlarge = button == Qt::RightButton && list->height() == restored;
    list->resize(list->width(), enlarge ? zoomed(kListEnlargedHeight, *list) : restored);
    if (enlarge)
        list->raise();
}

} // namespace tamboro
