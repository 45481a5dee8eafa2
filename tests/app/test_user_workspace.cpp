#include "app/ProgramFolder.h"
#include "app/ProgramOptions.h"
#include "app/UserWorkspace.h"

#include "common/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tamboro {
namespace {

namespace fs = std::filesystem;

TEST(UserWorkspace, LauncherStartsUseTheMusicFolderAndTerminalStartsTheCurrentOne) {
    const WorkspacePlaces fromHome{"/home/ann", "/home/ann", "/home/ann/Musik"};
    struct Case {
        const char* what;
        fs::path requested, openFile;
        WorkspacePlaces places;
        fs::path dir;
        bool seedDemo;
    };
    const std::vector<Case> cases = {
        {"home folder", "", "", fromHome, "/home/ann/Musik/Tamboro", true},
        {"home folder with a trailing slash",
         "",
         "",
         {"/home/ann/", "/home/ann", ""},
         "/home/ann/Music/Tamboro",
         true},
        {"root folder", "", "", {"/", "/home/ann", "/data/music"}, "/data/music/Tamboro", true},
        {"root folder, no home known", "", "", {"/", "", ""}, "", false},
        {"another folder", "", "", {"/home/ann/songs", "/home/ann", ""}, "", false},
        {"a folder below home", "", "", {"/home/ann/Music", "/home/ann", ""}, "", false},
        {"--dir wins", "/tmp/ws", "", fromHome, "/tmp/ws", false},
        {"--dir wins over a song", "/tmp/ws", "/x/a.sng", fromHome, "/tmp/ws", false},
        {"a song opens in its folder", "", "/x/Demo.sng", fromHome, "/x", false},
        {"a pattern opens in its folder", "", "/x/y/Rock.PAT", fromHome, "/x/y", false},
        {"a kit does not move the workspace", "", "/x/Other.dxg", fromHome, "/home/ann/Musik/Tamboro", true},
    };
    for (const Case& c : cases) {
        const WorkspaceChoice choice = chooseWorkspace(c.requested, c.openFile, c.places);
        EXPECT_EQ(choice.dir, c.dir) << c.what;
        EXPECT_EQ(choice.seedDemo, c.seedDemo) << c.what;
    }
}

TEST(UserWorkspace, ARelativeSongOpensInItsAbsoluteFolder) {
    const WorkspaceChoice choice = chooseWorkspace("", "songs/a.sng", {"/home/ann", "/home/ann", ""});
    EXPECT_EQ(choice.dir, fs::current_path() / "songs");
}

class UserWorkspaceSeeding : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(assets / "demo");
        std::ofstream(assets / "Blank.wav", std::ios::binary) << "blank";
        std::ofstream(assets / "demo" / "Rock.pat", std::ios::binary) << "demo rock";
        std::ofstream(assets / "demo" / "Demo.sng", std::ios::binary) << "demo song";
        std::ofstream(assets / "demo" / "notes.txt", std::ios::binary) << "not a pattern";
    }
    static std::string text(const fs::path& p) {
        const auto bytes = readFileBytes(p);
        return std::string(bytes.begin(), bytes.end());
    }
    test::TempDir scratch;
    fs::path assets = scratch.path / "assets";
    fs::path ws = scratch.path / "Music" / "Tamboro";
};

TEST_F(UserWorkspaceSeeding, DemoFilesFillOnlyWhatIsMissing) {
    fs::create_directories(ws);
    std::ofstream(ws / "Rock.pat", std::ios::binary) << "my rock";
    EXPECT_EQ(seedDemo(ws, assets / "demo"), (std::vector<std::string>{"Demo.sng"}));
    EXPECT_EQ(text(ws / "Rock.pat"), "my rock");
    EXPECT_EQ(text(ws / "Demo.sng"), "demo song");
    EXPECT_FALSE(fs::exists(ws / "notes.txt"));
    EXPECT_TRUE(seedDemo(ws, assets / "demo").empty());
    EXPECT_TRUE(seedDemo(ws, assets / "missing").empty());
}

TEST_F(UserWorkspaceSeeding, TheDemoGoesOnlyIntoAFolderMadeNow) {
    const ProgramFolder first = prepareProgramFolder(ws, assets, true);
    EXPECT_EQ(first.seeded, (std::vector<std::string>{"Blank.wav", "Demo.sng", "Rock.pat"}));

    // A demo pattern the user deleted or edited stays as the user left it at the next start.
    fs::remove(ws / "Rock.pat");
    std::ofstream(ws / "Demo.sng", std::ios::binary) << "my song";
    EXPECT_TRUE(prepareProgramFolder(ws, assets, true).seeded.empty());
    EXPECT_FALSE(fs::exists(ws / "Rock.pat"));
    EXPECT_EQ(text(ws / "Demo.sng"), "my song");

    // A folder chosen with --dir or from a terminal gets no demo.
    const ProgramFolder plain = prepareProgramFolder(scratch.path / "plain", assets);
    EXPECT_FALSE(fs::exists(scratch.path / "plain" / "Demo.sng"));
    EXPECT_EQ(plain.seeded, (std::vector<std::string>{"Blank.wav"}));
}

TEST(UserWorkspace, FilesNamedOnTheCommandLineAreKeptAbsoluteInOrder) {
    const ProgramOptions options = parseProgramOptions({"--audio", "null", "Demo.sng", "Rock.pat"});
    EXPECT_EQ(options.filesToOpen,
              (std::vector<fs::path>{fs::absolute("Demo.sng"), fs::absolute("Rock.pat")}));
    EXPECT_TRUE(parseProgramOptions({}).filesToOpen.empty());
}

} // namespace
} // namespace tamboro
