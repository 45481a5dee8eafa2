#pragma once
// The parts the main window is made of, as its sound layer and its commands see them: the state it
// edits and the parts that own its controls. The window keeps its controls to itself; whoever
// wires into it works through these.

class QWidget;

namespace tamboro {

class EditHistory;
class MainMenus;
class PatternBoxes;
class PatternGridView;
class PatternListsPanel;
class TransportPanel;
struct MainWindowState;

struct MainWindowParts {
    // The window itself, as the parent of dialogs and message boxes.
    QWidget& window;
    MainWindowState& state;
    TransportPanel& transport;
    PatternListsPanel& lists;
    PatternBoxes& boxes;
    PatternGridView& grid;
    MainMenus& menus;
    // The undo history; the window makes it right after its parts.
    EditHistory* history;
};

} // namespace tamboro
