#include "song/WorkingSamples.h"

#include "common/Error.h"
#include "common/Files.h"

#include <cstdint>
#include <system_error>
#include <vector>

namespace tamboro {

namespace fs = std::filesystem;

namespace {

// Blank.wav is a short silence; a larger file is not what the working files should start from.
constexpr std::uintmax_t kMaxBlankBytes = 16 * 1024 * 1024;

std::string workingSampleName(int n) {
    return "sample" + std::to_string(n) + ".wav";
}

} // namespace

fs::path workingSamplePath(const fs::path& programDir, int n) {
    return programDir / "temp" / workingSampleName(n);
}

int resetWorkingSamples(const fs::path& programDir) {
    const fs::path temp = programDir / "temp";
    std::error_code ec;
    for (int n = 1; n <= kExtraSampleCount; ++n) {
        // Names match without regard to case: "Sample3.wav" is the working file of sample 3 too.
        for (int attempt = 0; attempt < 4; ++attempt) {
            const fs::path existing = resolveCaseInsensitive(temp, workingSampleName(n));
            if (!fs::remove(existing, ec))
                break;
        }
    }

    std::vector<std::uint8_t> blank;
    try {
        blank = readFileBytes(resolveCaseInsensitive(programDir, "Blank.wav"), kMaxBlankBytes);
    } catch (const Error&) {
        return 0;
    }
    if (!fs::is_directory(temp, ec))
        return 0;
    int written = 0;
    for (int n = 1; n <= kExtraSampleCount; ++n) {
        try {
            writeFileAtomically(workingSamplePath(programDir, n), blank);
            ++written;
        } catch (const Error&) {
        }
    }
    return written;
}

} // namespace tamboro
