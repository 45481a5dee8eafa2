#include "render/Mp3Encoder.h"

namespace tamboro {

std::filesystem::path encoderPath(const std::filesystem::path& programDir) {
#ifdef _WIN32
    return programDir / "BladeEnc.exe";
#else
    return programDir / "BladeEnc";
#endif
}

std::string mp3PathFor(const std::string& wavPath) {
    const std::size_t keep = wavPath.size() >= 3 ? wavPath.size() - 3 : 0;
    return wavPath.substr(0, keep) + "mp3";
}

std::vector<std::string> encoderArguments(const std::filesystem::path& encoder, const std::string& wavPath,
                                          const std::string& mp3Path, const std::string& bitRate) {
    if (wavPath.empty() || mp3Path.empty())
        return {};
    return {encoder.string(), "-q", wavPath, mp3Path, "-" + bitRate};
}

} // namespace tamboro
