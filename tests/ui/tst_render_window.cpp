// The render window: its layout, a render run from the window with progress, labels and events
// running during the passes, Stop keeping the mix so far, Cancel in the dialog, the acid loop and
// the fall-back when the chosen file cannot be written, FLAC and Ogg Vorbis by the extension.

#include "windows/render/RenderProgressWindow.h"

#include "common/Error.h"
#include "common/TextLines.h"
#include "kits/DrumKit.h"
#include "kits/Wave.h"

#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <filesystem>

using namespace tamboro;
namespace fs = std::filesystem;

class TestRenderWindow : public QObject {
    Q_OBJECT
private slots:
    void layout();
    void rendersWithProgressAndEvents();
    void stopKeepsTheMixSoFar();
    void cancelledDialogWritesNothing();
    void acidLoop();
    void fallBackWhenTheFileCannotBeWritten();
    void flacAndOggByExtension();
};

namespace {

std::vector<std::uint8_t> tone(int frames) {
    std::vector<std::uint8_t> data;
    for (int i = 0; i < frames; ++i) {
        const auto v = static_cast<std::uint16_t>(static_cast<std::int16_t>(((i * 37) % 2000 - 1000) * 20));
        data.push_back(static_cast<std::uint8_t>(v));
        data.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    return data;
}

// A program folder with a two-instrument kit and one 120 BPM pattern of `steps` steps.
struct Workspace {
    QTemporaryDir tmp;
    fs::path dir;
    DrumKit kit;
    Workspace(int steps = 16, int loops = 4) : dir(tmp.path().toStdString()) {
        fs::create_directories(dir / "temp");
        Wave::pcm(2, 44100, 16, std::vector<std::uint8_t>(40, 0)).writeFile(dir / "Blank.wav");
        kit.add();
        kit.add().setName("Kick      [ ]");
        kit.item(1).setWave(Wave::pcm(1, 44100, 16, tone(3000)));
        kit.add().setName("Snare     [ ]");
        kit.item(2).setWave(Wave::pcm(1, 44100, 16, tone(2000)));
        std::vector<std::string> lines;
        for (int row = 0; row < steps + 3; ++row)
            for (int col = 0; col < 7; ++col) {
                std::string text;
                if (row == 0 && col == 2)
                    text = std::to_string(steps);
                else if (row >= 2 && row <= steps + 1 && col == 1 && (row - 2) % 4 == 0)
                    text = "Kick      [ ]";
                else if (row >= 2 && row <= steps + 1 && col == 2 && (row - 2) % 8 == 4)
                    text = "Snare     [3]";
                lines.push_back(text);
            }
        lines.push_back("120");
        lines.push_back(std::to_string(loops));
        writeTextLines(dir / "P.pat", lines);
    }
    RenderRequest request() const {
        RenderRequest r;
        r.programDir = dir;
        r.kit = &kit;
        r.playList = {"P"};
        r.scriptDumpDir = dir;
        return r;
    }
    QString file(const char* name) const { return QString::fromStdString((dir / name).string()); }
};

} // namespace

void TestRenderWindow::layout() {
    RenderProgressWindow w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Render"));
    QCOMPARE(w.size(), QSize(329, 121));
    QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!(w.windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(w.nowAddingLabel->text(), QStringLiteral("Now Adding:"));
    QCOMPARE(w.acidizingLabel->text(), QStringLiteral("Now Acidizing Loop"));
    QCOMPARE(w.pleaseWaitLabel->text(), QStringLiteral("Please wait a moment"));
    QVERIFY(w.acidizingLabel->isHidden());
    QVERIFY(w.pleaseWaitLabel->isHidden());
}

void TestRenderWindow::rendersWithProgressAndEvents() {
    Workspace ws;
    const auto request = ws.request();
    const RenderPlan plan = prepareRender(request);
    RenderProgressWindow w;
    w.chooseOutputFile = [&] { return ws.file("song.wav"); };
    int ticks = 0, maximum = 0;
    bool visibleDuringRender = false;
    QStringList labels;
    // A timer that fires again and again while the engine runs proves that events are processed.
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        maximum = w.progressBar->maximum();
        visibleDuringRender = visibleDuringRender || w.isVisible();
        if (labels.isEmpty() || labels.last() != w.instrumentLabel->text())
            labels << w.instrumentLabel->text();
    });
    timer.start(0);
    const auto result = w.runRender(request, plan);
    timer.stop();
    QVERIFY(result.has_value());
    QVERIFY(!result->outcome.cancelled);
    QVERIFY(result->offerMp3);
    QVERIFY(ticks > 10);
    QVERIFY(visibleDuringRender);
    QCOMPARE(maximum, static_cast<int>(plan.song.script.lineCount()));
    QVERIFY(labels.contains(QStringLiteral("Kick      [ ]")));
    QVERIFY(labels.contains(QStringLiteral("Snare     [ ]")));
    QVERIFY(!w.isVisible());
    QVERIFY(fs::file_size(ws.dir / "song.wav") > 44);
}

