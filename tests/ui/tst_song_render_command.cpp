// "Render song to wave" from the main window: the Play List renders into the chosen file with the
// window's kit and channel switches, and the MP3 option opens the encoder window on the result.

#include "MainWindowControls.h"
#include "WindowTestSupport.h"
#include "kits/Wave.h"
#include "render/SongRender.h"
#include "song/PatternFile.h"
#include "song/PatternGrid.h"
#include "windows/controls/Knob.h"
#include "windows/controls/PictureButton.h"
#include "windows/main/MainWindow.h"
#include "windows/main/MainWindowSound.h"
#include "windows/main/SongRenderCommand.h"
#include "windows/render/Mp3ExportWindow.h"
#include "windows/render/RenderProgressWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <optional>
#include <string>

using namespace tamboro;
namespace fs = std::filesystem;

namespace {

// A program folder with the built kit and Blank.wav, made the current folder.
void prepareProgramFolder(const fs::path& dir) {
    test::seedProgramFolder(dir);
    fs::current_path(dir);
}

// Saves a pattern of `length` steps named `name` with `instrument` on its first step of channel 1
// and its step number as text in channel 2 of every step.
void writePattern(const fs::path& dir, const std::string& name, int length, int bpm, int loops,
                  const std::string& instrument) {
    PatternGrid grid;
    grid.layOut(length, 4);
    grid.setName(name);
    grid.setCell(1, 2, instrument);
    for (int row = 2; row <= length + 1; ++row)
        grid.setCell(2, row, name + " " + std::to_string(row - 1));
    writePatternFile(dir, name, buildPatternFileLines(grid, bpm, loops, {}));
}

// What the pattern boxes and the grid show at one moment.
struct ShownPattern {
    int bpm = 0, loops = 0;
    QString name;
    std::string firstCell, secondRowText;
};

ShownPattern shownPattern(const MainWindow& w) {
    const test::MainWindowControls ui(w);
    return {ui.bpmBox->value(), ui.loopsBox->value(), ui.patternNameBox->text(),
            w.state().patternCells.cell(1, 2), w.state().patternCells.cell(2, 3)};
}

// Presses the default button of the next modal message box once it shows.
void answerNextMessageBox() {
    QTimer::singleShot(10, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->accept();
        else
            answerNextMessageBox();
    });
}

} // namespace

class SongRenderCommandTest : public QObject {
    Q_OBJECT
    test::TemporarySettings settings_;

private slots:
    void rendersThePlayListAndOffersTheMp3() {
        QTemporaryDir work;
        const fs::path dir = work.path().toStdString();
        fs::copy(fs::path(TAMBORO_ASSETS) / "demo", dir, fs::copy_options::recursive);
        test::seedProgramFolder(dir);
        // The render's script dump goes to the current folder, as a confirmed dialog leaves it.
        fs::current_path(dir);
        MainWindow w(dir);
        const test::MainWindowControls ui(w);
        RenderProgressWindow renderWindow;
        SongRenderCommand command(w.parts(), renderWindow, nullptr);
        QVERIFY(fs::exists(dir / "mainplay.txt") == false);
        const QString out = QString::fromStdString((dir / "Rock.wav").string());
        renderWindow.chooseOutputFile = [&] { return out; };
        QVERIFY(ui.renderSongButton->isEnabled());

        w.parts().lists.replacePlayList({"Rock Beat"});
        ui.includeMp3Action->setChecked(true);
        ui.renderSongButton->click();

        const Wave rendered = Wave::readFile(dir / "Rock.wav");
        QCOMPARE(rendered.channels(), std::uint16_t{2});
        QCOMPARE(rendered.sampleRate(), 44100u);
        QVERIFY(rendered.frames() > 44100u); // a bar of 16 steps at the pattern's tempo, repeated
        QVERIFY(ui.playPatternButton->isEnabled());
        QVERIFY(fs::exists(dir / "mainplay.txt"));
        QVERIFY(command.encoderWindow());
        QCOMPARE(command.encoderWindow()->wavPathBox->text(), out);
        QCOMPARE(command.encoderWindow()->mp3PathBox->text(),
                 QString::fromStdString((dir / "Rock.mp3").string()));

        // A second render while the "Wav to mp3" window is open offers its WAV in that one window.
        QPointer<Mp3ExportWindow> first = command.encoderWindow();
        const QString second = QString::fromStdString((dir / "Rock again.wav").string());
        renderWindow.chooseOutputFile = [&] { return second; };
        ui.renderSongButton->click();
        QCOMPARE(command.encoderWindow(), first.data());
        QVERIFY(first->isVisible());
        QCOMPARE(first->wavPathBox->text(), second);
        int encoderWindows = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            encoderWindows += qobject_cast<Mp3ExportWindow*>(window) && window->isVisible() ? 1 : 0;
        QCOMPARE(encoderWindows, 1);
    }

