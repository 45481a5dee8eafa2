// tamboro-cli play NAME[.pat]|SONG.sng [--dir DIR] [--kit KIT.dxg] [--bpm N] [--repeat] [--seconds S]
//                       [--audio null|default] [--capture OUT.wav]
//                       [--null-skew-ppm P] [--null-late MS:SECONDS:EVERY] [--null-blocks MIN-MAX]
//                       [--null-drop N] [--null-start-stall MS]
//                       [--input TAKE.wav [--null-input-delay FRAMES]]
//                       [--input-device NAME] [--feedback NOTES.csv [--latency MS]]
// Plays pattern DIR/NAME.pat, or the Play List of a song file, live through the same clocks,
// playCell, voices and mixer as the main window, and exits when it ends (or after S seconds, or
// never with --repeat alone). --bpm sets the tempo of a pattern, or of a whole song (global speed).
// The kit defaults to DIR/Topkit.dxg, then the installed one; the extra samples start as
// Blank.wav and take the files the pattern names when they can be read.
// The --null-* options are for testing timing: they make the null device misbehave as real outputs
// do (a crystal P ppm off the system clock; callbacks MS late during the last SECONDS of every EVERY
// seconds; blocks of MIN to MAX frames; every Nth block lost; held back MS after its first block).
// --input gives the null device a loopback input: the take's frame 0 is heard one step (the
// render's lead-in) before the first step, as a take recorded in step with the song's render;
// --null-input-delay adds a round trip. --input-device records a system input. --feedback
// records the input while playing and analyses it afterwards as `tamboro-cli feedback` does,
// against the steps the engine scheduled (practice options included).

#include "cli/CliCommand.h"
#include "cli/LiveFeedback.h"
#include "cli/PracticePlay.h"
#include "common/AssetDir.h"
#include "common/Error.h"
#include "common/Files.h"
#include "common/TextLines.h"
#include "kits/DrumKit.h"
#include "render/RenderScript.h"
#include "song/PatternFile.h"
#include "song/PatternGrid.h"
#include "song/SongFile.h"
#include "sound/EventLoop.h"
#include "sound/InstrumentList.h"
#include "sound/KitVoices.h"
#include "sound/NullAudioBackend.h"
#include "sound/PlaybackState.h"
#include "sound/RtAudioBackend.h"
#include "sound/SampleStreams.h"
#include "sound/SoundDevice.h"
#include "sound/ThreadPriority.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tamboro::cli {

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// How long the output must have run at its pace before steps are planned.
constexpr auto kRunningSpan = 250ms;

const std::string kUsage =
    std::string("play NAME[.pat]|SONG.sng [--dir DIR] [--kit KIT.dxg] [--bpm N] [--repeat] "
                "[--seconds S] [--audio null|default] [--capture OUT.wav] ") +
    kPracticeUsage +
    "  play a pattern or a song live (through the practice tools)\n"
    "      test options of --audio null: [--null-skew-ppm P] (card clock P ppm fast, negative: slow)\n"
    "      [--null-late MS:SECONDS:EVERY] (callbacks MS late for SECONDS of every EVERY seconds)\n"
    "      [--null-blocks MIN-MAX] (block sizes vary) [--null-drop N] (every Nth block is lost)\n"
    "      [--null-start-stall MS] (held back MS after the first block, as a sound server can be)\n"
    "      [--input TAKE.wav] (the null device hears the take) [--null-input-delay FRAMES] (its round trip)\n"
    "      [--input-device NAME|default] (record a system input) [--feedback NOTES.csv] (analyse the\n"
    "      input against the steps played) [--latency MS] (the input's round trip, taken off every note)";

struct PlayArgs {
    std::string name;
    fs::path dir;
    fs::path kit;
    std::optional<int> bpm;
    bool repeat = false;
    std::optional<double> seconds;
    bool nullAudio = false;
    fs::path capture;
    NullAudioOptions null;
    bool nullTestOptions = false;
    PracticeOptions practice;
    fs::path input;
    std::string inputDevice;
    fs::path feedback;
    double latencyMs = 0;
};

double parseNumber(const std::string& text, const char* what) {
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(v))
        throw Error(std::string(what));
    return v;
}

