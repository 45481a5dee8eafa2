#include "windows/main/KeyboardShortcuts.h"

#include <QAction>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace tamboro {

namespace {

QList<QKeySequence> seqs(std::initializer_list<QKeyCombination> keys) {
    QList<QKeySequence> out;
    for (QKeyCombination key : keys)
        out.append(QKeySequence(key));
    return out;
}

QList<QKeySequence> digitKeys() {
    QList<QKeySequence> out;
    for (int key = Qt::Key_1; key <= Qt::Key_9; ++key)
        out.append(QKeySequence(key));
    return out;
}

QList<QKeySequence> withModifier(Qt::KeyboardModifiers modifiers, std::initializer_list<Qt::Key> keys) {
    QList<QKeySequence> out;
    for (Qt::Key key : keys)
        out.append(QKeySequence(QKeyCombination(modifiers, key)));
    return out;
}

} // namespace

const std::vector<KeyBinding>& keyBindings() {
    static const std::vector<KeyBinding> table = {
        {KeyCommand::Undo, seqs({Qt::CTRL | Qt::Key_Z}), nullptr,
         "Undo the last edit (its name shows in the Edit menu)", false},
        {KeyCommand::Redo, seqs({Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y}), nullptr,
         "Redo the edit last undone", false},
        {KeyCommand::OpenSong, seqs({Qt::CTRL | Qt::Key_O}), nullptr, "Open Song", false},
        {KeyCommand::SaveSong, seqs({Qt::CTRL | Qt::Key_S}), nullptr, "Save Song", false},
        {KeyCommand::PlayOrStop, seqs({Qt::Key_Space}), nullptr,
         "Play the pattern, or stop what plays (Space in the grid places an instrument)", false},
        // Ctrl+= is the plus key without Shift on many keyboards.
        {KeyCommand::ZoomIn, seqs({Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal}), nullptr,
         "Zoom the main window in (View > Zoom)", false},
        {KeyCommand::ZoomOut, seqs({Qt::CTRL | Qt::Key_Minus}), nullptr, "Zoom the main window out", false},
        {KeyCommand::ZoomReset, seqs({Qt::CTRL | Qt::Key_0}), nullptr, "Main window at 100 %", false},
        {KeyCommand::TapTempo, seqs({Qt::Key_T}), nullptr,
         "Tap tempo: the BPM box takes the tempo of the last taps (the Practice panel shows it)", false},
        {KeyCommand::PracticePanel, seqs({Qt::CTRL | Qt::SHIFT | Qt::Key_P}), nullptr,
         "Show or hide the Practice panel (View > Practice, the metronome button)", false},
        {KeyCommand::MoveCursor,
         withModifier(Qt::NoModifier, {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right}), "Arrow keys",
         "Move the grid cursor", true},
        {KeyCommand::ExtendSelection,
         withModifier(Qt::ShiftModifier, {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right}),
         "Shift+Arrow keys", "Select a rectangle of cells", true},
        {KeyCommand::RowStartEnd, withModifier(Qt::NoModifier, {Qt::Key_Home, Qt::Key_End}), nullptr,
         "First or last channel of the row", true},
        {KeyCommand::FirstLastStep, withModifier(Qt::ControlModifier, {Qt::Key_Home, Qt::Key_End}), nullptr,
         "First or last step of the pattern", true},
        {KeyCommand::PatternLengthUp, seqs({Qt::Key_PageUp}), nullptr,
         "Move up by the pattern's length of steps", true},
        {KeyCommand::PatternLengthDown, seqs({Qt::Key_PageDown}), nullptr,
         "Move down by the pattern's length of steps", true},
        {KeyCommand::PlaceOrRemove, seqs({Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}), nullptr,
         "Place the current instrument in the cell, or remove it", true},
        {KeyCommand::SetLevel, digitKeys(), "1 … 9",
         "Set the cell's level (the Cell Jump moves the cursor on)", true},
        {KeyCommand::DeleteCells, seqs({Qt::Key_Delete}), nullptr, "Empty the selected cells", true},
        {KeyCommand::CopyCells, seqs({Qt::CTRL | Qt::Key_C}), nullptr, "Copy the selected cells", true},
        {KeyCommand::PasteCells, seqs({Qt::CTRL | Qt::Key_V}), nullptr,
         "Paste the copied cells at the cursor", true},
    };
    return table;
}

QList<QKeySequence> keysFor(KeyCommand command) {
    for (const KeyBinding& binding : keyBindings())
        if (binding.command == command)
            return binding.keys;
    return {};
}

std::optional<KeyCommand> gridCommandFor(const QKeyEvent& event) {
    // A digit or Enter on the keypad is the same key as on the main block.
    const QKeySequence pressed(
        QKeyCombination(event.modifiers() & ~Qt::KeypadModifier, Qt::Key(event.key())));
    for (const KeyBinding& binding : keyBindings())
        if (binding.gridOnly && binding.keys.contains(pressed))
            return binding.command;
    return std::nullopt;
}

void bindApplicationKeys(QAction& action, KeyCommand command, QWidget& window) {
    action.setShortcuts(keysFor(command));
    action.setShortcutContext(Qt::ApplicationShortcut);
    window.addAction(&action);
}

QString shortcutsTableHtml() {
    QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\">"
                                  "<tr><th align=\"left\">Keys</th><th align=\"left\">What they do</th>"
                                  "<th align=\"left\">Where</th></tr>");
    for (const KeyBinding& binding : keyBindings()) {
        QStringList keys;
        for (const QKeySequence& key : binding.keys)
            keys << key.toString(QKeySequence::NativeText);
        const QString keysText =
            binding.keysText ? QString::fromUtf8(binding.keysText) : keys.join(QStringLiteral(", "));
        html += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td><td>%3</td></tr>")
                    .arg(keysText.toHtmlEscaped(), QString::fromUtf8(binding.description).toHtmlEscaped(),
                         binding.gridOnly ? QStringLiteral("Pattern grid") : QStringLiteral("Any window"));
    }
    return html + QStringLiteral("</table>");
}

void showKeyboardShortcuts(QWidget* parent) {
    auto* window = new QDialog(parent);
    window->setObjectName("keyboardShortcutsWindow");
    window->setWindowTitle(QStringLiteral("Keyboard shortcuts"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(window);
    auto* table = new QLabel(shortcutsTableHtml(), window);
    table->setObjectName("keyboardShortcutsTable");
    table->setTextFormat(Qt::RichText);
    layout->addWidget(table);
    window->show();
}

} // namespace tamboro
