#include "app/OpenableFiles.h"

#include <algorithm>
#include <cctype>

namespace tamboro {

OpenableKind openableKindOf(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".sng")
        return OpenableKind::Song;
    if (extension == ".pat")
        return OpenableKind::Pattern;
    if (extension == ".dxg")
        return OpenableKind::Kit;
    if (extension == ".wav")
        return OpenableKind::Wave;
    return OpenableKind::Other;
}

std::vector<std::string> recentSongsAfterUse(std::vector<std::string> recent, const std::string& file) {
    recent = recentSongsWithout(std::move(recent), file);
    recent.insert(recent.begin(), file);
    if (recent.size() > kRecentSongCount)
        recent.resize(kRecentSongCount);
    return recent;
}

std::vector<std::string> recentSongsWithout(std::vector<std::string> recent, const std::string& file) {
    std::erase(recent, file);
    return recent;
}

} // namespace tamboro
