// Feeds arbitrary bytes to the `.practice` reader. It must either refuse them with an Error or give
// settings within their ranges; those settings, written back, must read again as the same settings.
#include "common/Error.h"
#include "song/PracticeFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tamboro::PracticeSettings s;
    try {
        s = tamboro::parsePracticeFile(std::span<const std::uint8_t>(data, size), "fuzz.practice");
    } catch (const tamboro::Error&) {
        return 0;
    }
    if (s.countIn < 0 || s.countIn > 4 || s.tempoScale < 25 || s.tempoScale > 200 || s.swing < 50 ||
        s.swing > 75 || s.dropPercent < 0 || s.dropPercent > 50 || s.sectionFrom > s.sectionTo)
        std::abort();
    if (s.speedTrainer && (s.speedTrainer->from > s.speedTrainer->to || s.speedTrainer->every < 1))
        std::abort();
    const std::string text = tamboro::formatPracticeFile(s);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    if (tamboro::parsePracticeFile(std::span<const std::uint8_t>(bytes, text.size()), "again") != s)
        std::abort();
    return 0;
}
