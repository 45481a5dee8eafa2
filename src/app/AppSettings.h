#pragma once
// The four settings kept between runs ("GridIndicator", "MP3", "Kit", "ShowTip"), as plain values.
// The store itself (QSettings on the desktop) lives in the window layer; the rules for reading and
// writing the stored texts live here.

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tamboro {

inline constexpr const char* kDefaultKitFileName = "Topkit.dxg";

struct AppSettings {
    bool gridIndicator = false; // "Grid Scroll Indicator" checked
    bool includeMp3 = false;    // "Include MP3 option when render" checked
    std::string kitFileName;    // empty: the kit loader falls back to the default kit
    bool showTips = true;
    friend bool operator==(const AppSettings&, const AppSettings&) = default;
};

// Settings from the stored texts; `stored` returns the text of a value, or nothing when it is
// missing (which reads as the empty text). A first run, with nothing stored, gives both menu items
// unchecked, an empty kit name and tips shown.
AppSettings
settingsFromStore(const std::function<std::optional<std::string>(const std::string& key)>& stored);

// The settings used when the store cannot be opened at all.
AppSettings settingsWhenStoreUnavailable();

// The values to write at shut-down, in writing order: "MP3", "Kit", "GridIndicator", "ShowTip".
// "Kit" holds only the name part of the kit file name.
std::vector<std::pair<std::string, std::string>> settingsToStore(const AppSettings& settings);

} // namespace tamboro
