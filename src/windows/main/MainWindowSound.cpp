#include "windows/main/MainWindowSound.h"

#include "app/ProgramOptions.h"
#include "common/Error.h"
#include "controls/SkinFiles.h"
#include "kits/KitLibrary.h"
#include "sound/NullAudioBackend.h"
#include "sound/RtAudioBackend.h"
#include "sound/ThreadPriority.h"
#include "windows/controls/Knob.h"
#include "windows/controls/PictureButton.h"
#include "windows/controls/PulseLight.h"
#include "windows/controls/SkinPictures.h"
#include "windows/main/MainWindow.h"
#include "windows/main/PatternGridView.h"

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

const char* const MainWindowSound::kSoundCardMessage =
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

MainWindowSound::MainWindowSound(MainWindow& window, const ProgramOptions& options)
    : QObject(&window), window_(window), dispatcher_(&window) {
    // The window thread runs every clock tick (the cells it sounds live in the grid), so a busy
    // desktop must not hold a tick back: ask for a higher priority than ordinary programs. Never
    // real-time scheduling here, as a long paint must not starve the rest of the system; a refusal
    // leaves the thread as it was.
    applyThreadPriority(ThreadPriority::higher);
    device_ = std::make_unique<SoundDevice>(makeBackend(options));
    const Wave blank = ExtraSamples::loadBlank(window.programDir);
    voices_ = std::make_unique<KitVoices>(window.kitLibrary->kit());
    voices_->initialize(*device_);
    streams_ = std::make_unique<SampleStreams>(*device_, blank);
    samples_ = std::make_unique<ExtraSamples>(*streams_, window.programDir, blank);
    playback_ = std::make_unique<PlaybackState>(dispatcher_, *device_, window.patternCells,
                                                window.instruments, *voices_, streams_.get());
    wireEvents();
    wireControls();
    // The clocks stop before anything else when the window closes ("x", "Exit", shut-down).
    window.stopStepClocks = [this] { stopClocks(); };
    // A shorter grid must not leave the pattern clock on a row past its end; a cleared pattern
    // takes the song script with it (the song clock then finds the script ended).
    window.patternLaidOut = [this](int endRow) {
        if (playback_->playRow > endRow)
            playback_->playRow = 2;
    };
    window.forgetSongScript = [this] { playback_->songScript.clear(); };
    window.installEventFilter(this);
}

MainWindowSound::~MainWindowSound() {
    window_.stopStepClocks = nullptr;
    window_.patternLaidOut = nullptr;
    window_.forgetSongScript = nullptr;
    stopClocks();
    playback_.reset();
    samples_.reset();
    streams_.reset();
    if (voices_)
        voices_->finalize();
    voices_.reset();
    try {
        device_->close();
    } catch (const Error& e) {
        // Closing writes the capture file, if any: say so when it fails.
        std::fprintf(stderr, "tamboro: %s\n", e.what());
    }
}

void MainWindowSound::stopClocks() {
    if (!playback_)
        return;
    playback_->songClock.setEnabled(false);
    playback_->patternClock.setEnabled(false);
}

bool MainWindowSound::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Close)
        stopClocks();
    if (watched == window_.panKnob) {
        if (event->type() == QEvent::MouseMove)
            playback_->panKnobMouseMove(window_.panKnob->value());
        else if (event->type() == QEvent::Leave)
            playback_->panKnobMouseLeave();
    }
    if (window_.patternGrid && watched == window_.patternGrid->viewport() &&
        event->type() == QEvent::MouseButtonPress)
        playback_->gridMousePressed();
    return QObject::eventFilter(watched, event);
}

void MainWindowSound::showGlyph(PictureButton* button, int imageIndex) {
    button->setGlyph(skinPixmap(QString::fromStdString(skin::imageListFile(imageIndex))));
    button->setGlyphIndex(imageIndex);
}