    void theGridAndBoxesShowTheLastPatternBeforeTheSaveDialog_data() {
        QTest::addColumn<bool>("acidize");
        QTest::newRow("render") << false;
        // 12.8 seconds: the acid loop is refused after the song was read.
        QTest::newRow("acid loop too long") << true;
    }

    void theGridAndBoxesShowTheLastPatternBeforeTheSaveDialog() {
        QFETCH(bool, acidize);
        QTemporaryDir work;
        const fs::path dir = work.path().toStdString();
        prepareProgramFolder(dir);
        ProgramOptions options;
        options.audio = AudioChoice::Null;
        MainWindow w(dir, options);
        const test::MainWindowControls ui(w);
        MainWindowSound sound(w.parts(), options);
        RenderProgressWindow renderWindow;
        SongRenderCommand command(w.parts(), renderWindow, &sound);
        const std::string kick = ui.instrumentBox->itemText(1).toStdString();
        writePattern(dir, "Intro", 16, 100, 2, kick);
        writePattern(dir, "Outro", 8, 90, 3, kick);
        // The grid shows 16 steps; a cell below the last pattern's rows keeps its text.
        const int rowsBefore = w.state().patternCells.rowCount(),
                  endRowBefore = w.state().patternCells.endRow();
        w.state().patternCells.setCell(3, 14, "older text");
        QSignalSpy tempoChanges(ui.bpmBox, &QSpinBox::valueChanged);

        std::optional<ShownPattern> atSaveDialog;
        renderWindow.chooseOutputFile = [&] {
            atSaveDialog = shownPattern(w);
            return QString::fromStdString((dir / "Song.wav").string());
        };
        w.parts().lists.replacePlayList({"Outro", "Intro", "Outro"});
        ui.acidizeLoopAction->setChecked(acidize);
        if (acidize)
            answerNextMessageBox();
        ui.renderSongButton->click();

        QCOMPARE(fs::exists(dir / "Song.wav"), !acidize);
        QCOMPARE(atSaveDialog.has_value(), !acidize);
        const ShownPattern shown = acidize ? shownPattern(w) : *atSaveDialog;
        QCOMPARE(shown.bpm, 90);
        QCOMPARE(shown.loops, 3);
        QCOMPARE(shown.name, QStringLiteral("Outro"));
        QCOMPARE(shown.firstCell, kick);
        QCOMPARE(shown.secondRowText, std::string("Outro 2"));
        QCOMPARE(tempoChanges.count(), 1); // the sound layer hears the new tempo once
        QCOMPARE(tempoChanges.front().front().toInt(), 90);
        QCOMPARE(w.state().stepInterval, 167);
        // The sound layer took the tempo from the box: its step clock and the tempo knob follow.
        QCOMPARE(sound.playback().bpm(), 90);
        QCOMPARE(sound.playback().stepInterval, 167);
        QCOMPARE(ui.bpmKnob->value(), 90.0);

        // Rows 0..10 of "Outro" are in the grid; the row count and endRow are those of before.
        const PatternFileData outro = readPatternFile(dir / "Outro.pat");
        for (int row = 0; row <= outro.length + 2; ++row)
            for (int col = 0; col < PatternGrid::kColumns; ++col)
                QCOMPARE(w.state().patternCells.cell(col, row),
                         outro.cells[static_cast<std::size_t>(PatternGrid::kColumns * row + col)]);
        QCOMPARE(w.state().patternCells.cell(2, 0), std::string("8"));
        QCOMPARE(w.state().patternCells.rowCount(), rowsBefore);
        QCOMPARE(w.state().patternCells.endRow(), endRowBefore);
        QCOMPARE(w.state().patternCells.cell(3, 14), std::string("older text"));
    }

