#pragma once
// The kit maker window ("Kit maker"): one row per instrument (radio button, name box, "..."), a
// toolbar to audition the selected row, add a row and save the kit. The document lives in
// KitMaker; this window shows its rows and asks for files.

#include "kits/KitMaker.h"

#include <QWidget>

#include <functional>
#include <vector>

class QLineEdit;
class QRadioButton;
class QScrollArea;
class QToolButton;
class QButtonGroup;

namespace tamboro {

class KitMakerWindow : public QWidget {
    Q_OBJECT
public:
    explicit KitMakerWindow(QWidget* parent = nullptr);

    // How the window asks for files; tests replace these. Each returns an empty path when cancelled.
    std::function<std::filesystem::path(const std::filesystem::path& startDir)> chooseWavFile;
    std::function<std::filesystem::path(const std::filesystem::path& startDir)> chooseKitFile;
    // Asks for a kit to import (a drumkit.xml, a .h2drumkit archive or an .sfz file).
    std::function<std::filesystem::path(const std::filesystem::path& startDir)> chooseImportSource;
    // Plays a WAV file through the maker's own player. While unset, "Listen" is disabled.
    std::function<void(const std::filesystem::path& wavFile)> audition;
    // Shows a notice or an error; tests replace it.
    std::function<void(const QString& text, bool isError)> notify;

    // Builds the rows from the main window's instrument list (`buildRows`): one row per
    // instrument of a kit of `mainKitCount` items.
    void buildRows(const std::vector<std::string>& instrumentList, int mainKitCount);
    // Fills the maker's own kit from the main kit (see KitMaker::prepareKit).
    void fillFromMainKit(const DrumKit& mainKit, const std::vector<std::string>& instrumentList,
                         const std::filesystem::path& programDir, bool templateCurrentKit);

    void setAuditionAvailable(bool available);

    KitMaker& maker() { return maker_; }
    int rowCount() const { return static_cast<int>(nameEdits_.size()); }
    QLineEdit* nameEdit(int row) const { return nameEdits_.at(static_cast<std::size_t>(row)); }
    QRadioButton* rowRadio(int row) const { return rowRadios_.at(static_cast<std::size_t>(row)); }
    QToolButton* playButton() const { return playButton_; }
    QToolButton* addButton() const { return addButton_; }
    QToolButton* saveButton() const { return saveButton_; }
    QToolButton* importButton() const { return importButton_; }
    QScrollArea* rowBox() const { return rowBox_; }

public slots:
    void chooseRowFile(int row); // "..." on a row: choose its WAV file
    void listenClicked();        // "Listen"
    void addSampleClicked();     // "Add new sample"
    void saveKitClicked();       // "Save kit"
    void importKitClicked();     // "Import kit...": the imported instruments become the rows

private:
    void addRowWidgets(int row, const QString& name, bool checked);
    void clearRows();
    void report(const QString& text, bool isError);

    KitMaker maker_;
    std::vector<std::string> instrumentList_;
    std::filesystem::path programDir_;
    QScrollArea* rowBox_;
    QWidget* rowPanel_;
    QButtonGroup* radioGroup_;
    std::vector<QLineEdit*> nameEdits_;
    std::vector<QRadioButton*> rowRadios_;
    QToolButton* playButton_;
    QToolButton* addButton_;
    QToolButton* saveButton_;
    QToolButton* importButton_;
};

} // namespace tamboro
