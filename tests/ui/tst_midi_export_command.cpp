// File > "Export MIDI…": the whole Play List goes to the chosen file as MIDI, without the channels
// switched off; an empty Play List, Cancel and a pattern that cannot be read leave no file.

#include "MainWindowControls.h"
#include "WindowTestSupport.h"
#include "common/Files.h"
#include "render/MidiExport.h"
#include "song/PatternFile.h"
#include "song/PatternGrid.h"
#include "windows/main/MainWindow.h"
#include "windows/main/MainWindowState.h"
#include "windows/main/MidiExportCommand.h"

#include <QAction>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <memory>

using namespace tamboro;
namespace fs = std::filesystem;

namespace {

// Four steps: a kick on channel 1 of every step, a snare on channel 3 of the last.
void writePattern(const fs::path& dir, const std::string& name, int bpm) {
    PatternGrid grid;
    grid.layOut(4, 4);
    grid.setName(name);
    for (int step = 1; step <= 4; ++step)
        grid.setCell(1, step + 1, "Kick      [ ]");
    grid.setCell(3, 5, "Snare     [3]");
    writePatternFile(dir, name, buildPatternFileLines(grid, bpm, 1, {}));
}

} // namespace

class MidiExportCommandTest : public QObject {
    Q_OBJECT

    test::TemporarySettings settings_;
    std::unique_ptr<QTemporaryDir> work_;
    std::unique_ptr<MainWindow> w_;
    MidiExportCommand* command_ = nullptr;
    std::array<bool, 6> channels_{};
    QString chosen_;
    QStringList messages_;

    fs::path work() const { return work_->path().toStdString(); }
    test::MainWindowControls ui() const { return test::controlsOf(*w_); }

private slots:
    void init() {
        work_ = std::make_unique<QTemporaryDir>();
        writePattern(work(), "Groove", 100);
        w_ = std::make_unique<MainWindow>(work());
        channels_ = {true, true, true, true, true, true};
        command_ = new MidiExportCommand(
            *ui().exportMidiAction, w_->state(), [this] { return channels_; }, *w_);
        chosen_ = QString::fromStdString((work() / "song.mid").string());
        command_->chooseOutputFile = [this] { return chosen_; };
        messages_.clear();
        command_->showMessage = [this](const QString& text) { messages_ << text; };
    }

    void cleanup() { w_.reset(); }

    void writesThePlayListWithoutSwitchedOffChannels() {
        QVERIFY(ui().exportMidiAction->isEnabled());
        w_->parts().lists.replacePlayList({"Groove", "Groove"});
        channels_[2] = false; // the snare's channel
        ui().exportMidiAction->trigger();
        QVERIFY(messages_.isEmpty());
        // The same bytes as the engine gives for the song with channel 3 off (the tempo track is
        // named after the file).
        fs::create_directories(work() / "expected");
        DrumNoteMap notes;
        const MidiSong expected =
            exportSongMidi(work(), {"Groove", "Groove"}, channels_, notes, work() / "expected" / "song.mid");
        QCOMPARE(expected.notes, std::size_t{8});
        QVERIFY(readFileBytes(work() / "song.mid") == expected.bytes);
    }

    void nothingIsWrittenWithoutASong() {
        ui().exportMidiAction->trigger();
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_[0].contains(QStringLiteral("Play List is empty")));

        w_->parts().lists.replacePlayList({"Groove"});
        chosen_.clear(); // Cancel
        ui().exportMidiAction->trigger();

        w_->parts().lists.replacePlayList({"Groove", "Missing"});
        chosen_ = QString::fromStdString((work() / "song.mid").string());
        ui().exportMidiAction->trigger();
        QCOMPARE(messages_.size(), 2);
        QVERIFY(messages_[1].contains(QStringLiteral("Missing")));
        QVERIFY(!fs::exists(work() / "song.mid"));
    }
};

QTEST_MAIN(MidiExportCommandTest)
#include "tst_midi_export_command.moc"
