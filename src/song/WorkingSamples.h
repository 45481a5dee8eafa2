#pragma once
// The 32 working files of the extra samples, temp/sample1.wav .. temp/sample32.wav in the program
// folder, reset from Blank.wav at every start.

#include "song/ExtraSampleCount.h"

#include <filesystem>
#include <string>

namespace tamboro {

// The working file of extra sample n (1..32): programDir/temp/sample<n>.wav.
std::filesystem::path workingSamplePath(const std::filesystem::path& programDir, int n);

// Deletes every working file (whatever the letter case of its name), then writes each again as a
// copy of Blank.wav. Failures are silent, as a missing temp folder or Blank.wav must not stop
// start-up; returns how many copies were written.
int resetWorkingSamples(const std::filesystem::path& programDir);

} // namespace tamboro
