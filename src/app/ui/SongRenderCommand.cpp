#include "app/ui/SongRenderCommand.h"

#include "app/PatternFile.h"
#include "app/ui/PatternGridView.h"
#include "app/ui/Sequence.h"
#include "app/ui/SequenceSound.h"
#include "controls/ui/PictureButton.h"
#include "kits/KitLibrary.h"
#include "render/Mp3Encoder.h"
#include "render/SongRender.h"
#include "render/ui/TForm1.h"
#include "render/ui/TMBladefrm.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QSpinBox>

#include <algorithm>
#include <exception>

namespace tamboro {

SongRenderCommand::SongRenderCommand(TSequence& window, TForm1& renderWindow, SequenceSound* sound)
    : QObject(&window), Window(window), RenderWindow(renderWindow), Sound(sound) {
    // Stop reaches the render through the play button: Stop enables it again.
    RenderWindow.stopRequested = [this] { return Window.btnPlay->isEnabled(); };
    Window.btnRenderWave->setEnabled(true);
    Window.RendorSong1->setEnabled(true);
    Window.mnAcid->setEnabled(true);
    connect(Window.btnRenderWave, &PictureButton::clicked, this, &SongRenderCommand::RendorClick);
    connect(Window.RendorSong1, &QAction::triggered, this, &SongRenderCommand::RendorClick);
}

RenderRequest SongRenderCommand::buildRequest() const {
    RenderRequest request;
    request.programDir = Window.ProgramDir;
    request.kit = &Window.DrumLibrary->kit();
    request.playList = Window.Songs.names();
    request.startEntry = Window.SongList->currentRow() > 0 ? static_cast<std::size_t>(Window.SongList->currentRow()) : 0;
    request.acidize = Window.mnAcid->isChecked();
    request.scriptDumpDir = std::filesystem::current_path();
    if (Sound) {
        for (int c = 1; c <= 6; ++c)
            request.channelOn[static_cast<std::size_t>(c - 1)] = Sound->playback().ChannelOn[static_cast<std::size_t>(c)];
        ExtraSamples& samples = Sound->extraSamples();
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
    Window.btnPlay->setEnabled(enabled);
    Window.btnPlaySong->setEnabled(enabled);
}

void SongRenderCommand::showPattern(const PatternFileData& pattern) {
    // Rows 0..L+2 over whatever the grid held; its row count stays, as at song start.
    WritePatternCells(Window.Grid, pattern);
    Window.StringGrid1->modelChanged();
    // The BPM box carries the tempo to the sound layer, which listens to it.
    Window.Label6->setValue(pattern.bpm);
    Window.StepInterval = stepIntervalMs(pattern.bpm);
    // The render plays a loop count below 1 once; the box shows what is played.
    Window.Loop->setValue(std::max(pattern.loops, 1));
    Window.Edit2->setText(QString::fromStdString(Window.Grid.name()));
}

void SongRenderCommand::RendorClick() {
    setPlayButtons(false);
    try {
        const RenderRequest request = buildRequest();
        const RenderPlan plan = prepareRender(request);
        // The preparation has read the song into the grid and the boxes by now, before the
        // length check and the save dialog.
        if (plan.song.lastPattern)
            showPattern(*plan.song.lastPattern);
        if (plan.status == PrepareStatus::AcidTooLong) {
            QMessageBox::information(&Window, QStringLiteral("Tamboro"), QString::fromLatin1(kAcidTooLongMessage));
        } else if (plan.status == PrepareStatus::Ready) {
            // As at song start, the entry before the starting one is selected (none before the first).
            Window.SongList->setCurrentRow(static_cast<int>(request.startEntry) - 1);
            const auto result = RenderWindow.Button1Click(request, plan);
            if (result && result->offerMp3 && Window.IncludeMP31->isChecked()) {
                // The encoder window belongs to the render window and stays until the encoder ends.
                Encoder = new TMBladefrm(&RenderWindow);
                Encoder->setAttribute(Qt::WA_DeleteOnClose);
                Encoder->setEncoderPath(encoderPath(Window.ProgramDir));
                Encoder->setWavPath(QString::fromStdString(result->outcome.writtenTo.string()));
                Encoder->show();
            }
        }
    } catch (const std::exception& e) {
        QMessageBox::warning(&Window, QStringLiteral("Tamboro"), QString::fromUtf8(e.what()));
    }
    setPlayButtons(true);
}

} // namespace tamboro
