#pragma once
// What the program shows of an extra sample's file name: the file part, whether it is the blank
// sound, and the caption of its Extra samples button. The one place of the 8-character caption rule,
// used by pattern and song loading, by the player and by the sample editor window.

#include <string>

namespace tamboro {

// The file part of a sample name: the text after the last "\", "/" or ":".
std::string sampleFilePart(const std::string& name);
// True when the file part is "Blank.wav", ignoring letter case.
bool isBlankSample(const std::string& name);
// The caption of an Extra samples button for a file: the file part less its last four characters
// (the extension), at most 8 characters.
std::string sampleCaption(const std::string& name);
// The caption a pattern's sample line gives its button: sampleCaption, but empty for "Blank"
// (the button then keeps its caption).
std::string sampleButtonCaption(const std::string& name);

} // namespace tamboro
