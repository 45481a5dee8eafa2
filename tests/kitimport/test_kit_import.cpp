#include "common/Error.h"
#include "kitimport/KitImport.h"
#include "kits/DrumKit.h"

#include "support/SoundFiles.h"
#include "support/TempDir.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>

namespace fs = std::filesystem;
using namespace tamboro;
using namespace tamboro::test;

namespace {

const char* kKitXml = R"(<?xml version="1.0" encoding="UTF-8"?>
<drumkit_info>
  <name>Test Kit</name>
  <instrumentList>
    <instrument><id>0</id><name>Kick Drum Deluxe</name><volume>1</volume><gain>1</gain>
      <pan_L>1</pan_L><pan_R>0.5</pan_R>
      <layer><filename>kick_soft.flac</filename><min>0</min><max>0.5</max><gain>1</gain></layer>
      <layer><filename>kick_hard.flac</filename><min>0.5</min><max>1</max><gain>0.5</gain></layer>
    </instrument>
    <instrument><id>1</id><name>Snare</name>
      <instrumentComponent><layer><filename>snare_rr1.aiff</filename><max>1</max></layer>
        <layer><filename>snare_rr2.aiff</filename><max>1</max></layer></instrumentComponent>
    </instrument>
    <instrument><id>2</id><name>Gone</name><layer><filename>missing.flac</filename></layer></instrument>
    <instrument><id>3</id><name>Escape</name><layer><filename>../outside.wav</filename></layer></instrument>
    <instrument><id>4</id><name>Empty</name></instrument>
    <instrument><id>5</id><name>Old Style Snare</name><filename>old.wav</filename></instrument>
  </instrumentList>
</drumkit_info>
)";

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A kit folder in the layout of the free drum kits: FLAC and AIFF at 48 kHz, 24 bits.
fs::path makeKitFolder(const fs::path& root) {
    const fs::path kit = root / "Test Kit";
    fs::create_directories(kit);
    writeText(kit / "drumkit.xml", kKitXml);
    writeSoundFile(kit / "kick_soft.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 1, 48000, 4800,
                   sine(60, 48000, 0.1));
    writeSoundFile(kit / "kick_hard.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 1, 48000, 4800,
                   sine(60, 48000, 0.8));
    writeSoundFile(kit / "snare_rr1.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 2, 48000, 2400,
                   sine(200, 48000));
    writeSoundFile(kit / "snare_rr2.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 2, 48000, 1200,
                   sine(200, 48000));
    writeSoundFile(root / "outside.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 44100, 100, sine(200, 44100));
    writeSoundFile(kit / "old.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 22050, 500, sine(300, 22050));
    return kit;
}

bool reportHas(const KitImportResult& kit, const std::string& a, const std::string& b) {
    for (const auto& line : kit.report)
        if (line.find(a) != std::string::npos && line.find(b) != std::string::npos)
            return true;
    return false;
}

void checkTestKit(const KitImportResult& kit) {
    EXPECT_EQ(kit.kitName, "Test Kit");
    ASSERT_EQ(kit.sounds.size(), 3u);
    EXPECT_EQ(kit.sounds[0].name, "Kick Drum");
    EXPECT_EQ(kit.sounds[0].source, "kick_hard.flac");
    EXPECT_EQ(kit.sounds[1].source, "snare_rr1.aiff");
    EXPECT_EQ(kit.sounds[2].name, "Old Style");
    // The kick: resampled to 44.1 kHz, gain 0.5 and panned left (the right side at half).
    const Wave& kick = kit.sounds[0].wave;
    EXPECT_EQ(kick.sampleRate(), 44100u);
    EXPECT_EQ(kick.channels(), 2);
    double left = 0, right = 0;
    const auto samples = pcm16Samples(kick.data());
    for (std::size_t i = 0; i + 1 < samples.size(); i += 2)
        left = std::max(left, std::abs(samples[i])), right = std::max(right, std::abs(samples[i + 1]));
    EXPECT_NEAR(left, 0.4, 0.01);
    EXPECT_NEAR(right, 0.2, 0.01);
    EXPECT_TRUE(reportHas(kit, "\"Gone\"", "missing.flac"));
    EXPECT_TRUE(reportHas(kit, "\"Escape\"", "leaves the kit's folder"));
    EXPECT_TRUE(reportHas(kit, "\"Empty\"", "no sample"));
    EXPECT_TRUE(reportHas(kit, "took", "kick_hard.flac"));
}

TEST(KitImport, DrumkitXmlFolderTakesTheFullVelocityLayers) {
    TempDir tmp;
    const fs::path folder = makeKitFolder(tmp.path);
    const KitImportResult kit = importKit(folder);
    checkTestKit(kit);
    writeImportedKit(kit, tmp.path / "out.dxg");
    DrumKit saved;
    saved.loadFromFile(tmp.path / "out.dxg");
    ASSERT_EQ(saved.count(), 4);
    EXPECT_EQ(saved.item(1).name(), "Kick Drum [ ]");
    EXPECT_EQ(saved.item(3).name(), "Old Style [ ]");
    EXPECT_EQ(saved.item(1).wave(), kit.sounds[0].wave);
    // A 16-bit WAV at a rate the players take stays as it was.
    EXPECT_EQ(saved.item(3).wave().sampleRate(), 22050u);
}

// A .h2drumkit: a gzip'd tar holding the kit's folder (and an entry that tries to leave it).
TEST(KitImport, ArchiveReadsLikeTheFolder) {
    TempDir tmp;
    const fs::path folder = makeKitFolder(tmp.path);
    const fs::path archivePath = tmp.path / "test.h2drumkit";
    archive* out = archive_write_new();
    archive_write_add_filter_gzip(out);
    archive_write_set_format_pax_restricted(out);
    ASSERT_EQ(archive_write_open_filename(out, archivePath.c_str()), ARCHIVE_OK);
    auto add = [&](const std::string& name, const std::vector<std::uint8_t>& bytes) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, name.c_str());
        archive_entry_set_size(entry, static_cast<la_int64_t>(bytes.size()));
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        archive_write_header(out, entry);
        archive_write_data(out, bytes.data(), bytes.size());
        archive_entry_free(entry);
    };
    for (const auto& file : fs::directory_iterator(folder))
        add("Test Kit/" + file.path().filename().string(), fileBytes(file.path()));
    add("outside.wav", fileBytes(tmp.path / "outside.wav"));
    archive_write_close(out);
    archive_write_free(out);
    checkTestKit(importKit(archivePath));
}