void MainWindowSound::wireEvents() {
    PlaybackEvents& e = playback_->events;
    e.highlightRow = [this](int row) {
        window_.patternGrid->setSelection(CellRect{1, row, 6, row});
        if (playback_->gridScrollIndicator)
            window_.patternGrid->ensureRowVisible(row);
    };
    e.pulse = [this](int channel) {
        if (channel >= 1 && channel <= 6)
            window_.pulseLights[static_cast<std::size_t>(channel - 1)]->pulse();
    };
    e.playButtonsEnabled = [this](bool enabled) {
        window_.playPatternButton->setEnabled(enabled);
        window_.playSongButton->setEnabled(enabled);
    };
    e.repeatGlyph = [this](int image) { showGlyph(window_.repeatPatternButton, image); };
    e.repeatSongGlyph = [this](int image) { showGlyph(window_.repeatSongButton, image); };
    e.globalSpeedGlyph = [this](int image) { showGlyph(window_.globalSpeedButton, image); };
    e.channelCaption = [this](int channel, const std::string& caption) {
        if (channel >= 1 && channel <= 6)
            window_.channelSwitches[static_cast<std::size_t>(channel - 1)]->setText(
                QString::fromStdString(caption));
    };
    e.tempoShown = [this] {
        const QSignalBlocker quiet(window_.bpmBox);
        window_.bpmBox->setValue(playback_->bpm());
        window_.bpmKnob->setValue(playback_->tempoKnob());
    };
    e.patternChanged = [this] { window_.editState.patternChanged = true; };
    e.selectPlayListEntry = [this](int index) { window_.playListBox->setCurrentRow(index); };
    e.loopsShown = [this](int loops) {
        const QSignalBlocker quiet(window_.loopsBox);
        window_.loopsBox->setValue(loops);
    };
    e.patternNameShown = [this](const std::string& name) {
        window_.patternNameBox->setText(QString::fromStdString(name));
    };
    e.message = [this](const std::string& text, const std::string& caption) {
        QMessageBox::information(&window_, QString::fromStdString(caption), QString::fromStdString(text));
    };
    // A tick's error is shown without a modal loop, so the clock keeps its time.
    auto tickError = [this](const std::string& text) {
        auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Tamboro"),
                                    QString::fromStdString(text), QMessageBox::Ok, &window_);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->show();
    };
    playback_->songClock.onError = tickError;
    playback_->patternClock.onError = tickError;
}

void MainWindowSound::wireControls() {
    MainWindow& w = window_;
    PlaybackState& p = *playback_;
    for (QWidget* control : std::initializer_list<QWidget*>{
             w.playPatternButton, w.repeatPatternButton, w.stopButton, w.playInstrumentButton,
             w.playSongButton, w.repeatSongButton, w.globalSpeedButton, w.bpmKnob, w.panKnob, w.bpmBox})
        control->setEnabled(true);
    for (QPushButton* channel : w.channelSwitches)
        channel->setEnabled(true);
    connect(w.playPatternButton, &PictureButton::clicked, this, [&p] { p.playPattern(); });
    connect(w.stopButton, &PictureButton::clicked, this, [&p] { p.stopPlayback(); });
    connect(w.repeatPatternButton, &PictureButton::clicked, this, [&p] { p.toggleRepeatPattern(); });
    connect(w.playInstrumentButton, &PictureButton::clicked, this, [&p] { p.playInstrument(); });
    connect(w.playSongButton, &PictureButton::clicked, this, [this] {
        playback_->playSong(window_.programDir, window_.playList.names(), window_.playListBox->currentRow());
    });
    connect(w.repeatSongButton, &PictureButton::clicked, this, [&p] { p.toggleRepeatSong(); });
    connect(w.globalSpeedButton, &PictureButton::clicked, this, [&p] { p.toggleGlobalSpeed(); });
    for (int c = 0; c < 6; ++c)
        connect(w.channelSwitches[static_cast<std::size_t>(c)], &QPushButton::clicked, this,
                [&p, c] { p.toggleChannel(61 + c); });
    connect(w.bpmKnob, &Knob::turnedByUser, this,
            [this] { playback_->tempoKnobTurned(window_.bpmKnob->value()); });
    connect(w.bpmBox, &QSpinBox::valueChanged, this, [&p](int bpm) { p.setBpm(bpm); });
    w.panKnob->setMouseTracking(true);
    w.panKnob->installEventFilter(this);
    w.patternGrid->viewport()->installEventFilter(this);
    // Placing a kit instrument auditions it at once.
    connect(w.patternGrid, &PatternGridView::auditionRequested, this, [&p] { p.playInstrument(); });
    // The instrument list's text is the current instrument that the audition and the grid use.
    connect(w.instrumentBox, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { window_.instruments.setText(text.toStdString()); });
    w.instruments.setText(w.instrumentBox->currentText().toStdString());
    if (w.gridScrollIndicatorAction) {
        p.gridScrollIndicator = w.gridScrollIndicatorAction->isChecked();
        connect(w.gridScrollIndicatorAction, &QAction::toggled, this,
                [&p](bool on) { p.gridScrollIndicator = on; });
    }
    // A new kit gets its own voices at once, so an audition never plays the previous kit's sound.
    if (w.kitLibrary) {
        auto refill = w.kitLibrary->fillInstrumentList;
        w.kitLibrary->fillInstrumentList = [this, refill](const DrumKit& kit) {
            if (refill)
                refill(kit);
            voices_->initialize(*device_);
        };
    }
    // The clocks start from the tempo the BPM box shows.
    p.setBpm(w.bpmBox->value());
}

} // namespace tamboro
