#include "app/ProgramFolder.h"

#include "app/UserWorkspace.h"
#include "common/AssetDir.h"
#include "common/Error.h"

#include <system_error>

namespace tamboro {

namespace fs = std::filesystem;

ProgramFolder prepareProgramFolder(const fs::path& requested, const fs::path& assets, bool withDemo) {
    ProgramFolder folder;
    std::error_code ec;
    folder.dir = requested.empty() ? fs::current_path(ec) : fs::absolute(requested, ec);
    if (ec)
        throw Error("cannot find the working folder: " + ec.message());
    // The demo goes only into a folder made now: demo files the user deleted later stay deleted.
    const bool firstUse = !fs::exists(folder.dir, ec);
    fs::create_directories(folder.dir, ec);
    if (!fs::is_directory(folder.dir, ec))
        throw Error("cannot use \"" + folder.dir.string() + "\" as the working folder");
    if (assets.empty())
        folder.warning = "the installed assets were not found; the working folder is used as it is";
    else
        folder.seeded = seedWorkspace(folder.dir, assets);
    if (withDemo && firstUse && !assets.empty()) {
        const std::vector<std::string> demo = seedDemo(folder.dir, assets / "demo");
        folder.seeded.insert(folder.seeded.end(), demo.begin(), demo.end());
    }
    return folder;
}

} // namespace tamboro
