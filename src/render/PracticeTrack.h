#pragma once
// The practice plan over a song read for rendering: its entries as the plan sees them and the
// number of plays a practice track holds.

#include "render/RenderScript.h"
#include "song/PracticeSchedule.h"

#include <optional>
#include <vector>

namespace tamboro {

// The script's entries (those with steps), with their Play List positions.
std::vector<PracticeEntry> practiceEntries(const RenderSong& song);

// How many plays a track holds: `plays` when given, else as many whole plays as fit in `minutes`
// when given, else the settings' default. Throws Error naming "--minutes" when not even one play
// fits.
int practiceTrackPlays(const RenderSong& song, const PracticeSettings& settings, std::optional<int> plays,
                       std::optional<double> minutes);

} // namespace tamboro
