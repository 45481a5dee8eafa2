// tamboro-cli render SONG.sng -o OUT.wav|OUT.flac|OUT.ogg [--dir DIR] [--kit KIT.dxg] [--from N] [--acid]
// [--mute C]... [--mp3 RATE] Renders a song exactly as the render window does, in the format OUT's
// extension names: DIR is the program folder (pattern files, Blank.wav, temp/), the kit defaults to
// DIR/Topkit.dxg and DIR/Panning.dat gives the kit's pans when present (a damaged one gives centre
// pans). A progress bar goes to stderr when it is a terminal. On any error the message is printed,
// the exit status is non-zero and OUT is left as it was.

#include "cli/CliCommand.h"
#include "cli/PracticeOptions.h"
#include "common/ChildProcess.h"
#include "common/Error.h"
#include "common/Files.h"
#include "common/TextLines.h"
#include "kits/ClickSynth.h"
#include "kits/DrumKit.h"
#include "render/AudioExport.h"
#include "render/Mp3Encoder.h"
#include "render/PracticeTrack.h"
#include "render/SongRender.h"
#include "song/PanTable.h"
#include "song/SongFile.h"

#include <cstdio>
#include <filesystem>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tamboro::cli {

namespace {

namespace fs = std::filesystem;

const std::string kUsage =
    std::string("render SONG.sng|NAME.pat -o OUT.wav|OUT.flac|OUT.ogg [--dir DIR] [--kit KIT.dxg] [--from N] "
                "[--acid] [--mute C]... [--mp3 RATE] ") +
    kPracticeUsage +
    "  render a song (or one pattern of DIR) to WAV, FLAC or Ogg Vorbis by OUT's extension (and an MP3 "
    "copy of a WAV with DIR's encoder); the practice options make a practice track";

bool stderrIsTerminal() {
#ifndef _WIN32
    return ::isatty(2) != 0;
#else
    return false;
#endif
}

// A progress bar over all passes, redrawn only when it changes.
class ProgressBar : public RenderObserver {
public:
    explicit ProgressBar(bool enabled) : enabled_(enabled) {}
    ~ProgressBar() override { finish(); }

    void passStarted(std::size_t index, std::size_t count, int) override {
        pass_ = index;
        passes_ = count;
    }
    void lineReached(std::size_t line, std::size_t lineCount) override {
        if (!enabled_ || passes_ == 0 || lineCount == 0)
            return;
        const double done =
            (static_cast<double>(pass_) + static_cast<double>(line + 1) / lineCount) / passes_;
        const int percent = static_cast<int>(done * 100);
        if (percent != percent_)
            draw(percent);
    }
    void instrumentShown(const std::string& label) override {
        if (label != label_) {
            label_ = label;
            if (enabled_)
                draw(percent_ < 0 ? 0 : percent_);
        }
    }
    void acidizing(bool active) override {
        if (enabled_ && active) {
            label_ = "Now Acidizing Loop";
            draw(100);
        }
    }
    void outputFallback(const std::string& message) override {
        finish();
        std::fprintf(stderr, "%s\n", message.c_str());
    }
    void finish() {
        if (drawn_)
            std::fputc('\n', stderr);
        drawn_ = false;
    }

private:
    void draw(int percent) {
        percent_ = percent;
        constexpr int width = 30;
        const int filled = percent * width / 100;
        std::fprintf(stderr, "\rNow Adding: %-14.14s [%s%s] %3d%%", label_.c_str(),
                     std::string(static_cast<std::size_t>(filled), '#').c_str(),
                     std::string(static_cast<std::size_t>(width - filled), ' ').c_str(), percent);
        std::fflush(stderr);
        drawn_ = true;
    }

