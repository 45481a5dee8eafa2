// The input settings' stored texts: read strictly (a damaged latency is uncalibrated, not a wrong
// correction), written with one decimal, and typed latencies accepted only as milliseconds in range.

#include "app/InputSettings.h"

#include <gtest/gtest.h>

#include <map>

namespace tamboro {
namespace {

InputSettings fromMap(const std::map<std::string, std::string>& stored) {
    return inputSettingsFromStore([&](const std::string& key) -> std::optional<std::string> {
        const auto it = stored.find(key);
        return it == stored.end() ? std::nullopt : std::optional(it->second);
    });
}

TEST(InputSettings, StoredTextsRoundTripAndDamageReadsAsUncalibrated) {
    EXPECT_EQ(fromMap({}), InputSettings{});
    const InputSettings s{"USB Audio", 12.5};
    std::map<std::string, std::string> stored;
    for (const auto& [key, value] : inputSettingsToStore(s))
        stored[key] = value;
    EXPECT_EQ(stored,
              (std::map<std::string, std::string>{{"InputDevice", "USB Audio"}, {"InputLatencyMs", "12.5"}}));
    EXPECT_EQ(fromMap(stored), s);
    for (const char* bad : {"", "soon", "12,5", "nan", "inf", "2000.5", "1e9"})
        EXPECT_EQ(fromMap({{"InputLatencyMs", bad}}).latencyMs, 0.0) << bad;
}

TEST(InputSettings, TypedLatency) {
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"12.5", 12.5},
        {" 8 ms", 8.0},
        {"8ms", 8.0},
        {"-3", -3.0},
        {"0", 0.0},
        {"2000", 2000.0},
        {"", std::nullopt},
        {"ms", std::nullopt},
        {"12 5", std::nullopt},
        {"2001", std::nullopt},
        {"1e400", std::nullopt},
        {"twelve", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parseLatencyMs(text), expected) << text;
}

} // namespace
} // namespace tamboro
