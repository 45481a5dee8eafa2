#pragma once
// How a part of the main window hands an edit to the undo history without knowing it: the part
// calls runEdit with the step's name and a function that makes the change. `joinsPrevious` marks
// an edit that joins the step before it when that step has the same name (a name typed key by
// key is one step). Without a runner (a part tested on its own) the change simply happens.

#include <QString>

#include <functional>

namespace tamboro {

using EditRunner =
    std::function<void(const QString& name, const std::function<void()>& edit, bool joinsPrevious)>;

inline void runEdit(const EditRunner& runner, const QString& name, const std::function<void()>& edit,
                    bool joinsPrevious = false) {
    if (runner)
        runner(name, edit, joinsPrevious);
    else
        edit();
}

} // namespace tamboro
