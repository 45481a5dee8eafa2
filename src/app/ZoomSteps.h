#pragma once
// The zoom steps of the main window (View > Zoom): 100, 125, 150 and 200 %, kept in the settings as
// the per-cent number. Zoom in and out walk the steps and stop at either end.

#include <array>
#include <optional>
#include <string>

namespace tamboro {

inline constexpr std::array<int, 4> kZoomPercents = {100, 125, 150, 200};
inline constexpr int kDefaultZoomPercent = 100;

// The next step up or down from `percent`, staying at the last or first step.
int zoomInFrom(int percent);
int zoomOutFrom(int percent);

// A stored value ("150") read back; anything but one of the steps gives nothing.
std::optional<int> zoomPercentFromStored(const std::string& stored);

} // namespace tamboro
