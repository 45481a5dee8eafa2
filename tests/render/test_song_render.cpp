#include "RenderWorkspace.h"

#include "common/Error.h"
#include "common/Files.h"
#include "common/Rounding.h"
#include "common/TextLines.h"
#include "render/AcidLoop.h"
#include "render/SongRender.h"

#include <gtest/gtest.h>

using namespace tamboro;
using namespace tamboro::rendertest;
namespace fs = std::filesystem;

namespace {

const std::string kick = "Kick      [ ]";
const std::string snare = "Snare     [ ]";
const std::string hat = "Hat       [ ]";
const std::string longSound = "Long      [ ]";
const std::string crash = "Crash     [ ]";

std::string level(const std::string& name, char digit) {
    std::string cell = name;
    cell[11] = digit;
    return cell;
}

// Stops before line `line` of pass `pass`; records what the window would show.
struct TestObserver : RenderObserver {
    long stopPass = -1, stopLine = 0;
    long pass = -1, line = 0;
    std::vector<std::string> labels;
    std::vector<std::string> fallbacks;
    int acidOn = 0;
    std::size_t lastLine = 0, lineCount = 0;
    bool stopRequested() override { return pass == stopPass && line++ == stopLine; }
    void passStarted(std::size_t index, std::size_t, int) override {
        pass = static_cast<long>(index);
        line = 0;
    }
    void lineReached(std::size_t l, std::size_t count) override {
        lastLine = l;
        lineCount = count;
    }
    void instrumentShown(const std::string& label) override {
        if (labels.empty() || labels.back() != label)
            labels.push_back(label);
    }
    void acidizing(bool active) override { acidOn += active ? 1 : 0; }
    void outputFallback(const std::string& message) override { fallbacks.push_back(message); }
};

struct Rendered {
    RenderPlan plan;
    RenderOutcome outcome;
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint8_t> expected;
    oracle::LiteralRenderResult literal;
};

Rendered renderBoth(const RenderWorkspace& ws, const RenderRequest& request, long stopPass = -1,
                    long stopLine = 0, bool withOracle = true) {
    Rendered r;
    const fs::path out = ws.dir.path / "out.wav";
    const fs::path expected = ws.dir.path / "expected.wav";
    if (withOracle) {
        auto literalIn = ws.literal(request);
        literalIn.stopPass = stopPass;
        literalIn.stopLine = stopLine;
        r.literal = oracle::literalRender(literalIn, expected);
        if (!r.literal.acidRefused)
            r.expected = readFileBytes(expected);
    }

    r.plan = prepareRender(request);
    if (r.plan.status != PrepareStatus::Ready)
        return r;
    TestObserver observer;
    observer.stopPass = stopPass;
    observer.stopLine = stopLine;
    r.outcome = renderSong(request, r.plan, out, observer);
    r.bytes = readFileBytes(out);
    return r;
}

std::int16_t sampleAt(const std::vector<std::uint8_t>& wav, std::int64_t frame, int channel) {
    const std::size_t at = 44 + static_cast<std::size_t>(frame) * 4 + static_cast<std::size_t>(channel) * 2;
    return static_cast<std::int16_t>(wav.at(at) | (wav.at(at + 1) << 8));
}

std::int64_t firstSoundingFrame(const std::vector<std::uint8_t>& wav) {
    for (std::size_t at = 44; at + 1 < wav.size(); at += 2)
        if (wav[at] || wav[at + 1])
            return static_cast<std::int64_t>((at - 44) / 4);
    return -1;
}

} // namespace

