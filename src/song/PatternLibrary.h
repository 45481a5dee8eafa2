#pragma once
// The two lists of pattern names on the main window: the Pattern Library (`patternLibraryBox`, one entry per
// pattern file, sorted ignoring letter case) and the Play List (`playListBox`, the song in order, with
// a check mark per entry that marks it for deletion).

#include <filesystem>
#include <string>
#include <vector>

namespace tamboro {

// The reserved name: never loaded, never sent to the Play List, never moved back, never deleted.
inline constexpr const char* kBlankPatternName = "<Blank>";

class PatternLibrary {
public:
    // Rebuilds the list from the "*.pat" files of `dir` (the name less its extension), sorted.
    void fillFromFolder(const std::filesystem::path& dir);
    // Adds a name in its sorted place (after entries that compare equal ignoring case).
    void add(const std::string& name);
    // Exact comparison, letter case counts.
    bool contains(const std::string& name) const;
    void removeAt(int index);

    const std::vector<std::string>& entries() const { return entries_; }
    int size() const { return static_cast<int>(entries_.size()); }
    // -1 when nothing is selected.
    int selected() const { return selected_; }
    void select(int index) { selected_ = (index >= 0 && index < size()) ? index : -1; }
    // The selected name, or empty.
    std::string selectedName() const;

private:
    std::vector<std::string> entries_;
    int selected_ = -1;
};

struct PlayListEntry {
    std::string name;
    bool checked = false;
};

class PlayList {
public:
    void append(const std::string& name);
    // Exact comparison.
    bool contains(const std::string& name) const;
    void removeAt(int index);
    // Removes every entry equal to `name` (exact), keeping the order of the rest.
    int removeAll(const std::string& name);
    // `playListBinButton`: removes every checked entry, keeping the order of the rest.
    void deleteChecked();
    void clear();
    void setChecked(int index, bool checked);
    // `playListArrows`: swaps the selected entry with its neighbour and moves the selection with it (the
    // check mark travels with its entry). Nothing happens at the ends or without a selection.
    void moveUp();
    void moveDown();

    const std::vector<PlayListEntry>& entries() const { return entries_; }
    std::vector<std::string> names() const;
    int size() const { return static_cast<int>(entries_.size()); }
    int selected() const { return selected_; }
    void select(int index) { selected_ = (index >= 0 && index < size()) ? index : -1; }
    std::string selectedName() const;

private:
    std::vector<PlayListEntry> entries_;
    int selected_ = -1;
};

} // namespace tamboro
