// The sample editor window: its controls at start, "&Open" (caption, working copy, reset controls,
// failures), the semitone pictures, the slider rule, the knobs, the play button with its timer,
// OK, Exit and "&GlobalFocus".

#include "windows/controls/Knob.h"
#include "windows/controls/PictureButton.h"
#include "windows/kits/ClickablePicture.h"
#include "windows/kits/SampleEditorWindow.h"

#include "ExtraSamplesWorkspace.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QToolTip>
#include <QtTest>

#include <cmath>
#include <fstream>

using namespace tamboro;
namespace fs = std::filesystem;

class TestSampleEditor : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startsHiddenWithEverythingDisabled();
    void openSetsCaptionCopyAndControls();
    void openAFileAboveTheSlidersRange();
    void openFailuresKeepTheControlsDisabled();
    void cancelledOpenChangesNothing();
    void pitchUpTwiceIsAWholeTone();
    void pitchStepsOnBlankDoNothing();
    void sliderAndKnobsSetTheCurrentPlayer();
    void knobsAndSliderShowTheirValues();
    void playButtonAndTimer();
    void okExitCloseAndGlobalFocus();

private:
    std::unique_ptr<test::ExtraSamplesWorkspace> ws;
    std::unique_ptr<QWidget> mainWindow;
    std::unique_ptr<SampleEditorWindow> editor;
    fs::path nextChoice;
    QStringList messages;
    QList<QPair<int, QString>> captions;

    void openFor(int n, const fs::path& file) {
        editor->showSample(n);
        nextChoice = file;
        editor->openFileClicked();
    }
    bool controlsEnabled() const {
        return editor->playButton->isEnabled() && editor->volumeKnob->isEnabled() &&
               editor->panKnob->isEnabled() && editor->pitchSlider->isEnabled();
    }
    bool controlsDisabled() const {
        return !editor->playButton->isEnabled() && !editor->volumeKnob->isEnabled() &&
               !editor->panKnob->isEnabled() && !editor->pitchSlider->isEnabled();
    }
};

void TestSampleEditor::init() {
    ws = std::make_unique<test::ExtraSamplesWorkspace>();
    mainWindow = std::make_unique<QWidget>(nullptr, Qt::Window | Qt::FramelessWindowHint);
    mainWindow->setGeometry(240, 130, 539, 501);
    editor = std::make_unique<SampleEditorWindow>(*ws->samples, mainWindow.get());
    nextChoice.clear();
    messages.clear();
    captions.clear();
    editor->chooseSampleFile = [this] { return nextChoice; };
    editor->notify = [this](const QString& text) { messages << text; };
    connect(editor.get(), &SampleEditorWindow::sampleCaptionChanged, this,
            [this](int n, const QString& caption) {
                captions.append({n, caption});
            });
}

void TestSampleEditor::cleanup() {
    editor.reset();
    mainWindow.reset();
    ws.reset();
}