// Every song of the set renders to exactly the bytes of the literal implementation.
TEST(SongRender, AgreesWithTheLiteralImplementation) {
    RenderWorkspace ws;
    PatternCells everyLevel;
    const char digits[] = "123456789 0";
    for (int i = 0; i < 11; ++i)
        everyLevel[{i + 1, 1}] = level(kick, digits[i]);
    everyLevel[{12, 2}] = "Tom"; // a kit name without a level digit
    everyLevel[{13, 3}] = level(snare, '5');
    everyLevel[{14, 4}] = "kick      [3]"; // found ignoring letter case
    everyLevel[{15, 5}] = "Empty     [ ]"; // a kit item without sound
    everyLevel[{16, 6}] = "Unknown";
    ws.pattern("Levels", 120, 1, 16, everyLevel);

    PatternCells groove;
    for (int s = 1; s <= 16; ++s) {
        if (s % 4 == 1)
            groove[{s, 1}] = kick;
        if (s == 5 || s == 13)
            groove[{s, 2}] = level(snare, '2');
        if (s % 2 == 1)
            groove[{s, 3}] = level(hat, '4');
    }
    groove[{3, 4}] = "Sample1";
    groove[{11, 5}] = "sample2";
    groove[{16, 6}] = crash;
    ws.pattern("A", 100, 2, 16, groove);
    PatternCells b;
    b[{1, 1}] = kick;
    b[{2, 2}] = level(crash, '1');
    b[{5, 6}] = "Sample2";
    b[{8, 3}] = level(hat, '9');
    ws.pattern("B", 140, 1, 8, b);
    PatternCells overlap;
    for (int s = 1; s <= 12; ++s) {
        overlap[{s, 1}] = level(longSound, '1');
        overlap[{s, 2}] = longSound;
        overlap[{s, 3}] = level(crash, '1');
    }
    ws.pattern("Overlap", 130, 0, 12, overlap); // loop count 0 counts as 1
    ws.pattern("Nothing", 90, 3, 4, {});
    ws.pattern("NoSteps", 200, 1, 0, {});

    struct Case {
        const char* name;
        std::vector<std::string> playList;
        std::size_t start = 0;
        int mutedChannel = 0;
        bool acid = false;
    } cases[] = {
        {"every level digit", {"Levels"}},
        {"tempo changes and loops", {"A", "B", "Overlap", "A"}},
        {"start from a later entry", {"A", "B", "Overlap", "A"}, 2},
        {"muted channel", {"A", "B"}, 0, 3},
        {"overlapping long sounds clip", {"Overlap", "Overlap"}},
        {"silent patterns and no steps", {"NoSteps", "Nothing", "B"}},
        {"acid loop", {"B", "A"}, 0, 0, true},
        {"acid loop with tails cut", {"Overlap"}, 0, 0, true},
    };
    for (const auto& c : cases) {
        auto request = ws.request(c.playList);
        request.startEntry = c.start;
        request.acidize = c.acid;
        if (c.mutedChannel)
            request.channelOn[static_cast<std::size_t>(c.mutedChannel - 1)] = false;
        const Rendered r = renderBoth(ws, request);
        ASSERT_EQ(r.plan.status, PrepareStatus::Ready) << c.name;
        EXPECT_GT(r.bytes.size(), 44u) << c.name;
        EXPECT_EQ(r.bytes, r.expected) << c.name;
        EXPECT_EQ(r.plan.usedInstruments, r.literal.usedInstruments) << c.name;
        EXPECT_EQ(r.plan.song.firstStepSeconds, r.literal.firstStepSeconds) << c.name;
        EXPECT_EQ(r.plan.song.songSeconds, r.literal.songSeconds) << c.name;
        // The dumped script is the flattened script line by line.
        EXPECT_EQ(readTextLines(ws.dir.path / "mainplay.txt"), r.literal.script) << c.name;
    }
}

TEST(SongRender, KickOnTheFirstStep) {
    RenderWorkspace ws;
    ws.pattern("One", 120, 1, 16, {{{1, 1}, kick}});
    ws.pattern("Two", 120, 2, 16, {{{1, 1}, kick}});
    const Rendered one = renderBoth(ws, ws.request({"One"}));
    EXPECT_EQ(one.bytes, one.expected);
    EXPECT_EQ(one.plan.song.songSeconds, 2.0);
    EXPECT_EQ(one.plan.song.firstStepSeconds, 0.125);
    EXPECT_EQ(firstSoundingFrame(one.bytes), 5512);
    EXPECT_EQ(one.bytes.size(), 44u + (5512u + 6000u) * 4);
    EXPECT_EQ(one.plan.usedInstruments, std::vector<int>{1});

    // With two loops the second kick starts at 0.125 + 2.0 seconds.
    const Rendered two = renderBoth(ws, ws.request({"Two"}));
    EXPECT_EQ(two.bytes, two.expected);
    const auto second = roundHalfEven(44100 * (0.125 + 2.0));
    EXPECT_EQ(two.bytes.size(), 44u + static_cast<std::size_t>(second + 6000) * 4);
    EXPECT_EQ(sampleAt(two.bytes, second, 0), sampleAt(one.bytes, 5512, 0));
    EXPECT_EQ(sampleAt(two.bytes, second - 1, 0), 0);
}

TEST(SongRender, EmptySongGivesTheBareHeader) {
    RenderWorkspace ws;
    ws.pattern("Quiet", 120, 2, 16, {});
    const Rendered r = renderBoth(ws, ws.request({"Quiet"}));
    EXPECT_EQ(r.bytes.size(), 44u);
    EXPECT_EQ(r.bytes, r.expected);
    EXPECT_TRUE(r.plan.usedInstruments.empty());

    auto none = ws.request({});
    EXPECT_EQ(prepareRender(none).status, PrepareStatus::EmptyPlayList);
}

