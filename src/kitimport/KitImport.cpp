#include "kitimport/KitImport.h"

#include "kitimport/SfzImport.h"

#include "common/Error.h"
#include "common/Files.h"
#include "kitimport/DrumkitXml.h"
#include "kitimport/KitSource.h"
#include "kits/DefaultKitSynth.h"
#include "kits/KitMaker.h"
#include "kits/PcmConversion.h"
#include "kits/SoundFile.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <memory>
#include <thread>

namespace tamboro {

namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t kMaxDescriptionBytes = std::uintmax_t{16} << 20;

std::string format(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", value);
    return text;
}

std::vector<ImportCandidate> xmlCandidates(const KitXml& kit) {
    std::vector<ImportCandidate> out;
    for (const KitXmlInstrument& instrument : kit.instruments) {
        ImportCandidate candidate;
        candidate.name = instrument.name;
        candidate.pan = instrument.pan;
        if (const KitXmlLayer* layer = fullVelocityLayer(instrument)) {
            candidate.sample = layer->file;
            candidate.gain = instrument.gain * layer->gain;
        }
        out.push_back(std::move(candidate));
    }
    return out;
}

// Kits write makes and sizes in parentheses ("Kick (Tama Superstar 22\")"); a row holds 10
// letters, so the drum's own name goes first. A name that is all parentheses stays as it is.
std::string withoutParentheses(const std::string& name) {
    std::string out;
    int depth = 0;
    for (char c : name) {
        if (c == '(')
            ++depth;
        else if (c == ')' && depth > 0)
            --depth;
        else if (depth == 0 && !(c == ' ' && (out.empty() || out.back() == ' ')))
            out += c;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out.empty() ? name : out;
}

struct Outcome {
    Wave wave;
    std::string note;  // what was applied
    std::string error; // why it was skipped; empty when taken
};

Outcome readCandidate(const ImportCandidate& candidate, const KitSource& source) {
    Outcome out;
    try {
        const auto bytes = source.read(candidate.sample, SoundFileLimits::kMaxFileBytes);
        const DecodedSound sound = decodeSound(bytes, candidate.sample);
        if (!sound.wave.isPlayablePcm())
            throw Error("\"" + candidate.sample + "\" holds no sound.");
        out.wave = applyGainAndPan(sound.wave, candidate.gain, candidate.pan, out.note);
    } catch (const Error& e) {
        out.error = e.what();
    }
    return out;
}

// Reads the samples of candidates `indices` on as many threads as the machine has cores: the
// best-quality resampling of 48 or 96 kHz kits is the bulk of an import's time.
void readInParallel(const std::vector<ImportCandidate>& candidates, const std::vector<std::size_t>& indices,
                    const KitSource& source, std::vector<Outcome>& outcomes) {
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < indices.size(); i = next++)
            outcomes[indices[i]] = readCandidate(candidates[indices[i]], source);
    };
    const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
    std::vector<std::thread> workers;
    for (unsigned t = 1; t < threads && t < indices.size(); ++t)
        workers.emplace_back(work);
    work();
    for (auto& worker : workers)
        worker.join();
}

// Reads the candidates' samples and keeps the first kMaxImportedItems that give a sound: a batch
// of as many as are still wanted at a time, so a kit of many instruments reads no more than needed.
KitImportResult takeSounds(const std::vector<ImportCandidate>& candidates, const KitSource& source,
                           std::string kitName) {
    std::vector<Outcome> outcomes(candidates.size());
    std::vector<bool> read(candidates.size(), false);
    std::size_t next = 0;
    int taken = 0;
    while (taken < kMaxImportedItems && next < candidates.size()) {
        std::vector<std::size_t> batch;
        for (; next < candidates.size() && taken + static_cast<int>(batch.size()) < kMaxImportedItems; ++next)
            if (!candidates[next].sample.empty())
                batch.push_back(next);
        readInParallel(candidates, batch, source, outcomes);
        for (std::size_t i : batch) {
            read[i] = true;
            taken += outcomes[i].error.empty() ? 1 : 0;
        }
    }

    KitImportResult result;
    result.kitName = std::move(kitName);
    std::vector<std::string> names, notes, skipped;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const ImportCandidate& candidate = candidates[i];
        const std::string who = "\"" + candidate.name + "\"";
        if (candidate.sample.empty())
            skipped.push_back("skipped " + who + ": it has no sample.");
        else if (!read[i])
            skipped.push_back("skipped " + who + ": the kit already holds " +
                              std::to_string(kMaxImportedItems) + " instruments.");
        else if (!outcomes[i].error.empty())
            skipped.push_back("skipped " + who + " (" + candidate.sample + "): " + outcomes[i].error);
        else {
            result.sounds.push_back({std::string(), candidate.sample, std::move(outcomes[i].wave)});
            names.push_back(withoutParentheses(candidate.name));
            notes.push_back(who + " from \"" + candidate.sample + "\"" + outcomes[i].note);
        }
    }
    const auto unique = KitMaker::uniqueNameBoxTexts(names);
    for (std::size_t i = 0; i < result.sounds.size(); ++i) {
        result.sounds[i].name = unique[i];
        result.report.push_back("took    " + notes[i] + " as \"" + unique[i] + "\"");
    }
    result.report.insert(result.report.end(), skipped.begin(), skipped.end());
    if (result.sounds.empty())
        throw Error(source.label() + ": no instrument gives a usable sound; no kit was made.");
    return result;
}