    void theEntryBeforeTheStartingOneIsSelectedAfterwards_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("selectedAfter");
        QTest::newRow("no selection") << -1 << -1;
        QTest::newRow("first entry") << 0 << -1;
        QTest::newRow("third entry") << 2 << 1;
    }

    void theEntryBeforeTheStartingOneIsSelectedAfterwards() {
        QFETCH(int, selected);
        QFETCH(int, selectedAfter);
        QTemporaryDir work;
        const fs::path dir = work.path().toStdString();
        prepareProgramFolder(dir);
        MainWindow w(dir);
        const test::MainWindowControls ui(w);
        RenderProgressWindow renderWindow;
        SongRenderCommand command(w.parts(), renderWindow, nullptr);
        writePattern(dir, "Intro", 16, 100, 1, ui.instrumentBox->itemText(1).toStdString());
        renderWindow.chooseOutputFile = [&] { return QString::fromStdString((dir / "Song.wav").string()); };
        w.parts().lists.replacePlayList({"Intro", "Intro", "Intro"});
        ui.playListBox->setCurrentRow(selected);
        ui.renderSongButton->click();
        QVERIFY(fs::exists(dir / "Song.wav"));
        QCOMPARE(ui.playListBox->currentRow(), selectedAfter);
        QCOMPARE(w.state().playList.selected(), selectedAfter);
    }

    void aSongThatCannotBeReadLeavesTheGridAsItWas() {
        QTemporaryDir work;
        const fs::path dir = work.path().toStdString();
        prepareProgramFolder(dir);
        MainWindow w(dir);
        const test::MainWindowControls ui(w);
        RenderProgressWindow renderWindow;
        SongRenderCommand command(w.parts(), renderWindow, nullptr);
        writePattern(dir, "Intro", 16, 100, 2, ui.instrumentBox->itemText(1).toStdString());
        w.state().patternCells.setCell(1, 2, "my unsaved hit");
        const ShownPattern before = shownPattern(w);
        bool asked = false;
        renderWindow.chooseOutputFile = [&] {
            asked = true;
            return QString::fromStdString((dir / "Song.wav").string());
        };
        w.parts().lists.replacePlayList({"Intro", "Nowhere"});
        answerNextMessageBox();
        ui.renderSongButton->click();

        QVERIFY(!asked);
        QVERIFY(!fs::exists(dir / "Song.wav"));
        const ShownPattern after = shownPattern(w);
        QCOMPARE(after.bpm, before.bpm);
        QCOMPARE(after.loops, before.loops);
        QCOMPARE(after.name, before.name);
        QCOMPARE(after.firstCell, std::string("my unsaved hit"));
    }

    void emptyPlayListWritesNothing() {
        QTemporaryDir work;
        const fs::path dir = work.path().toStdString();
        test::seedProgramFolder(dir);
        fs::current_path(dir);
        MainWindow w(dir);
        const test::MainWindowControls ui(w);
        RenderProgressWindow renderWindow;
        SongRenderCommand command(w.parts(), renderWindow, nullptr);
        bool asked = false;
        renderWindow.chooseOutputFile = [&] {
            asked = true;
            return QString::fromStdString((dir / "x.wav").string());
        };
        w.parts().lists.replacePlayList({});
        ui.renderSongAction->trigger();
        QVERIFY(!asked);
        QVERIFY(!fs::exists(dir / "x.wav"));
        QVERIFY(ui.playPatternButton->isEnabled());
        QVERIFY(!command.encoderWindow());
    }
};

QTEST_MAIN(SongRenderCommandTest)
#include "tst_song_render_command.moc"
