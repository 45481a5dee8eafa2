// The main window's start-up and shut-down: settings on a first run and their round trip, the pan
// table's exact bytes, a broken pan table, and the working sample files. QSettings and the working
// folder point at temporary folders.

#include "MainWindowControls.h"
#include "WindowTestSupport.h"
#include "song/WorkingSamples.h"
#include "windows/controls/Knob.h"
#include "windows/kits/KitListWindow.h"
#include "windows/main/MainWindow.h"
#include "windows/main/SettingsStore.h"

#include <QComboBox>

#include <QAction>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <memory>

using namespace tamboro;
namespace fs = std::filesystem;

class MainWindowStartupTest : public QObject {
    Q_OBJECT

    test::TemporarySettings settings_;
    std::unique_ptr<QTemporaryDir> work_;

    fs::path work() const { return work_->path().toStdString(); }

    QString storedValue(const QString& key) {
        QSettings s(SettingsStore::kOrganisation, SettingsStore::kApplication);
        s.beginGroup(SettingsStore::kGroup);
        return s.value(key, QStringLiteral("<missing>")).toString();
    }

    QByteArray fileBytes(const fs::path& p) {
        QFile f(QString::fromStdString(p.string()));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    void clearSettings() {
        QSettings s(SettingsStore::kOrganisation, SettingsStore::kApplication);
        s.clear();
        s.sync();
    }

private slots:
    void initTestCase() { QVERIFY(settings_.isValid()); }

    void init() {
        clearSettings();
        work_ = std::make_unique<QTemporaryDir>();
        QVERIFY(work_->isValid());
    }

    void firstRunUsesEmptySettingsAndWritesThemBack() {
        {
            MainWindow w(work());
            const test::MainWindowControls ui(w);
            QVERIFY(!ui.gridScrollIndicatorAction->isChecked());
            QVERIFY(!ui.includeMp3Action->isChecked());
            QVERIFY(w.state().showTips);
            QVERIFY(!w.state().editState.patternChanged);
            QCOMPARE(w.windowTitle(), QString("Tamboro Pro v6.7"));
            QCOMPARE(w.state().stepInterval, 125);
            QCOMPARE(ui.bpmKnob->property("value").toDouble(), 120.0);
            QCOMPARE(w.state().primaryRate, 44200);
            QCOMPARE(w.state().primaryBits, 16);
            for (bool on : w.state().channelOn)
                QVERIFY(on);
            QVERIFY(!w.state().repeatPattern && !w.state().repeatSong && !w.state().globalSpeed);
            QSignalSpy closed(&w, &MainWindow::closed);
            QVERIFY(w.close());
            QCOMPARE(closed.count(), 1);
        }
        QCOMPARE(storedValue("GridIndicator"), QString("0"));
        QCOMPARE(storedValue("MP3"), QString("0"));
        QCOMPARE(storedValue("ShowTip"), QString("1"));
        QCOMPARE(storedValue("Kit"), QString("Topkit.dxg"));
    }

    void settingsRoundTrip() {
        {
            MainWindow w(work());
            const test::MainWindowControls ui(w);
            ui.gridScrollIndicatorAction->trigger();
            ui.includeMp3Action->trigger();
            w.state().showTips = false;
            w.state().kitLibrary->setKitFileName((work() / "kits" / "rock.dxg").string());
            w.close();
        }
        QCOMPARE(storedValue("GridIndicator"), QString("1"));
        QCOMPARE(storedValue("MP3"), QString("1"));
        QCOMPARE(storedValue("ShowTip"), QString("0"));
        QCOMPARE(storedValue("Kit"), QString("rock.dxg"));
        MainWindow again(work());
        const test::MainWindowControls againUi(again);
        QVERIFY(againUi.gridScrollIndicatorAction->isChecked());
        QVERIFY(againUi.includeMp3Action->isChecked());
        QVERIFY(!again.state().showTips);
        again.close();
    }

    void panTableBytesAtShutdown() {
        {
            MainWindow w(work());
            QCOMPARE(w.gridBackgroundColor(), 4251050u);
            QCOMPARE(w.gridTextColor(), 8405056u);
            w.close();
        }
        QByteArray expected;
        for (int i = 0; i < 17; ++i)
            expected += "0\r\n";
        expected += "4251050\r\n8405056\r\n";
        QCOMPARE(fileBytes(work() / "Panning.dat"), expected);
    }

    void panTableColoursAreReadAndKept() {
        std::string text = "0\r\n";
        for (int i = 1; i <= 16; ++i)
            text += std::to_string(i * 10) + "\r\n";
        text += "255\r\n65280\r\n";
        std::ofstream(work() / "Panning.dat", std::ios::binary) << text;
        {
            MainWindow w(work());
            QVERIFY(w.state().panTableProblem.empty());
            QCOMPARE(w.gridBackgroundColor(), 255u);
            QCOMPARE(w.gridTextColor(), 65280u);
            w.close();
        }
        const QByteArray written = fileBytes(work() / "Panning.dat");
        QVERIFY(written.endsWith("255\r\n65280\r\n"));
        QCOMPARE(written.count("\r\n"), 19);
        QVERIFY(written.startsWith("0\r\n"));
    }

    void brokenPanTableFallsBackAndStartUpGoesOn() {
        fs::create_directories(work() / "temp");
        std::ofstream(work() / "Blank.wav", std::ios::binary) << "RIFF-blank";
        std::ofstream(work() / "temp" / "sample4.wav", std::ios::binary) << "edited";
        std::ofstream(work() / "Panning.dat", std::ios::binary) << "0\r\nleft\r\n";
        MainWindow w(work());
        QVERIFY(!w.state().panTableProblem.empty());
        QCOMPARE(w.gridBackgroundColor(), 4251050u);
        QCOMPARE(w.gridTextColor(), 8405056u);
        // The steps after the pan table still ran: every working sample is a fresh Blank.wav.
        for (int n = 1; n <= 32; ++n)
            QCOMPARE(fileBytes(workingSamplePath(work(), n)), QByteArray("RIFF-blank"));
        QVERIFY(!w.state().editState.gridClicked);
        w.close();
    }

    void unwritablePanTableKeepsTheOldFileAndSavesTheSettings() {
        fs::create_directories(work() / "Panning.dat"); // a folder where the file should go
        MainWindow w(work());
        test::controlsOf(w).gridScrollIndicatorAction->trigger();
        w.close();
        QVERIFY(fs::is_directory(work() / "Panning.dat"));
        QCOMPARE(storedValue("GridIndicator"), QString("1"));
    }

    void pansFollowListPositionsAcrossRuns() {
        const fs::path kit = fs::path(TAMBORO_BUILD_ASSETS) / "Topkit.dxg";
        QVERIFY2(fs::exists(kit), "the build makes the default kit");
        fs::copy_file(kit, work() / "Topkit.dxg");
        std::string name3;
        {
            MainWindow w(work());
            QVERIFY2(w.state().kitProblem.empty(), w.state().kitProblem.c_str());
            QCOMPARE(w.lastKitIndex(), 16);
            QCOMPARE(w.state().instruments.count(), 49);
            name3 = w.state().instruments.entry(3);
            w.state().kitLibrary->kit().find(name3).setPan(-1500);
            w.state().kitLibrary->kit().find(w.state().instruments.entry(16)).setPan(700);
            w.close();
        }
        const QList<QByteArray> lines = fileBytes(work() / "Panning.dat").split('\n');
        QCOMPARE(lines.size(), 20); // 19 lines and the empty rest after the last line end
        QCOMPARE(lines[0], QByteArray("0\r"));
        QCOMPARE(lines[3], QByteArray("-1500\r"));
        QCOMPARE(lines[16], QByteArray("700\r"));
        MainWindow again(work());
        QCOMPARE(again.state().kitLibrary->kit().find(name3).pan(), -1500);
        QCOMPARE(again.state().kitLibrary->kit().find(again.state().instruments.entry(16)).pan(), 700);
        QCOMPARE(again.state().kitLibrary->kit().find(again.state().instruments.entry(1)).pan(), 0);
        again.close();
    }

    void kitListWindowShowsTheKitAndSetsTheCurrentInstrument() {
        fs::copy_file(fs::path(TAMBORO_BUILD_ASSETS) / "Topkit.dxg", work() / "Topkit.dxg");
        MainWindow w(work());
        const test::MainWindowControls ui(w);
        KitListWindow kitList(&w);
        w.attachKitList(&kitList);
        QCOMPARE(kitList.instrumentLabels.size(), std::size_t(16));
        QCOMPARE(kitList.windowTitle(), QString("Kit List-Topkit"));
        w.state().kitLibrary->kit().find(w.state().instruments.entry(3)).setPan(-400);
        kitList.selectInstrument(2);
        QCOMPARE(ui.instrumentBox->currentText().toStdString(), w.state().instruments.entry(3));
        QCOMPARE(ui.panKnob->value(), -400.0);
        // A later load repaints the panel at once.
        w.loadKit();
        QCOMPARE(kitList.selectedLabel(), -1);
        QCOMPARE(kitList.instrumentLabels.size(), std::size_t(16));
        w.close();
    }

    void closingTwiceRunsShutDownOnce() {
        MainWindow w(work());
        QSignalSpy closed(&w, &MainWindow::closed);
        w.close();
        w.close();
        QCOMPARE(closed.count(), 1);
    }
};

QTEST_MAIN(MainWindowStartupTest)
#include "tst_main_window_startup.moc"
