#include "song/SampleNames.h"

#include "common/Files.h"

#include <algorithm>

namespace tamboro {

namespace {

constexpr std::size_t kCaptionLength = 8;
constexpr std::size_t kExtensionLength = 4; // ".wav"

} // namespace

std::string sampleFilePart(const std::string& name) {
    const auto cut = name.find_last_of("\\/:");
    return cut == std::string::npos ? name : name.substr(cut + 1);
}

bool isBlankSample(const std::string& name) {
    return equalsIgnoreCase(sampleFilePart(name), "Blank.wav");
}

std::string sampleCaption(const std::string& name) {
    const std::string part = sampleFilePart(name);
    const std::size_t stem = part.size() >= kExtensionLength ? part.size() - kExtensionLength : 0;
    return part.substr(0, std::min(stem, kCaptionLength));
}

std::string sampleButtonCaption(const std::string& name) {
    std::string caption = sampleCaption(name);
    return equalsIgnoreCase(caption, "Blank") ? std::string() : caption;
}

} // namespace tamboro