void TestSampleEditor::startsHiddenWithEverythingDisabled() {
    QCOMPARE(editor->windowTitle(), QStringLiteral("Sample1"));
    QVERIFY(!editor->isVisible());
    QVERIFY(editor->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!(editor->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(controlsDisabled());
    QCOMPARE(editor->pitchSlider->minimum(), 4410);
    QCOMPARE(editor->pitchSlider->maximum(), 44100);
    QCOMPARE(editor->pitchSlider->pageStep(), 1100);
    QCOMPARE(editor->volumeKnob->minValue(), -40.0);
    QCOMPARE(editor->volumeKnob->maxValue(), 100.0);
    QCOMPARE(editor->panKnob->minValue(), -40.0);
    QCOMPARE(editor->panKnob->maxValue(), 40.0);
    QCOMPARE(editor->playButton->toolTip(), QStringLiteral("Play sound"));
    QCOMPARE(editor->playButton->mask().boundingRect(), QRect(5, 5, 28, 28));
    QCOMPARE(editor->pitchCaption->text(), QStringLiteral("Pitch by semitone"));
    QCOMPARE(editor->okButton->text(), QStringLiteral("OK"));
    QCOMPARE(editor->playTimer.interval(), 100);
    QVERIFY(!editor->playTimer.isActive());
    QCOMPARE(editor->openAction->text(), QStringLiteral("&Open"));
    QCOMPARE(editor->closeAction->text(), QStringLiteral("&Close"));
    QCOMPARE(editor->exitAction->text(), QStringLiteral("E&xit"));
    QCOMPARE(editor->globalFocusAction->text(), QStringLiteral("&GlobalFocus"));
    QVERIFY(editor->globalFocusAction->isChecked());
    const auto menus = editor->menuBar->actions();
    QCOMPARE(menus.size(), 2);
    QCOMPARE(menus[0]->text(), QStringLiteral("&File"));
    QCOMPARE(menus[1]->text(), QStringLiteral("&Option"));

    // Shown, it stands above the main window's left end, clear of its menus.
    mainWindow->move(200, 250);
    editor->showSample(3);
    QCOMPARE(editor->x(), 200);
    QVERIFY(editor->frameGeometry().bottom() < 250);
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->windowTitle(), QStringLiteral("Sample 3 : Blank.wav"));
    QCOMPARE(editor->sampleNumber->text(), QStringLiteral("3"));
}

void TestSampleEditor::openSetsCaptionCopyAndControls() {
    std::vector<std::vector<std::uint8_t>> before;
    for (int n = 1; n <= 32; ++n)
        before.push_back(ws->workingCopy(n));
    QVERIFY(ws->samples->setPan(5, 1700));
    QVERIFY(ws->samples->setVolume(5, -2200));
    const fs::path chosen = ws->wav("drumloop-long.wav", 32000, 500);
    openFor(5, chosen);

    QVERIFY2(messages.isEmpty(), qPrintable(messages.join("; ")));
    QCOMPARE(editor->windowTitle(), QApplication::applicationDisplayName() + " - drumloop-long.wav");
    QCOMPARE(captions.size(), 1);
    QCOMPARE(captions[0].first, 5);
    QCOMPARE(captions[0].second, QStringLiteral("drumloop"));
    for (int n = 1; n <= 32; ++n) {
        if (n == 5)
            QVERIFY(ws->workingCopy(n) == readFileBytes(chosen));
        else
            QVERIFY2(ws->workingCopy(n) == before[static_cast<std::size_t>(n - 1)],
                     qPrintable(QString::number(n)));
    }
    QCOMPARE(QString::fromStdString(ws->samples->fileName(5)), QString::fromStdString(chosen.string()));
    QVERIFY(controlsEnabled());
    QCOMPARE(ws->samples->pan(5), 0);
    QCOMPARE(ws->samples->volume(5), 0);
    QCOMPARE(editor->panKnob->value(), 0.0);
    QCOMPARE(editor->volumeKnob->value(), 0.0);
    QCOMPARE(editor->pitchSlider->value(), 32000);
    QCOMPARE(ws->samples->baseFrequency[5], 32000);
    QCOMPARE(ws->samples->frequency(5), 32000);
}

void TestSampleEditor::openAFileAboveTheSlidersRange() {
    openFor(2, ws->wav("hihat.wav", 48000));
    QCOMPARE(ws->samples->frequency(2), 44100);
    QCOMPARE(ws->samples->baseFrequency[2], 44100);
    QCOMPARE(editor->pitchSlider->value(), 44100);
    QCOMPARE(ws->streams->player(2)->frequency(), 44100);
}

void TestSampleEditor::openFailuresKeepTheControlsDisabled() {
    const fs::path text = ws->programDir / "chosen" / "readme.wav";
    fs::create_directories(text.parent_path());
    std::ofstream(text) << "not a RIFF file at all";
    openFor(9, text);
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].contains(QString::fromStdString(text.string())) &&
                 messages[0].contains("Wave is invalid"),
             qPrintable(messages[0]));
    QVERIFY(controlsDisabled());
    QCOMPARE(editor->windowTitle(), QApplication::applicationDisplayName() + " - readme.wav");
    QCOMPARE(captions.size(), 1);
    QCOMPARE(captions[0].second, QStringLiteral("readme"));

    // Playing it now reports that the player has no sound.
    editor->playClicked();
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages[1], QStringLiteral("WaveStream not set"));
    QVERIFY(!editor->playTimer.isActive());
}

