// MainWindow: the parts put together on the skin, in the order that stacks their controls as the
// skin shows them, and the signals between them.

#include "windows/main/MainWindow.h"

#include "app/MainWindowShape.h"
#include "windows/main/EditHistory.h"
#include "windows/main/MainMenus.h"
#include "windows/main/PatternBoxes.h"
#include "windows/main/PatternGridView.h"
#include "windows/main/PatternListsPanel.h"
#include "windows/main/TransportPanel.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>

namespace tamboro {

void MainWindow::buildParts() {
    backgroundImage_ = new QLabel(this);
    backgroundImage_->setObjectName("backgroundImage");
    backgroundImage_->setGeometry(0, 0, kMainClientWidth, kMainClientHeight);
    showBackground();
    backgroundImage_->installEventFilter(this);

    auto* lists = new PatternListsPanel(*this, state_.patternLibrary, state_.playList, state_.programDir);
    auto* transport = new TransportPanel(*this);
    auto* boxes = new PatternBoxes(*this, state_.patternCells, state_.editState);

    instrumentBox_ = new QComboBox(this);
    instrumentBox_->setObjectName("instrumentBox");
    instrumentBox_->setGeometry(148, 252, 101, 21);
    instrumentBox_->setEditable(true);
    instrumentBox_->hide();

    auto* menus = new MainMenus(*this);

    // The grid stands over everything made so far but for the channel switches and lights over its
    // header row.
    auto* grid = new PatternGridView(state_.patternCells, state_.editState, this);
    grid->setObjectName("patternGrid");
    grid->setGeometry(60, 168, 421, 281);
    grid->setInstrumentSource({
        [this] { return instrumentBox_->currentText().toStdString(); },
        [this](const std::string& text) { return state_.instruments.indexOf(text); },
        [this] { return state_.instruments.lastKitIndex(); },
    });
    transport->raiseOverGrid();

    parts_.emplace(MainWindowParts{*this, state_, *transport, *lists, *boxes, *grid, *menus, nullptr});
    // Every edit of the grid, the boxes and the lists goes through the undo history.
    auto* history = new EditHistory(*parts_);
    parts_->history = history;
    grid->setEditRunner(history->runner());
    boxes->setEditRunner(history->runner());
    lists->setEditRunner(history->runner());

    connect(boxes, &PatternBoxes::cellsChanged, grid, &PatternGridView::modelChanged);
    connect(transport, &TransportPanel::clearPatternClicked, this, &MainWindow::clearPatternClicked);
    // The instrument list's text is the current instrument that the audition and the grid use.
    connect(instrumentBox_, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { state_.instruments.setText(text.toStdString()); });
    state_.kitLibrary->fillInstrumentList = [this](const DrumKit& kit) { refillInstrumentList(kit); };
    connectWindowCommands();
}

void MainWindow::refillInstrumentList(const DrumKit& kit) {
    state_.instruments.fill(kit);
    instrumentBox_->clear();
    instrumentBox_->setEditText(QString());
    for (int i = 0; i < state_.instruments.count(); ++i)
        instrumentBox_->addItem(QString::fromStdString(state_.instruments.entry(i)));
    instrumentBox_->setEditText(QString());
    // The kit's name shows in the Kit List window's caption ("Kit List-Topkit").
    if (kitListWindow)
        kitListWindow->setWindowTitle(QString::fromStdString(state_.kitLibrary->kitListCaption()));
}

void MainWindow::setCurrentInstrument(const QString& name) {
    instrumentBox_->setEditText(name);
}

void MainWindow::clearPatternClicked() {
    state_.patternLines.clear();
    state_.songScript.clear();
    parts_->boxes.clearPattern();
}

} // namespace tamboro
