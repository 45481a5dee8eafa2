// Program entry: reads the command line, prepares the working folder, creates the windows in their
// order (the main window first) and runs the event loop until the main window closes.

#include "app/ProgramFolder.h"
#include "app/ProgramOptions.h"
#include "app/UserWorkspace.h"
#include "common/AssetDir.h"
#include "common/Error.h"
#include "feedback/PracticeHistory.h"
#include "song/PracticeFile.h"
#include "windows/controls/AboutWindow.h"
#include "windows/controls/IntroWindow.h"
#include "windows/controls/OptionsWindow.h"
#include "windows/controls/SideWindowPlacer.h"
#include "windows/controls/TipsWindow.h"
#include "windows/feedback/PlayTakeRecorder.h"
#include "windows/feedback/TakeFeedbackCommand.h"
#include "windows/kits/ExtraSamplesWindow.h"
#include "windows/kits/KitListWindow.h"
#include "windows/kits/KitMakerWindow.h"
#include "windows/kits/SampleEditorWindow.h"
#include "windows/main/FileOpener.h"
#include "windows/main/KitLibraryCommand.h"
#include "windows/main/KitMakerCommand.h"
#include "windows/main/MainMenus.h"
#include "windows/main/MainWindow.h"
#include "windows/main/MainWindowSound.h"
#include "windows/main/MainWindowState.h"
#include "windows/main/MidiExportCommand.h"
#include "windows/main/PatternSongCommands.h"
#include "windows/main/PrintScoreCommand.h"
#include "windows/main/RecentSongsMenu.h"
#include "windows/main/ShutdownSignals.h"
#include "windows/main/SongRenderCommand.h"
#include "windows/main/WindowTakeSource.h"
#include "windows/practice/PracticeCommand.h"
#include "windows/practice/PracticePanel.h"
#include "windows/render/RenderProgressWindow.h"
#include "windows/sound/InputLatencyDialog.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QStandardPaths>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> argumentsAfterProgram(const QStringList& all) {
    std::vector<std::string> args;
    for (qsizetype i = 1; i < all.size(); ++i)
        args.push_back(all[i].toStdString());
    return args;
}

// --help and --version answer before the window system is opened, so they work without a display
// (as in a terminal over ssh, or when the manual pages are made at build time).
bool answeredWithoutWindows(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(tamboro::programUsage().c_str(), stdout);
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Tamboro Pro %s\n", TAMBORO_VERSION);
            return true;
        }
    }
    return false;
}

std::string lowerExtension(const fs::path& file) {
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

} // namespace