void TestSampleEditor::cancelledOpenChangesNothing() {
    openFor(4, ws->wav("kick.wav", 22050));
    QVERIFY(controlsEnabled());
    const QString title = editor->windowTitle();
    openFor(4, fs::path());
    QVERIFY(controlsEnabled());
    QCOMPARE(editor->windowTitle(),
             QStringLiteral("Sample 4 : ") + QString::fromStdString(ws->samples->fileName(4)));
    QCOMPARE(captions.size(), 1);
}

void TestSampleEditor::pitchUpTwiceIsAWholeTone() {
    openFor(6, ws->wav("snare.wav", 22050, 3000));
    editor->show();
    QTest::mouseClick(editor->pitchUpPicture, Qt::LeftButton);
    QTest::mouseClick(editor->pitchUpPicture, Qt::LeftButton);
    const int wholeTone = static_cast<int>(std::nearbyint(22050 * std::exp2(200 / 1200.0)));
    QCOMPARE(ws->samples->frequency(6), wholeTone);
    QCOMPARE(editor->pitchSlider->value(), wholeTone);
    QCOMPARE(ws->samples->pitchCents[6], 200);
    QVERIFY(ws->samples->isPlaying(6));
    QVERIFY(editor->pitchUpPicture->isVisible());

    editor->pitchDownClicked();
    QCOMPARE(ws->samples->frequency(6), static_cast<int>(std::nearbyint(22050 * std::exp2(100 / 1200.0))));
    QVERIFY(editor->pitchDownPicture->isVisible());
    QVERIFY(messages.isEmpty());
}

void TestSampleEditor::pitchStepsOnBlankDoNothing() {
    editor->showSample(11);
    const int before = ws->samples->frequency(11);
    editor->pitchUpClicked();
    editor->pitchDownClicked();
    QCOMPARE(ws->samples->frequency(11), before);
    QCOMPARE(ws->samples->pitchCents[11], 0);
    QVERIFY(!ws->samples->isPlaying(11));
    QVERIFY(editor->pitchDownPicture->isVisible() && editor->pitchUpPicture->isVisible());
    QVERIFY(messages.isEmpty());
}

