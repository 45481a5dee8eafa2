// The render engine: one walk of the song script per used instrument collects the hits exactly as
// the passes would mix them; the mix is then produced in one time-ordered pass straight into the
// output file.

#include "common/Error.h"
#include "common/Files.h"
#include "common/Rounding.h"
#include "common/WavWriter.h"
#include "kits/DrumKit.h"
#include "render/AcidLoop.h"
#include "render/AudioExport.h"
#include "render/HitTimeline.h"
#include "render/PracticeTrack.h"
#include "render/SongRender.h"
#include "render/StepClock.h"
#include "render/WaveBuffer.h"

#include <algorithm>
#include <bit>
#include <map>
#include <memory>
#include <system_error>

namespace tamboro {

namespace fs = std::filesystem;

double velocityGain(int digit) {
    if (digit <= 0)
        return 1.0; // no level digit (or 0): full level instead of a division by zero
    return (10.0 - digit) / (10.0 * digit);
}

namespace {

// What a cell means in each kind of pass, worked out once per distinct cell of a pattern.
struct CellCode {
    int kitPosition = -1;   // lookup with a space back at character 12
    int plainPosition = -1; // lookup of the text as it stands
    int velocity = 0;       // 1..9 (a space is 1); 0 without a digit
    char badVelocity = 0;   // a 12th character that is not a number
};

CellCode codeCell(const std::string& cell, const InstrumentLookup& list) {
    CellCode code;
    code.plainPosition = list.find(cell);
    if (cell.size() > 10) {
        const CellLevel level = cellLevel(cell);
        code.velocity = level.digit;
        code.badVelocity = level.bad;
        code.kitPosition = list.find(cellLookupText(cell));
    } else {
        code.kitPosition = code.plainPosition;
    }
    return code;
}

// Writes the whole mix as a render-format WAV file, atomically.
void writeMix(const HitTimeline& mix, const fs::path& path) {
    WavFileWriter out(path, pcmFormatRecord(2, 44100, 16), static_cast<std::uint64_t>(mix.length()) * 4,
                      WavLayout::Standard);
    std::vector<std::uint8_t> bytes;
    mix.render(0, mix.length(), [&](std::span<const std::int16_t> block) {
        if constexpr (std::endian::native == std::endian::little) {
            out.write(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(block.data()),
                                                    block.size_bytes()));
        } else {
            bytes.resize(block.size() * 2);
            for (std::size_t i = 0; i < block.size(); ++i) {
                bytes[2 * i] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(block[i]));
                bytes[2 * i + 1] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(block[i]) >> 8);
            }
            out.write(bytes);
        }
    });
    out.commit();
}

// Writes mix frames [from, to) as a FLAC or Ogg Vorbis file, atomically: the very samples the WAV
// file would hold.
void writeEncoded(const HitTimeline& mix, std::int64_t from, std::int64_t to, const fs::path& path,
                  AudioFileFormat format) {
    EncodedAudioWriter out(path, format, HitTimeline::kChannels, 44100);
    mix.render(from, to, [&](std::span<const std::int16_t> block) { out.write(block); });
    out.commit();
}

class Engine {
public:
    Engine(const RenderRequest& request, const RenderPlan& plan, RenderObserver& observer)
        : request_(request), plan_(plan), observer_(observer), list_(InstrumentLookup::forKit(*request.kit)),
          temp_(renderTempDir(request.programDir)) {}

    // The passes; false when Stop cancelled them.
    bool collectHits() {
        const auto& segments = plan_.song.script.segments();
        codes_.resize(segments.size());
        for (std::size_t s = 0; s < segments.size(); ++s) {
            std::map<std::string, CellCode> seen;
            for (const auto& cell : *segments[s].cells) {
                auto it = seen.find(cell);
                if (it == seen.end())
                    it = seen.emplace(cell, codeCell(cell, list_)).first;
                codes_[s].push_back(it->second);
            }
        }
        std::vector<int> passes;
        for (const int n : plan_.usedInstruments)
            if (n >= 1 && n <= list_.lastKitIndex() + kRenderExtraSamples)
                passes.push_back(n);
        std::sort(passes.begin(), passes.end());
        if (request_.practice)
            schedulePractice();
        for (std::size_t p = 0; p < passes.size(); ++p) {
            observer_.passStarted(p, passes.size(), passes[p]);
            if (!(request_.practice ? walkPractice(passes[p]) : walk(passes[p])))
                return false;
        }
        return !request_.practice || addClicks();
    }