int main(int argc, char** argv) {
    if (answeredWithoutWindows(argc, argv))
        return 0;
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Quillon");
    QApplication::setApplicationName("Tamboro");
    QApplication::setQuitOnLastWindowClosed(false);

    tamboro::ProgramOptions options;
    fs::path programDir;
    try {
        options = tamboro::parseProgramOptions(argumentsAfterProgram(QApplication::arguments()));
        // The first song or pattern named on the command line (as a desktop launcher passes it)
        // chooses the working folder: its own.
        fs::path firstDocument;
        for (const fs::path& file : options.filesToOpen) {
            const std::string type = lowerExtension(file);
            if (type == ".sng" || type == ".pat") {
                firstDocument = file;
                break;
            }
        }
        // Started from a launcher, the current folder is the home folder: see chooseWorkspace.
        std::error_code ec;
        const tamboro::WorkspacePlaces places{
            fs::current_path(ec), QDir::homePath().toStdString(),
            QStandardPaths::writableLocation(QStandardPaths::MusicLocation).toStdString()};
        const tamboro::WorkspaceChoice workspace =
            tamboro::chooseWorkspace(options.dir, firstDocument, places);
        const tamboro::ProgramFolder folder =
            tamboro::prepareProgramFolder(workspace.dir, tamboro::findAssetDir(argv[0]), workspace.seedDemo);
        if (!folder.warning.empty())
            std::fprintf(stderr, "tamboro: %s\n", folder.warning.c_str());
        programDir = folder.dir;
        // Bare file names (the pan table, the kit, the help) are looked up in the current folder.
        fs::current_path(programDir);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tamboro: %s\n%s", e.what(), tamboro::programUsage().c_str());
        return 2;
    }

    // The main window comes first: its creation runs before any other window exists.
    auto mainWindow = std::make_unique<tamboro::MainWindow>(programDir, options);
    QObject::connect(mainWindow.get(), &tamboro::MainWindow::closed, &app, &QApplication::quit);

    // The sound output opens as part of the main window's start-up; without it the program ends.
    std::unique_ptr<tamboro::MainWindowSound> sound;
    try {
        sound = std::make_unique<tamboro::MainWindowSound>(mainWindow->parts(), options,
                                                           tamboro::loadInputSettings());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tamboro: %s\n", e.what());
        mainWindow->hide();
        QMessageBox::critical(nullptr, QStringLiteral("Tamboro"),
                              QString::fromLatin1(tamboro::MainWindowSound::kSoundCardMessage));
        return 1;
    }

    // The sample editor works on the 32 extra-sample players of the sound output.
    auto sampleEditor =
        std::make_unique<tamboro::SampleEditorWindow>(sound->extraSamples(), mainWindow.get());
    mainWindow->sampleEditorWindow = sampleEditor.get();

    // The commands below are owned by the main window, which removes them before its controls.
    const tamboro::MainWindowParts& parts = mainWindow->parts();
    const tamboro::MainMenus::Actions& menu = parts.menus.actions();

    // The Kit List window lists the kit loaded at start-up and follows every later load.
    auto kitList = std::make_unique<tamboro::KitListWindow>(mainWindow.get());
    mainWindow->attachKitList(kitList.get());
    auto* kitCommand = new tamboro::KitLibraryCommand(*menu.drumKitLibrary, *parts.state.kitLibrary,
                                                      parts.state.programDir, kitList.get(), *mainWindow);
    new tamboro::PrintScoreCommand(
        *menu.printScore, parts.state, [w = mainWindow.get()] { w->minimizeClicked(); }, mainWindow.get());

    // "Export MIDI…": the Play List as a MIDI file, without the channels switched off.
    new tamboro::MidiExportCommand(
        *menu.exportMidi, parts.state,
        [s = sound.get()] {
            std::array<bool, 6> on{true, true, true, true, true, true};
            for (std::size_t c = 0; s && c < on.size(); ++c)
                on[c] = s->playback().channelsOn[c + 1];
            return on;
        },
        *mainWindow);

    // The render progress window, used by "Render song to wave".
    auto renderWindow = std::make_unique<tamboro::RenderProgressWindow>();
    mainWindow->renderProgressWindow = renderWindow.get();
    auto* songRender = new tamboro::SongRenderCommand(parts, *renderWindow, sound.get());

    // The kit maker builds new kits from WAV files; "Kit Maker" on the View menu opens it.
    auto kitMaker = std::make_unique<tamboro::KitMakerWindow>();
    mainWindow->kitMakerWindow = kitMaker.get();
    new tamboro::KitMakerCommand(*menu.kitMaker, parts.state, *kitMaker, sound.get(), *mainWindow);

    auto intro = new tamboro::IntroWindow(); // deletes itself when it closes

    auto optionsWindow = std::make_unique<tamboro::OptionsWindow>();
    mainWindow->optionsWindow = optionsWindow.get();
    QObject::connect(optionsWindow.get(), &tamboro::OptionsWindow::cellJumpChosen, mainWindow.get(),
                     [w = mainWindow.get()](int jump) { w->state().editState.cellJump = jump; });

    auto extraSamples = std::make_unique<tamboro::ExtraSamplesWindow>(mainWindow.get());
    mainWindow->extraSamplesWindow = extraSamples.get();
    extraSamples->setSampleEditor(sampleEditor.get());
    QObject::connect(extraSamples.get(), &tamboro::ExtraSamplesWindow::instrumentChosen, mainWindow.get(),
                     [w = mainWindow.get()](const QString& name) { w->setCurrentInstrument(name); });

    // Saving and loading patterns, opening, saving and starting songs; the loads show their extra
    // samples in the sample editor and the Extra samples window.
    auto* songCommands =
        new tamboro::PatternSongCommands(parts, *sound, sampleEditor.get(), extraSamples.get());

    // The practice panel (View > Practice) and its settings beside each saved or opened song.
    auto practicePanel = std::make_unique<tamboro::PracticePanel>();
    auto* practice = new tamboro::PracticeCommand(*menu.practice, *practicePanel, parts, *sound, *songRender);
    songCommands->songSaved = [practice](const std::filesystem::path& song) { practice->songSaved(song); };
    songCommands->songOpened = [practice](const std::filesystem::path& song) { practice->songOpened(song); };
    QObject::connect(mainWindow.get(), &tamboro::MainWindow::closed, practice,
                     &tamboro::PracticeCommand::stop);
    // Timing feedback (View > Timing feedback..., Progress...): takes analysed against the Play List,
    // kept in the practice history in the user's data folder.
    auto* takeFeedback = new tamboro::TakeFeedbackCommand(
        *menu.timingFeedback, *menu.practiceProgress,
        [&parts, panel = practicePanel.get()] { return tamboro::windowTakeSource(parts, panel->settings()); },
        std::filesystem::path(
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString()) /
            tamboro::kHistoryFileName,
        *mainWindow);
    // With an input device chosen in Setup, Play records a take and the feedback view shows it.
    auto* takeRecorder =
        new tamboro::PlayTakeRecorder(sound->device(), sound->playback(), *takeFeedback, mainWindow.get());
    sound->beforePlay = [takeRecorder] { takeRecorder->playStarting(); };
    // Songs, patterns and kits dropped on the window or named on the command line; File > Recent songs.
    auto* fileOpener = new tamboro::FileOpener(*mainWindow, *songCommands, kitCommand);
    new tamboro::RecentSongsMenu(*menu.recentSongs, *songCommands);

    intro->setWindows(mainWindow.get(), mainWindow->kitListWindow, mainWindow->extraSamplesWindow);

    auto about = std::make_unique<tamboro::AboutWindow>();
    mainWindow->aboutWindow = about.get();
    // The small windows open beside the main window, clear of its controls.
    tamboro::keepBeside(*about, *mainWindow, tamboro::kDialogWish);
    tamboro::keepBeside(*optionsWindow, *mainWindow, tamboro::kDialogWish);

    auto tips = std::make_unique<tamboro::TipsWindow>(mainWindow.get());
    mainWindow->tipsWindow = tips.get();
    QObject::connect(tips.get(), &tamboro::TipsWindow::tipsTurnedOff, mainWindow.get(),
                     [w = mainWindow.get()] { w->state().showTips = false; });

    tamboro::ShutdownSignals shutdown;
    QObject::connect(&shutdown, &tamboro::ShutdownSignals::shutdownRequested, mainWindow.get(),
                     &tamboro::MainWindow::exitClicked);

    mainWindow->show();
    extraSamples->placeBesideMainWindow();
    extraSamples->show();
    kitList->placeBesideMainWindow();
    kitList->show();
    intro->show();
    // The tips window shows at start-up unless the user turned it off.
    if (mainWindow->state().showTips)
        tips->show();
    // Files named on the command line open once every window stands, each reporting its own errors.
    for (const fs::path& file : options.filesToOpen)
        fileOpener->openFile(file);

    return QApplication::exec();
}
