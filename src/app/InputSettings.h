#pragma once
// The sound input's settings: the input device chosen in Setup and the round-trip latency that
// calibration measured (or the user typed), which timing feedback takes off every note. Stored
// beside the other settings ("InputDevice", "InputLatencyMs") but written only when the user sets
// them, so the settings written at shut-down never touch them.

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tamboro {

inline constexpr double kMaxInputLatencyMs = 2000;

struct InputSettings {
    std::string device;   // empty: no input (output only); "default": the system's default input
    double latencyMs = 0; // 0 until calibrated
    friend bool operator==(const InputSettings&, const InputSettings&) = default;
};

// Reads the stored texts; a latency that is no number of milliseconds within +-kMaxInputLatencyMs
// reads as 0 (uncalibrated).
InputSettings
inputSettingsFromStore(const std::function<std::optional<std::string>(const std::string& key)>& stored);

// The values to write: "InputDevice", "InputLatencyMs" (one decimal).
std::vector<std::pair<std::string, std::string>> inputSettingsToStore(const InputSettings& settings);

// A typed latency ("12.5", " 8 ms"): the milliseconds, or nothing when it is not a number within
// +-kMaxInputLatencyMs.
std::optional<double> parseLatencyMs(const std::string& text);

} // namespace tamboro
