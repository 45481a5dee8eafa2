#pragma once
// The pan table "Panning.dat": 19 CR LF lines of decimal integers. Line 1 is the empty instrument
// (always 0), lines 2 to 17 the pans of instrument-list positions 1 to 16, line 18 the grid's
// background colour and line 19 its text colour (0x00BBGGRR in decimal).
//
// Pans belong to list positions, not to names: the table is applied to whatever kit is loaded.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tamboro {

inline constexpr std::uint32_t kDefaultGridBackground = 0x0040DDAA; // 4251050
inline constexpr std::uint32_t kDefaultGridText = 0x00804040;       // 8405056
inline constexpr int kPanTablePositions = 16;
inline constexpr int kPanTableLines = 19;
inline constexpr const char* kPanTableFileName = "Panning.dat";

struct PanTable {
    std::array<int, kPanTablePositions> pans{}; // pans[i - 1] belongs to list position i
    std::uint32_t gridBackground = kDefaultGridBackground;
    std::uint32_t gridText = kDefaultGridText;
    friend bool operator==(const PanTable&, const PanTable&) = default;
};

// Parses the table's text. Throws Error naming the line when it has fewer than 19 lines or a line
// 2..19 is not an integer (line 1 is never read). Pans are clamped to -10000..10000.
PanTable parsePanTable(const std::string& text);

// The file's 19 lines, CR LF ended.
std::string formatPanTable(const PanTable& table);

struct PanTableLoad {
    PanTable table;      // centre pans and the default colours when the file was unusable
    std::string problem; // empty when the file was read as it stands
};

// Reads the table from `file`. A missing, short or non-numeric file gives centre pans and the
// default grid colours, with the reason in `problem`, so start-up can carry on.
PanTableLoad loadPanTable(const std::filesystem::path& file);

// Writes the table atomically: a failed write leaves the old file as it was. Throws Error.
void savePanTable(const std::filesystem::path& file, const PanTable& table);

// The instrument list as the pan table sees it: entry i is the name at list position i, and
// positions 1..lastKitIndex hold kit instruments (later positions are extra samples).
struct InstrumentPositions {
    std::vector<std::string> entries;
    int lastKitIndex = 0;
    // True when position i holds a kit instrument with a name.
    bool holdsKitInstrument(int position) const;
};

// Gives the kit instrument at each position 1..16 the table's pan. Positions that hold no kit
// instrument (a kit of fewer than 16 instruments) are left alone.
void applyPanTable(const PanTable& table, const InstrumentPositions& list,
                   const std::function<void(const std::string& name, int pan)>& setPan);

// The table to save: the pans of the kit instruments at positions 1..16, 0 for positions without
// one, and the grid's colours.
PanTable capturePanTable(const InstrumentPositions& list,
                         const std::function<int(const std::string& name)>& panOf,
                         std::uint32_t gridBackground, std::uint32_t gridText);

} // namespace tamboro
