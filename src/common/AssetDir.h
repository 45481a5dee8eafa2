#pragma once
// Where the installed assets live (the generated kit, Blank.wav, skin pictures, the demo workspace,
// the help and the encoder shim), and seeding of a workspace folder from them.

#include <filesystem>
#include <string>
#include <vector>

namespace tamboro {

// The asset folder: $TAMBORO_ASSET_DIR if set, else "assets" beside or one level above the
// running executable, else "../share/tamboro" beside it. Empty if none holds a "Blank.wav".
std::filesystem::path findAssetDir(const std::filesystem::path& executable);

// Copies the working-folder files that are missing from `workspace` (Blank.wav, Topkit.dxg, the
// encoder shim, temp/) from `assets`. Existing files are never overwritten. Returns the names of
// the files it created.
std::vector<std::string> seedWorkspace(const std::filesystem::path& workspace,
                                       const std::filesystem::path& assets);

} // namespace tamboro
