#include "app/ui/SequenceSound.h"

#include "app/ProgramOptions.h"
#include "app/ui/PatternGridView.h"
#include "app/ui/Sequence.h"
#include "common/Error.h"
#include "controls/SkinFiles.h"
#include "controls/ui/BJKnob.h"
#include "controls/ui/PictureButton.h"
#include "controls/ui/Pulse.h"
#include "controls/ui/SkinPictures.h"
#include "kits/KitLibrary.h"
#include "sound/NullAudioBackend.h"
#include "sound/RtAudioBackend.h"
#include "sound/ThreadPriority.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <cstdio>

namespace tamboro {

const char* const SequenceSound::kSoundCardMessage =
    "Another application may be using the sound card.\t\n\t\n"
    "Exit any applications that may be using the sound card\t\n"
    "Tamboro will now terminate.";

namespace {

std::unique_ptr<AudioBackend> makeBackend(const ProgramOptions& options) {
    if (options.audio == AudioChoice::Null) {
        NullAudioOptions null;
        null.capturePath = options.capture;
        return std::make_unique<NullAudioBackend>(null);
    }
    return makeSystemAudioBackend();
}

} // namespace

SequenceSound::SequenceSound(TSequence& window, const ProgramOptions& options)
    : QObject(&window), Window(window), Dispatcher(&window) {
    // The window thread runs every clock tick (the cells it sounds live in the grid), so a busy
    // desktop must not hold a tick back: ask for a higher priority than ordinary programs. Never
    // real-time scheduling here, as a long paint must not starve the rest of the system; a refusal
    // leaves the thread as it was.
    applyThreadPriority(TThreadPriority::tpHigher);
    Device = std::make_unique<SoundDevice>(makeBackend(options));
    const Wave blank = ExtraSamples::loadBlank(window.ProgramDir);
    Voices = std::make_unique<KitVoices>(window.DrumLibrary->kit());
    Voices->initialize(*Device);
    Streams = std::make_unique<SampleStreams>(*Device, blank);
    Samples = std::make_unique<ExtraSamples>(*Streams, window.ProgramDir, blank);
    Playback = std::make_unique<PlaybackState>(Dispatcher, *Device, window.Grid, window.Instruments, *Voices,
                                               Streams.get());
    wireEvents();
    wireControls();
    // The clocks stop before anything else when the window closes ("x", "Exit", shut-down).
    window.StopStepTimers = [this] { stopClocks(); };
    // A shorter grid must not leave the pattern clock on a row past its end; a cleared pattern
    // takes the song script with it (the song clock then finds the script ended).
    window.PatternLaidOut = [this](int endRow) {
        if (Playback->PlayRow > endRow)
            Playback->PlayRow = 2;
    };
    window.ForgetSongScript = [this] { Playback->SongScript.clear(); };
    window.installEventFilter(this);
}

SequenceSound::~SequenceSound() {
    Window.StopStepTimers = nullptr;
    Window.PatternLaidOut = nullptr;
    Window.ForgetSongScript = nullptr;
    stopClocks();
    Playback.reset();
    Samples.reset();
    Streams.reset();
    if (Voices)
        Voices->finalize();
    Voices.reset();
    try {
        Device->close();
    } catch (const Error& e) {
        // Closing writes the capture file, if any: say so when it fails.
        std::fprintf(stderr, "tamboro: %s\n", e.what());
    }
}

void SequenceSound::stopClocks() {
    if (!Playback)
        return;
    Playback->DXTimer1.SetEnabled(false);
    Playback->DXTimer2.SetEnabled(false);
}

bool SequenceSound::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &Window && event->type() == QEvent::Close)
        stopClocks();
    if (watched == Window.Panning) {
        if (event->type() == QEvent::MouseMove)
            Playback->PanningMouseMove(Window.Panning->Value());
        else if (event->type() == QEvent::Leave)
            Playback->PanningMouseLeave();
    }
    if (Window.StringGrid1 && watched == Window.StringGrid1->viewport() && event->type() == QEvent::MouseButtonPress)
        Playback->StringGrid1MouseDown();
    return QObject::eventFilter(watched, event);
}

void SequenceSound::showGlyph(PictureButton* button, int imageIndex) {
    button->setGlyph(skinPixmap(QString::fromStdString(skin::imageListFile(imageIndex))));
    button->setGlyphIndex(imageIndex);
}

