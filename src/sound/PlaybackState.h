#pragma once
// The main window's playback fields and handlers, as an engine object the window owns: sounding a
// cell and the audition, pattern playback with the pattern clock, Stop, the tempo knob and BPM
// field, the pan knob and the channel switches. The window forwards its control events to the
// handlers below and shows what the callbacks in PlaybackEvents report.
//
// Everything runs on the window thread, including the clock ticks (the timers hand them over
// through the TickDispatcher given at construction).

#include "sound/StepClock.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tamboro {

class InstrumentList;
class KitVoices;
class PatternGrid;
class SampleStreams;
class SoundDevice;

// What the window shows in answer to playback. Every callback is optional.
struct PlaybackEvents {
    // Select columns 1..6 of `row` in the grid (the row about to sound).
    std::function<void(int row)> highlightRow;
    // Flash the pulse light of channel 1..6.
    std::function<void(int channel)> pulse;
    // Enable or disable "Play pattern" and "Play, play list" together.
    std::function<void(bool enabled)> playButtonsEnabled;
    // The repeat button's glyph: image 2 of the image list when on, 3 when off.
    std::function<void(int imageIndex)> repeatGlyph;
    // A channel button's caption, "ON" or "OFF".
    std::function<void(int channel, const std::string& caption)> channelCaption;
    // The BPM field and the tempo knob changed (read bpm() and tempoKnob()).
    std::function<void()> tempoShown;
    // The pattern was changed by a control (`patternChanged` of the grid editor).
    std::function<void()> patternChanged;
    // Song playback: select Play List entry `index` (-1: no selection); show the "Loops" value and
    // the pattern name of the last pattern read; the glyphs of "Repeat song" (2 on, 3 off) and
    // "Set global speed" (9 on, 8 off).
    std::function<void(int index)> selectPlayListEntry;
    std::function<void(int loops)> loopsShown;
    std::function<void(const std::string& name)> patternNameShown;
    std::function<void(int imageIndex)> repeatSongGlyph;
    std::function<void(int imageIndex)> globalSpeedGlyph;
    // A message box: text and caption, OK button.
    std::function<void(const std::string& text, const std::string& caption)> message;
};

class PlaybackState {
public:
    PlaybackState(TickDispatcher& dispatcher, SoundDevice& device, PatternGrid& grid,
                  InstrumentList& instruments, KitVoices& kit, SampleStreams* samples);

    PlaybackEvents events;

    // Fields of the main window.
    std::int32_t stepInterval;
    int playRow = 2;
    bool repeatPattern = false;
    bool gridClicked = false;
    std::string stopRequest;
    bool gridScrollIndicator = true; // the "Grid Scroll Indicator" check mark
    int globalTempo;
    // Index 1..6; index 0 unused.
    std::array<bool, 7> channelsOn{};
    bool playButtonsEnabled = true;
    int scriptPosition = 0;
    bool repeatSong = false;
    bool globalSpeed = false;
    // The flattened song of song playback; cleared by Stop.
    std::vector<std::string> songScript;
    StepClock songClock;    // song clock
    StepClock patternClock; // pattern clock

    // Sample voices and sound output.
    // `playCell`: sounds `text` on `channel` (1..6); true when a kit voice was started.
    bool playCell(const std::string& text, int channel);
    // "Play instrument": plays the instrument list's current text; errors are ignored.
    void playInstrument();

    // Pattern playback.
    void playPattern();
    void onPatternTick();
    void stopPlayback();
    void toggleRepeatPattern(); // "Repeat Pattern"
    void toggleGridScrollIndicator();
    void gridMousePressed();
    bool patternPlaying() const { return patternClock.enabled(); }

    // Song playback. `playSong` flattens the Play List entries from the selected one
    // (`selected` < 0: from the first) into songScript and starts the song clock; false (after
    // showing the error) when a pattern file or the device failed.
    bool playSong(const std::filesystem::path& programDir, const std::vector<std::string>& playList,
                  int selected);
    void onSongTick();
    // Playback's part of "Clear all" (the Play List emptied): a playing song stops, both play
    // buttons come back and the script is dropped.
    void clearSong();
    void toggleRepeatSong();  // "Repeat song"
    void toggleGlobalSpeed(); // "Set global speed"
    bool songPlaying() const { return songClock.enabled(); }

    // Tempo: the BPM field (`bpmBox`, exact, never below 1) and the tempo knob (`bpmKnob`, 60..300).
    int bpm() const { return bpm_; }
    double tempoKnob() const { return knob_; }
    // The field's value set by the user's arrows or from code; raises bpmChanged when it changes.
    void setBpm(int bpm);
    // The user turned the knob to `value`.
    void tempoKnobTurned(double value);

    // Pan knob moved over (value of the previous move, as the knob reports it). The "Sample
    // Panning" message shows once per visit of the pointer; panKnobMouseLeave ends the visit.
    void panKnobMouseMove(double knobValue);
    void panKnobMouseLeave() { panMessageShown_ = false; }

    // Channel buttons: `tag` 61..66.
    void toggleChannel(int tag);

    // Re-initialises the device's kit voices and sets the primary format, as both plays do first.
    // Returns false (after showing the error) when that fails.
    bool reinitializeSound();

private:
    void bpmChanged();
    void endOfSong();
    void applyStepInterval();
    void setPlayButtons(bool enabled);

    SoundDevice& device_;
    PatternGrid& grid_;
    InstrumentList& instruments_;
    KitVoices& kit_;
    SampleStreams* samples_;
    int bpm_;
    double knob_;
    bool panMessageShown_ = false;
};

} // namespace tamboro
