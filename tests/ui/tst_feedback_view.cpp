// The timing feedback view: a synthesised take analysed from the window gives the very figures and
// CSV `tamboro-cli feedback` gives, with the analysis off the window thread; the take is stored in
// the practice history, and still shown when that history is damaged or locked; a bad take is
// named; the Progress view plots the stored songs and names a damaged history without touching it.

#include "common/Files.h"
#include "feedback/PracticeHistory.h"
#include "testsupport/SyntheticTake.h"
#include "windows/feedback/FeedbackWindow.h"
#include "windows/feedback/ProgressWindow.h"
#include "windows/feedback/TakeFeedbackCommand.h"

#include <QAction>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

#include <filesystem>

using namespace tamboro;
namespace fs = std::filesystem;

namespace {

const fs::path kDemo = fs::path(TAMBORO_ASSETS) / "demo";

// "Rock Beat" played with every second step 8 ms late and every fourth 14 ms early.
fs::path writeTake(const fs::path& dir) {
    const SongSteps steps = songSteps(readRenderSong(kDemo, {"Rock Beat"}, 0));
    SyntheticTake take(44100, static_cast<double>(steps.endFrame) / kTakeRate + 0.5, 0.01, 9);
    for (std::size_t s = 0; s < steps.frames.size(); s += 2)
        take.addNote(s % 4 ? SyntheticNote::Pluck : SyntheticNote::Clap,
                     static_cast<double>(steps.frames[s]) / kTakeRate + (s % 4 ? 0.008 : -0.014), 0.5);
    const fs::path file = dir / "take.wav";
    writeFileAtomically(file, monoWav16(take.samples(), 44100));
    return file;
}

QString label(const QWidget& window, const char* name) {
    return window.findChild<QLabel*>(name)->text();
}

} // namespace

class FeedbackViewTest : public QObject {
    Q_OBJECT

    QTemporaryDir work_;
    fs::path work() const { return work_.path().toStdString(); }

    struct Rig {
        QWidget parent;
        QAction showFeedback, showProgress;
        TakeFeedbackCommand command;
        explicit Rig(const fs::path& history)
            : command(
                  showFeedback, showProgress,
                  [] {
                      return TakeSource{kDemo, {"Rock Beat"}, "Rock Beat", "[Practice]\r\nClick=on\r\n", 0};
                  },
                  history, parent) {}
        // Analyses `take` and waits for the window thread to hear the result.
        bool analyse(const fs::path& take) {
            QSignalSpy done(&command, &TakeFeedbackCommand::analysisFinished);
            command.analyse(take);
            // The work runs on another thread: until its result arrives the window refuses another.
            if (command.window().findChild<QPushButton*>("analyseTakeButton")->isEnabled())
                return false;
            return done.wait(120000);
        }
    };

private slots:
    void windowAndCommandLineGiveTheSameFigures() {
        const fs::path take = writeTake(work());
        const fs::path history = work() / "same" / kHistoryFileName;
        Rig rig(history);
        QVERIFY(rig.analyse(take));
        const FeedbackWindow& window = rig.command.window();
        QVERIFY(window.hasResult());
        QVERIFY(window.findChild<QPushButton*>("analyseTakeButton")->isEnabled());

        QProcess cli;
        cli.start(TAMBORO_CLI, {"feedback", QString::fromStdString(take.string()), "Rock Beat.pat", "--dir",
                                QString::fromStdString(kDemo.string()), "-o",
                                QString::fromStdString((work() / "cli.csv").string())});
        QVERIFY(cli.waitForFinished(120000));
        QCOMPARE(cli.exitCode(), 0);
        const QStringList lines = QString::fromUtf8(cli.readAllStandardOutput()).trimmed().split('\n');
        QCOMPARE(window.summaryLine(), lines.last());
        rig.command.exportNotes(work() / "window.csv");
        QCOMPARE(readFileBytes(work() / "window.csv"), readFileBytes(work() / "cli.csv"));
        const fs::path nowhere = work() / "no such folder" / "notes.csv";
        rig.command.exportNotes(nowhere);
        QVERIFY(label(window, "feedbackMessages").contains(QString::fromStdString(nowhere.string())));

        // The figures in words: about 8 ms late on the &s, 14 ms early on the beats.
        const FeedbackSummary& s = window.result().summary;
        const SongSteps steps = songSteps(readRenderSong(kDemo, {"Rock Beat"}, 0));
        QCOMPARE(s.notes, (steps.frames.size() + 1) / 2);
        QVERIFY(label(window, "meanLabel").contains(QString("%1 ms").arg(s.meanMs, 0, 'f', 1)));
        QVERIFY(label(window, "within25Label").contains("100 %"));
        QVERIFY2(label(window, "positionsLabel").contains("you land beat 1 early by 14 ms"),
                 qPrintable(label(window, "positionsLabel")));
        QVERIFY(label(window, "positionsLabel").contains("you land the &amp; of beat 1 late by 8 ms") ||
                label(window, "positionsLabel").contains("you land the & of beat 1 late by 8 ms"));

        // Stored with its context and notes.
        const PracticeHistory stored(history, PracticeHistory::Mode::ReadOnly);
        QCOMPARE(stored.takeCount(), std::size_t{1});
        QCOMPARE(stored.progress().front().song, std::string("Rock Beat"));
    }

