#pragma once
// The drum TAB printout: the play list as a plain-text tablature, one block per entry with the
// time division, tempo, repeat count, a beat counter line and one line per channel.

#include <filesystem>
#include <string>
#include <vector>

namespace tamboro {

// The title of the printout: the file-name part of the song's path (after the last "\", ":" or
// "/") without its last four characters; "Untitled Song" when that leaves nothing.
std::string drumTabTitle(const std::string& songFileName);

// One pattern's block of ten lines, from the pattern file's lines. Throws Error naming
// `patternName` when a count line is not a number or the file is too short.
std::vector<std::string> drumTabBlock(const std::vector<std::string>& patternLines,
                                      const std::string& patternName);

// The whole printout: title, an empty line, then a block per play-list entry, each read from
// `patternDir`/<entry>.pat (found ignoring letter case; an entry reaching outside the folder is
// refused with an Error).
std::vector<std::string> drumTabLines(const std::string& songFileName,
                                      const std::vector<std::string>& playList,
                                      const std::filesystem::path& patternDir);

// Builds the printout and writes it as <title>.txt in `outputDir`. Returns the written path.
// Nothing is written when a pattern cannot be read.
std::filesystem::path writeDrumTab(const std::string& songFileName, const std::vector<std::string>& playList,
                                   const std::filesystem::path& patternDir,
                                   const std::filesystem::path& outputDir);

} // namespace tamboro
