// MainWindow: the pattern grid's view, the instrument list and the kit, and the menu commands that
// reach them (Insert instrument, Cell Jump, Pattern Grid Color).

#include "windows/main/MainWindow.h"

#include "windows/controls/GridColorDialog.h"
#include "windows/controls/Knob.h"
#include "windows/controls/OptionsWindow.h"
#include "windows/controls/PulseLight.h"
#include "windows/kits/KitListWindow.h"
#include "windows/main/PatternGridView.h"

#include <QAction>
#include <QComboBox>

namespace tamboro {

void MainWindow::buildGrid() {
    auto* grid = new PatternGridView(patternCells, editState, this);
    grid->setObjectName("patternGrid");
    grid->setGeometry(60, 168, 421, 281);
    grid->setInstrumentSource({
        [this] { return instrumentBox->currentText().toStdString(); },
        [this](const std::string& text) { return instruments.indexOf(text); },
        [this] { return instruments.lastKitIndex(); },
    });
    patternGrid = grid;
    // The channel switches and lights stand over the grid's header row.
    for (QWidget* w : channelSwitches)
        w->raise();
    for (PulseLight* w : pulseLights)
        w->raise();

    kitLibrary->fillInstrumentList = [this](const DrumKit& kit) { refillInstrumentList(kit); };
}

void MainWindow::refillInstrumentList(const DrumKit& kit) {
    instruments.fill(kit);
    instrumentBox->clear();
    instrumentBox->setEditText(QString());
    for (int i = 0; i < instruments.count(); ++i)
        instrumentBox->addItem(QString::fromStdString(instruments.entry(i)));
    instrumentBox->setEditText(QString());
    // The kit's name shows in the Kit List window's caption ("Kit List-Topkit").
    if (kitListWindow)
        kitListWindow->setWindowTitle(QString::fromStdString(kitLibrary->kitListCaption()));
}

std::uint32_t MainWindow::gridBackgroundColor() const {
    return bgrFromColor(patternGrid->backgroundColor());
}

std::uint32_t MainWindow::gridTextColor() const {
    return bgrFromColor(patternGrid->textColor());
}

void MainWindow::setGridColors(std::uint32_t background, std::uint32_t text) {
    patternGrid->setColors(colorFromBgr(background), colorFromBgr(text));
}

void MainWindow::attachKitList(KitListWindow* kitList) {
    kitListWindow = kitList;
    kitList->setKit(&kitLibrary->kit());
    kitList->setWindowTitle(QString::fromStdString(kitLibrary->kitListCaption()));
    // Start-up loaded the kit before this window existed; from now on every load repaints it.
    kitLibrary->deferKitListPaint = false;
    kitList->paintLabels();
    kitLibrary->paintKitList = [this] {
        if (auto* list = qobject_cast<KitListWindow*>(kitListWindow.data()))
            list->paintLabels();
    };
    connect(kitList, &KitListWindow::instrumentChosen, this, [this](const QString& name, int pan) {
        instrumentBox->setEditText(name);
        panKnob->setValue(pan);
    });
}

void MainWindow::insertInstrumentClicked() {
    patternGrid->insertInstrument();
}

void MainWindow::cellJumpClicked() {
    if (!optionsWindow)
        return;
    optionsWindow->show();
    optionsWindow->raise();
}

void MainWindow::patternGridColorClicked() {
    QColor background = patternGrid->backgroundColor();
    QColor text = patternGrid->textColor();
    if (GridColorDialog::editGridColors(this, background, text))
        patternGrid->setColors(background, text);
}

} // namespace tamboro