    void historyProblemsNeverHideTheTake() {
        const fs::path take = writeTake(work());
        // Garbage where the history should be: set aside byte for byte, a new one started.
        const fs::path damaged = work() / "damaged" / kHistoryFileName;
        fs::create_directories(damaged.parent_path());
        writeFileAtomically(damaged, std::string(3000, '#'));
        {
            Rig rig(damaged);
            QVERIFY(rig.analyse(take));
            QVERIFY(rig.command.window().hasResult());
            QVERIFY2(label(rig.command.window(), "feedbackMessages").contains(".damaged"),
                     qPrintable(label(rig.command.window(), "feedbackMessages")));
            const auto kept = readFileBytes(damaged.string() + ".damaged");
            QCOMPARE(std::string(kept.begin(), kept.end()), std::string(3000, '#'));
        }
        // A history another program holds locked: the take is shown, the lock reported.
        const fs::path locked = work() / "locked" / kHistoryFileName;
        { PracticeHistory(locked).takeCount(); }
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(locked.c_str(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        Rig rig(locked);
        QVERIFY(rig.analyse(take));
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        QVERIFY(rig.command.window().hasResult());
        const QString messages = label(rig.command.window(), "feedbackMessages");
        QVERIFY2(messages.contains("locked") && messages.contains("not stored") &&
                     messages.contains(QString::fromStdString(locked.string())),
                 qPrintable(messages));

        // A bad take is named; the take shown before stays.
        const fs::path bad = work() / "bad.wav";
        writeFileAtomically(bad, std::string("RIFF\x04\0\0\0WAVE", 12));
        const std::size_t before = rig.command.window().result().notes.size();
        QVERIFY(rig.analyse(bad));
        QVERIFY(
            label(rig.command.window(), "feedbackMessages").contains(QString::fromStdString(bad.string())));
        QCOMPARE(rig.command.window().result().notes.size(), before);
    }

    void progressViewPlotsTheStoredSongs() {
        const fs::path history = work() / "progress" / kHistoryFileName;
        {
            PracticeHistory seeded(history);
            const std::vector<FeedbackNote> notes{{0, 0, 0, 4}, {5000, 1, 1, -2}};
            for (int day = 0; day < 3; ++day)
                for (const char* song : {"Demo", "Blues"})
                    seeded.store({song, song, 100, "", "take.wav", 0, 1772452800 + day * 86400},
                                 summarise(notes), notes);
        }
        Rig rig(history);
        rig.showProgress.trigger();
        const ProgressWindow& progress = rig.command.progressWindow();
        QVERIFY(progress.isVisible());
        const QString legend = label(progress, "progressLegend");
        QVERIFY2(legend.contains("Demo") && legend.contains("Blues") && legend.contains("3 days"),
                 qPrintable(legend));
        QVERIFY(progress.status().text().startsWith("6 takes"));

        // A damaged history is named and left as it is.
        writeFileAtomically(history, std::string(2000, '!'));
        fs::remove(history.string() + "-wal");
        rig.command.progressWindow().refresh();
        QVERIFY(progress.status().text().contains(QString::fromStdString(history.string())));
        QCOMPARE(readFileBytes(history).size(), std::size_t{2000});
        QVERIFY(!fs::exists(history.string() + ".damaged"));
    }
};

QTEST_MAIN(FeedbackViewTest)
#include "tst_feedback_view.moc"
