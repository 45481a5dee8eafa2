// "Render song to wave" from the main window: the Play List renders into the chosen file with the
// window's kit and channel switches, and the MP3 option opens the encoder window on the result.

#include "app/ui/Sequence.h"
#include "app/ui/SongRenderCommand.h"
#include "controls/ui/PictureButton.h"
#include "kits/Wave.h"
#include "render/SongRender.h"
#include "render/ui/TForm1.h"
#include "render/ui/TMBladefrm.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>

using namespace tamboro;
namespace fs = std::filesystem;

class SongRenderCommandTest : public QObject {
    Q_OBJECT
    QTemporaryDir configDir_;

private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configDir_.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, configDir_.path());
    }

    void rendersThePlayListAndOffersTheMp3() {
        QTemporaryDir work;
        const fs::path dir = work.path().toStdString();
        fs::create_directories(dir / "temp");
        fs::copy(fs::path(TAMBORO_ASSETS) / "demo", dir, fs::copy_options::recursive);
        for (const char* name : {"Topkit.dxg", "Blank.wav"})
            fs::copy_file(fs::path(TAMBORO_BUILD_ASSETS) / name, dir / name, fs::copy_options::overwrite_existing);
        // The render's script dump goes to the current folder, as a confirmed dialog leaves it.
        fs::current_path(dir);
        TSequence w(dir);
        TForm1 renderWindow;
        SongRenderCommand command(w, renderWindow, nullptr);
        QVERIFY(fs::exists(dir / "mainplay.txt") == false);
        const QString out = QString::fromStdString((dir / "Rock.wav").string());
        renderWindow.chooseOutputFile = [&] { return out; };
        QVERIFY(w.btnRenderWave->isEnabled());

        w.SongList->clear();
        w.SongList->addItem(QStringLiteral("Rock Beat"));
        w.IncludeMP31->setChecked(true);
        w.btnRenderWave->click();

        const Wave rendered = Wave::readFile(dir / "Rock.wav");
        QCOMPARE(rendered.channels(), std::uint16_t{2});
        QCOMPARE(rendered.sampleRate(), 44100u);
        QVERIFY(rendered.frames() > 44100u); // a bar of 16 steps at the pattern's tempo, repeated
        QVERIFY(w.btnPlay->isEnabled());
        QVERIFY(fs::exists(dir / "mainplay.txt"));
        QVERIFY(command.encoderWindow());
        QCOMPARE(command.encoderWindow()->Edit1->text(), out);
        QCOMPARE(command.encoderWindow()->Edit2->text(), QString::fromStdString((dir / "Rock.mp3").string()));
    }

    void emptyPlayListWritesNothing() {
        QTemporaryDir work;
        const fs::path dir = work.path().toStdString();
        fs::create_directories(dir / "temp");
        for (const char* name : {"Topkit.dxg", "Blank.wav"})
            fs::copy_file(fs::path(TAMBORO_BUILD_ASSETS) / name, dir / name);
        fs::current_path(dir);
        TSequence w(dir);
        TForm1 renderWindow;
        SongRenderCommand command(w, renderWindow, nullptr);
        bool asked = false;
        renderWindow.chooseOutputFile = [&] {
            asked = true;
            return QString::fromStdString((dir / "x.wav").string());
        };
        w.SongList->clear();
        w.RendorSong1->trigger();
        QVERIFY(!asked);
        QVERIFY(!fs::exists(dir / "x.wav"));
        QVERIFY(w.btnPlay->isEnabled());
        QVERIFY(!command.encoderWindow());
    }
};

QTEST_MAIN(SongRenderCommandTest)
#include "tst_song_render_command.moc"