TEST(SongRender, AcidLoopLengths) {
    RenderWorkspace ws;
    ws.pattern("Loop120", 120, 1, 16, {{{1, 1}, kick}, {{16, 2}, longSound}});
    ws.pattern("Loop130", 130, 1, 16, {{{1, 1}, kick}});
    ws.pattern("Twelve", 120, 6, 16, {{{1, 1}, kick}});
    ws.pattern("TooLong", 119, 6, 16, {{{1, 1}, kick}});
    ws.pattern("Zero", 120, 1, 0, {});

    auto acid = [&](std::vector<std::string> list) {
        auto r = ws.request(std::move(list));
        r.acidize = true;
        return r;
    };
    const Rendered r120 = renderBoth(ws, acid({"Loop120"}));
    EXPECT_EQ(r120.bytes, r120.expected);
    EXPECT_EQ(r120.bytes.size(), 44u + 88200u * 4);
    // The loop's first frame holds the first step's hit at its start.
    EXPECT_NE(sampleAt(r120.bytes, 0, 0), 0);

    const Rendered r130 = renderBoth(ws, acid({"Loop130"}));
    EXPECT_EQ(r130.plan.song.firstStepSeconds, 0.115);
    const LoopRange range = acidLoopRange(0.115, r130.plan.song.songSeconds);
    EXPECT_EQ(range.first, 5072); // 5071.5 rounds to the even neighbour
    EXPECT_EQ(range.end, roundHalfEven((16 * 60.0 / 130 / 4 + 0.115) * 44100));
    EXPECT_EQ(r130.bytes.size(), 44u + static_cast<std::size_t>(range.frames()) * 4);
    EXPECT_EQ(r130.bytes, r130.expected);

    // Exactly 12 seconds is accepted; more is refused before anything is written.
    const Rendered twelve = renderBoth(ws, acid({"Twelve"}), -1, 0, false);
    EXPECT_EQ(twelve.plan.status, PrepareStatus::Ready);
    EXPECT_EQ(twelve.bytes.size(), 44u + 12u * 44100 * 4);
    fs::remove(ws.dir.path / "out.wav");
    const Rendered tooLong = renderBoth(ws, acid({"TooLong"}), -1, 0, false);
    EXPECT_EQ(tooLong.plan.status, PrepareStatus::AcidTooLong);
    EXPECT_FALSE(fs::exists(ws.dir.path / "out.wav"));
    EXPECT_STREQ(kAcidTooLongMessage, "You can only acid loops less than 12 seconds");

    // A song of no musical length gives a loop without data.
    const Rendered zero = renderBoth(ws, acid({"Zero"}));
    EXPECT_EQ(zero.bytes.size(), 44u);
}

TEST(SongRender, StopSavesTheMixSoFar) {
    RenderWorkspace ws;
    PatternCells cells;
    for (int s = 1; s <= 16; ++s) {
        cells[{s, 1}] = kick;
        cells[{s, 2}] = level(snare, '3');
        cells[{s, 4}] = "Sample1";
    }
    ws.pattern("Busy", 125, 2, 16, cells);
    struct Case {
        long pass, line;
    } cases[] = {{0, 0}, {0, 37}, {1, 100}, {2, 5}, {2, 192}};
    std::size_t previous = 0;
    for (const auto& c : cases) {
        const Rendered r = renderBoth(ws, ws.request({"Busy"}), c.pass, c.line);
        EXPECT_TRUE(r.outcome.cancelled) << c.pass << "/" << c.line;
        EXPECT_EQ(r.bytes, r.expected) << c.pass << "/" << c.line;
        EXPECT_GE(r.bytes.size(), previous);
        previous = r.bytes.size();
    }
    const Rendered full = renderBoth(ws, ws.request({"Busy"}));
    EXPECT_FALSE(full.outcome.cancelled);
    EXPECT_GE(full.bytes.size(), previous);
}

