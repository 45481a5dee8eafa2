#pragma once
// KitListWindow, the Kit List window: a narrow shaped side panel beside the main window that lists the
// current kit's instruments by display name. Clicking a name makes it the current instrument (the
// main window takes it through instrumentChosen). The panel is dragged sideways by its background
// within a fixed band and snaps back into it.
//
// Wiring from the main window: after each kit load call setKit(&kit) and paintLabels() (unless the
// load was deferred at start-up; the constructor paints when given a kit), set the caption with
// setWindowTitle(kitListCaption()), connect instrumentChosen to set the instrument list's text and
// the Panning knob, and call scrollLabelsToTop() after "Drum Kit Library".

#include "kits/KitListPanel.h"
#include "windows/kits/SidePanelWindow.h"

#include <vector>

class QLabel;
class QScrollArea;

namespace tamboro {

class DrumKit;

class KitListWindow : public SidePanelWindow {
    Q_OBJECT
public:
    // `mainWindow` is the window the panel stands beside (its left edge + 508, top edge + 68);
    // `kit` the main kit whose instruments it lists (may be set later with setKit).
    explicit KitListWindow(QWidget* mainWindow = nullptr, const DrumKit* kit = nullptr,
                           QWidget* parent = nullptr);

    // The kit the labels show; it must outlive the window or be replaced before it goes.
    void setKit(const DrumKit* kit);
    // Rebuilds the label box and one label per kit instrument (items 1 and on); the selection
    // mark is lost with the old labels.
    void paintLabels();
    // Label k clicked: clears every mark, announces kit item k + 1 with its Pan, marks label k red.
    void selectInstrument(int k);
    // Resets the label box's vertical scroll bar (8 pixels wide, tracking) to the top.
    void scrollLabelsToTop();

    // The index of the marked label, or -1.
    int selectedLabel() const { return selected_; }

    // ---- Controls. ------------------------------------------------------------------------------
    QWidget* labelPanel;                   // holds the label box
    QScrollArea* labelBox = nullptr;       // rebuilt by paintLabels
    std::vector<QLabel*> instrumentLabels; // label k stands for kit item k + 1

signals:
    // The current instrument becomes `name` (the kit item's stored name); the Panning knob takes
    // `pan`, that item's Pan.
    void instrumentChosen(const QString& name, int pan);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void markLabel(QLabel* label, bool selected);

    const DrumKit* kit_ = nullptr;
    int selected_ = -1;
};

} // namespace tamboro
