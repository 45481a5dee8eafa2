#pragma once
// The kit maker's document: its own kit whose item k belongs to row k - 1 (item 0 the empty
// instrument), the WAV file behind each slot, and the rules for choosing sounds, adding rows and
// saving. The window shows the rows and plays auditions; this class holds no widgets.

#include "kits/DrumKit.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tamboro {

class KitMaker {
public:
    // A kit holds at most this many instrument rows.
    static constexpr int kMaxRows = 100;

    // The name box text of row r: the display name of instrument-list entry r + 1 (the entry
    // without its last three characters, trimmed of spaces; "Sample1" gives "Samp").
    static std::string rowDisplayName(const std::vector<std::string>& instrumentList, int row);
    // The stored item name for a name box text: padded with spaces to 10 characters (cut to 10 if
    // longer), then "[ ]".
    static std::string paddedItemName(const std::string& nameBoxText);

    // Rows shown for a main kit of `mainKitCount` items: one per instrument, the empty one excluded.
    static int rowsForKit(int mainKitCount) { return mainKitCount > 1 ? mainKitCount - 1 : 0; }

    // Fills the maker's kit from the main kit: items named like instrument-list entries 0..N-1
    // with the blank sound from programDir/Blank.wav (any letter case) and every slot "Blank.wav";
    // with `templateCurrentKit` each instrument's sound is written to programDir/temp/<k>.wav and
    // taken from there. Throws when Blank.wav cannot be read.
    void prepareKit(const DrumKit& mainKit, const std::vector<std::string>& instrumentList,
                    const std::filesystem::path& programDir, bool templateCurrentKit);

    // Starts a document of its own, without a main kit: item 0 and `rows` rows (1..kMaxRows,
    // else Error), every item holding `blank` and every slot "Blank.wav". For kits built from
    // files (`tamboro-cli kit make`, kit import).
    void startEmpty(int rows, const Wave& blank);
    // Gives `row` a sound made elsewhere (kit import); `sourceName` becomes its slot file.
    void setRowSound(int row, Wave wave, const std::string& sourceName);
    // Name box texts for the given names: each cut to the box's 10 characters and trimmed, an empty
    // one named "Sound", and repeats (ignoring letter case) made unique with a number at the end
    // ("Snare", "Snare2"; "Tambourine" again gives "Tambourin2").
    static std::vector<std::string> uniqueNameBoxTexts(const std::vector<std::string>& names);

    // Chooses a sound file for `row`, read by the sound-file reader (kits/SoundFile.h: any format
    // it reads, converted to playable PCM; 8/16-bit WAV as it stands). A file it cannot read is
    // refused with its error and the slot keeps its previous file and sound.
    void chooseFile(int row, const std::filesystem::path& wavFile);

    // Adds a row after the last (refused with an Error beyond kMaxRows); it gets the blank sound
    // and becomes the selected row. Returns its index.
    int addRow();

    void selectRow(int row);
    int selectedRow() const { return selectedRow_; }
    int rowCount() const { return rowCount_; }
    int currentSlot() const { return currentSlot_; }
    // The file behind a slot (1-based); empty when none was ever given.
    const std::string& slotFile(int slot) const;

    // The file the audition plays for the selected row (bare names resolve in the program folder).
    // Throws Error("WaveStream not set") when the row's slot has no file.
    std::filesystem::path auditionFile();

    // Names items 1..n from the name boxes' texts (item 0 keeps its name) and writes the kit.
    // Refuses (Error, nothing written) a kit with no instrument besides item 0.
    void saveKit(const std::vector<std::string>& nameBoxTexts, const std::filesystem::path& file);

    const DrumKit& kit() const { return kit_; }

private:
    Wave blankWave() const;
    void setSlotFile(int slot, std::string file);

    DrumKit kit_;
    std::filesystem::path programDir_;
    std::vector<std::string> slotFiles_; // index = slot, [0] unused
    int currentSlot_ = 1;
    int selectedRow_ = 0;
    int rowCount_ = 0;
};

// The message shown after a kit is saved.
inline constexpr const char* kKitSavedNotice =
    "*NB - Due to any name changes within the new kit, patterns that do not contain the new names of the "
    "individual kits items will not play and will be specific to only patterns you create using the new kit. "
    "please import your new kit to use it";

} // namespace tamboro
