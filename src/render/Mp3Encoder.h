#pragma once
// The MP3 copy of a render, made by the external encoder program in the program folder.

#include <filesystem>
#include <string>
#include <vector>

namespace tamboro {

// The bit rates offered by the encoder window; the first shown is "128".
inline const std::vector<std::string> kMp3BitRates{"96", "128", "160", "192", "256"};
inline constexpr const char* kDefaultMp3BitRate = "128";

// The encoder program: ProgramDir/BladeEnc (BladeEnc.exe on Windows).
std::filesystem::path encoderPath(const std::filesystem::path& programDir);

// The MP3 path offered for a WAV path: the WAV path without its last three characters, then "mp3"
// (Jam.wav gives Jam.mp3, a.wave gives a.wmp3).
std::string mp3PathFor(const std::string& wavPath);

// The encoder's argument vector: the program, "-q", the WAV path, the MP3 path, "-" + bit rate.
// Empty when either path is empty (nothing to run).
std::vector<std::string> encoderArguments(const std::filesystem::path& encoder, const std::string& wavPath,
                                          const std::string& mp3Path, const std::string& bitRate);

} // namespace tamboro