    const HitTimeline& mix() const { return mix_; }

private:
    // One pass over the script for instrument `n`.
    bool walk(int n) {
        const bool kitPass = n <= list_.lastKitIndex();
        const std::size_t lineCount = plan_.song.script.lineCount();
        RenderStepClock clock(plan_.song.firstStepSeconds);
        const auto& segments = plan_.song.script.segments();
        for (std::size_t s = 0; s < segments.size(); ++s) {
            const ScriptSegment& segment = segments[s];
            const std::vector<CellCode>& codes = codes_[s];
            const std::size_t lines = segment.cellLines();
            for (std::size_t i = 0; i < lines; ++i) {
                if (observer_.stopRequested())
                    return false;
                clock.advance(segment, i);
                const CellCode& code = codes[i % codes.size()];
                if (kitPass && code.badVelocity)
                    throw Error(std::string("'") + code.badVelocity + "' is not a valid integer value");
                const int k = kitPass ? code.kitPosition : code.plainPosition;
                observer_.lineReached(segment.firstLine + 2 + i, lineCount);
                if (k == n)
                    hit(n, kitPass, code.velocity, clock.column(), clock.seconds());
            }
        }
        // The "%%%" line.
        if (observer_.stopRequested())
            return false;
        observer_.lineReached(plan_.song.script.endLine(), lineCount);
        return true;
    }

    // The practice plan's passes over the script's entries, and the lead-in before them.
    void schedulePractice() {
        const auto& segments = plan_.song.script.segments();
        const PracticeSequence sequence(practiceEntries(plan_.song), request_.practice->settings);
        practicePasses_ = tamboro::schedulePractice(sequence, request_.practice->plays);
        leadIn_ = sequence.leadInSeconds();
        for (const auto& entry : sequence.entries())
            for (std::size_t s = 0; s < segments.size(); ++s)
                if (segments[s].entry == entry.listIndex)
                    segmentOf_.push_back(s);
    }

    // Walks the practice passes with the plain walk's arithmetic: times in seconds, each step
    // starting where the previous one ended, a swung step delayed from its place on the grid.
    // `visit(pass, step, seconds)` is called for every step.
    template <typename Visit> bool walkPracticeSteps(Visit visit) {
        double t = leadIn_;
        for (std::size_t p = 0; p < practicePasses_.size(); ++p) {
            if (observer_.stopRequested())
                return false;
            observer_.lineReached(p, practicePasses_.size());
            const PracticePass& pass = practicePasses_[p];
            for (int step = 0; step < pass.steps; ++step) {
                visit(pass, step, t + request_.practice->settings.swingDelay(step, pass.stepSeconds));
                t += pass.stepSeconds;
            }
        }
        return true;
    }

    // One practice pass over the plan for instrument `n`.
    bool walkPractice(int n) {
        const bool kitPass = n <= list_.lastKitIndex();
        return walkPracticeSteps([&](const PracticePass& pass, int step, double at) {
            if (!pass.drumsSound(step))
                return;
            const std::size_t segment = segmentOf_[pass.entry];
            const std::vector<CellCode>& codes = codes_[segment];
            for (int column = 1; column <= 6; ++column) {
                const CellCode& code = codes[static_cast<std::size_t>(step * 6 + column - 1) % codes.size()];
                if (kitPass && code.badVelocity)
                    throw Error(std::string("'") + code.badVelocity + "' is not a valid integer value");
                if ((kitPass ? code.kitPosition : code.plainPosition) == n)
                    hit(n, kitPass, code.velocity, column, at);
            }
        });
    }

    // The click's hits, after every drum hit, at the click level.
    bool addClicks() {
        const PracticeRender& practice = *request_.practice;
        const double level = practice.settings.clickLevel / 100.0;
        std::uint32_t sounds[2] = {0, 0};
        for (int i = 0; i < 2; ++i) {
            auto buffer = std::make_unique<WaveBuffer>();
            buffer->loadFromBytes((i == 0 ? practice.accent : practice.tick).toBytes(),
                                  i == 0 ? "the accent click" : "the click");
            sounds[i] = mix_.addSound(std::make_unique<HitContribution>(
                *buffer, 44100, 2, static_cast<int>(buffer->sampleRate), level, 0.0));
            clickSources_.push_back(std::move(buffer));
        }
        return walkPracticeSteps([&](const PracticePass& pass, int step, double at) {
            const ClickSound click = pass.click(step, practice.settings.click);
            if (click != ClickSound::None)
                mix_.addHit(frameAt(at), sounds[click == ClickSound::Accent ? 0 : 1]);
        });
    }

    // Round(byteRate x start / blockAlign) of the render format.
    static std::int64_t frameAt(double t) {
        const double startFrame = 176400.0 * t / 4;
        if (!(startFrame < static_cast<double>(kMaxRenderFrames)))
            throw Error("The song is too long to be saved as a WAV file.");
        return renderFrameAt(t);
    }

