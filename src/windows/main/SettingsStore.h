#pragma once
// The settings' home on the desktop: QSettings of organisation "Quillon", application "Tamboro",
// group "7.0" (the registry on Windows, an INI file under the user's config folder elsewhere).

#include "app/AppSettings.h"

namespace tamboro {

class SettingsStore {
public:
    static constexpr const char* kOrganisation = "Quillon";
    static constexpr const char* kApplication = "Tamboro";
    static constexpr const char* kGroup = "7.0";

    // Reads the four values. A store that cannot be read gives the defaults kept for that case.
    static AppSettings load();
    // Writes the four values; a store that cannot be written is left as it was. Returns whether the
    // values were written.
    static bool save(const AppSettings& settings);
};

} // namespace tamboro
