#include "windows/main/SongRenderCommand.h"

#include "kits/KitLibrary.h"
#include "render/Mp3Encoder.h"
#include "render/SongRender.h"
#include "song/PatternFile.h"
#include "windows/controls/PictureButton.h"
#include "windows/main/MainWindow.h"
#include "windows/main/MainWindowSound.h"
#include "windows/main/PatternGridView.h"
#include "windows/render/Mp3ExportWindow.h"
#include "windows/render/RenderProgressWindow.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QSpinBox>

#include <algorithm>
#include <exception>

namespace tamboro {

SongRenderCommand::SongRenderCommand(MainWindow& window, RenderProgressWindow& renderWindow,
                                     MainWindowSound* sound)
    : QObject(&window), window_(window), renderWindow_(renderWindow), sound_(sound) {
    // Stop reaches the render through the play button: Stop enables it again.
    renderWindow_.stopRequested = [this] { return window_.playPatternButton->isEnabled(); };
    window_.renderSongButton->setEnabled(true);
    window_.renderSongAction->setEnabled(true);
    window_.acidizeLoopAction->setEnabled(true);
    connect(window_.renderSongButton, &PictureButton::clicked, this, &SongRenderCommand::renderSongClicked);
    connect(window_.renderSongAction, &QAction::triggered, this, &SongRenderCommand::renderSongClicked);
}

RenderRequest SongRenderCommand::buildRequest() const {
    RenderRequest request;
    request.programDir = window_.programDir;
    request.kit = &window_.kitLibrary->kit();
    request.playList = window_.playList.names();
    request.startEntry = window_.playListBox->currentRow() > 0
                             ? static_cast<std::size_t>(window_.playListBox->currentRow())
                             : 0;
    request.acidize = window_.acidizeLoopAction->isChecked();
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

void SongRenderCommand::setPlayButtons(bool enabled) {
    window_.playPatternButton->setEnabled(enabled);
    window_.playSongButton->setEnabled(enabled);
}

void SongRenderCommand::showPattern(const PatternFileData& pattern) {
    // Rows 0..L+2 over whatever the grid held; its row count stays, as at song start.
    writePatternCells(window_.patternCells, pattern);
    window_.patternGrid->modelChanged();
    // The BPM box carries the tempo to the sound layer, which listens to it.
    window_.bpmBox->setValue(pattern.bpm);
    window_.stepInterval = stepIntervalMs(pattern.bpm);
    // The render plays a loop count below 1 once; the box shows what is played.
    window_.loopsBox->setValue(std::max(pattern.loops, 1));
    window_.patternNameBox->setText(QString::fromStdString(window_.patternCells.name()));
}

void SongRenderCommand::renderSongClicked() {
    setPlayButtons(false);
    try {
        const RenderRequest request = buildRequest();
        const RenderPlan plan = prepareRender(request);
        // The preparation has read the song into the grid and the boxes by now, before the
        // length check and the save dialog.
        if (plan.song.lastPattern)
            showPattern(*plan.song.lastPattern);
        if (plan.status == PrepareStatus::AcidTooLong) {
            QMessageBox::information(&window_, QStringLiteral("Tamboro"),
                                     QString::fromLatin1(kAcidTooLongMessage));
        } else if (plan.status == PrepareStatus::Ready) {
            // As at song start, the entry before the starting one is selected (none before the first).
            window_.playListBox->setCurrentRow(static_cast<int>(request.startEntry) - 1);
            const auto result = renderWindow_.runRender(request, plan);
            if (result && result->offerMp3 && window_.includeMp3Action->isChecked()) {
                // The encoder window belongs to the render window and stays until the encoder ends.
                encoder_ = new Mp3ExportWindow(&renderWindow_);
                encoder_->setAttribute(Qt::WA_DeleteOnClose);
                encoder_->setEncoderPath(encoderPath(window_.programDir));
                encoder_->setWavPath(QString::fromStdString(result->outcome.writtenTo.string()));
                encoder_->show();
            }
        }
    } catch (const std::exception& e) {
        QMessageBox::warning(&window_, QStringLiteral("Tamboro"), QString::fromUtf8(e.what()));
    }
    setPlayButtons(true);
}

} // namespace tamboro
