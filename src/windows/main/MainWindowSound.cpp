#include "windows/main/MainWindowSound.h"

#include "app/ProgramOptions.h"
#include "common/Error.h"
#include "controls/SkinFiles.h"
#include "kits/KitLibrary.h"
#include "sound/NullAudioBackend.h"
#include "sound/RtAudioBackend.h"
#include "sound/ThreadPriority.h"
#include "windows/main/MainMenus.h"
#include "windows/main/MainWindowState.h"
#include "windows/main/PatternBoxes.h"
#include "windows/main/PatternGridView.h"
#include "windows/main/PatternListsPanel.h"
#include "windows/main/TransportPanel.h"
#include "windows/sound/InputLatencyCommand.h"

#include <QAction>
#include <QEvent>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

namespace tamboro {

const char* const MainWindowSound::kSoundCardMessage =
    "Another application may be using the sound card.\t\n\t\n"
    "Exit any applications that may be using the sound card\t\n"
    "Tamboro will now terminate.";

namespace {

std::unique_ptr<AudioBackend> makeBackend(const ProgramOptions& options, const InputSettings& input) {
    if (options.audio == AudioChoice::Null) {
        NullAudioOptions null;
        null.capturePath = options.capture;
        null.loopback = !input.device.empty();
        return std::make_unique<NullAudioBackend>(null);
    }
    SystemAudioOptions system;
    system.inputDevice = input.device;
    return makeSystemAudioBackend(system);
}

} // namespace

MainWindowSound::MainWindowSound(const MainWindowParts& window, const ProgramOptions& options,
                                 const InputSettings& input)
    : QObject(&window.window), window_(window), dispatcher_(&window.window) {
    // The window thread runs every clock tick (the cells it sounds live in the grid), so a busy
    // desktop must not hold a tick back: ask for a higher priority than ordinary programs. Never
    // real-time scheduling here, as a long paint must not starve the rest of the system; a refusal
    // leaves the thread as it was.
    applyThreadPriority(ThreadPriority::higher);
    SoundDeviceOptions deviceOptions;
    deviceOptions.recordInput = !input.device.empty();
    device_ = std::make_unique<SoundDevice>(makeBackend(options, input), deviceOptions);
    if (!device_->inputProblem().empty())
        std::fprintf(stderr, "tamboro: %s; Play records no take\n", device_->inputProblem().c_str());
    device_->endTake(); // the input is recorded only from Play to the end of the playback
    MainWindowState& state = window.state;
    const Wave blank = ExtraSamples::loadBlank(state.programDir);
    voices_ = std::make_unique<KitVoices>(state.kitLibrary->kit());
    voices_->initialize(*device_);
    streams_ = std::make_unique<SampleStreams>(*device_, blank);
    samples_ = std::make_unique<ExtraSamples>(*streams_, state.programDir, blank);
    playback_ = std::make_unique<PlaybackState>(dispatcher_, *device_, state.patternCells, state.instruments,
                                                *voices_, streams_.get());
    wireEvents();
    wireControls();
    const bool nullAudio = options.audio == AudioChoice::Null;
    connect(window.menus.actions().calibrateInput, &QAction::triggered, this,
            [this, nullAudio] { showInputLatencyDialog(&window_.window, nullAudio); });
    // A shorter grid must not leave the pattern clock on a row past its end; a cleared pattern
    // takes the song script with it (the song clock then finds the script ended).
    connect(&window.boxes, &PatternBoxes::laidOut, this, [this](int endRow) {
        if (playback_->playRow > endRow)
            playback_->playRow = 2;
    });
    connect(&window.boxes, &PatternBoxes::patternCleared, this, [this] { playback_->songScript.clear(); });
    // The sound output's timing counters, refreshed under the Stop button's tip.
    auto* healthTimer = new QTimer(this);
    connect(healthTimer, &QTimer::timeout, this, [this] {
        window_.transport.showSoundHealth(QString::fromStdString(describeSoundHealth(device_->health())));
    });
    healthTimer->start(1000);
    // The clocks stop before anything else when the window closes ("x", "Exit", shut-down).
    window.window.installEventFilter(this);
}

MainWindowSound::~MainWindowSound() {
    // The window's Kit Library keeps a refill that reaches the voices; it goes back to the window's own.
    if (refillWithoutVoices_)
        window_.state.kitLibrary->fillInstrumentList = refillWithoutVoices_;
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
    if (watched == &window_.window && event->type() == QEvent::Close)
        stopClocks();
    if (watched == window_.grid.viewport() && event->type() == QEvent::MouseButtonPress)
        playback_->gridMousePressed();
    return QObject::eventFilter(watched, event);
}

void MainWindowSound::wireEvents() {
    PlaybackEvents& e = playback_->events;
    TransportPanel& transport = window_.transport;
    e.highlightRow = [this](int row) {
        window_.grid.setSelection(CellRect{1, row, 6, row});
        if (playback_->gridScrollIndicator)
            window_.grid.ensureRowVisible(row);
    };
    e.pulse = [&transport](int channel) { transport.pulseChannel(channel); };
    e.playButtonsEnabled = [&transport](bool enabled) { transport.setPlayButtonsEnabled(enabled); };
    e.repeatGlyph = [&transport](int image) { transport.showRepeatPatternGlyph(image); };
    e.repeatSongGlyph = [&transport](int image) { transport.showRepeatSongGlyph(image); };
    e.globalSpeedGlyph = [&transport](int image) { transport.showGlobalSpeedGlyph(image); };
    e.channelCaption = [&transport](int channel, const std::string& caption) {
        transport.setChannelCaption(channel, QString::fromStdString(caption));
    };
    e.tempoShown = [this] { window_.transport.showTempo(playback_->bpm(), playback_->tempoKnob()); };
    e.patternChanged = [this] { window_.state.editState.patternChanged = true; };
    e.selectPlayListEntry = [this](int index) { window_.lists.selectPlayListRow(index); };
    e.loopsShown = [this](int loops) { window_.boxes.showLoops(loops); };
    e.patternNameShown = [this](const std::string& name) {
        window_.boxes.setPatternName(QString::fromStdString(name));
    };
    e.message = [this](const std::string& text, const std::string& caption) {
        QMessageBox::information(&window_.window, QString::fromStdString(caption),
                                 QString::fromStdString(text));
    };
    // A tick's error is shown without a modal loop, so the clock keeps its time.
    auto tickError = [this](const std::string& text) {
        auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Tamboro"),
                                    QString::fromStdString(text), QMessageBox::Ok, &window_.window);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->show();
    };
    playback_->songClock.onError = tickError;
    playback_->patternClock.onError = tickError;
}

