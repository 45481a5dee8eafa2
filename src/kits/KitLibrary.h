#pragma once
// The main window's kit state without any window: the kit's items, `kitFileName`
// and `lastKitIndex`, with kit loading (`loadKit`) and the engine side of choosing another
// kit ("Drum Kit Library"). The instrument list itself (sound/InstrumentList.h) is refilled
// through a hook after each successful load, so it keeps the previous names when a load fails.

#include "kits/DrumKit.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace tamboro {

inline constexpr char defaultKitFileName[] = "Topkit.dxg";

class KitLibrary {
public:
    explicit KitLibrary(std::filesystem::path programDir) : programDir_(std::move(programDir)) {}

    DrumKit& kit() { return kit_; }
    const DrumKit& kit() const { return kit_; }
    // `lastKitIndex`: the kit's item count minus 1 as of the last successful load (-1 before).
    int lastKitIndex() const { return lastKitIndex_; }

    // `kitFileName`: a bare name is looked up in the program directory, a path as it stands.
    const std::string& kitFileName() const { return kitFileName_; }
    void setKitFileName(std::string name) { kitFileName_ = std::move(name); }

    // Set while the Kit List window does not exist yet: the next load skips repainting it.
    bool deferKitListPaint = false;
    // Asked to rebuild the Kit List window's labels after a load (unless deferred).
    std::function<void()> paintKitList;
    // Asked to empty and refill the instrument list from the loaded kit (names, then Sample1..32).
    std::function<void(const DrumKit&)> fillInstrumentList;

    // `loadKit`: loads kitFileName (falling back to "Topkit.dxg" when no such file exists),
    // repaints the Kit List, reduces kitFileName to its name part and refills the instrument list.
    // A failed load throws the reader's error before any of that and leaves the kit as it was.
    void loadKit();

    // "Drum Kit Library" once a file is chosen: loads it and carries Volume and Pan over by
    // instrument position 1 to 16. Returns false without change for an empty name or ".dxg".
    // Positions that hold no kit instrument in the old or the new kit are skipped.
    // A kit that fails to load is reported by its error; the current kit and kitFileName stay.
    bool chooseKit(const std::string& chosenFile);

    // "Kit List-" and the kit file name without its extension (its last four characters).
    std::string kitListCaption() const;

    // The file a kit name stands for: a bare name in the program directory, matched ignoring
    // letter case.
    std::filesystem::path resolveKitPath(const std::string& name) const;

private:
    std::filesystem::path programDir_;
    DrumKit kit_;
    int lastKitIndex_ = -1;
    std::string kitFileName_ = defaultKitFileName;
};

// The name part of a path written with either separator ("C:\kits\rock.dxg" gives "rock.dxg").
std::string fileNamePart(const std::string& path);

// "Insert instrument": the cell's new text when the current instrument is toggled into it: the
// instrument when the cell differs from it, else empty.
std::string toggleInstrument(std::string_view cellText, std::string_view currentInstrument);

} // namespace tamboro
