#include "app/ProgramFolder.h"

#include "common/AssetDir.h"
#include "common/Error.h"

#include <system_error>

namespace tamboro {

namespace fs = std::filesystem;

ProgramFolder prepareProgramFolder(const fs::path& requested, const fs::path& assets) {
    ProgramFolder folder;
    std::error_code ec;
    folder.dir = requested.empty() ? fs::current_path(ec) : fs::absolute(requested, ec);
    if (ec)
        throw Error("cannot find the working folder: " + ec.message());
    fs::create_directories(folder.dir, ec);
    if (!fs::is_directory(folder.dir, ec))
        throw Error("cannot use \"" + folder.dir.string() + "\" as the working folder");
    if (assets.empty())
        folder.warning = "the installed assets were not found; the working folder is used as it is";
    else
        folder.seeded = seedWorkspace(folder.dir, assets);
    return folder;
}

} // namespace tamboro