void MainWindowSound::wireControls() {
    TransportPanel& t = window_.transport;
    PlaybackState& p = *playback_;
    connect(&t, &TransportPanel::playPatternClicked, this, [this, &p] {
        if (beforePlay)
            beforePlay();
        p.playPattern();
    });
    connect(&t, &TransportPanel::stopClicked, this, [&p] { p.stopPlayback(); });
    connect(&t, &TransportPanel::repeatPatternClicked, this, [&p] { p.toggleRepeatPattern(); });
    connect(&t, &TransportPanel::playInstrumentClicked, this, [&p] { p.playInstrument(); });
    connect(&t, &TransportPanel::playSongClicked, this, [this] {
        if (beforePlay)
            beforePlay();
        playback_->playSong(window_.state.programDir, window_.state.playList.names(),
                            window_.lists.playListRow());
    });
    connect(&t, &TransportPanel::repeatSongClicked, this, [&p] { p.toggleRepeatSong(); });
    connect(&t, &TransportPanel::globalSpeedClicked, this, [&p] { p.toggleGlobalSpeed(); });
    connect(&t, &TransportPanel::channelClicked, this, [&p](int tag) { p.toggleChannel(tag); });
    connect(&t, &TransportPanel::tempoKnobTurned, this, [&p](double value) { p.tempoKnobTurned(value); });
    connect(&t, &TransportPanel::bpmChanged, this, [&p](int bpm) { p.setBpm(bpm); });
    connect(&t, &TransportPanel::panKnobHovered, this, [&p](double value) { p.panKnobMouseMove(value); });
    connect(&t, &TransportPanel::panKnobLeft, this, [&p] { p.panKnobMouseLeave(); });
    window_.grid.viewport()->installEventFilter(this);
    // Placing a kit instrument auditions it at once.
    connect(&window_.grid, &PatternGridView::auditionRequested, this, [&p] { p.playInstrument(); });
    QAction* indicator = window_.menus.actions().gridScrollIndicator;
    p.gridScrollIndicator = indicator->isChecked();
    connect(indicator, &QAction::toggled, this, [&p](bool on) { p.gridScrollIndicator = on; });
    // A new kit gets its own voices at once, so an audition never plays the previous kit's sound.
    KitLibrary& kits = *window_.state.kitLibrary;
    refillWithoutVoices_ = kits.fillInstrumentList;
    kits.fillInstrumentList = [this](const DrumKit& kit) {
        if (refillWithoutVoices_)
            refillWithoutVoices_(kit);
        voices_->initialize(*device_);
    };
    // The clocks start from the tempo the BPM box shows.
    p.setBpm(t.bpm());
}

} // namespace tamboro
