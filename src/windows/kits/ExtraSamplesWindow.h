#pragma once
// ExtraSamplesWindow, the Extra samples window: a shaped side panel left of the main window with one button
// per extra sample, in groups of four, and the active sample's number. Choosing a button makes
// that sample the current instrument and opens the sample editor on it; a WAV file dropped on a
// button opens into that sample. The panel is dragged
// sideways by its background and snaps back beside the main window.

#include "kits/ExtraSamplesPanel.h"
#include "windows/kits/SidePanelWindow.h"

#include <QPointer>

#include <filesystem>
#include <vector>

class QLabel;
class QPushButton;
class QScrollArea;

namespace tamboro {

class SampleEditorWindow;

class ExtraSamplesWindow : public SidePanelWindow {
    Q_OBJECT
public:
    // `mainWindow` is the window the panel stands beside (its left edge − 92, top edge + 67).
    explicit ExtraSamplesWindow(QWidget* mainWindow = nullptr, QWidget* parent = nullptr);

    // The editor that choosing a sample opens; its "&Open" captions the buttons here.
    void setSampleEditor(SampleEditorWindow* editor);

    // Sample button click: the active number shows n, "Sample<n>" becomes the current instrument,
    // and the editor opens on sample n.
    void selectSample(int n);
    // A sample button took the keyboard focus: only the active number follows.
    void showActiveNumber(int n);
    // Button n (1..32) shows `caption`.
    void setButtonCaption(int n, const QString& caption);
    // A WAV file dropped on button n: sample n is chosen, as a click does, and the editor opens the
    // file into it, as its "&Open" does.
    void openDroppedWave(int n, const std::filesystem::path& file);

    // ---- Controls. ------------------------------------------------------------------------------
    QLabel* activeSampleCaption;             // "Active Sample"
    QLabel* activeNumber;                    // the active sample's number
    QScrollArea* sampleButtonBox;            // holds the buttons
    std::vector<QPushButton*> sampleButtons; // in sample order, sampleButtons[n - 1] is sample n
    std::vector<QLabel*> numberLabels;

signals:
    // The main window's current instrument becomes `name` ("Sample<n>").
    void instrumentChosen(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildButtons(QWidget* panel);

    QPointer<SampleEditorWindow> editor_;
};

} // namespace tamboro