bool hasExtension(const fs::path& path, const char* extension) {
    return equalsIgnoreCase(path.extension().string(), extension);
}

KitImportResult importXml(const KitSource& source, const std::vector<std::uint8_t>& xml,
                          const std::string& label) {
    const KitXml kit = parseDrumkitXml({reinterpret_cast<const char*>(xml.data()), xml.size()}, label);
    return takeSounds(xmlCandidates(kit), source, kit.name);
}

KitImportResult importArchive(const fs::path& file) {
    ArchiveKitSource archive(readFileBytes(file, ArchiveKitSource::kMaxTotalBytes), file.string());
    // The description closest to the archive's root.
    std::string description;
    for (const std::string& path : archive.paths()) {
        if (!equalsIgnoreCase(fs::path(path).filename().string(), "drumkit.xml"))
            continue;
        if (description.empty() || std::count(path.begin(), path.end(), '/') <
                                       std::count(description.begin(), description.end(), '/'))
            description = path;
    }
    if (description.empty())
        throw Error(file.string() + ": the archive holds no drumkit.xml.");
    const auto xml = archive.read(description, kMaxDescriptionBytes);
    archive.setBase(fs::path(description).parent_path().generic_string());
    return importXml(archive, xml, file.string() + ": " + description);
}

} // namespace

Wave applyGainAndPan(const Wave& wave, double gain, double pan, std::string& note) {
    gain = std::isfinite(gain) ? std::max(0.0, gain) : 1.0;
    pan = std::isfinite(pan) ? std::clamp(pan, -1.0, 1.0) : 0.0;
    if (gain == 1.0 && pan == 0.0)
        return wave;
    const int channels = wave.channels();
    const int bits = wave.bitsPerSample();
    const auto& data = wave.data();
    const std::size_t count = data.size() / static_cast<std::size_t>(bits / 8);
    std::vector<float> samples(count);
    float peak = 0;
    for (std::size_t i = 0; i < count; ++i) {
        samples[i] = bits == 8 ? (data[i] - 128) / 128.0f
                               : static_cast<std::int16_t>(data[2 * i] | (data[2 * i + 1] << 8)) / 32768.0f;
        peak = std::max(peak, std::abs(samples[i]));
    }
    if (peak > 0 && peak * gain > 1.0) {
        note += ", gain " + format(gain) + " lowered to " + format(1.0 / peak) + " to keep it from clipping";
        gain = 1.0 / peak;
    } else if (gain != 1.0) {
        note += ", gain " + format(gain);
    }
    const double left = gain * std::min(1.0, 1.0 - pan);
    const double right = gain * std::min(1.0, 1.0 + pan);
    if (pan != 0.0)
        note += ", pan " + format(pan);
    std::vector<float> out(pan != 0.0 ? count / static_cast<std::size_t>(channels) * 2 : count);
    const std::size_t frames = count / static_cast<std::size_t>(channels);
    for (std::size_t f = 0; f < frames; ++f) {
        const float l = samples[f * static_cast<std::size_t>(channels)];
        const float r =
            samples[f * static_cast<std::size_t>(channels) + static_cast<std::size_t>(channels - 1)];
        if (pan != 0.0) {
            out[2 * f] = static_cast<float>(l * left);
            out[2 * f + 1] = static_cast<float>(r * right);
        } else {
            for (int c = 0; c < channels; ++c)
                out[f * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)] =
                    static_cast<float>(
                        samples[f * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)] * gain);
        }
    }
    const auto outChannels = static_cast<std::uint16_t>(pan != 0.0 ? 2 : channels);
    return Wave::pcm(outChannels, wave.sampleRate(), 16, ditherTo16Bits(out));
}

KitImportResult importKit(const fs::path& source) {
    std::error_code ec;
    if (fs::is_directory(source, ec)) {
        const fs::path xml = resolveCaseInsensitive(source, "drumkit.xml");
        if (!fs::is_regular_file(xml, ec))
            throw Error(source.string() + ": the folder holds no drumkit.xml.");
        return importXml(FolderKitSource(source), readFileBytes(xml, kMaxDescriptionBytes), xml.string());
    }
    if (!fs::is_regular_file(source, ec))
        throw Error(source.string() + ": no such kit file or folder.");
    if (hasExtension(source, ".sfz")) {
        FolderKitSource folder(source.parent_path().empty() ? fs::path(".") : source.parent_path());
        return importSfz(folder, source.filename().string());
    }
    if (equalsIgnoreCase(source.filename().string(), "drumkit.xml"))
        return importXml(FolderKitSource(source.parent_path().empty() ? fs::path(".") : source.parent_path()),
                         readFileBytes(source, kMaxDescriptionBytes), source.string());
    return importArchive(source);
}

KitImportResult takeImportedSounds(const std::vector<ImportCandidate>& candidates, const KitSource& source,
                                   std::string kitName) {
    return takeSounds(candidates, source, std::move(kitName));
}

void writeImportedKit(const KitImportResult& kit, const fs::path& file) {
    if (kit.sounds.empty())
        throw Error("The imported kit holds no sound.");
    KitMaker maker;
    maker.startEmpty(static_cast<int>(kit.sounds.size()), blankWave());
    std::vector<std::string> names;
    for (std::size_t i = 0; i < kit.sounds.size(); ++i) {
        maker.setRowSound(static_cast<int>(i), kit.sounds[i].wave, kit.sounds[i].source);
        names.push_back(kit.sounds[i].name);
    }
    maker.saveKit(names, file);
}

} // namespace tamboro