void SequenceSound::wireEvents() {
    PlaybackEvents& e = Playback->events;
    e.highlightRow = [this](int row) {
        Window.StringGrid1->setSelection(CellRect{1, row, 6, row});
        if (Playback->GridIndicator)
            Window.StringGrid1->ensureRowVisible(row);
    };
    e.pulse = [this](int channel) {
        if (channel >= 1 && channel <= 6)
            Window.Pulse[static_cast<std::size_t>(channel - 1)]->Pulse();
    };
    e.playButtonsEnabled = [this](bool enabled) {
        Window.btnPlay->setEnabled(enabled);
        Window.btnPlaySong->setEnabled(enabled);
    };
    e.repeatGlyph = [this](int image) { showGlyph(Window.btnLoopPattern, image); };
    e.repeatSongGlyph = [this](int image) { showGlyph(Window.btnLoopSong, image); };
    e.globalSpeedGlyph = [this](int image) { showGlyph(Window.btnSetGlobal, image); };
    e.channelCaption = [this](int channel, const std::string& caption) {
        if (channel >= 1 && channel <= 6)
            Window.btnCH[static_cast<std::size_t>(channel - 1)]->setText(QString::fromStdString(caption));
    };
    e.tempoShown = [this] {
        const QSignalBlocker quiet(Window.Label6);
        Window.Label6->setValue(Playback->bpm());
        Window.Delay->setValue(Playback->tempoKnob());
    };
    e.patternChanged = [this] { Window.EditState.PatternChanged = true; };
    e.selectPlayListEntry = [this](int index) { Window.SongList->setCurrentRow(index); };
    e.loopsShown = [this](int loops) {
        const QSignalBlocker quiet(Window.Loop);
        Window.Loop->setValue(loops);
    };
    e.patternNameShown = [this](const std::string& name) { Window.Edit2->setText(QString::fromStdString(name)); };
    e.message = [this](const std::string& text, const std::string& caption) {
        QMessageBox::information(&Window, QString::fromStdString(caption), QString::fromStdString(text));
    };
    // A tick's error is shown without a modal loop, so the clock keeps its time.
    auto tickError = [this](const std::string& text) {
        auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Tamboro"), QString::fromStdString(text),
                                    QMessageBox::Ok, &Window);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->show();
    };
    Playback->DXTimer1.OnError = tickError;
    Playback->DXTimer2.OnError = tickError;
}

void SequenceSound::wireControls() {
    TSequence& w = Window;
    PlaybackState& p = *Playback;
    for (QWidget* control : std::initializer_list<QWidget*>{w.btnPlay, w.btnLoopPattern, w.btnStop, w.btnSounder,
                                                           w.btnPlaySong, w.btnLoopSong, w.btnSetGlobal, w.Delay,
                                                           w.Panning, w.Label6})
        control->setEnabled(true);
    for (QPushButton* channel : w.btnCH)
        channel->setEnabled(true);
    connect(w.btnPlay, &PictureButton::clicked, this, [&p] { p.btnPlayClick(); });
    connect(w.btnStop, &PictureButton::clicked, this, [&p] { p.btnStopClick(); });
    connect(w.btnLoopPattern, &PictureButton::clicked, this, [&p] { p.ToolButton3Click(); });
    connect(w.btnSounder, &PictureButton::clicked, this, [&p] { p.BitBtn11Click(); });
    connect(w.btnPlaySong, &PictureButton::clicked, this,
            [this] { Playback->BitBtn12Click(Window.ProgramDir, Window.Songs.names(), Window.SongList->currentRow()); });
    connect(w.btnLoopSong, &PictureButton::clicked, this, [&p] { p.ToolButton8Click(); });
    connect(w.btnSetGlobal, &PictureButton::clicked, this, [&p] { p.ToolButton19Click(); });
    for (int c = 0; c < 6; ++c)
        connect(w.btnCH[static_cast<std::size_t>(c)], &QPushButton::clicked, this,
                [&p, c] { p.SetChannelStates(61 + c); });
    connect(w.Delay, &TBJKnob::OnChange, this, [this] { Playback->DelayChange(Window.Delay->Value()); });
    connect(w.Label6, &QSpinBox::valueChanged, this, [&p](int bpm) { p.setBpm(bpm); });
    w.Panning->setMouseTracking(true);
    w.Panning->installEventFilter(this);
    w.StringGrid1->viewport()->installEventFilter(this);
    // Placing a kit instrument auditions it at once.
    connect(w.StringGrid1, &PatternGridView::auditionRequested, this, [&p] { p.BitBtn11Click(); });
    // The instrument list's text is the current instrument that the audition and the grid use.
    connect(w.lstKitList, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { Window.Instruments.setText(text.toStdString()); });
    w.Instruments.setText(w.lstKitList->currentText().toStdString());
    if (w.GridIndicator) {
        p.GridIndicator = w.GridIndicator->isChecked();
        connect(w.GridIndicator, &QAction::toggled, this, [&p](bool on) { p.GridIndicator = on; });
    }
    // A new kit gets its own voices at once, so an audition never plays the previous kit's sound.
    if (w.DrumLibrary) {
        auto refill = w.DrumLibrary->fillInstrumentList;
        w.DrumLibrary->fillInstrumentList = [this, refill](const TWaveCollection& kit) {
            if (refill)
                refill(kit);
            Voices->initialize(*Device);
        };
    }
    // The clocks start from the tempo the BPM box shows.
    p.setBpm(w.Label6->value());
}

} // namespace tamboro
