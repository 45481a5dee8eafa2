#include "windows/main/EditHistory.h"

#include "windows/main/KeyboardShortcuts.h"
#include "windows/main/MainMenus.h"
#include "windows/main/MainWindowState.h"
#include "windows/main/PatternBoxes.h"
#include "windows/main/PatternGridView.h"
#include "windows/main/PatternListsPanel.h"
#include "windows/main/TransportPanel.h"

#include <QAction>
#include <QUndoCommand>

#include <optional>
#include <utility>

namespace tamboro {

namespace {

// Steps that join a step of the same name before them share this id.
constexpr int kJoiningStepId = 1;

template <class T> struct Change {
    T before{}, after{};
    bool changed() const { return !(before == after); }
};

} // namespace

// One undo step: what the edit changed, put back by undo and again by redo.
class EditStep : public QUndoCommand {
public:
    EditStep(EditHistory& history, const QString& text, bool joins, GridChange grid,
             std::optional<Change<ListsSnapshot>> lists, Change<int> bpm, Change<int> loops)
        : QUndoCommand(text), history_(history), joins_(joins), grid_(std::move(grid)),
          lists_(std::move(lists)), bpm_(bpm), loops_(loops) {}

    int id() const override { return joins_ ? kJoiningStepId : -1; }

    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const EditStep*>(other);
        if (next->text() != text())
            return false;
        grid_ = mergeGridChanges(grid_, next->grid_);
        if (next->lists_) {
            if (lists_)
                lists_->after = next->lists_->after;
            else
                lists_ = next->lists_;
        }
        bpm_.after = next->bpm_.after;
        loops_.after = next->loops_.after;
        // A name typed and typed back, a tempo turned and turned back: nothing left to undo.
        setObsolete(grid_.empty() && (!lists_ || sameEntries(lists_->before, lists_->after)) &&
                    !bpm_.changed() && !loops_.changed());
        return true;
    }

    // The edit itself already made the change when the step is pushed.
    void redo() override {
        if (pushed_)
            put(true);
        pushed_ = true;
    }
    void undo() override { put(false); }

private:
    void put(bool redo) {
        MainWindowParts& w = history_.window_;
        history_.restoring_ = true;
        applyGridChange(w.state.patternCells, grid_, redo);
        if (lists_) {
            const ListsSnapshot& lists = redo ? lists_->after : lists_->before;
            w.state.patternLibrary = lists.library;
            w.state.playList = lists.playList;
        }
        if (bpm_.changed())
            w.transport.setBpm(redo ? bpm_.after : bpm_.before);
        if (loops_.changed())
            w.boxes.setLoops(redo ? loops_.after : loops_.before);
        history_.showRestored(!grid_.empty(), lists_.has_value());
        if (grid_.endRowBefore != grid_.endRowAfter)
            emit w.boxes.laidOut(w.state.patternCells.endRow());
        history_.restoring_ = false;
        history_.rememberBoxes();
    }

    EditHistory& history_;
    bool joins_;
    bool pushed_ = false;
    GridChange grid_;
    std::optional<Change<ListsSnapshot>> lists_;
    Change<int> bpm_, loops_;
};

EditHistory::EditHistory(const MainWindowParts& window) : QObject(&window.window), window_(window) {
    stack_.setUndoLimit(kDepth);
    const MainMenus::Actions& menu = window_.menus.actions();
    connect(menu.undo, &QAction::triggered, this, &EditHistory::undo);
    connect(menu.redo, &QAction::triggered, this, &EditHistory::redo);
    // The keys work from every window of the program, not just while the main window has focus.
    bindApplicationKeys(*menu.undo, KeyCommand::Undo, window_.window);
    bindApplicationKeys(*menu.redo, KeyCommand::Redo, window_.window);
    menu.undo->setEnabled(false);
    menu.redo->setEnabled(false);
    connect(&stack_, &QUndoStack::canUndoChanged, menu.undo, &QAction::setEnabled);
    connect(&stack_, &QUndoStack::canRedoChanged, menu.redo, &QAction::setEnabled);
    connect(&stack_, &QUndoStack::undoTextChanged, menu.undo, [action = menu.undo](const QString& text) {
        action->setText(text.isEmpty() ? QStringLiteral("Undo") : QStringLiteral("Undo ") + text);
    });
    connect(&stack_, &QUndoStack::redoTextChanged, menu.redo, [action = menu.redo](const QString& text) {
        action->setText(text.isEmpty() ? QStringLiteral("Redo") : QStringLiteral("Redo ") + text);
    });

    // Changes the boxes report after they happened. The knob's turn reaches the BPM box through
    // the sound layer, so its step is taken once that has run.
    connect(&window_.transport, &TransportPanel::bpmChanged, this,
            [this] { boxChanged(QStringLiteral("Change tempo")); });
    connect(
        &window_.transport, &TransportPanel::tempoKnobTurned, this,
        [this] { boxChanged(QStringLiteral("Change tempo")); }, Qt::QueuedConnection);
    connect(&window_.boxes, &PatternBoxes::loopsEdited, this,
            [this] { boxChanged(QStringLiteral("Change loops")); });
    connect(&window_.boxes, &PatternBoxes::nameEdited, this,
            [this] { boxChanged(QStringLiteral("Rename pattern")); });
    rememberBoxes();
}