// "A<sep>B<sep>C...": exactly `count` numbers.
std::vector<double> parseNumbers(const std::string& text, char separator, std::size_t count,
                                 const char* what) {
    std::vector<double> numbers;
    std::size_t from = 0;
    while (true) {
        const std::size_t at = text.find(separator, from);
        numbers.push_back(parseNumber(text.substr(from, at == std::string::npos ? at : at - from), what));
        if (at == std::string::npos)
            break;
        from = at + 1;
    }
    if (numbers.size() != count)
        throw Error(std::string(what));
    return numbers;
}

PlayArgs parseArgs(const CliArgs& args) {
    PlayArgs p;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size())
                throw Error(a + " needs a value\nusage: tamboro-cli " + kUsage);
            return args[++i];
        };
        long long number = 0;
        if (a == "--dir")
            p.dir = value();
        else if (a == "--kit")
            p.kit = value();
        else if (a == "--bpm") {
            if (!parseInteger(value(), number) || number < 1 || number > 100000)
                throw Error("--bpm takes a whole number of beats per minute, 1 or more");
            p.bpm = static_cast<int>(number);
        } else if (a == "--repeat")
            p.repeat = true;
        else if (a == "--seconds") {
            const std::string& v = value();
            char* end = nullptr;
            const double s = std::strtod(v.c_str(), &end);
            if (end == v.c_str() || *end != '\0' || !(s > 0) || s > 1e7)
                throw Error("--seconds takes a positive number");
            p.seconds = s;
        } else if (a == "--audio") {
            const std::string& v = value();
            if (v != "null" && v != "default")
                throw Error("--audio takes null or default");
            p.nullAudio = v == "null";
        } else if (a == "--capture")
            p.capture = value();
        else if (a == "--null-skew-ppm") {
            p.null.skewPpm = parseNumber(value(), "--null-skew-ppm takes a number of millionths");
            p.nullTestOptions = true;
        } else if (a == "--null-late") {
            const auto v = parseNumbers(value(), ':', 3, "--null-late takes MS:SECONDS:EVERY");
            p.null.lateMs = v[0];
            p.null.lateSeconds = v[1];
            p.null.lateEverySeconds = v[2];
            p.nullTestOptions = true;
        } else if (a == "--null-blocks") {
            const auto v = parseNumbers(value(), '-', 2, "--null-blocks takes MIN-MAX frames");
            if (v[0] < 1 || v[1] < v[0] || v[1] > NullAudioBackend::kMaxBlockFrames ||
                v[0] != std::floor(v[0]) || v[1] != std::floor(v[1]))
                throw Error("--null-blocks takes MIN-MAX whole frames, 1 to " +
                            std::to_string(NullAudioBackend::kMaxBlockFrames));
            p.null.minBlockFrames = static_cast<std::uint32_t>(v[0]);
            p.null.maxBlockFrames = static_cast<std::uint32_t>(v[1]);
            p.nullTestOptions = true;
        } else if (a == "--null-drop") {
            if (!parseInteger(value(), number) || number < 1 || number > 1000000000)
                throw Error("--null-drop takes a whole number of blocks, 1 or more");
            p.null.dropEvery = static_cast<std::uint32_t>(number);
            p.nullTestOptions = true;
        } else if (a == "--null-start-stall") {
            p.null.startStallMs = parseNumber(value(), "--null-start-stall takes milliseconds, 0 to 5000");
            if (!(p.null.startStallMs >= 0 && p.null.startStallMs <= NullAudioBackend::kMaxStartStallMs))
                throw Error("--null-start-stall takes milliseconds, 0 to 5000");
            p.nullTestOptions = true;
        } else if (a == "--input")
            p.input = value();
        else if (a == "--input-device")
            p.inputDevice = value();
        else if (a == "--feedback")
            p.feedback = value();
        else if (a == "--null-input-delay") {
            if (!parseInteger(value(), number) || number < 0 || number > 441000)
                throw Error("--null-input-delay takes a whole number of frames, 0 to 441000");
            p.null.inputDelayFrames = static_cast<std::uint32_t>(number);
            p.nullTestOptions = true;
        } else if (a == "--latency") {
            p.latencyMs = parseNumber(value(), "--latency takes milliseconds from -2000 to 2000");
            if (std::fabs(p.latencyMs) > 2000)
                throw Error("--latency takes milliseconds from -2000 to 2000");
        } else if (p.practice.take(args, i, "play")) {
        } else if (!a.empty() && a[0] == '-')
            throw Error("unknown option " + a + "\nusage: tamboro-cli " + kUsage);
        else if (p.name.empty())
            p.name = a;
        else
            throw Error(std::string("only one pattern can be played\nusage: tamboro-cli ") + kUsage);
    }
    if (p.name.empty())
        throw Error("usage: tamboro-cli " + std::string(kUsage));
    if (!p.capture.empty() && !p.nullAudio)
        throw Error("--capture needs --audio null");
    if (p.nullTestOptions && !p.nullAudio)
        throw Error("the --null-* options need --audio null");
    if (!p.input.empty() && !p.nullAudio)
        throw Error("--input needs --audio null (a sound card's input is chosen with --input-device)");
    if (!p.inputDevice.empty() && p.nullAudio)
        throw Error("--input-device needs --audio default");
    if (!p.feedback.empty() && p.input.empty() && p.inputDevice.empty())
        throw Error("--feedback needs an input: --input TAKE.wav or --input-device NAME");
    if (p.dir.empty())
        p.dir = fs::current_path();
    if (p.practice.any() && p.bpm)
        throw Error("play: --bpm cannot be combined with the practice options (use --tempo-scale)");
    return p;
}

