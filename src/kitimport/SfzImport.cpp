#include "kitimport/SfzImport.h"

#include "common/Error.h"

#include <cmath>
#include <filesystem>

namespace tamboro {

namespace {

constexpr std::uintmax_t kMaxSfzBytes = std::uintmax_t{16} << 20;

// Better for full velocity: reaches higher; of equal ones, the earlier in the round-robin.
bool louder(const SfzRegion& a, const SfzRegion& b) {
    if (a.hiVel != b.hiVel)
        return a.hiVel > b.hiVel;
    return a.seqPosition < b.seqPosition;
}

} // namespace

std::vector<ImportCandidate> sfzCandidates(const std::vector<SfzRegion>& regions) {
    std::vector<ImportCandidate> out;
    for (int key = 0; key <= 127; ++key) {
        const SfzRegion* best = nullptr;
        for (const SfzRegion& region : regions)
            if (!region.sample.empty() && region.loKey <= key && key <= region.hiKey && region.loKey >= 0 &&
                (!best || louder(region, *best)))
                best = &region;
        if (!best)
            continue;
        ImportCandidate candidate;
        candidate.name = best->comment.empty() ? gmDrumName(key) : best->comment;
        candidate.sample = best->sample;
        candidate.gain = std::pow(10.0, best->volumeDb / 20) * best->amplitude / 100;
        candidate.pan = best->pan / 100;
        out.push_back(std::move(candidate));
    }
    return out;
}

KitImportResult importSfz(const KitSource& folder, const std::string& fileName) {
    const auto bytes = folder.read(fileName, kMaxSfzBytes);
    const std::string text(bytes.begin(), bytes.end());
    const SfzIncludeLoader load = [&folder](const std::string& path) -> std::optional<std::string> {
        try {
            const auto included = folder.read(path, kMaxSfzBytes);
            return std::string(included.begin(), included.end());
        } catch (const Error&) {
            return std::nullopt;
        }
    };
    const SfzParse parsed = parseSfz(text, fileName, load);
    std::vector<ImportCandidate> candidates = sfzCandidates(parsed.regions);
    const std::string kitName = std::filesystem::path(fileName).stem().string();
    if (candidates.empty())
        throw Error(folder.label() + "/" + fileName +
                    ": no region with a key and a sample; no kit was made.");
    KitImportResult result = takeImportedSounds(candidates, folder, kitName);
    for (const std::string& warning : parsed.warnings)
        result.report.push_back("warning " + warning);
    return result;
}

} // namespace tamboro
