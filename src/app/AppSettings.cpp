#include "app/AppSettings.h"

#include "kits/KitLibrary.h"

namespace tamboro {

namespace {

std::string textOf(const std::function<std::optional<std::string>(const std::string&)>& stored,
                   const std::string& key) {
    return stored(key).value_or(std::string());
}

const char* flag(bool on) {
    return on ? "1" : "0";
}

} // namespace

AppSettings
settingsFromStore(const std::function<std::optional<std::string>(const std::string& key)>& stored) {
    AppSettings s;
    s.gridIndicator = textOf(stored, "GridIndicator") == "1";
    s.includeMp3 = textOf(stored, "MP3") == "1";
    s.kitFileName = textOf(stored, "Kit");
    s.showTips = textOf(stored, "ShowTip") != "0";
    return s;
}

AppSettings settingsWhenStoreUnavailable() {
    AppSettings s;
    s.gridIndicator = true;
    s.includeMp3 = false;
    s.kitFileName = kDefaultKitFileName;
    s.showTips = true;
    return s;
}

std::vector<std::pair<std::string, std::string>> settingsToStore(const AppSettings& settings) {
    return {
        {"MP3", flag(settings.includeMp3)},
        {"Kit", fileNamePart(settings.kitFileName)},
        {"GridIndicator", flag(settings.gridIndicator)},
        {"ShowTip", flag(settings.showTips)},
    };
}

} // namespace tamboro
