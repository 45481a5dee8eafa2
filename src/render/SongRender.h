#pragma once
// Rendering the Play List to one stereo 16-bit 44100 Hz WAV file, offline, in two stages:
//  - prepareRender (the main window's "Render song to wave"): writes the kit's and the extra
//    samples' sounds to temporary WAV files, reads the song into its script, works out the lead-in
//    and the length, collects the instruments used and dumps the script to "mainplay.txt";
//  - renderSong (the render window's engine): walks the script once per used instrument, as the
//    progress display shows, and writes the mix (or the acidized loop) to the chosen file.

#include "kits/Wave.h"
#include "render/InstrumentLookup.h"
#include "render/RenderScript.h"
#include "song/PracticeSettings.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tamboro {

class DrumKit;

inline constexpr const char* kAcidTooLongMessage = "You can only acid loops less than 12 seconds";
inline constexpr double kAcidLimitSeconds = 12;
inline constexpr const char* kOutputInUseMessage =
    "Unfortunately it was not possible to save in the location you specified as it is currently in use. So "
    "it will be "
    "saved at :";

// One extra sample's player as the renderer reads it.
struct ExtraSampleSound {
    std::string fileName = "Blank.wav"; // "Blank.wav" exactly: ProgramDir's Blank.wav
    int frequency = 0;                  // Hz; 0 = the file's own rate
    int pan = 0;                        // the sound output's pan units, -10000..10000
    int volume = 0;                     // hundredths of a decibel, 0 = full
};

// A practice track: the song walked through the practice plan (song/PracticeSchedule.h) for a
// number of plays, with the click's two sounds.
struct PracticeRender {
    PracticeSettings settings;
    int plays = 1;
    Wave accent; // step 1 of a pass
    Wave tick;   // the other beat marks
};

struct RenderRequest {
    std::filesystem::path programDir;
    const DrumKit* kit = nullptr; // the loaded kit, with its pan settings
    std::array<ExtraSampleSound, kRenderExtraSamples> extraSamples{};
    std::array<bool, 6> channelOn{true, true, true, true, true, true};
    std::vector<std::string> playList;
    std::size_t startEntry = 0; // the selected entry, or 0
    bool acidize = false;
    // Set: the render is a practice track instead of the plain song (no acidized loop then).
    const PracticeRender* practice = nullptr;
    // Folder of the "mainplay.txt" dump (the current directory in the window).
    std::filesystem::path scriptDumpDir;
};

enum class PrepareStatus { Ready, EmptyPlayList, AcidTooLong };

struct RenderPlan {
    PrepareStatus status = PrepareStatus::Ready;
    RenderSong song;
    std::vector<int> usedInstruments; // in order of first occurrence, any number of them
};

// Preparation. Throws Error (a pattern or sample file that cannot be read, a bad number); the
// temporary files written before the failure stay.
RenderPlan prepareRender(const RenderRequest& request);

// What the render window shows and how Stop reaches the engine.
class RenderObserver {
public:
    virtual ~RenderObserver() = default;
    // Asked before every script line; true cancels (the mix so far is still saved).
    virtual bool stopRequested() { return false; }
    // A pass over the script starts: pass `index` of `count`, for instrument number `instrument`.
    virtual void passStarted(std::size_t /*index*/, std::size_t /*count*/, int /*instrument*/) {}
    // Once per script line of a pass: the progress bar's position (out of `lineCount`) and the
    // moment for the user interface to run its pending events.
    virtual void lineReached(std::size_t /*line*/, std::size_t /*lineCount*/) {}
    // The instrument being mixed ("Now Adding:" ...).
    virtual void instrumentShown(const std::string& /*label*/) {}
    // The loop writer starts (true) and ends (false).
    virtual void acidizing(bool /*active*/) {}
    // The chosen file could not be written: the message to show before the mix is saved at the
    // fall-back path instead.
    virtual void outputFallback(const std::string& /*message*/) {}
};

struct RenderOutcome {
    bool cancelled = false;
    bool fellBack = false; // written to ProgramDir/Temp.wav instead of the chosen file
    std::filesystem::path writtenTo;
    std::int64_t frames = 0; // frames written
    std::size_t hits = 0;
};

// The engine. Writes `output` atomically (a failed or cancelled render never leaves a partial
// file there), as WAV, FLAC or Ogg Vorbis by its extension (render/AudioExport). Throws Error for
// an extension of no such format, a sample that cannot be read or a velocity that is not a number;
// nothing is then written. The fall-back file is always WAV.
RenderOutcome renderSong(const RenderRequest& request, const RenderPlan& plan,
                         const std::filesystem::path& output, RenderObserver& observer);

// The folder of the temporary sound files: ProgramDir/temp, found whatever its letter case.
std::filesystem::path renderTempDir(const std::filesystem::path& programDir);

// The gain of a kit hit from its velocity digit: (10 - v) / (10 x v); no digit or 0 gives 1.
double velocityGain(int digit);

} // namespace tamboro
