#include "app/InputSettings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tamboro {

std::optional<double> parseLatencyMs(const std::string& text) {
    std::size_t from = text.find_first_not_of(' ');
    std::size_t to = text.find_last_not_of(' ');
    if (from == std::string::npos)
        return std::nullopt;
    std::string number = text.substr(from, to - from + 1);
    if (number.size() > 2 && number.ends_with("ms")) {
        number.resize(number.size() - 2);
        number.erase(number.find_last_not_of(' ') + 1);
    }
    char* end = nullptr;
    const double ms = std::strtod(number.c_str(), &end);
    if (number.empty() || end != number.c_str() + number.size() || !std::isfinite(ms) ||
        std::fabs(ms) > kMaxInputLatencyMs)
        return std::nullopt;
    return ms;
}

InputSettings
inputSettingsFromStore(const std::function<std::optional<std::string>(const std::string& key)>& stored) {
    InputSettings s;
    s.device = stored("InputDevice").value_or(std::string());
    s.latencyMs = parseLatencyMs(stored("InputLatencyMs").value_or(std::string())).value_or(0.0);
    return s;
}

std::vector<std::pair<std::string, std::string>> inputSettingsToStore(const InputSettings& settings) {
    char latency[32];
    std::snprintf(latency, sizeof latency, "%.1f", settings.latencyMs);
    return {{"InputDevice", settings.device}, {"InputLatencyMs", latency}};
}

} // namespace tamboro
