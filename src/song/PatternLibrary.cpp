#include "song/PatternLibrary.h"

#include "common/Files.h"

#include <algorithm>

namespace tamboro {

namespace {

// Removes entry `index` of a list box; the selection follows its entry and is lost with it.
template <typename Entry> void eraseKeepingSelection(std::vector<Entry>& entries, int index, int& selected) {
    if (index < 0 || index >= static_cast<int>(entries.size()))
        return;
    entries.erase(entries.begin() + index);
    if (selected == index)
        selected = -1;
    else if (selected > index)
        --selected;
}

} // namespace

void PatternLibrary::fillFromFolder(const std::filesystem::path& dir) {
    entries_.clear();
    selected_ = -1;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string file = it->path().filename().string();
        if (file.size() > 4 && equalsIgnoreCase(std::string_view(file).substr(file.size() - 4), ".pat"))
            entries_.push_back(file.substr(0, file.size() - 4));
    }
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const std::string& a, const std::string& b) { return compareIgnoreCase(a, b) < 0; });
}

void PatternLibrary::add(const std::string& name) {
    const auto at = std::upper_bound(
        entries_.begin(), entries_.end(), name,
        [](const std::string& a, const std::string& b) { return compareIgnoreCase(a, b) < 0; });
    const int index = static_cast<int>(at - entries_.begin());
    entries_.insert(at, name);
    if (selected_ >= index)
        ++selected_;
}

bool PatternLibrary::contains(const std::string& name) const {
    return std::find(entries_.begin(), entries_.end(), name) != entries_.end();
}

void PatternLibrary::removeAt(int index) {
    eraseKeepingSelection(entries_, index, selected_);
}

std::string PatternLibrary::selectedName() const {
    return selected_ >= 0 ? entries_[static_cast<std::size_t>(selected_)] : std::string();
}

void PlayList::append(const std::string& name) {
    entries_.push_back({name, false});
}

bool PlayList::contains(const std::string& name) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const PlayListEntry& e) { return e.name == name; });
}

void PlayList::removeAt(int index) {
    eraseKeepingSelection(entries_, index, selected_);
}

int PlayList::removeAll(const std::string& name) {
    int removed = 0;
    for (int i = size() - 1; i >= 0; --i)
        if (entries_[static_cast<std::size_t>(i)].name == name) {
            removeAt(i);
            ++removed;
        }
    return removed;
}

void PlayList::deleteChecked() {
    for (int i = size() - 1; i >= 0; --i)
        if (entries_[static_cast<std::size_t>(i)].checked)
            removeAt(i);
}

void PlayList::clear() {
    entries_.clear();
    selected_ = -1;
}

void PlayList::setChecked(int index, bool checked) {
    if (index >= 0 && index < size())
        entries_[static_cast<std::size_t>(index)].checked = checked;
}

void PlayList::moveUp() {
    if (selected_ < 1)
        return;
    std::swap(entries_[static_cast<std::size_t>(selected_)],
              entries_[static_cast<std::size_t>(selected_ - 1)]);
    --selected_;
}

void PlayList::moveDown() {
    if (selected_ < 0 || selected_ > size() - 2)
        return;
    std::swap(entries_[static_cast<std::size_t>(selected_)],
              entries_[static_cast<std::size_t>(selected_ + 1)]);
    ++selected_;
}

std::vector<std::string> PlayList::names() const {
    std::vector<std::string> out;
    out.reserve(entries_.size());
    for (const auto& e : entries_)
        out.push_back(e.name);
    return out;
}

std::string PlayList::selectedName() const {
    return selected_ >= 0 ? entries_[static_cast<std::size_t>(selected_)].name : std::string();
}

} // namespace tamboro
