#include "app/ZoomSteps.h"

#include <algorithm>
#include <charconv>

namespace tamboro {

int zoomInFrom(int percent) {
    for (const int step : kZoomPercents)
        if (step > percent)
            return step;
    return kZoomPercents.back();
}

int zoomOutFrom(int percent) {
    for (auto it = kZoomPercents.rbegin(); it != kZoomPercents.rend(); ++it)
        if (*it < percent)
            return *it;
    return kZoomPercents.front();
}

std::optional<int> zoomPercentFromStored(const std::string& stored) {
    int value = 0;
    const char* end = stored.data() + stored.size();
    const auto [rest, error] = std::from_chars(stored.data(), end, value);
    if (error != std::errc() || rest != end)
        return std::nullopt;
    if (std::find(kZoomPercents.begin(), kZoomPercents.end(), value) == kZoomPercents.end())
        return std::nullopt;
    return value;
}

} // namespace tamboro