EditState EditHistory::capture() const {
    const MainWindowState& s = window_.state;
    return EditState{s.patternCells, ListsSnapshot{s.patternLibrary, s.playList}, window_.transport.bpm(),
                     window_.boxes.loops()};
}

void EditHistory::rememberBoxes() {
    knownBpm_ = window_.transport.bpm();
    knownLoops_ = window_.boxes.loops();
    knownName_ = window_.state.patternCells.name();
}

void EditHistory::startFresh() {
    stack_.clear();
    rememberBoxes();
}

void EditHistory::runUnrecorded(const std::function<void()>& change) {
    const bool was = restoring_;
    restoring_ = true;
    change();
    restoring_ = was;
    rememberBoxes();
}

EditRunner EditHistory::runner() {
    return [this](const QString& name, const std::function<void()>& edit, bool joins) {
        perform(name, edit, joins);
    };
}

void EditHistory::perform(const QString& name, const std::function<void()>& edit, bool joinsPrevious) {
    if (restoring_ || depth_ > 0) {
        edit();
        return;
    }
    const EditState before = capture();
    auto record = [&] {
        const EditState after = capture();
        std::optional<Change<ListsSnapshot>> lists;
        if (!sameEntries(before.lists, after.lists))
            lists = Change<ListsSnapshot>{before.lists, after.lists};
        GridChange grid = diffGrids(before.grid, after.grid);
        const Change<int> bpm{before.bpm, after.bpm}, loops{before.loops, after.loops};
        rememberBoxes();
        if (grid.empty() && !lists && !bpm.changed() && !loops.changed())
            return;
        stack_.push(new EditStep(*this, name, joinsPrevious, std::move(grid), std::move(lists), bpm, loops));
    };
    ++depth_;
    try {
        edit();
    } catch (...) {
        // Whatever the edit changed before it failed is still one step back.
        --depth_;
        record();
        throw;
    }
    --depth_;
    record();
}

void EditHistory::boxChanged(const QString& name) {
    if (restoring_ || depth_ > 0)
        return;
    const int bpm = window_.transport.bpm();
    const int loops = window_.boxes.loops();
    const std::string& nameCell = window_.state.patternCells.name();
    if (bpm == knownBpm_ && loops == knownLoops_ && nameCell == knownName_)
        return;
    GridChange grid;
    grid.rowCountBefore = grid.rowCountAfter = window_.state.patternCells.rowCount();
    grid.endRowBefore = grid.endRowAfter = window_.state.patternCells.endRow();
    if (nameCell != knownName_)
        grid.cells.push_back(CellChange{0, 0, knownName_, nameCell});
    const Change<int> bpmChange{knownBpm_, bpm}, loopsChange{knownLoops_, loops};
    rememberBoxes();
    stack_.push(new EditStep(*this, name, true, std::move(grid), std::nullopt, bpmChange, loopsChange));
}

void EditHistory::showRestored(bool gridChanged, bool listsChanged) {
    if (gridChanged) {
        window_.grid.modelChanged();
        window_.boxes.setPatternName(QString::fromStdString(window_.state.patternCells.name()));
        // The grid no longer holds what was last saved or loaded.
        window_.state.editState.patternChanged = true;
    }
    if (listsChanged) {
        window_.lists.showLibrary();
        window_.lists.showPlayList();
    }
}

} // namespace tamboro