TEST(SongRender, LabelsProgressAndFallback) {
    RenderWorkspace ws;
    ws.pattern("P", 120, 1, 4, {{{1, 1}, kick}, {{2, 2}, "Sample1"}, {{3, 1}, level(hat, '2')}});
    auto request = ws.request({"P"});
    const RenderPlan plan = prepareRender(request);
    EXPECT_EQ(plan.usedInstruments, (std::vector<int>{1, plan.usedInstruments[1], 3}));
    TestObserver observer;
    // The chosen folder does not exist: the whole mix goes to ProgramDir/Temp.wav instead.
    writeBytes(ws.dir.path / "temp.wav", {1, 2, 3});
    const auto outcome = renderSong(request, plan, ws.dir.path / "missing" / "out.wav", observer);
    EXPECT_TRUE(outcome.fellBack);
    ASSERT_EQ(observer.fallbacks.size(), 1u);
    EXPECT_EQ(observer.fallbacks[0], std::string(kOutputInUseMessage) + (ws.dir.path / "Temp.wav").string());
    EXPECT_TRUE(fs::exists(ws.dir.path / "Temp.wav"));
    EXPECT_FALSE(fs::exists(ws.dir.path / "temp.wav"));
    EXPECT_FALSE(fs::exists(ws.dir.path / "missing"));
    EXPECT_EQ(observer.labels, (std::vector<std::string>{kick, hat, "Sample 1"}));
    EXPECT_EQ(observer.lineCount, 2u + 4 * 6 + 1);
    EXPECT_EQ(observer.lastLine, observer.lineCount - 1);
}

TEST(SongRender, ErrorsEndTheRenderWithoutWriting) {
    RenderWorkspace ws;
    ws.pattern("BadLevel", 120, 1, 4, {{{1, 1}, "Kick      [x]"}});
    ws.pattern("ZeroTempo", 0, 1, 4, {{{1, 1}, kick}});
    writeBytes(ws.dir.path / "old.wav", {9, 9, 9});
    {
        auto request = ws.request({"BadLevel"});
        const RenderPlan plan = prepareRender(request);
        TestObserver observer;
        try {
            renderSong(request, plan, ws.dir.path / "old.wav", observer);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), "'x' is not a valid integer value");
        }
        EXPECT_EQ(readFileBytes(ws.dir.path / "old.wav"), (std::vector<std::uint8_t>{9, 9, 9}));
    }
    struct Case {
        std::vector<std::string> playList;
        const char* message;
    } cases[] = {
        {{"Missing"}, "Missing"},
        {{"ZeroTempo"}, "tempo"},
    };
    for (const auto& c : cases) {
        try {
            prepareRender(ws.request(c.playList));
            ADD_FAILURE() << c.message;
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
    auto request = ws.request({"BadLevel"});
    request.extraSamples[5].fileName = (ws.dir.path / "nowhere.wav").string();
    EXPECT_THROW(prepareRender(request), Error);
}

TEST(SongRender, ManyInstrumentsAndExtraSampleCase) {
    RenderWorkspace ws;
    // More than 32 different instruments: a kit of 40 instruments, every one used.
    DrumKit big;
    big.add();
    PatternCells cells;
    for (int i = 1; i <= 40; ++i) {
        auto& item = big.add();
        std::string name = "I" + std::to_string(i);
        name.resize(10, ' ');
        item.setName(name + "[ ]");
        item.setWave(Wave::pcm(1, 44100, 16, testSignal(1, 16, 300 + i, static_cast<unsigned>(i))));
        cells[{(i - 1) / 6 + 1, (i - 1) % 6 + 1}] = item.name();
    }
    ws.pattern("Forty", 120, 1, 7, cells);
    auto request = ws.request({"Forty"});
    request.kit = &big;
    const Rendered r = renderBoth(ws, request);
    EXPECT_EQ(r.plan.usedInstruments.size(), 40u);
    EXPECT_EQ(r.bytes, r.expected);
    EXPECT_EQ(r.outcome.hits, 40u);

    // The engine finds the extra sample's working file whatever the case of its name.
    auto sampleOnly = ws.request({"S"});
    ws.pattern("S", 120, 1, 2, {{{1, 1}, "Sample1"}});
    const RenderPlan plan = prepareRender(sampleOnly);
    const fs::path lower = renderTempDir(ws.dir.path) / "sample1.wav";
    ASSERT_TRUE(fs::exists(lower));
    TestObserver observer;
    const auto outcome = renderSong(sampleOnly, plan, ws.dir.path / "s.wav", observer);
    EXPECT_EQ(outcome.hits, 1u);
    EXPECT_GT(fs::file_size(ws.dir.path / "s.wav"), 44u);
}

TEST(SongRender, VelocityGains) {
    const double expected[] = {1.0, 0.9, 0.4, 0.23333, 0.15, 0.1, 0.06667, 0.04286, 0.025, 0.01111};
    for (int v = 0; v <= 9; ++v)
        EXPECT_NEAR(velocityGain(v), expected[v], 0.000005) << v;
}
