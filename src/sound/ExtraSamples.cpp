#include "sound/ExtraSamples.h"

#include "common/Error.h"
#include "common/Files.h"
#include "common/Rounding.h"
#include "kits/SoundFile.h"
#include "song/SampleNames.h"
#include "sound/SampleStreams.h"
#include "sound/SoundLaw.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tamboro {

namespace fs = std::filesystem;

namespace {

// A WAV file larger than this is not a sample anyone means to load; refusing it before reading
// keeps a mistaken choice (a whole album) from taking the memory.
constexpr std::uintmax_t kMaxSampleFileBytes = std::uintmax_t{512} << 20;

Wave silence() {
    constexpr std::size_t kFrames = 441; // 10 ms at 44100 Hz
    return Wave::pcm(1, 44100, 16, Wave::Bytes(kFrames * 2, 0));
}

} // namespace

ExtraSamples::ExtraSamples(SampleStreams& streams, fs::path programDir, Wave blank)
    : streams_(streams), programDir_(std::move(programDir)), blank_(std::move(blank)) {
    if (!blank_.isPlayablePcm())
        blank_ = silence();
    for (int n = 1; n <= kCount; ++n) {
        Player& p = at(n);
        p.name = kBlankName;
        p.wave = blank_;
        streams_.setWave(n, blank_);
        applyFreshSettings(n);
    }
}

Wave ExtraSamples::loadBlank(const fs::path& programDir) {
    try {
        Wave blank = Wave::fromBytes(
            readFileBytes(resolveCaseInsensitive(programDir, kBlankName), kMaxSampleFileBytes));
        if (blank.isPlayablePcm())
            return blank;
    } catch (const Error&) {
        // Falls through to the silence: the players must hold a sound from the start.
    }
    return silence();
}

ExtraSamples::Player& ExtraSamples::at(int n) {
    return const_cast<Player&>(static_cast<const ExtraSamples*>(this)->at(n));
}

const ExtraSamples::Player& ExtraSamples::at(int n) const {
    if (n < 1 || n > kCount)
        throw Error("There is no extra sample " + std::to_string(n) + ".");
    return players_[static_cast<std::size_t>(n - 1)];
}

Wave ExtraSamples::readSample(const std::string& name) const {
    if (name == kBlankName)
        return blank_;
    return readPlayable(pathOf(name));
}

void ExtraSamples::checkFileName(const std::string& name) const {
    readSample(name);
}

fs::path ExtraSamples::pathOf(const std::string& name) const {
    const fs::path path(name);
    // Relative names (those stored in pattern and song files included) are in the program folder.
    fs::path resolved = path.is_absolute() ? path.root_path() : programDir_;
    const fs::path rest = path.is_absolute() ? path.relative_path() : path;
    if (fs::path exact = resolved / rest; fs::exists(exact))
        return exact;
    // File names match without regard to letter case: find each part in its folder.
    for (const fs::path& part : rest)
        resolved = resolveCaseInsensitive(resolved, part.string());
    return resolved;
}

void ExtraSamples::applyFreshSettings(int n) {
    Player& p = at(n);
    p.frequency = static_cast<std::int32_t>(p.wave.empty() ? 0 : p.wave.sampleRate());
    p.pan = 0;
    p.volume = 0;
    streams_.setFrequency(n, p.frequency);
    streams_.setPan(n, 0);
    streams_.setVolume(n, 0);
}

const std::string& ExtraSamples::fileName(int n) const {
    return at(n).name;
}

bool ExtraSamples::hasSound(int n) const {
    return !at(n).wave.empty();
}

const Wave& ExtraSamples::wave(int n) const {
    return at(n).wave;
}

void ExtraSamples::setFileName(int n, const std::string& name) {
    load(n, name, nullptr);
}

Wave ExtraSamples::readPlayable(const fs::path& path) {
    Wave wave = decodeSound(readFileBytes(path, kMaxSampleFileBytes), path.string()).wave;
    if (!wave.isPlayablePcm())
        throw Error("Sample file \"" + path.string() + "\": Sound Buffer cannot be made");
    return wave;
}

void ExtraSamples::load(int n, const std::string& name, const Wave* decoded) {
    Player& p = at(n);
    if (p.name == name && !p.wave.empty())
        return;
    streams_.stop(n);
    p.name = name;
    p.wave = Wave();
    // Silence the old sound first, so a failure leaves no trace of it.
    streams_.setWave(n, p.wave);
    Wave wave = name == kBlankName ? blank_ : decoded ? *decoded : readSample(name);
    streams_.setWave(n, wave);
    p.wave = std::move(wave);
    applyFreshSettings(n);
}

std::int32_t ExtraSamples::frequency(int n) const {
    return at(n).frequency;
}
std::int32_t ExtraSamples::pan(int n) const {
    return at(n).pan;
}
std::int32_t ExtraSamples::volume(int n) const {
    return at(n).volume;
}