    bool enabled_;
    bool drawn_ = false;
    std::size_t pass_ = 0, passes_ = 0;
    int percent_ = -1;
    std::string label_;
};

int parseNumber(const std::string& option, const std::string& text) {
    long long value = 0;
    if (!parseInteger(text, value) || value < -1000000 || value > 1000000)
        throw Error("render: " + option + " needs a whole number, not \"" + text + "\"");
    return static_cast<int>(value);
}

// The extra samples as Open Song leaves the players: the file, its frequency (a value the sound
// output refuses keeps the file's own rate) and its pan (refused values keep the centre).
void applySongSamples(const SongFileData& song, RenderRequest& request) {
    for (std::size_t n = 0; n < song.samples.size() && n < request.extraSamples.size(); ++n) {
        const SongSample& s = song.samples[n];
        ExtraSampleSound& sound = request.extraSamples[n];
        sound.fileName = s.fileName;
        sound.frequency = (s.frequency >= 100 && s.frequency <= 200000) ? s.frequency : 0;
        if (s.pan && *s.pan >= -10000 && *s.pan <= 10000)
            sound.pan = *s.pan;
    }
}

int runRender(const CliArgs& args) {
    fs::path song, output, kitFile;
    fs::path dir = fs::current_path();
    int from = 1;
    bool acid = false;
    std::string mp3Rate;
    std::vector<int> muted;
    PracticeOptions practice;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size())
                throw Error("render: " + a + " needs a value");
            return args[++i];
        };
        if (a == "-o" || a == "--output")
            output = value();
        else if (a == "--dir")
            dir = value();
        else if (a == "--kit")
            kitFile = value();
        else if (a == "--from")
            from = parseNumber(a, value());
        else if (a == "--acid")
            acid = true;
        else if (a == "--mp3")
            mp3Rate = value();
        else if (a == "--mute") {
            const int channel = parseNumber(a, value());
            if (channel < 1 || channel > 6)
                throw Error("render: --mute takes a channel from 1 to 6, not " + std::to_string(channel));
            muted.push_back(channel);
        } else if (practice.take(args, i, "render")) {
        } else if (song.empty() && !a.starts_with("-"))
            song = a;
        else
            throw Error("render: unexpected argument \"" + a + "\"");
    }
    if (song.empty() || output.empty())
        throw Error(std::string("usage: tamboro-cli ") + kUsage);
    // The format is settled before anything is prepared or written.
    if (audioFileFormatFor(output) != AudioFileFormat::Wav && !mp3Rate.empty())
        throw Error("render: --mp3 encodes a WAV output; \"" + output.string() + "\" is not one");
    const bool practising = practice.any();
    const PracticeSettings settings = practice.settings("render");
    if (practising && acid)
        throw Error("render: --acid cannot make a practice track");
    if (settings.sectionFrom > 0 && from != 1)
        throw Error("render: --from and --section cannot be given together");
    // One pattern of DIR plays as a one-entry song.
    const bool onePattern = equalsIgnoreCase(song.extension().string(), ".pat");
    std::error_code ec;
    if (!onePattern && !fs::exists(song, ec) && song.is_relative())
        song = dir / song;
    if (kitFile.empty())
        kitFile = dir / "Topkit.dxg";

    DrumKit kit;
    kit.loadFromFile(kitFile);
    RenderRequest request;
    request.programDir = dir;
    request.kit = &kit;
    request.scriptDumpDir = dir;
    request.acidize = acid;
    for (const int c : muted)
        request.channelOn[static_cast<std::size_t>(c - 1)] = false;

    const InstrumentLookup list = InstrumentLookup::forKit(kit);
    if (const fs::path panFile = dir / kPanTableFileName; fs::exists(panFile, ec)) {
        // A damaged table gives centre pans, as at start-up.
        const PanTableLoad pans = loadPanTable(panFile);
        if (!pans.problem.empty())
            std::fprintf(stderr, "warning: %s; the kit plays with centre pans\n", pans.problem.c_str());
        applyPanTable(pans.table, InstrumentPositions{list.entries(), list.lastKitIndex()},
                      [&](const std::string& name, int pan) { kit.find(name).setPan(pan); });
    }

    if (onePattern) {
        request.playList = {song.stem().string()};
    } else {
        const SongFileData songData = readSongFile(song);
        request.playList = songData.entries;
        applySongSamples(songData, request);
    }
    if (request.playList.empty())
        throw Error("The song \"" + song.string() + "\" has no patterns to render.");
    if (from < 1 || static_cast<std::size_t>(from) > request.playList.size())
        throw Error("render: --from " + std::to_string(from) + " is outside the song's " +
                    std::to_string(request.playList.size()) + " entries");
    request.startEntry = static_cast<std::size_t>(from - 1);
    checkPracticeSection(settings, request.playList.size(), "render: --section");

    // The practice track's plays are settled before anything is written.
    PracticeRender track;
    if (practising) {
        track.settings = settings;
        track.plays = practiceTrackPlays(readRenderSong(dir, request.playList, request.startEntry), settings,
                                         practice.plays, practice.minutes);
        track.accent = clickWave(ClickVoice::Accent);
        track.tick = clickWave(ClickVoice::Tick);
        request.practice = &track;
    }

    const RenderPlan plan = prepareRender(request);
    if (plan.status == PrepareStatus::AcidTooLong)
        throw Error(kAcidTooLongMessage);
    if (plan.status == PrepareStatus::EmptyPlayList)
        throw Error("The song \"" + song.string() + "\" has no patterns to render.");

    ProgressBar progress(stderrIsTerminal());
    const RenderOutcome outcome = renderSong(request, plan, output, progress);
    progress.finish();
    if (outcome.fellBack)
        return 1;
    std::printf("%s: %lld frames, %.3f seconds\n", output.string().c_str(),
                static_cast<long long>(outcome.frames), static_cast<double>(outcome.frames) / 44100);
    if (practising)
        std::printf("practice track: %d plays\n", track.plays);
    if (mp3Rate.empty())
        return 0;
    // The same encoder invocation as the encoder window's "GO", waited for here.
    const std::string mp3 = mp3PathFor(output.string());
    ChildProcess encoder;
    if (!encoder.start(encoderArguments(encoderPath(dir), output.string(), mp3, mp3Rate)))
        throw Error(encoder.startError());
    const auto status = encoder.wait();
    if (status != 0) {
        std::fprintf(stderr, "the MP3 encoder ended with status %d\n", status.value_or(-1));
        return 1;
    }
    std::printf("%s\n", mp3.c_str());
    return 0;
}

const CliRegistration registration{{"render", kUsage, runRender}};

} // namespace

} // namespace tamboro::cli
