// "Kit Maker" on the main window: the maker lists the current kit and, when templated, starts from
// its sounds.

#include "MainWindowControls.h"
#include "WindowTestSupport.h"
#include "kits/KitLibrary.h"
#include "windows/kits/KitMakerWindow.h"
#include "windows/main/KitMakerCommand.h"
#include "windows/main/MainWindow.h"

#include <QAction>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>

using namespace tamboro;
namespace fs = std::filesystem;

class KitMakerCommandTest : public QObject {
    Q_OBJECT
    test::TemporarySettings settings_;

private slots:
    void listsTheCurrentKitAndTemplatesIt() {
        for (bool templated : {true, false}) {
            QTemporaryDir work;
            const fs::path dir = work.path().toStdString();
            test::seedProgramFolder(dir);
            MainWindow w(dir);
            const test::MainWindowControls ui(w);
            KitMakerWindow maker;
            KitMakerCommand command(*ui.kitMakerAction, w.state(), maker, nullptr, w);
            int asked = 0;
            command.askTemplate = [&] {
                ++asked;
                return templated;
            };
            QVERIFY(ui.kitMakerAction->isEnabled());
            ui.kitMakerAction->trigger();
            QCOMPARE(asked, 1);
            QVERIFY(maker.isVisible());
            const DrumKit& kit = w.state().kitLibrary->kit();
            QCOMPARE(maker.rowCount(), kit.count() - 1);
            QCOMPARE(maker.nameEdit(0)->text(), QStringLiteral("Kick"));
            const Wave blank = Wave::readFile(dir / "Blank.wav");
            QVERIFY(maker.maker().kit().item(1).wave() == (templated ? kit.item(1).wave() : blank));
            maker.close();
        }
    }
};

QTEST_MAIN(KitMakerCommandTest)
#include "tst_kit_maker_command.moc"
