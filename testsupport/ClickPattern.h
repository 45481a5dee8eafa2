#pragma once
// A test pattern of clicks: a one-instrument kit whose only sound is a short square click, and a
// pattern with that click at full level on every step. Written by the timing checks (tests,
// benchmark, end-to-end) into a scratch folder.

#include <cstdint>
#include <filesystem>
#include <string>

namespace tamboro {

inline constexpr const char* kClickKitFile = "Click.dxg";
inline constexpr const char* kClickPatternName = "Clicks";
inline constexpr int kClickFrames = 64;            // at 44100 Hz
inline constexpr std::int16_t kClickLevel = 16384; // half scale; its onset is its first frame

// Writes DIR/Click.dxg and DIR/Clicks.pat (`steps` steps at `bpm`).
void writeClickPattern(const std::filesystem::path& dir, int steps, int bpm);

} // namespace tamboro
