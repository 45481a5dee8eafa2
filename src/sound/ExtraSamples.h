#pragma once
// The 32 extra samples as the sample editor keeps them: each player's file name and sound on the
// SampleStreams of the sound device, its frequency, pan and volume as the device accepted them, and
// the editor's own fields (`baseFrequency`, `pitchCents`, `currentSample`, the frequency slider).
// The semitone steps, the slider rule, the knobs and "&Open" are the editor's handlers without
// their widgets, so the window only reads controls, calls these and writes controls.
//
// Window thread only.

#include "kits/Wave.h"
#include "song/ExtraSampleCount.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace tamboro {

class SampleStreams;

class ExtraSamples {
public:
    static constexpr int kCount = kExtraSampleCount;
    static constexpr const char* kBlankName = "Blank.wav";
    // The frequency slider's range and page.
    static constexpr std::int32_t kSliderMin = 4410;
    static constexpr std::int32_t kSliderMax = 44100;
    static constexpr std::int32_t kSliderPage = 1100;

    // Every player holds "Blank.wav" (the sound `blank`), at the blank's own rate, pan 0 and volume
    // 0; `pitchCents` are 0 and sample 1 is current.
    ExtraSamples(SampleStreams& streams, std::filesystem::path programDir, Wave blank);

    // programDir's Blank.wav (found ignoring letter case). When it cannot be read, 10 ms of silence
    // stands in for it, so every player has a sound from the start.
    static Wave loadBlank(const std::filesystem::path& programDir);

    // ---- The players, by sample number 1..32 (other numbers throw Error). ---------------------
    const std::string& fileName(int n) const;
    // Gives player n a file: the same name again does nothing (unless the player has no sound, when
    // it is read again). Another name stops the player and reads the file with the sound-file
    // reader (kits/SoundFile.h: any format it reads, converted); the player then plays at the
    // sound's rate, pan 0 and volume 0. "Blank.wav" names the blank sound. Failures throw Error
    // (each naming the file: the file system's message, the reader's message naming the file, "Sound Buffer
    // cannot be made") and leave the player holding the new name without a sound.
    void setFileName(int n, const std::string& name);
    // Throws the Error setFileName would throw for `name`, touching no player (a song checks all
    // its samples before it changes anything).
    void checkFileName(const std::string& name) const;
    bool hasSound(int n) const;
    // The sound player n holds (an empty wave when it has none).
    const Wave& wave(int n) const;

    std::int32_t frequency(int n) const;
    std::int32_t pan(int n) const;
    std::int32_t volume(int n) const;
    // Each returns false, keeping the previous value, for a value the sound output refuses:
    // a frequency outside 100..200000 Hz, a pan outside -10000..10000, a volume above 0 or below
    // -10000.
    bool setFrequency(int n, std::int32_t hz);
    bool setPan(int n, std::int32_t pan);
    bool setVolume(int n, std::int32_t volume);

    // Rewinds player n and plays it once. Throws Error("WaveStream not set") when it has no sound.
    void restart(int n);
    // Stops player n (the next restart rewinds it).
    void stop(int n);
    void stopAll();
    bool isPlaying(int n) const;

    // ---- The editor's fields and rules. ---------------------------------------------------------
    // Index 1..32; index 0 unused.
    std::array<std::int32_t, kCount + 1> baseFrequency{};
    std::array<std::int32_t, kCount + 1> pitchCents{};
    int currentSample = 1;

    // Makes sample n (1..32) the one the editor works on.
    void setCurrentSample(int n);

    int sliderPosition() const { return slider_; }
    // The slider rule: the position is clamped to 4410..44100, and the current player then plays at
    // that position. Returns true when the position changed.
    bool setSlider(std::int32_t value);

    // A semitone step (+1 up, -1 down) on the current sample; does nothing and returns false while
    // its file part is "Blank.wav". Otherwise `pitchCents` moves by 100, the player's frequency
    // becomes round(baseFrequency x 2^(pitchCents / 1200)), the slider follows, and the player is
    // restarted (throws Error("WaveStream not set") when it has no sound).
    bool pitchStep(int semitones);

    // The knobs: round(value x 100) for the current player; a refused value keeps the previous one.
    void volumeKnobChanged(double knobValue);
    void panKnobChanged(double knobValue);
    // What the knobs show for player n: its volume and pan over 100, rounded.
    double volumeKnobValue(int n) const;
    double panKnobValue(int n) const;

    // "&Open" once the file is chosen: writes the current sample's working file
    // (programDir/temp/Sample<n>.wav) as a copy of `chosen`, or of its converted sound when the
    // reader converted it (a failed copy is ignored, as the renderer copies the file again), gives the player
    // the file, resets its pan and volume to 0, sets the slider to its frequency and takes the resulting
    // frequency as `baseFrequency`, with the pitch back at 0 cents. Throws Error when the player cannot take
    // the file (see setFileName).
    void open(const std::filesystem::path& chosen);

    // The working copy of sample n that "&Open" writes: programDir/temp/Sample<n>.wav, or the file
    // already there under another letter case.
    std::filesystem::path workingCopyPath(int n) const;

    // The "&GlobalFocus" option. The device keeps every player audible whether or not the program
    // is active, so the option is recorded for the menu's check mark only.
    bool globalFocus() const { return globalFocus_; }
    void setGlobalFocus(bool on) { globalFocus_ = on; }

    const std::filesystem::path& programDir() const { return programDir_; }

private:
    struct Player {
        std::string name;
        Wave wave; // empty while the player has no sound
        std::int32_t frequency = 0;
        std::int32_t pan = 0;
        std::int32_t volume = 0;
    };
    Player& at(int n);
    const Player& at(int n) const;
    std::filesystem::path pathOf(const std::string& name) const;
    // Reads a file as a playable sound (setFileName's errors).
    static Wave readPlayable(const std::filesystem::path& path);
    // The sound `name` stands for: the blank, or the file read and checked to be playable.
    Wave readSample(const std::string& name) const;
    // setFileName, with the sound already decoded when `decoded` is given.
    void load(int n, const std::string& name, const Wave* decoded);
    void applyFreshSettings(int n);
    // Stores `value` as player n's `setting` and passes it to the audio thread through `forward`
    // when it lies within min..max; false (nothing changed) otherwise.
    bool setWithin(int n, std::int32_t value, std::int32_t min, std::int32_t max,
                   std::int32_t Player::*setting, void (SampleStreams::*forward)(int, std::int32_t));

    SampleStreams& streams_;
    std::filesystem::path programDir_;
    Wave blank_;
    std::array<Player, kCount> players_;
    int slider_ = kSliderMax;
    bool globalFocus_ = true;
};

} // namespace tamboro