    void hit(int n, bool kitPass, int velocity, int column, double t) {
        const int sampleNumber = n - list_.lastKitIndex();
        const std::string label = kitPass ? list_.entry(n) : "Sample " + std::to_string(sampleNumber);
        WaveBuffer& source = sourceFor(n, kitPass, sampleNumber);
        observer_.instrumentShown(label);
        if (!request_.channelOn[static_cast<std::size_t>(column - 1)])
            return;
        const auto key = std::make_pair(n, kitPass ? velocity : 0);
        auto sound = sounds_.find(key);
        if (sound == sounds_.end()) {
            double volume, pan;
            int rate;
            if (kitPass) {
                volume = velocityGain(velocity);
                pan = request_.kit->item(n).pan() / 2000.0;
                rate = 0;
            } else {
                const ExtraSampleSound& stream =
                    request_.extraSamples[static_cast<std::size_t>(sampleNumber - 1)];
                volume = (stream.volume + 4000) / 4000.0;
                pan = stream.pan / 4000.0;
                rate = stream.frequency;
            }
            if (rate == 0)
                rate = static_cast<int>(source.sampleRate);
            sound = sounds_
                        .emplace(key, mix_.addSound(std::make_unique<HitContribution>(source, 44100, 2, rate,
                                                                                      volume, pan)))
                        .first;
        }
        mix_.addHit(frameAt(t), sound->second);
    }

    // Each sample file is read once; every hit of it then uses the same sound. A file that is not
    // a WAV gives silence (a fresh buffer), never the previous hit's sound.
    WaveBuffer& sourceFor(int n, bool kitPass, int sampleNumber) {
        auto it = sources_.find(n);
        if (it != sources_.end())
            return *it->second;
        const fs::path file =
            kitPass ? temp_ / (std::to_string(n) + ".wav")
                    : resolveCaseInsensitive(temp_, "Sample" + std::to_string(sampleNumber) + ".wav");
        auto buffer = std::make_unique<WaveBuffer>();
        buffer->loadFromFile(file);
        return *sources_.emplace(n, std::move(buffer)).first->second;
    }

    const RenderRequest& request_;
    const RenderPlan& plan_;
    RenderObserver& observer_;
    InstrumentLookup list_;
    fs::path temp_;
    std::vector<std::vector<CellCode>> codes_;
    std::map<int, std::unique_ptr<WaveBuffer>> sources_;
    std::map<std::pair<int, int>, std::uint32_t> sounds_;
    std::vector<PracticePass> practicePasses_;
    std::vector<std::size_t> segmentOf_; // the script segment of each practised entry
    double leadIn_ = 0;
    std::vector<std::unique_ptr<WaveBuffer>> clickSources_;
    HitTimeline mix_;
};

} // namespace

RenderOutcome renderSong(const RenderRequest& request, const RenderPlan& plan, const fs::path& output,
                         RenderObserver& observer) {
    if (!request.kit)
        throw Error("No kit is loaded.");
    const AudioFileFormat format = audioFileFormatFor(output);
    if (request.practice && request.acidize)
        throw Error("A practice track cannot be an acidized loop.");
    Engine engine(request, plan, observer);
    RenderOutcome outcome;
    outcome.cancelled = !engine.collectHits();
    const HitTimeline& mix = engine.mix();
    outcome.hits = mix.hitCount();
    try {
        if (request.acidize && !outcome.cancelled) {
            observer.acidizing(true);
            const LoopRange range = acidLoopRange(plan.song.firstStepSeconds, plan.song.songSeconds);
            if (format == AudioFileFormat::Wav)
                writeAcidLoop(mix, range, output);
            else
                writeEncoded(mix, range.first, range.end, output, format);
            observer.acidizing(false);
            outcome.frames = range.frames();
        } else {
            if (format == AudioFileFormat::Wav)
                writeMix(mix, output);
            else
                writeEncoded(mix, 0, mix.length(), output, format);
            outcome.frames = mix.length();
        }
        outcome.writtenTo = output;
    } catch (const Error&) {
        observer.acidizing(false);
        // The whole mix, never the loop, goes to ProgramDir/Temp.wav instead.
        const fs::path fallback = request.programDir / "Temp.wav";
        observer.outputFallback(std::string(kOutputInUseMessage) + fallback.string());
        const fs::path old = resolveCaseInsensitive(request.programDir, "temp.wav");
        if (old.filename() != fallback.filename()) {
            std::error_code ec;
            fs::remove(old, ec);
        }
        writeMix(mix, fallback);
        outcome.fellBack = true;
        outcome.writtenTo = fallback;
        outcome.frames = mix.length();
    }
    return outcome;
}

} // namespace tamboro
