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

class TMakit : public QWidget {
    Q_OBJECT
public:
    explicit TMakit(QWidget* parent = nullptr);

    // How the window asks for files; tests replace these. Each returns an empty path when cancelled.
    std::function<std::filesystem::path(const std::filesystem::path& startDir)> chooseWavFile;
    std::function<std::filesystem::path(const std::filesystem::path& startDir)> chooseKitFile;
    // Plays a WAV file through the maker's own player. While unset, "Listern" is disabled.
    std::function<void(const std::filesystem::path& wavFile)> audition;
    // Shows a notice or an error; tests replace it.
    std::function<void(const QString& text, bool isError)> notify;

    // Builds the rows from the main window's instrument list (`GetKitList`): one row per
    // instrument of a kit of `mainKitCount` items.
    void GetKitList(const std::vector<std::string>& instrumentList, int mainKitCount);
    // Fills the maker's own kit from the main kit (see KitMaker::prepareKit).
    void PrepareKit(const TWaveCollection& mainKit, const std::vector<std::string>& instrumentList,
                    const std::filesystem::path& programDir, bool templateCurrentKit);

    void setAuditionAvailable(bool available);

    KitMaker& maker() { return Maker; }
    int rowCount() const { return static_cast<int>(NameEdits.size()); }
    QLineEdit* nameEdit(int row) const { return NameEdits.at(static_cast<std::size_t>(row)); }
    QRadioButton* rowRadio(int row) const { return RowRadios.at(static_cast<std::size_t>(row)); }
    QToolButton* playButton() const { return PlayButton; }
    QToolButton* addButton() const { return AddButton; }
    QToolButton* saveButton() const { return SaveButton; }
    QScrollArea* rowBox() const { return RowBox; }

public slots:
    void GetButtonTag(int row); // "..." on a row: choose its WAV file
    void PlayClick(); // "Listern"
    void ToolButton5Click(); // "Add new sample"
    void Save_libraryClick(); // "Save kit"

private:
    void addRowWidgets(int row, const QString& name, bool checked);
    void report(const QString& text, bool isError);

    KitMaker Maker;
    std::vector<std::string> InstrumentList;
    std::filesystem::path ProgramDir;
    QScrollArea* RowBox;
    QWidget* RowPanel;
    QButtonGroup* Radios;
    std::vector<QLineEdit*> NameEdits;
    std::vector<QRadioButton*> RowRadios;
    QToolButton* PlayButton;
    QToolButton* AddButton;
    QToolButton* SaveButton;
};

} // namespace tamboro
