#pragma once
// Which folder a desktop start works in. A start from a terminal works in the folder it was started
// from, as a command-line tool does; a start from a desktop launcher begins in the home folder (or
// in "/"), where patterns would land among the user's own files, so it works in Tamboro's own
// folder in the user's music folder instead, filled with the demo patterns and song on first use.

#include <filesystem>
#include <string>
#include <vector>

namespace tamboro {

struct WorkspacePlaces {
    std::filesystem::path current;     // the current folder
    std::filesystem::path home;        // the home folder; empty when unknown
    std::filesystem::path musicFolder; // the user's music folder; empty: <home>/Music
};

struct WorkspaceChoice {
    std::filesystem::path dir; // empty: the current folder
    bool seedDemo = false;     // the user workspace: fill it with the demo on first use
};

// `requested` is --dir (empty when not given) and always wins. `openFile` is a file named on the
// command line (empty when none): a song or pattern is opened in its own folder, since a song names
// its patterns in the working folder. Otherwise the current folder, unless it is the home folder or
// "/" and a music folder is known: then <music folder>/Tamboro.
WorkspaceChoice chooseWorkspace(const std::filesystem::path& requested, const std::filesystem::path& openFile,
                                const WorkspacePlaces& places);

// Copies the demo patterns and songs (*.pat, *.sng of `demoDir`) that `workspace` lacks. Files already
// there are never overwritten. Returns the names of the files it created.
std::vector<std::string> seedDemo(const std::filesystem::path& workspace,
                                  const std::filesystem::path& demoDir);

} // namespace tamboro