void TestSampleEditor::sliderAndKnobsSetTheCurrentPlayer() {
    openFor(7, ws->wav("tom.wav", 22050));
    editor->pitchSlider->setValue(30000); // as a user's drag does
    QCOMPARE(ws->samples->frequency(7), 30000);

    // Dragging the volume knob down sets hundredths of a decibel; up into its positive half is
    // refused by the output and the last accepted volume stays.
    editor->show();
    QTest::mousePress(editor->volumeKnob, Qt::LeftButton, {}, QPoint(16, 16));
    QMouseEvent down(QEvent::MouseMove, QPointF(16, 36), editor->volumeKnob->mapToGlobal(QPointF(16, 36)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor->volumeKnob, &down);
    const double afterDown = editor->volumeKnob->value();
    QVERIFY(afterDown < 0);
    QCOMPARE(ws->samples->volume(7), static_cast<int>(std::nearbyint(afterDown * 100)));
    QMouseEvent up(QEvent::MouseMove, QPointF(16, -30), editor->volumeKnob->mapToGlobal(QPointF(16, -30)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor->volumeKnob, &up);
    QVERIFY(editor->volumeKnob->value() > 0);
    QCOMPARE(ws->samples->volume(7), static_cast<int>(std::nearbyint(afterDown * 100)));
    QTest::mouseRelease(editor->volumeKnob, Qt::LeftButton, {}, QPoint(16, -30));

    editor->panKnob->setValue(-12.5);
    editor->panKnobTurned();
    QCOMPARE(ws->samples->pan(7), -1250);

    // Choosing the sample again fills the controls from the player, without any change handler.
    QVERIFY(ws->samples->setVolume(7, -2349));
    editor->showSample(1);
    editor->showSample(7);
    QCOMPARE(editor->panKnob->value(), -12.0);
    QCOMPARE(editor->volumeKnob->value(), -23.0);
    QCOMPARE(editor->pitchSlider->value(), 30000);
    QCOMPARE(ws->samples->volume(7), -2349);
}

void TestSampleEditor::knobsAndSliderShowTheirValues() {
    openFor(9, ws->wav("conga.wav", 22050));
    editor->show();
    // The pitch in semitones from the file's own rate, and the rate.
    QCOMPARE(editor->pitchSlider->toolTip(), QStringLiteral("Pitch: +0.0 semitones, 22050 Hz"));
    editor->pitchSlider->setValue(44100);
    QCOMPARE(editor->pitchSlider->toolTip(), QStringLiteral("Pitch: +12.0 semitones, 44100 Hz"));

    // While a knob is dragged, what the player took shows beside it: the volume in dB...
    auto drag = [](Knob* knob, int dy) {
        QTest::mousePress(knob, Qt::LeftButton, {}, QPoint(16, 16));
        QMouseEvent move(QEvent::MouseMove, QPointF(16, 16 + dy), knob->mapToGlobal(QPointF(16, 16 + dy)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(knob, &move);
    };
    drag(editor->volumeKnob, 10); // 140 dB over 100 pixels
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("Volume: -14.0 dB"));
    QTest::mouseRelease(editor->volumeKnob, Qt::LeftButton, {}, QPoint(16, 26));
    QCOMPARE(editor->volumeKnob->toolTip(), QStringLiteral("Volume: -14.0 dB"));
    // ... and the pan as the share of the way to one side.
    drag(editor->panKnob, -10); // 80 hundreds of pan over 100 pixels
    QCOMPARE(QToolTip::text(), QStringLiteral("Pan: R 8 %"));
    QTest::mouseRelease(editor->panKnob, Qt::LeftButton, {}, QPoint(16, 6));
    // Another sample's own values, once chosen.
    QVERIFY(ws->samples->setPan(3, -4000));
    editor->showSample(3);
    QCOMPARE(editor->panKnob->valueTip(), QStringLiteral("Pan: L 40 %"));
    QCOMPARE(editor->volumeKnob->valueTip(), QStringLiteral("Volume: 0.0 dB"));
}

void TestSampleEditor::playButtonAndTimer() {
    openFor(8, ws->wav("clap.wav", 44100, 1000));
    QTest::mouseClick(editor->playButton, Qt::LeftButton, {}, QPoint(18, 18));
    QVERIFY(editor->playTimer.isActive());
    QVERIFY(ws->samples->isPlaying(8));
    editor->onPlayTimerTick();
    QVERIFY(editor->playTimer.isActive()); // still sounding
    ws->backend->render(2048);
    QVERIFY(!ws->samples->isPlaying(8));
    editor->onPlayTimerTick();
    QVERIFY(!editor->playTimer.isActive());
    QVERIFY(editor->playButton->isEnabled());
}

void TestSampleEditor::okExitCloseAndGlobalFocus() {
    openFor(10, ws->wav("ride.wav", 44100, 50000));
    editor->playClicked();
    QVERIFY(ws->samples->isPlaying(10));
    editor->okButton->click();
    QVERIFY(!ws->samples->isPlaying(10));
    QVERIFY(!editor->isVisible());

    editor->showSample(10);
    editor->playClicked();
    editor->closeFileClicked();
    QVERIFY(!editor->playTimer.isActive());
    QVERIFY(controlsDisabled());
    QCOMPARE(QString::fromStdString(ws->samples->fileName(10)),
             QString::fromStdString((ws->programDir / "chosen" / "ride.wav").string()));
    editor->exitAction->trigger();
    QVERIFY(!editor->isVisible());

    editor->globalFocusAction->trigger();
    QVERIFY(!editor->globalFocusAction->isChecked());
    QVERIFY(!ws->samples->globalFocus());
    editor->globalFocusAction->trigger();
    QVERIFY(ws->samples->globalFocus());
}

QTEST_MAIN(TestSampleEditor)
#include "tst_sample_editor.moc"
