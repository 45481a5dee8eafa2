#include "common/AssetDir.h"

#include <cstdlib>
#include <system_error>
#include <vector>

namespace tamboro {

namespace fs = std::filesystem;

namespace {

bool holdsAssets(const fs::path& dir) {
    std::error_code ec;
    return !dir.empty() && fs::exists(dir / "Blank.wav", ec);
}

fs::path runningExecutable(const fs::path& hint) {
    std::error_code ec;
#ifdef __linux__
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return self;
#endif
    fs::path abs = fs::absolute(hint, ec);
    return ec ? hint : abs;
}

} // namespace

fs::path findAssetDir(const fs::path& executable) {
    if (const char* env = std::getenv("TAMBORO_ASSET_DIR"); env && *env) {
        if (holdsAssets(env))
            return env;
    }
    const fs::path exeDir = runningExecutable(executable).parent_path();
    for (const fs::path& candidate :
         {exeDir / "assets", exeDir.parent_path() / "assets", exeDir.parent_path().parent_path() / "assets",
          exeDir.parent_path() / "share" / "tamboro"}) {
        if (holdsAssets(candidate))
            return candidate;
    }
    return {};
}

std::vector<std::string> seedWorkspace(const fs::path& workspace, const fs::path& assets) {
    std::vector<std::string> created;
    std::error_code ec;
    fs::create_directories(workspace / "temp", ec);
    for (const char* name : {"Blank.wav", "Topkit.dxg", "BladeEnc"}) {
        const fs::path from = assets / name;
        const fs::path to = workspace / name;
        if (fs::exists(to, ec) || !fs::exists(from, ec))
            continue;
        fs::copy_file(from, to, ec);
        if (!ec)
            created.emplace_back(name);
    }
    return created;
}

} // namespace tamboro