bool ExtraSamples::setWithin(int n, std::int32_t value, std::int32_t min, std::int32_t max,
                             std::int32_t Player::*setting,
                             void (SampleStreams::*forward)(int, std::int32_t)) {
    Player& p = at(n);
    if (value < min || value > max)
        return false;
    p.*setting = value;
    (streams_.*forward)(n, value);
    return true;
}

bool ExtraSamples::setFrequency(int n, std::int32_t hz) {
    return setWithin(n, hz, kFrequencyMin, kFrequencyMax, &Player::frequency, &SampleStreams::setFrequency);
}

bool ExtraSamples::setPan(int n, std::int32_t pan) {
    return setWithin(n, pan, kPanLeft, kPanRight, &Player::pan, &SampleStreams::setPan);
}

bool ExtraSamples::setVolume(int n, std::int32_t volume) {
    return setWithin(n, volume, kVolumeMin, kVolumeMax, &Player::volume, &SampleStreams::setVolume);
}

void ExtraSamples::restart(int n) {
    if (at(n).wave.empty())
        throw Error("WaveStream not set");
    streams_.restart(n);
}

void ExtraSamples::stop(int n) {
    at(n);
    streams_.stop(n);
}

void ExtraSamples::stopAll() {
    streams_.stopAll();
}

bool ExtraSamples::isPlaying(int n) const {
    at(n);
    return streams_.isPlaying(n);
}

void ExtraSamples::setCurrentSample(int n) {
    at(n);
    currentSample = n;
}

bool ExtraSamples::setSlider(std::int32_t value) {
    const std::int32_t position = std::clamp(value, kSliderMin, kSliderMax);
    const bool moved = position != slider_;
    slider_ = position;
    // The player always ends at the slider's position, also when the slider was there already:
    // otherwise whether a file above 44100 Hz (or a pitch step past the range) is capped would
    // depend on where the slider happened to stand before.
    if (frequency(currentSample) != position)
        setFrequency(currentSample, position);
    return moved;
}

bool ExtraSamples::pitchStep(int semitones) {
    const int n = currentSample;
    if (isBlankSample(fileName(n)))
        return false;
    pitchCents[static_cast<std::size_t>(n)] += 100 * semitones;
    const double ratio = std::exp2(pitchCents[static_cast<std::size_t>(n)] / 1200.0);
    const double hz = std::clamp(baseFrequency[static_cast<std::size_t>(n)] * ratio, -2e9, 2e9);
    setFrequency(n, static_cast<std::int32_t>(roundHalfEven(hz)));
    setSlider(frequency(n));
    restart(n);
    return true;
}

void ExtraSamples::volumeKnobChanged(double knobValue) {
    setVolume(currentSample, static_cast<std::int32_t>(roundHalfEven(knobValue * 100)));
}

void ExtraSamples::panKnobChanged(double knobValue) {
    setPan(currentSample, static_cast<std::int32_t>(roundHalfEven(knobValue * 100)));
}

double ExtraSamples::volumeKnobValue(int n) const {
    return static_cast<double>(roundHalfEven(volume(n) / 100.0));
}

double ExtraSamples::panKnobValue(int n) const {
    return static_cast<double>(roundHalfEven(pan(n) / 100.0));
}

fs::path ExtraSamples::workingCopyPath(int n) const {
    at(n);
    return resolveCaseInsensitive(resolveCaseInsensitive(programDir_, "temp"),
                                  "Sample" + std::to_string(n) + ".wav");
}

void ExtraSamples::open(const fs::path& chosen) {
    const int n = currentSample;
    // The working copy is the file itself when the players take it as it stands, else the
    // converted sound; the player keeps the chosen file's own name, so a song saved afterwards
    // refers to the original.
    std::optional<Wave> converted;
    try {
        const auto bytes = readFileBytes(chosen, kMaxSampleFileBytes);
        try {
            DecodedSound sound = decodeSound(bytes, chosen.string());
            if (sound.source == SoundSource::Converted)
                converted = std::move(sound.wave);
        } catch (const Error&) {
            // Not a sound: the copy is made as it stands and the player reports the error below.
        }
        writeFileAtomically(workingCopyPath(n), converted ? converted->toBytes() : bytes);
    } catch (const Error&) {
        // The renderer copies the player's file again before it reads it; a failed copy here must
        // not keep the user from hearing the sample.
    }
    load(n, chosen.string(), converted ? &*converted : nullptr);
    setPan(n, 0);
    setVolume(n, 0);
    setSlider(frequency(n));
    baseFrequency[static_cast<std::size_t>(n)] = frequency(n);
    // A new file starts at its own pitch, so the semitone steps count from there.
    pitchCents[static_cast<std::size_t>(n)] = 0;
}

} // namespace tamboro