TEST(KitImport, RefusesSourcesWithoutAUsableInstrument) {
    TempDir tmp;
    fs::create_directories(tmp.path / "nothing");
    writeText(tmp.path / "nothing" / "drumkit.xml",
              "<drumkit_info><name>N</name><instrumentList><instrument><name>A</name>"
              "<layer><filename>a.flac</filename></layer></instrument></instrumentList></drumkit_info>");
    writeText(tmp.path / "nothing" / "a.flac", "not really flac");
    writeText(tmp.path / "bomb.xml", "");
    fs::create_directories(tmp.path / "bomb");
    writeText(
        tmp.path / "bomb" / "drumkit.xml",
        "<?xml version=\"1.0\"?><!DOCTYPE k [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">"
        "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;\">]><drumkit_info><name>&c;</name><instrumentList>"
        "<instrument><name>&c;</name><layer><filename>&c;</filename></layer></instrument>"
        "</instrumentList></drumkit_info>");
    writeText(tmp.path / "empty.sfz", "<region> sample=a.wav\n");
    writeText(tmp.path / "junk.h2drumkit", "this is not an archive");
    const std::pair<fs::path, const char*> cases[] = {
        {tmp.path / "nothing", "no instrument gives a usable sound"},
        {tmp.path / "bomb", "no instrument gives a usable sound"},
        {tmp.path / "empty.sfz", "no region with a key and a sample"},
        {tmp.path / "junk.h2drumkit", "not a kit archive"},
        {tmp.path / "absent", "no such kit"},
        {tmp.path, "holds no drumkit.xml"},
    };
    for (const auto& [source, message] : cases) {
        try {
            importKit(source);
            ADD_FAILURE() << source;
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
        }
    }
}

TEST(KitImport, SfzFileBecomesOneItemPerKey) {
    TempDir tmp;
    fs::create_directories(tmp.path / "s");
    writeSoundFile(tmp.path / "s" / "k.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 1, 44100, 441,
                   sine(60, 44100));
    writeSoundFile(tmp.path / "s" / "h.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, 44100, 441, sine(60, 44100));
    writeText(tmp.path / "kit.sfz", "<control> default_path=s/\n<region> key=36 sample=k.flac\n"
                                    "<region> key=42 sample=h.wav // Hat\n<region> key=38 sample=../x.wav\n");
    const KitImportResult kit = importKit(tmp.path / "kit.sfz");
    ASSERT_EQ(kit.sounds.size(), 2u);
    EXPECT_EQ(kit.sounds[0].name, "Bass Drum");
    EXPECT_EQ(kit.sounds[1].name, "Hat"); // the comment on its line
    EXPECT_TRUE(reportHas(kit, "Acoustic Snare", "s/../x.wav"));
}

TEST(KitImport, GainAndPanLeaveAPlainSoundAlone) {
    const Wave wave = Wave::pcm(1, 22050, 8, Wave::Bytes{128, 200, 56, 128});
    std::string note;
    EXPECT_EQ(applyGainAndPan(wave, 1, 0, note), wave);
    EXPECT_TRUE(note.empty());
    const Wave louder = applyGainAndPan(wave, 4, 0, note);
    EXPECT_NE(note.find("lowered"), std::string::npos);
    EXPECT_EQ(louder.bitsPerSample(), 16);
    const auto samples = pcm16Samples(louder.data());
    EXPECT_NEAR(samples[1], 1.0, 2.0 / 32768); // the peak brought to full scale, not beyond
}

} // namespace
