// Feeds arbitrary text to the SFZ reader; every #include reads the same text again, so include
// loops and deep nesting are always at hand. Any outcome but regions and warnings is a bug, and
// every candidate key lies in 0..127 with a sample.
#include "kitimport/SfzFile.h"
#include "kitimport/SfzImport.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const tamboro::SfzIncludeLoader load = [&text](const std::string& path) -> std::optional<std::string> {
        if (path.size() % 2)
            return std::nullopt;
        return text;
    };
    const tamboro::SfzParse parsed = tamboro::parseSfz(text, "fuzz.sfz", load);
    for (const auto& candidate : tamboro::sfzCandidates(parsed.regions))
        if (candidate.sample.empty() || candidate.name.empty())
            std::abort();
    return 0;
}
