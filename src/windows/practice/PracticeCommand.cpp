#include "windows/practice/PracticeCommand.h"

#include "common/Error.h"
#include "kits/ClickSynth.h"
#include "render/PracticeTrack.h"
#include "render/SongRender.h"
#include "song/PracticeFile.h"
#include "song/PracticePatterns.h"
#include "sound/PracticePlayer.h"
#include "windows/controls/SideWindowPlacer.h"
#include "windows/main/KeyboardShortcuts.h"
#include "windows/main/MainWindowSound.h"
#include "windows/main/MainWindowState.h"
#include "windows/main/SongRenderCommand.h"
#include "windows/main/TransportPanel.h"
#include "windows/practice/PracticePanel.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include <algorithm>

namespace tamboro {

PracticeCommand::PracticeCommand(QAction& showPanel, PracticePanel& panel, const MainWindowParts& window,
                                 MainWindowSound& sound, SongRenderCommand& render)
    : QObject(&window.window), panel_(panel), window_(window), sound_(sound), render_(render),
      player_(std::make_unique<PracticePlayer>(sound.dispatcher(), sound.device(), sound.playback())) {
    chooseTrackFile = [this] {
        const QString file = QFileDialog::getSaveFileName(
            &window_.window, "Render practice track",
            QString::fromStdString(window_.state.programDir.string()), "Wave files (*.wav)");
        return std::filesystem::path(file.toStdString());
    };
    showMessage = [this](const QString& text) { QMessageBox::information(&window_.window, "Tamboro", text); };
    // The menu item, its keys and the window's button are one toggle: the item's check mark and the
    // button's light follow the panel, however it was shown or hidden.
    showPanel.setCheckable(true);
    bindApplicationKeys(showPanel, KeyCommand::PracticePanel, window_.window);
    connect(&showPanel, &QAction::toggled, this, &PracticeCommand::showPanel);
    connect(&window_.transport, &TransportPanel::practicePanelClicked, &showPanel, &QAction::trigger);
    connect(&panel_, &PracticePanel::shownChanged, &showPanel, &QAction::setChecked);
    connect(&panel_, &PracticePanel::shownChanged, &window_.transport,
            &TransportPanel::showPracticePanelShown);
    window_.transport.setPracticePanelTip(
        QString("Practice panel (%1)").arg(showPanel.shortcut().toString(QKeySequence::NativeText)));
    connect(&panel_, &PracticePanel::startRequested, this, &PracticeCommand::start);
    connect(&panel_, &PracticePanel::stopRequested, this, &PracticeCommand::stop);
    connect(&panel_, &PracticePanel::tempoTapped, this, [this](int bpm) { window_.transport.setBpm(bpm); });
    // T taps the tempo from every window of the program, the main window included; typing in a
    // text box still types (a line edit takes its printable keys before any shortcut).
    auto* tapTempo = new QAction("Tap tempo", this);
    tapTempo->setObjectName("tapTempoAction");
    bindApplicationKeys(*tapTempo, KeyCommand::TapTempo, window_.window);
    connect(tapTempo, &QAction::triggered, &panel_, &PracticePanel::tapNow);
    connect(&panel_, &PracticePanel::renderRequested, this, [this](int plays, double minutes) {
        const std::filesystem::path file = chooseTrackFile();
        if (!file.empty())
            renderTrack(plays, minutes, file);
    });
    player_->passChanged = [this] { panel_.showStatus(player_->status()); };
    statusTimer_.setInterval(250);
    connect(&statusTimer_, &QTimer::timeout, this, [this] {
        panel_.showStatus(player_->status());
        if (!player_->playing())
            statusTimer_.stop();
    });
}

PracticeCommand::~PracticeCommand() {
    player_->passChanged = nullptr;
    player_->stop();
}

void PracticeCommand::showPanel(bool shown) {
    if (!shown) {
        panel_.hide();
        return;
    }
    // Beside the main window, clear of it and of the side windows standing; an open panel stays
    // where it is.
    if (!panel_.isVisible())
        placeBeside(panel_, window_.window, kPanelWish);
    panel_.show();
    panel_.raise();
}

void PracticeCommand::start() {
    const std::vector<std::string> entries = window_.state.playList.names();
    if (entries.empty()) {
        showMessage("The Play List is empty: add the patterns to practise first.");
        return;
    }
    try {
        const PracticeSettings settings = panel_.settings();
        checkPracticeSection(settings, entries.size(), "Section");
        PracticePatterns patterns = readPracticePatterns(window_.state.programDir, entries);
        sound_.playback().stopPlayback();
        if (player_->start(PracticeSequence(std::move(patterns.entries), settings), std::move(patterns.cells),
                           0, clickWave(ClickVoice::Accent), clickWave(ClickVoice::Tick)))
            statusTimer_.start();
    } catch (const Error& e) {
        showMessage(QString::fromStdString(e.what()));
    }
}

void PracticeCommand::stop() {
    player_->stop();
    panel_.showStatus(player_->status());
}

void PracticeCommand::renderTrack(int plays, double minutes, const std::filesystem::path& file) {
    try {
        RenderRequest request = render_.buildRequest();
        request.acidize = false;
        request.startEntry = 0;
        PracticeRender track;
        track.settings = panel_.settings();
        checkPracticeSection(track.settings, request.playList.size(), "Section");
        track.plays = practiceTrackPlays(readRenderSong(request.programDir, request.playList, 0),
                                         track.settings, plays > 0 ? std::optional<int>(plays) : std::nullopt,
                                         minutes > 0 ? std::optional<double>(minutes) : std::nullopt);
        track.accent = clickWave(ClickVoice::Accent);
        track.tick = clickWave(ClickVoice::Tick);
        request.practice = &track;
        const RenderPlan plan = prepareRender(request);
        if (plan.status == PrepareStatus::EmptyPlayList) {
            showMessage("The Play List is empty: add the patterns to practise first.");
            return;
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
        RenderObserver quiet;
        const RenderOutcome outcome = renderSong(request, plan, file, quiet);
        QApplication::restoreOverrideCursor();
        showMessage(QString("Practice track of %1 plays written to %2 (%3 seconds).")
                        .arg(track.plays)
                        .arg(QString::fromStdString(outcome.writtenTo.string()))
                        .arg(static_cast<double>(outcome.frames) / 44100, 0, 'f', 1));
    } catch (const Error& e) {
        QApplication::restoreOverrideCursor();
        showMessage(QString::fromStdString(e.what()));
    }
}

void PracticeCommand::songSaved(const std::filesystem::path& song) {
    try {
        writePracticeFile(practiceFileFor(song), panel_.settings());
    } catch (const Error& e) {
        showMessage(QString::fromStdString(e.what()));
    }
}

void PracticeCommand::songOpened(const std::filesystem::path& song) {
    const PracticeFileLoad load = loadPracticeFor(song);
    panel_.setSettings(load.settings);
    if (!load.problem.empty())
        showMessage(QString::fromStdString(load.problem));
}

} // namespace tamboro
