#pragma once
// The main window's two lists: the Pattern Library (the folder's pattern files) and the Play List
// (the song), with the send and move-back buttons between them, the Play List's up and down arrows
// and a bin under each. The panel makes the controls on the window's surface and keeps them showing
// the two list models; a right-button press enlarges a list, any other press restores it.

#include "song/PatternLibrary.h"
#include "windows/main/EditRunner.h"

#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QListWidget;
class QWidget;

namespace tamboro {

class PictureButton;

class PatternListsPanel : public QObject {
    Q_OBJECT
public:
    // Makes the controls on `surface`, showing `library` and `playList`; the bin deletes pattern
    // files from `programDir`. The models outlive the panel.
    PatternListsPanel(QWidget& surface, PatternLibrary& library, PlayList& playList,
                      std::filesystem::path programDir);

    // Asks OK/Cancel before the library bin deletes a pattern; tests answer it themselves.
    std::function<bool()> confirmLibraryDelete;
    // Tells the user why a button refused (an unsafe name for the library); tests replace it.
    std::function<void(const QString& message)> showProblem;

    // Every change of the two lists runs through `runner` (the undo history); the library bin's
    // step says that its file stays deleted.
    void setEditRunner(EditRunner runner) { editRunner_ = std::move(runner); }

    // Shows the list models in their boxes (after the models changed behind the panel's back).
    void showLibrary();
    void showPlayList();
    // Replaces the Play List's entries (Open Song) and shows them; the selection and checks go.
    void replacePlayList(const std::vector<std::string>& names);

    // The Play List box's current row (-1: none) and its entry's text.
    int playListRow() const;
    std::optional<std::string> playListEntry(int row) const;
    // Makes `row` the Play List's current row, as a click would (-1 clears it).
    void selectPlayListRow(int row);

    // The buttons' commands, also reachable without a click.
    void sendToPlayListClicked();
    void backToLibraryClicked();
    void playListArrowClicked(bool up);
    void playListBinClicked();
    void libraryBinClicked();

signals:
    // A left or middle press on the Play List has been handled: the entry under the pointer is
    // the current one by now.
    void playListEntryPressed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A right-button press enlarges a list to 404 pixels; any other press restores it to 129.
    void listPressed(QListWidget* list, Qt::MouseButton button);

    PatternLibrary& library_;
    PlayList& playList_;
    std::filesystem::path programDir_;
    QListWidget* libraryBox_ = nullptr;
    QListWidget* playListBox_ = nullptr;
    EditRunner editRunner_;
};

} // namespace tamboro
