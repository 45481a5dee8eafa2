// "Drum Kit Library": another kit loads with pans carried by position, the Kit List follows, and a
// cancelled dialog or a bad file changes nothing.

#include "MainWindowControls.h"
#include "WindowTestSupport.h"
#include "kits/KitLibrary.h"
#include "windows/kits/KitListWindow.h"
#include "windows/main/KitLibraryCommand.h"
#include "windows/main/MainWindow.h"

#include <QAction>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <fstream>

using namespace tamboro;
namespace fs = std::filesystem;

class KitLibraryCommandTest : public QObject {
    Q_OBJECT
    test::TemporarySettings settings_;

private slots:
    void choosesAnotherKit() {
        QTemporaryDir work;
        const fs::path dir = work.path().toStdString();
        test::seedProgramFolder(dir);
        // A second kit: the default one with its first instrument renamed.
        DrumKit other;
        other.loadFromFile(dir / "Topkit.dxg");
        other.item(1).setName("BigKick   [ ]");
        other.saveToFile(dir / "Studio.dxg");
        std::ofstream(dir / "Broken.dxg") << "not a kit";

        MainWindow w(dir);
        const test::MainWindowControls ui(w);
        KitListWindow kitList;
        w.attachKitList(&kitList);
        KitLibraryCommand command(*ui.drumKitLibraryAction, *w.state().kitLibrary, dir, &kitList, w);
        QVERIFY(ui.drumKitLibraryAction->isEnabled());
        w.state().kitLibrary->kit().item(3).setPan(-1500);

        fs::path chosen;
        command.chooseKitFile = [&] { return chosen; };
        ui.drumKitLibraryAction->trigger(); // cancelled
        QCOMPARE(QString::fromStdString(w.state().kitLibrary->kitFileName()), QStringLiteral("Topkit.dxg"));

        chosen = dir / "Studio.dxg";
        ui.drumKitLibraryAction->trigger();
        QCOMPARE(QString::fromStdString(w.state().kitLibrary->kitFileName()), QStringLiteral("Studio.dxg"));
        QCOMPARE(kitList.windowTitle(), QStringLiteral("Kit List-Studio"));
        QCOMPARE(QString::fromStdString(w.state().instruments.entry(1)), QStringLiteral("BigKick   [ ]"));
        QCOMPARE(w.state().kitLibrary->kit().item(3).pan(), -1500); // by position

        chosen = dir / "Broken.dxg";
        QTimer::singleShot(0, [] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->inherits("QMessageBox"))
                    top->close();
        });
        ui.drumKitLibraryAction->trigger();
        // The kit in use keeps playing and keeps its name for the next start.
        QCOMPARE(QString::fromStdString(w.state().instruments.entry(1)), QStringLiteral("BigKick   [ ]"));
        QCOMPARE(w.state().kitLibrary->kit().count(), 17);
        QCOMPARE(QString::fromStdString(w.state().kitLibrary->kit().item(1).name()),
                 QStringLiteral("BigKick   [ ]"));
        QCOMPARE(QString::fromStdString(w.state().kitLibrary->kitFileName()), QStringLiteral("Studio.dxg"));
    }
};

QTEST_MAIN(KitLibraryCommandTest)
#include "tst_kit_library_command.moc"
