#include "app/UserWorkspace.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace tamboro {

namespace fs = std::filesystem;

namespace {

std::string lowerExtension(const fs::path& file) {
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

// Two spellings of one folder ("/home/ann" and "/home/ann/", or a link to it) are the same folder.
bool sameFolder(const fs::path& a, const fs::path& b) {
    if (a.empty() || b.empty())
        return false;
    std::error_code ec;
    if (fs::equivalent(a, b, ec))
        return true;
    return a.lexically_normal() / "" == b.lexically_normal() / "";
}

} // namespace

WorkspaceChoice chooseWorkspace(const fs::path& requested, const fs::path& openFile,
                                const WorkspacePlaces& places) {
    if (!requested.empty())
        return {requested, false};
    const std::string ext = lowerExtension(openFile);
    if (ext == ".sng" || ext == ".pat") {
        std::error_code ec;
        const fs::path file = fs::absolute(openFile, ec);
        return {(ec ? openFile : file).parent_path(), false};
    }
    const bool fromLauncher =
        places.current == places.current.root_path() || sameFolder(places.current, places.home);
    if (!places.current.empty() && fromLauncher) {
        fs::path music = places.musicFolder;
        if (music.empty() && !places.home.empty())
            music = places.home / "Music";
        if (!music.empty())
            return {music / "Tamboro", true};
    }
    return {};
}

std::vector<std::string> seedDemo(const fs::path& workspace, const fs::path& demoDir) {
    std::vector<std::string> created;
    std::error_code ec;
    std::vector<fs::path> files;
    for (fs::directory_iterator it(demoDir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string ext = lowerExtension(it->path());
        if ((ext == ".pat" || ext == ".sng") && it->is_regular_file(ec))
            files.push_back(it->path());
    }
    // In name order, so the report reads the same on every file system.
    std::sort(files.begin(), files.end());
    for (const fs::path& from : files) {
        const fs::path to = workspace / from.filename();
        std::error_code copyError;
        if (fs::exists(to, copyError))
            continue;
        // copy_file refuses to replace a file that appeared meanwhile.
        if (fs::copy_file(from, to, fs::copy_options::none, copyError))
            created.push_back(from.filename().string());
    }
    return created;
}

} // namespace tamboro