void TestRenderWindow::stopKeepsTheMixSoFar() {
    Workspace ws;
    const auto request = ws.request();
    const RenderPlan plan = prepareRender(request);
    RenderProgressWindow full;
    full.chooseOutputFile = [&] { return ws.file("full.wav"); };
    QVERIFY(full.runRender(request, plan).has_value());

    RenderProgressWindow w;
    w.chooseOutputFile = [&] { return ws.file("stopped.wav"); };
    int asked = 0;
    w.stopRequested = [&] { return ++asked > 30; }; // Stop during the first (kick) pass
    const auto result = w.runRender(request, plan);
    QVERIFY(result.has_value());
    QVERIFY(result->outcome.cancelled);
    QVERIFY(!result->offerMp3);
    QCOMPARE(w.progressBar->value(), 0);
    QVERIFY(w.progressBar->isHidden());
    QVERIFY(!w.isVisible());
    const auto stopped = fs::file_size(ws.dir / "stopped.wav");
    QVERIFY(stopped > 44);
    QVERIFY(stopped < fs::file_size(ws.dir / "full.wav"));
}

void TestRenderWindow::cancelledDialogWritesNothing() {
    Workspace ws;
    const auto request = ws.request();
    const RenderPlan plan = prepareRender(request);
    RenderProgressWindow w;
    w.chooseOutputFile = [] { return QString(); };
    QVERIFY(!w.runRender(request, plan).has_value());
    QVERIFY(!w.isVisible());
}

void TestRenderWindow::acidLoop() {
    Workspace ws(16, 1);
    auto request = ws.request();
    request.acidize = true;
    const RenderPlan plan = prepareRender(request);
    QCOMPARE(plan.status, PrepareStatus::Ready);
    RenderProgressWindow w;
    w.chooseOutputFile = [&] { return ws.file("loop.wav"); };
    const auto result = w.runRender(request, plan);
    QVERIFY(result.has_value());
    QCOMPARE(fs::file_size(ws.dir / "loop.wav"), std::uintmax_t{44 + 88200 * 4});
    QVERIFY(!w.nowAddingLabel->isHidden());
    QVERIFY(!w.instrumentLabel->isHidden());
    QVERIFY(w.acidizingLabel->isHidden());
    QVERIFY(w.pleaseWaitLabel->isHidden());
}

void TestRenderWindow::fallBackWhenTheFileCannotBeWritten() {
    Workspace ws;
    const auto request = ws.request();
    const RenderPlan plan = prepareRender(request);
    RenderProgressWindow w;
    w.chooseOutputFile = [&] { return ws.file("no-such-folder/out.wav"); };
    QStringList messages;
    w.showMessage = [&](const QString& m) { messages << m; };
    const auto result = w.runRender(request, plan);
    QVERIFY(result.has_value());
    QVERIFY(result->outcome.fellBack);
    QVERIFY(!result->offerMp3);
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].startsWith(QStringLiteral("Unfortunately it was not possible to save")));
    QVERIFY(messages[0].endsWith(QStringLiteral("Temp.wav")));
    QVERIFY(fs::exists(ws.dir / "Temp.wav"));
}

void TestRenderWindow::flacAndOggByExtension() {
    Workspace ws;
    const auto request = ws.request();
    const RenderPlan plan = prepareRender(request);
    const QStringList filters = RenderProgressWindow::renderFileFilters();
    QVERIFY(filters.filter(QStringLiteral("*.flac")).size() == 1);
    QVERIFY(filters.filter(QStringLiteral("*.ogg")).size() == 1);
    QVERIFY(filters.filter(QStringLiteral("*.wav")).size() == 1);
    for (const char* name : {"song.flac", "song.OGG"}) {
        RenderProgressWindow w;
        w.chooseOutputFile = [&] { return ws.file(name); };
        const auto result = w.runRender(request, plan);
        QVERIFY(result.has_value());
        QVERIFY(!result->outcome.fellBack);
        // The MP3 encoder reads WAV files only: no encoder window after a FLAC or Ogg render.
        QVERIFY(!result->offerMp3);
        QVERIFY(fs::file_size(ws.dir / name) > 0);
    }
    // A name of no known format is refused before anything is written.
    RenderProgressWindow w;
    w.chooseOutputFile = [&] { return ws.file("song.mp4"); };
    QVERIFY_THROWS_EXCEPTION(Error, w.runRender(request, plan));
    QVERIFY(!fs::exists(ws.dir / "song.mp4"));
    QVERIFY(!w.isVisible());
}

QTEST_MAIN(TestRenderWindow)
#include "tst_render_window.moc"
