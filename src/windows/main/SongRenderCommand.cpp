#include "windows/main/SongRenderCommand.h"

#include "kits/KitLibrary.h"
#include "render/Mp3Encoder.h"
#include "render/SongRender.h"
#include "song/PatternFile.h"
#include "windows/controls/SideWindowPlacer.h"
#include "windows/main/EditHistory.h"
#include "windows/main/MainMenus.h"
#include "windows/main/MainWindowSound.h"
#include "windows/main/MainWindowState.h"
#include "windows/main/PatternBoxes.h"
#include "windows/main/PatternGridView.h"
#include "windows/main/PatternListsPanel.h"
#include "windows/main/TransportPanel.h"
#include "windows/render/Mp3ExportWindow.h"
#include "windows/render/RenderProgressWindow.h"

#include <QAction>
#include <QMessageBox>

#include <algorithm>
#include <exception>

namespace tamboro {

SongRenderCommand::SongRenderCommand(const MainWindowParts& window, RenderProgressWindow& renderWindow,
                                     MainWindowSound* sound)
    : QObject(&window.window), window_(window), renderWindow_(renderWindow), sound_(sound) {
    keepBeside(renderWindow_, window_.window, kDialogWish);
    // Stop reaches the render through the play buttons: Stop enables them again.
    renderWindow_.stopRequested = [this] { return window_.transport.playButtonsEnabled(); };
    connect(&window_.transport, &TransportPanel::renderSongClicked, this,
            &SongRenderCommand::renderSongClicked);
    connect(window_.menus.actions().renderSong, &QAction::triggered, this,
            &SongRenderCommand::renderSongClicked);
}

RenderRequest SongRenderCommand::buildRequest() const {
    const MainWindowState& state = window_.state;
    RenderRequest request;
    request.programDir = state.programDir;
    request.kit = &state.kitLibrary->kit();
    request.playList = state.playList.names();
    const int row = window_.lists.playListRow();
    request.startEntry = row > 0 ? static_cast<std::size_t>(row) : 0;
    request.acidize = window_.menus.actions().acidizeLoop->isChecked();
    request.scriptDumpDir = std::filesystem::current_path();
    if (sound_) {
        for (int c = 1; c <= 6; ++c)
            request.channelOn[static_cast<std::size_t>(c - 1)] =
                sound_->playback().channelsOn[static_cast<std::size_t>(c)];
        ExtraSamples& samples = sound_->extraSamples();
        for (int n = 1; n <= ExtraSamples::kCount; ++n) {
            ExtraSampleSound& s = request.extraSamples[static_cast<std::size_t>(n - 1)];
            s.fileName = samples.fileName(n);
            s.frequency = samples.frequency(n);
            s.pan = samples.pan(n);
            s.volume = samples.volume(n);
        }
    }
    return request;
}

void SongRenderCommand::showPattern(const PatternFileData& pattern) {
    // Rows 0..L+2 over whatever the grid held; its row count stays, as at song start.
    MainWindowState& state = window_.state;
    // Showing what was rendered is no edit of the user's: it makes no undo step.
    window_.history->runUnrecorded([&] {
        writePatternCells(state.patternCells, pattern);
        window_.grid.modelChanged();
        // The BPM box carries the tempo to the sound layer, which listens to it.
        window_.transport.setBpm(pattern.bpm);
        state.stepInterval = stepIntervalMs(pattern.bpm);
        // The render plays a loop count below 1 once; the box shows what is played.
        window_.boxes.setLoops(std::max(pattern.loops, 1));
        window_.boxes.setPatternName(QString::fromStdString(state.patternCells.name()));
        window_.boxes.showTimeBarOf(state.patternCells);
    });
}

void SongRenderCommand::offerMp3(const QString& wavPath) {
    // One encoder window at a time: an open one is raised, and takes the new WAV file unless its
    // encoder is still busy with the last one.
    if (!encoder_) {
        // The encoder window belongs to the render window and stays until the encoder ends.
        encoder_ = new Mp3ExportWindow(&renderWindow_);
        encoder_->setAttribute(Qt::WA_DeleteOnClose);
        encoder_->setEncoderPath(encoderPath(window_.state.programDir));
        keepBeside(*encoder_, window_.window, kDialogWish);
    }
    if (!encoder_->encoderRunning())
        encoder_->setWavPath(wavPath);
    encoder_->show();
    encoder_->raise();
    encoder_->activateWindow();
}

void SongRenderCommand::renderSongClicked() {
    window_.transport.setPlayButtonsEnabled(false);
    try {
        const RenderRequest request = buildRequest();
        const RenderPlan plan = prepareRender(request);
        // The preparation has read the song into the grid and the boxes by now, before the
        // length check and the save dialog.
        if (plan.song.lastPattern)
            showPattern(*plan.song.lastPattern);
        if (plan.status == PrepareStatus::AcidTooLong) {
            QMessageBox::information(&window_.window, QStringLiteral("Tamboro"),
                                     QString::fromLatin1(kAcidTooLongMessage));
        } else if (plan.status == PrepareStatus::Ready) {
            // As at song start, the entry before the starting one is selected (none before the first).
            window_.lists.selectPlayListRow(static_cast<int>(request.startEntry) - 1);
            const auto result = renderWindow_.runRender(request, plan);
            if (result && result->offerMp3 && window_.menus.actions().includeMp3->isChecked())
                offerMp3(QString::fromStdString(result->outcome.writtenTo.string()));
        }
    } catch (const std::exception& e) {
        QMessageBox::warning(&window_.window, QStringLiteral("Tamboro"), QString::fromUtf8(e.what()));
    }
    window_.transport.setPlayButtonsEnabled(true);
}

} // namespace tamboro
