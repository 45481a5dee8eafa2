#pragma once
// The main window's playback fields and handlers, as an engine object the window owns: sounding a
// cell and the audition, pattern playback with the pattern clock, Stop, the tempo knob and BPM
// field, the pan knob and the channel switches. The window forwards its control events to the
// handlers (same names) and shows what the callbacks in PlaybackEvents report.
//
// Everything runs on the window thread, including the clock ticks (the timers hand them over
// through the TickDispatcher given at construction).

#include "sound/ThreadTimer.h"

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
    // The pattern was changed by a control (`PatternChanged` of the grid editor).
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
    PlaybackState(TickDispatcher& dispatcher, SoundDevice& device, PatternGrid& grid, InstrumentList& instruments,
                  KitVoices& kit, SampleStreams* samples);

    PlaybackEvents events;

    // Fields of the main window.
    std::int32_t StepInterval;
    int PlayRow = 2;
    bool RepeatPattern = false;
    bool GridClicked = false;
    std::string StopRequest;
    bool GridIndicator = true; // the "Grid Scroll Indicator" check mark
    int GlobalTempo;
    // Index 1..6; index 0 unused.
    std::array<bool, 7> ChannelOn{};
    bool PlayButtonsEnabled = true;
    int ScriptPos = 0;
    bool RepeatSong = false;
    bool GlobalSpeed = false;
    // The flattened song of song playback; cleared by Stop.
    std::vector<std::string> SongScript;
    TThreadTimer DXTimer1; // song clock
    TThreadTimer DXTimer2; // pattern clock

    // Sample voices and sound output.
    // `SoundCell`: sounds `text` on `channel` (1..6); true when a kit voice was started.
    bool SoundCell(const std::string& text, int channel);
    // "Play instrument": plays the instrument list's current text; errors are ignored.
    void BitBtn11Click();

    // Pattern playback.
    void btnPlayClick();
    void DXTimer2Timer();
    void btnStopClick();
    void ToolButton3Click();  // "Repeat Pattern"
    void GridIndicatorClick();
    void StringGrid1MouseDown();
    bool patternPlaying() const { return DXTimer2.Enabled(); }

    // Song playback. `BitBtn12Click` flattens the Play List entries from the selected one
    // (`selected` < 0: from the first) into SongScript and starts the song clock; false (after
    // showing the error) when a pattern file or the device failed.
    bool BitBtn12Click(const std::filesystem::path& programDir, const std::vector<std::string>& playList,
                       int selected);
    void DXTimer1Timer();
    // Playback's part of "Clear all" (the Play List emptied): a playing song stops, both play
    // buttons come back and the script is dropped.
    void ClearSong();
    void ToolButton8Click();  // "Repeat song"
    void ToolButton19Click(); // "Set global speed"
    bool songPlaying() const { return DXTimer1.Enabled(); }

    // Tempo: the BPM field (`Label6`, exact, never below 1) and the tempo knob (`Delay`, 60..300).
    int bpm() const { return bpm_; }
    double tempoKnob() const { return knob_; }
    // The field's value set by the user's arrows or from code; raises Label6Change when it changes.
    void setBpm(int bpm);
    // The user turned the knob to `value`.
    void DelayChange(double value);

    // Pan knob moved over (value of the previous move, as the knob reports it). The "Sample
    // Panning" message shows once per visit of the pointer; PanningMouseLeave ends the visit.
    void PanningMouseMove(double knobValue);
    void PanningMouseLeave() { panMessageShown_ = false; }

    // Channel buttons: `tag` 61..66.
    void SetChannelStates(int tag);

    // Re-initialises the device's kit voices and sets the primary format, as both plays do first.
    // Returns false (after showing the error) when that fails.
    bool reinitializeSound();

private:
    void Label6Change();
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
