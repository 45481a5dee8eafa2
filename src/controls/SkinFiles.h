#pragma once
// Names of the skin files that the skin painter writes and the windows load, relative to the
// installed asset folder. One list, so the painter and the windows cannot drift apart.

#include <array>
#include <string>

namespace tamboro::skin {

inline constexpr const char* kFolder = "skin";
inline constexpr const char* kMainBackground = "main.jpg";                 // 539 x 501
inline constexpr const char* kKitListBackground = "kitlist.jpg";           // 127 x 371
inline constexpr const char* kExtraSamplesBackground = "extrasamples.jpg"; // 130 x 365
inline constexpr const char* kIntroPicture = "intro.jpg";                  // 452 x 362
inline constexpr const char* kAboutBackground = "about.jpg";               // 281 x 259
inline constexpr const char* kAboutPicture = "aboutpicture.jpg";           // 200 x 150

// The sixteen round picture buttons of the main window, each with its own glyph file
// "glyphs/<name>.png" (37 x 37).
inline constexpr std::array<const char*, 16> kButtonGlyphs = {
    "sendToPlayList", "backToLibrary", "playPattern", "stop",       "repeatPattern", "playInstrument",
    "playSong",       "repeatSong",    "clearSong",   "renderSong", "savePattern",   "globalSpeed",
    "applyTimeBar",   "clearPattern",  "libraryBin",  "playListBin"};

// The main window's image list: "imagelist/<index>.png" (37 x 37). The toggles use images 2 and 3
// (repeat on, repeat off), 8 and 9 (global speed off, global speed on) and 12 and 13 (practice
// panel hidden, shown).
inline constexpr int kImageListCount = 14;
inline constexpr int kImageRepeatOn = 2;
inline constexpr int kImageRepeatOff = 3;
inline constexpr int kImageGlobalSpeedOff = 8;
inline constexpr int kImageGlobalSpeedOn = 9;
inline constexpr int kImagePracticeOff = 12;
inline constexpr int kImagePracticeOn = 13;

// Besides its picture at one device pixel per logical pixel, the painter draws every picture at
// these scales (device pixels per logical pixel at 100 % zoom) as "<stem>@<scale>x.<ext>", so a
// window at any screen scale times any zoom finds one painted at least as fine as it shows it.
inline constexpr std::array<int, 6> kPaintedScalePercents = {125, 150, 200, 250, 300, 400};

// "main.jpg" at 150 % is "main@1.5x.jpg"; at 100 % the name itself.
inline std::string scaledFile(const std::string& name, int scalePercent) {
    if (scalePercent == 100)
        return name;
    std::string scale = std::to_string(scalePercent / 100);
    if (const int fraction = scalePercent % 100; fraction != 0)
        scale += fraction % 10 == 0 ? "." + std::to_string(fraction / 10)
                                    : (fraction < 10 ? ".0" : ".") + std::to_string(fraction);
    const std::size_t dot = name.rfind('.');
    return name.substr(0, dot) + "@" + scale + "x" + name.substr(dot);
}

inline std::string glyphFile(const std::string& button) {
    return std::string("glyphs/") + button + ".png";
}
inline std::string imageListFile(int index) {
    return "imagelist/" + std::to_string(index) + ".png";
}

} // namespace tamboro::skin
