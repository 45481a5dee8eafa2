// The render's preparation ("Render song to wave" before the save dialog).

#include "common/Error.h"
#include "common/Files.h"
#include "kits/DrumKit.h"
#include "kits/SoundFile.h"
#include "kits/Wave.h"
#include "render/SongRender.h"

#include <algorithm>
#include <system_error>

namespace tamboro {

namespace fs = std::filesystem;

namespace {

// Deletes a file after clearing its read-only attribute; a missing file is no error.
void removeWritable(const fs::path& file) {
    std::error_code ec;
    if (!fs::exists(file, ec))
        return;
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add, ec);
    fs::remove(file, ec);
}

// Deletes the files in `dir` named `name` in another letter case, so that one file answers to it.
void removeOtherCases(const fs::path& dir, const std::string& name) {
    std::error_code ec;
    std::vector<fs::path> others;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string file = it->path().filename().string();
        if (file != name && equalsIgnoreCase(file, name))
            others.push_back(it->path());
    }
    for (const auto& path : others)
        removeWritable(path);
}

// Makes `target` a writable file holding `bytes`.
void refreshFile(const fs::path& target, const std::vector<std::uint8_t>& bytes) {
    std::error_code ec;
    if (fs::exists(target, ec)) {
        fs::permissions(target, fs::perms::owner_write, fs::perm_options::add, ec);
        if (fs::file_size(target, ec) == bytes.size() && !ec && readFileBytes(target) == bytes)
            return;
        removeWritable(target);
    }
    writeFileAtomically(target, bytes);
}

fs::path extraSampleSource(const fs::path& programDir, const std::string& fileName) {
    if (fileName == "Blank.wav")
        return programDir / "Blank.wav";
    fs::path path(fileName);
    if (!path.is_relative())
        return path;
    // A bare name lies in the program folder, whatever the letter case of the file's name.
    return path.has_parent_path() ? programDir / path : resolveCaseInsensitive(programDir, fileName);
}

} // namespace

fs::path renderTempDir(const fs::path& programDir) {
    return resolveCaseInsensitive(programDir, "temp");
}

RenderPlan prepareRender(const RenderRequest& request) {
    if (!request.kit)
        throw Error("No kit is loaded.");
    RenderPlan plan;
    if (request.playList.empty()) {
        plan.status = PrepareStatus::EmptyPlayList;
        return plan;
    }
    const std::size_t start = request.startEntry < request.playList.size() ? request.startEntry : 0;
    const DrumKit& kit = *request.kit;
    const fs::path temp = renderTempDir(request.programDir);
    std::error_code ec;
    fs::create_directories(temp, ec); // the start-up normally made it; a render cannot do without

    // Each temporary sound file is replaced by the current sound; one that already holds exactly
    // those bytes is kept as it is (the same end state without rewriting and syncing it).
    for (int n = 0; n < kit.count(); ++n)
        refreshFile(temp / (std::to_string(n) + ".wav"), kit.item(n).wave().toBytes());
    for (int n = 1; n <= kRenderExtraSamples; ++n) {
        const std::string name = "sample" + std::to_string(n) + ".wav";
        removeOtherCases(temp, name);
        const auto& sample = request.extraSamples[static_cast<std::size_t>(n - 1)];
        refreshFile(temp / name,
                    readSoundWave(extraSampleSource(request.programDir, sample.fileName)).toBytes());
    }

    plan.song = readRenderSong(request.programDir, request.playList, start);

    if (request.acidize && plan.song.songSeconds > kAcidLimitSeconds) {
        plan.status = PrepareStatus::AcidTooLong;
        return plan;
    }

    // Instruments in order of first occurrence; a loop repeats its cells, so the first loop of
    // each entry holds every first occurrence.
    const InstrumentLookup list = InstrumentLookup::forKit(kit);
    auto note = [&](const std::string& line) {
        const int k = list.find(cellLookupText(line));
        if (k >= 1 && std::find(plan.usedInstruments.begin(), plan.usedInstruments.end(), k) ==
                          plan.usedInstruments.end())
            plan.usedInstruments.push_back(k);
    };
    for (const auto& segment : plan.song.script.segments()) {
        note(kRenderScriptPatternStart);
        note(std::to_string(segment.tempo));
        for (const auto& cell : *segment.cells)
            note(cell);
    }
    note(kRenderScriptEnd);

    plan.song.script.writeText(request.scriptDumpDir.empty() ? fs::path("mainplay.txt")
                                                             : request.scriptDumpDir / "mainplay.txt");
    return plan;
}

} // namespace tamboro
