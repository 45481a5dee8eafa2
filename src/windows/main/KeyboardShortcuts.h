#pragma once
// Every key the program answers, in one table: the keys that work from any of its windows
// (undo, redo, open and save a song, play and stop, zoom, tap tempo, the practice panel) and the keys of the
// pattern grid. The menus' actions and the grid take their keys from here, and Help > Keyboard shortcuts
// lists this table, so what the help says is what the keys do.

#include <QKeySequence>
#include <QList>
#include <QString>

#include <optional>
#include <vector>

class QAction;
class QKeyEvent;
class QWidget;

namespace tamboro {

enum class KeyCommand {
    // From any window.
    Undo,
    Redo,
    OpenSong,
    SaveSong,
    PlayOrStop,
    ZoomIn,
    ZoomOut,
    ZoomReset,
    TapTempo,
    PracticePanel,
    // In the pattern grid.
    MoveCursor,
    ExtendSelection,
    RowStartEnd,
    FirstLastStep,
    PatternLengthUp,
    PatternLengthDown,
    PlaceOrRemove,
    SetLevel,
    DeleteCells,
    CopyCells,
    PasteCells,
};

struct KeyBinding {
    KeyCommand command;
    QList<QKeySequence> keys;
    // How the help names the keys when the list is not the whole story ("1 … 9").
    const char* keysText;
    const char* description;
    bool gridOnly;
};

const std::vector<KeyBinding>& keyBindings();
QList<QKeySequence> keysFor(KeyCommand command);

// The grid command a key press asks for, if any (keypad digits count as digits).
std::optional<KeyCommand> gridCommandFor(const QKeyEvent& event);

// Gives `action` the keys of `command`, working from every window of the program (the action
// joins `window`, whose shortcuts the application watches).
void bindApplicationKeys(QAction& action, KeyCommand command, QWidget& window);

// The table as the help window shows it: one row per binding, keys and what they do.
QString shortcutsTableHtml();

// Help > Keyboard shortcuts: a window with the table.
void showKeyboardShortcuts(QWidget* parent);

} // namespace tamboro