fs::path installedAssets() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : findAssetDir(self);
}

// DIR/name if present (ignoring letter case), else the installed asset of that name, else empty.
fs::path workspaceOrAsset(const fs::path& dir, const std::string& name) {
    fs::path p = resolveCaseInsensitive(dir, name);
    if (fs::exists(p))
        return p;
    const fs::path assets = installedAssets();
    if (!assets.empty() && fs::exists(assets / name))
        return assets / name;
    return {};
}

// `inputStart`: where the null device's input begins (see NullAudioOptions::inputStartNs).
std::unique_ptr<AudioBackend> makeBackend(const PlayArgs& p,
                                          std::chrono::steady_clock::time_point inputStart) {
    if (p.nullAudio) {
        NullAudioOptions options = p.null;
        options.capturePath = p.capture;
        if (!p.input.empty()) {
            options.input = readInputTake(p.input, options.sampleRate);
            options.inputStartNs = steadyNanos(inputStart);
        }
        return std::make_unique<NullAudioBackend>(options);
    }
    SystemAudioOptions options;
    options.inputDevice = p.inputDevice;
    return makeSystemAudioBackend(options);
}

int runPlay(const CliArgs& args) {
    const PlayArgs p = parseArgs(args);

    std::string name = p.name;
    const bool song = name.size() > 4 && equalsIgnoreCase(name.substr(name.size() - 4), ".sng");
    if (name.size() > 4 && equalsIgnoreCase(name.substr(name.size() - 4), ".pat"))
        name.resize(name.size() - 4);
    PatternFileData pattern;
    SongFileData songData;
    if (song) {
        const fs::path songPath =
            fs::path(name).is_absolute() ? fs::path(name) : resolveCaseInsensitive(p.dir, name);
        songData = readSongFile(songPath);
    } else {
        pattern = readPatternFile(patternFilePath(p.dir, name));
    }

    DrumKit kit;
    const fs::path kitPath = p.kit.empty() ? workspaceOrAsset(p.dir, "Topkit.dxg") : p.kit;
    if (kitPath.empty())
        throw Error("No kit: Topkit.dxg is neither in " + p.dir.string() + " nor installed (use --kit)");
    kit.loadFromFile(kitPath);

    Wave blank;
    if (const fs::path blankPath = workspaceOrAsset(p.dir, "Blank.wav"); !blankPath.empty())
        blank = Wave::readFile(blankPath);

    // With an input, the first step is planned a little ahead so the input can be lined up with it:
    // the take's frame 0 one step (the render's lead-in) before the first step.
    std::optional<RenderSong> renderSong;
    std::vector<cli::MarkedStep> marked;
    // A sound card may be held back at its start (below); the null device only when asked to, and
    // then its first step is planned past the pause and the wait for running output after it.
    const bool mayBeHeldBack = !p.nullAudio || p.null.startStallMs > 0;
    auto firstStep = std::chrono::steady_clock::now() + 600ms;
    if (p.nullAudio && mayBeHeldBack)
        firstStep += std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                         std::chrono::duration<double, std::milli>(p.null.startStallMs)) +
                     kRunningSpan;
    std::chrono::steady_clock::time_point inputStart = firstStep;
    if (!p.feedback.empty() || !p.input.empty()) {
        renderSong = readRenderSong(p.dir, song ? songData.entries : std::vector<std::string>{name}, 0);
        inputStart -= std::chrono::duration_cast<std::chrono::steady_clock::duration>(
            std::chrono::duration<double>(std::max(0.0, renderSong->firstStepSeconds)));
    }
    SoundDeviceOptions deviceOptions;
    deviceOptions.recordInput = !p.feedback.empty();
    SoundDevice device(makeBackend(p, inputStart), deviceOptions);
    if (!device.inputProblem().empty())
        throw Error("play: " + device.inputProblem());
    if (!p.feedback.empty() && !device.recordsInput())
        throw Error("play: " + device.backendName() + " has no input to record");
    // This thread is the window thread of the headless player: it only runs the clock's ticks
    // (well under a millisecond each), so it may run at high priority, which keeps ticks from
    // queueing behind other programs on a busy machine.
    applyThreadPriority(ThreadPriority::highest);
    EventLoop loop;
    PatternGrid grid;
    loadPatternIntoGrid(grid, pattern);
    InstrumentList instruments;
    instruments.fill(kit);
    KitVoices voices(kit);
    SampleStreams samples(device, blank);
    for (std::size_t i = 0; i < pattern.samples.size() && i < kExtraSampleStreams; ++i) {
        const std::string& file = pattern.samples[i].fileName;
        if (file.empty() || equalsIgnoreCase(file, "Blank.wav"))
            continue;
        try {
            const fs::path path =
                fs::path(file).is_absolute() ? fs::path(file) : resolveCaseInsensitive(p.dir, file);
            samples.setWave(static_cast<int>(i) + 1, Wave::readFile(path));
            if (pattern.samples[i].frequency)
                samples.setFrequency(static_cast<int>(i) + 1, *pattern.samples[i].frequency);
        } catch (const Error& e) {
            std::fprintf(stderr, "Sample%zu (%s) stays silent: %s\n", i + 1, file.c_str(), e.what());
        }
    }

    PlaybackState playback(loop, device, grid, instruments, voices, &samples);
    std::string failure;
    playback.events.message = [&](const std::string& text, const std::string&) { failure = text; };
    auto report = [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); };
    playback.songClock.onError = report;
    playback.patternClock.onError = report;
    // Nothing here follows the ticks on a screen: they are handled ahead of their time, so a
    // machine that holds the player's threads up does not make hits late.
    playback.songClock.setLead(kHeadlessTickLead);
    playback.patternClock.setLead(kHeadlessTickLead);
    if (!song) {
        playback.setBpm(p.bpm.value_or(pattern.bpm));
        if (p.repeat)
            playback.toggleRepeatPattern();
    } else {
        if (p.bpm) {
            playback.setBpm(*p.bpm);
            playback.toggleGlobalSpeed();
        }
        if (p.repeat)
            playback.toggleRepeatSong();
    }

    // Wait for the output to run: a sound server may hold a stream back after its first block (a
    // duplex stream on a sink's monitor waits for the sink's first fragment, up to two seconds),
    // and steps planned meanwhile would all land on the frame it resumes at.
    if (mayBeHeldBack && !device.waitForRunningOutput(kRunningSpan, 10s))
        std::fprintf(stderr, "play: the output has not started running steadily within 10 s\n");
    // Let the output settle so the mixer's clock is anchored before the first tick: a sound server
    // first fills its whole buffer (the look-ahead) in a burst, and the clock then settles on a
    // quarter second of paced callbacks. A count-in's first clicks would otherwise be placed by a
    // mapping still moving.
    loop.runFor(p.nullAudio ? 50ms
                            : 400ms + std::chrono::milliseconds(1000ull * device.lookaheadFrames() /
                                                                device.sampleRate()));
    const auto limit = p.seconds ? std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                       std::chrono::duration<double>(*p.seconds))
                                 : std::chrono::steady_clock::duration::max() / 2;
    if (renderSong && !p.nullAudio && std::chrono::steady_clock::now() + 100ms > firstStep) {
        // A sound card's input is lined up by the origin marked below, not by a planned start, so
        // the first step may move past the opening and settling of the device.
        const auto shift = std::chrono::steady_clock::now() + 200ms - firstStep;
        firstStep += shift;
        inputStart += shift;
    }
    if (renderSong && std::chrono::steady_clock::now() + 100ms > firstStep)
        std::fprintf(stderr, "play: the first step is late; the input is not in step with it\n");
    device.markInputOrigin(inputStart);
    if (device.recordsInput() && !p.practice.any()) {
        // Plain playback walks the song as the render does: the nth tick is the render's nth step.
        const SongSteps renderSteps = songSteps(*renderSong);
        device.onStepMarked([&marked, renderSteps](std::uint32_t id) {
            if (marked.size() <= id)
                marked.resize(id + 1);
            marked[id] = {id < renderSteps.positions.size() ? renderSteps.positions[id] : 0,
                          id < renderSteps.positions.size()};
        });
    }
    // The steps the clocks ran: the playback's own, or the practice player's, which steps the
    // plan with a clock of its own.
    std::uint64_t practiceSteps = 0;
    std::chrono::steady_clock::duration practiceTickDelay{};
    if (p.practice.any()) {
        const PracticeSession session = playPracticeSession(
            p.practice, p.repeat, p.dir, song ? songData.entries : std::vector<std::string>{name}, loop,
            device, playback, limit, renderSong ? std::optional(firstStep) : std::nullopt,
            device.recordsInput() ? &marked : nullptr);
        std::fprintf(stderr, "practice: %d plays, %llu steps\n", session.plays,
                     static_cast<unsigned long long>(session.steps));
        practiceSteps = session.steps;
        practiceTickDelay = session.worstTickDelay;
    } else {
        if (renderSong) {
            playback.songClock.setNextStart(firstStep);
            playback.patternClock.setNextStart(firstStep);
        }
        if (song)
            playback.playSong(p.dir, songData.entries, -1);
        else
            playback.playPattern();
        if (!failure.empty())
            throw Error(failure);
        // After a natural end the last ticks' hits are still ahead by the lead: they start before
        // the stop below, which would silence the extra samples' hits it found still to come.
        if (loop.runUntil([&] { return !playback.patternPlaying() && !playback.songPlaying(); }, limit))
            loop.runFor(kHeadlessTickLead);
    }
    playback.stopPlayback();
    // The last hits ring out: wait for the look-ahead and the rest of the longest voice (at most 2 s).
    loop.runFor(std::chrono::milliseconds(1000ull * 2 * device.lookaheadFrames() / device.sampleRate() + 1));
    const auto ringOutEnd = std::chrono::steady_clock::now() + 2s;
    loop.runUntil(
        [&] {
            for (int i = 0; i < kit.count(); ++i)
                for (std::size_t v = 0; v < voices.voiceCount(i); ++v)
                    if (voices.voice(i, v)->isPlaying())
                        return false;
            return true;
        },
        ringOutEnd - std::chrono::steady_clock::now());
    if (device.recordsInput())
        loop.runFor(300ms); // the last notes' onsets, a little after the last step

    const SoundHealth health = device.health();
    // How long the system held a tick up at most: beyond the look-ahead it makes late starts, so
    // a late start is told apart from a fault of the clock.
    const auto tickDelay = std::max(
        {playback.songClock.worstTickDelay(), playback.patternClock.worstTickDelay(), practiceTickDelay});
    std::fprintf(
        stderr,
        "played %s on %s at %u Hz (blocks up to %.2f ms early): %llu ticks, %s, ticks held up at most "
        "%.1f ms\n",
        name.c_str(), device.backendName().c_str(), device.sampleRate(), health.maxEarlyMs,
        static_cast<unsigned long long>(playback.songClock.tickCount() + playback.patternClock.tickCount() +
                                        practiceSteps),
        describeSoundHealth(health).c_str(), std::chrono::duration<double, std::milli>(tickDelay).count());
    voices.finalize();
    if (device.recordsInput()) {
        const InputTake take = device.takeInput();
        reportLiveFeedback(take, marked, p.latencyMs, p.feedback);
        return 0;
    }
    device.close();
    return 0;
}

const CliRegistration registration({"play", kUsage, runPlay});

} // namespace

} // namespace tamboro::cli
