#pragma once
// The main window's undo history: every grid edit, every pattern box change (name, Time/Bar,
// loops, tempo) and every Pattern Library and Play List change becomes one step of a QUndoStack.
// A step keeps what the edit changed (song/EditSnapshots: the grid's changed cells, the lists
// whole, the tempo and loops) and puts it back either way; it never runs the edit's rules again
// and never touches a file. Steps whose edit wrote or deleted a file say so in their name
// ("Delete pattern (file stays deleted)").

#include "song/EditSnapshots.h"
#include "windows/main/EditRunner.h"
#include "windows/main/MainWindowParts.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <functional>

namespace tamboro {

// The state an undo step can put back.
struct EditState {
    PatternGrid grid;
    ListsSnapshot lists;
    int bpm = 0;
    int loops = 0;
};

class EditHistory : public QObject {
    Q_OBJECT
public:
    // More than the 200 steps a user may want to walk back.
    static constexpr int kDepth = 500;

    // Watches the parts of `window` (owned by its window); the Edit menu's Undo and Redo items
    // follow the stack.
    explicit EditHistory(const MainWindowParts& window);

    // Runs `edit` as one step called `name`; no step when it changed nothing. An edit run inside
    // another is part of the outer step. A step marked `joinsPrevious` joins the step before it
    // when that has the same name (typing a name, turning the tempo).
    void perform(const QString& name, const std::function<void()>& edit, bool joinsPrevious = false);
    // The runner the window's parts take (see EditRunner.h).
    EditRunner runner();

    // Runs a change that is no user's edit (a render showing its last pattern) without a step.
    void runUnrecorded(const std::function<void()>& change);
    // Forgets every step and takes the window's present state as the start (after start-up).
    void startFresh();

    void undo() { stack_.undo(); }
    void redo() { stack_.redo(); }
    QUndoStack& stack() { return stack_; }

private:
    friend class EditStep;
    EditState capture() const;
    // Shows a state an undo or redo put back in every control, without recording it again.
    void showRestored(bool gridChanged, bool listsChanged);
    // A box changed outside perform (the BPM box or knob, the loops box, the name typed): one
    // step from the value the last step left to the one it shows now, joining a step before it
    // of the same name.
    void boxChanged(const QString& name);
    void rememberBoxes();

    MainWindowParts window_;
    QUndoStack stack_;
    int depth_ = 0;
    bool restoring_ = false;
    // The tempo, loops and pattern name as the last step left them.
    int knownBpm_ = 0, knownLoops_ = 0;
    std::string knownName_;
};

} // namespace tamboro
