// TSequence: the pattern grid's view, the instrument list and the kit, and the menu commands that
// reach them (Insert instrument, Cell Jump, Pattern Grid Color).

#include "app/ui/Sequence.h"

#include "app/ui/PatternGridView.h"
#include "controls/ui/Pulse.h"
#include "controls/ui/GridColorDialog.h"
#include "controls/ui/BJKnob.h"
#include "controls/ui/OptionsWindow.h"
#include "kits/ui/KitList.h"

#include <QAction>
#include <QComboBox>

namespace tamboro {

void TSequence::buildGrid() {
    auto* grid = new PatternGridView(Grid, EditState, this);
    grid->setObjectName("StringGrid1");
    grid->setGeometry(60, 168, 421, 281);
    grid->setInstrumentSource({
        [this] { return lstKitList->currentText().toStdString(); },
        [this](const std::string& text) { return Instruments.indexOf(text); },
        [this] { return Instruments.lastKitIndex(); },
    });
    StringGrid1 = grid;
    // The channel switches and lights stand over the grid's header row.
    for (QWidget* w : btnCH)
        w->raise();
    for (TPulse* w : Pulse)
        w->raise();

    DrumLibrary->fillInstrumentList = [this](const TWaveCollection& kit) { refillInstrumentList(kit); };
}

void TSequence::refillInstrumentList(const TWaveCollection& kit) {
    Instruments.fill(kit);
    lstKitList->clear();
    lstKitList->setEditText(QString());
    for (int i = 0; i < Instruments.count(); ++i)
        lstKitList->addItem(QString::fromStdString(Instruments.entry(i)));
    lstKitList->setEditText(QString());
    // The kit's name shows in the Kit List window's caption ("Kit List-Topkit").
    if (KitListWindow)
        KitListWindow->setWindowTitle(QString::fromStdString(DrumLibrary->kitListCaption()));
}

std::uint32_t TSequence::gridBackgroundColor() const { return tColorFromColor(StringGrid1->backgroundColor()); }

std::uint32_t TSequence::gridTextColor() const { return tColorFromColor(StringGrid1->textColor()); }

void TSequence::setGridColors(std::uint32_t background, std::uint32_t text) {
    StringGrid1->setColors(colorFromTColor(background), colorFromTColor(text));
}

void TSequence::attachKitList(TKit_List* kitList) {
    KitListWindow = kitList;
    kitList->setKit(&DrumLibrary->kit());
    kitList->setWindowTitle(QString::fromStdString(DrumLibrary->kitListCaption()));
    // Start-up loaded the kit before this window existed; from now on every load repaints it.
    DrumLibrary->DeferKitListPaint = false;
    kitList->PaintLabels();
    DrumLibrary->paintKitList = [this] {
        if (auto* list = qobject_cast<TKit_List*>(KitListWindow.data()))
            list->PaintLabels();
    };
    connect(kitList, &TKit_List::instrumentChosen, this, [this](const QString& name, int pan) {
        lstKitList->setEditText(name);
        Panning->setValue(pan);
    });
}

void TSequence::Insertinstrument1Click() { StringGrid1->insertInstrument(); }

void TSequence::CellJump1Click() {
    if (!OptionsWindow)
        return;
    OptionsWindow->show();
    OptionsWindow->raise();
}

void TSequence::PatternGridColor1Click() {
    QColor background = StringGrid1->backgroundColor();
    QColor text = StringGrid1->textColor();
    if (TGridColor::editGridColors(this, background, text))
        StringGrid1->setColors(background, text);
}

} // namespace tamboro
