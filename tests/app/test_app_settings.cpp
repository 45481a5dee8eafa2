#include "app/AppSettings.h"
#include "kits/KitLibrary.h"

#include <gtest/gtest.h>

#include <map>

namespace tamboro {
namespace {

AppSettings fromMap(const std::map<std::string, std::string>& values) {
    return settingsFromStore([&](const std::string& key) -> std::optional<std::string> {
        const auto it = values.find(key);
        if (it == values.end())
            return std::nullopt;
        return it->second;
    });
}

TEST(AppSettings, FirstRunReadsEmptyValues) {
    const AppSettings s = fromMap({});
    EXPECT_FALSE(s.gridIndicator);
    EXPECT_FALSE(s.includeMp3);
    EXPECT_EQ(s.kitFileName, "");
    EXPECT_TRUE(s.showTips);
}

TEST(AppSettings, StoredTextsAreReadStrictly) {
    struct Case {
        std::map<std::string, std::string> stored;
        AppSettings expected;
    };
    const std::vector<Case> cases = {
        {{{"GridIndicator", "1"}, {"MP3", "1"}, {"Kit", "rock.dxg"}, {"ShowTip", "0"}},
         {true, true, "rock.dxg", false}},
        {{{"GridIndicator", "yes"}, {"MP3", "0"}, {"ShowTip", "no"}}, {false, false, "", true}},
        {{{"GridIndicator", " 1"}, {"MP3", "2"}, {"ShowTip", ""}}, {false, false, "", true}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fromMap(c.stored), c.expected);
}

TEST(AppSettings, UnavailableStoreGivesItsOwnDefaults) {
    const AppSettings s = settingsWhenStoreUnavailable();
    EXPECT_TRUE(s.gridIndicator);
    EXPECT_FALSE(s.includeMp3);
    EXPECT_EQ(s.kitFileName, "Topkit.dxg");
    EXPECT_TRUE(s.showTips);
}

TEST(AppSettings, WrittenInOrderWithTheKitsNamePartOnly) {
    AppSettings s{false, true, "/home/me/kits/rock.dxg", false};
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(settingsToStore(s),
              (Pairs{{"MP3", "1"}, {"Kit", "rock.dxg"}, {"GridIndicator", "0"}, {"ShowTip", "0"}}));
    s = fromMap({});
    s.kitFileName = "Topkit.dxg";
    EXPECT_EQ(settingsToStore(s),
              (Pairs{{"MP3", "0"}, {"Kit", "Topkit.dxg"}, {"GridIndicator", "0"}, {"ShowTip", "1"}}));
    EXPECT_EQ(fileNamePart("C:\\kits\\jazz.dxg"), "jazz.dxg");
}

TEST(AppSettings, RoundTripThroughTheStoredTexts) {
    for (const AppSettings& s :
         {AppSettings{true, false, "a.dxg", true}, AppSettings{false, true, "b.dxg", false}}) {
        std::map<std::string, std::string> stored;
        for (const auto& [key, value] : settingsToStore(s))
            stored[key] = value;
        EXPECT_EQ(fromMap(stored), s);
    }
}

} // namespace
} // namespace tamboro
