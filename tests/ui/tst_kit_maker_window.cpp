// The kit maker window: rows from the main kit, choosing files, adding rows, auditioning and saving.

#include "windows/kits/KitMakerWindow.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <fstream>

using namespace tamboro;
namespace fs = std::filesystem;

class TestKitMakerWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void rowsFollowTheMainKit();
    void savesTheNamesFromTheBoxes();
    void choosingANonWavShowsTheErrorAndKeepsTheSound();
    void aKitWithoutInstrumentsIsNotSaved();
    void addedRowsAndAudition();
    void importedKitBecomesTheRows();

private:
    std::unique_ptr<QTemporaryDir> dir;
    fs::path programDir;
    DrumKit mainKit;
    std::vector<std::string> list;
    QStringList messages;
    std::vector<fs::path> played;

    std::unique_ptr<KitMakerWindow> openMaker(bool templateKit) {
        auto w = std::make_unique<KitMakerWindow>();
        w->notify = [this](const QString& text, bool) { messages << text; };
        w->audition = [this](const fs::path& f) { played.push_back(f); };
        w->setAuditionAvailable(true);
        w->buildRows(list, mainKit.count());
        w->fillFromMainKit(mainKit, list, programDir, templateKit);
        return w;
    }
};

void TestKitMakerWindow::init() {
    dir = std::make_unique<QTemporaryDir>();
    programDir = dir->path().toStdString();
    fs::create_directories(programDir / "temp");
    Wave::pcm(1, 44100, 16, Wave::Bytes(20, 0)).writeFile(programDir / "Blank.wav");
    mainKit.clear();
    mainKit.add();
    list = {""};
    const char* names[] = {"Kick",      "Snare",   "Rimshot",    "Clap",     "ClsHiat", "OpenHiat",
                           "PedalHiat", "Low Tom", "Mid Tom",    "High Tom", "Crash",   "Ride",
                           "Ride Bell", "Cowbell", "Tambourine", "Shaker"};
    for (const char* n : names) {
        auto& item = mainKit.add();
        item.setName(KitMaker::paddedItemName(n));
        item.setWave(Wave::pcm(1, 44100, 16, Wave::Bytes(8, 1)));
        list.push_back(item.name());
    }
    for (int n = 1; n <= 32; ++n)
        list.push_back("Sample" + std::to_string(n));
    messages.clear();
    played.clear();
}

void TestKitMakerWindow::rowsFollowTheMainKit() {
    auto w = openMaker(false);
    QCOMPARE(w->windowTitle(), QStringLiteral("Kit maker"));
    QCOMPARE(w->rowCount(), 16);
    QCOMPARE(w->nameEdit(0)->text(), QStringLiteral("Kick"));
    QCOMPARE(w->nameEdit(15)->text(), QStringLiteral("Shaker"));
    QCOMPARE(w->nameEdit(3)->maxLength(), 10);
    QCOMPARE(w->nameEdit(2)->geometry(), QRect(40, 2 * 24 + 8, 120, 21));
    QVERIFY(w->rowRadio(0)->isChecked());
    QCOMPARE(w->playButton()->toolTip(), QStringLiteral("Listen"));
    QCOMPARE(w->addButton()->toolTip(), QStringLiteral("Add new sample"));
    QCOMPARE(w->saveButton()->toolTip(), QStringLiteral("Save kit"));
}

void TestKitMakerWindow::savesTheNamesFromTheBoxes() {
    auto w = openMaker(true);
    w->nameEdit(0)->setText(QStringLiteral("BigKick123"));
    w->nameEdit(1)->clear();
    const fs::path out = programDir / "Mine.dxg";
    w->chooseKitFile = [&](const fs::path&) { return out; };
    w->show();
    w->saveButton()->click();
    QVERIFY(!w->isVisible());
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages.first().startsWith(QStringLiteral("*NB - Due to any name changes")));

    DrumKit saved;
    saved.loadFromFile(out);
    QCOMPARE(saved.count(), 17);
    QCOMPARE(QString::fromStdString(saved.item(1).name()), QStringLiteral("BigKick123[ ]"));
    QCOMPARE(QString::fromStdString(saved.item(2).name()), QStringLiteral("          [ ]"));
    QCOMPARE(saved.item(3).name(), mainKit.item(3).name());
    QVERIFY(saved.item(3).wave() == mainKit.item(3).wave()); // templated sound
}

void TestKitMakerWindow::choosingANonWavShowsTheErrorAndKeepsTheSound() {
    auto w = openMaker(false);
    const Wave before = w->maker().kit().item(5).wave();
    std::ofstream(programDir / "text.wav") << "not a wave";
    w->chooseWavFile = [&](const fs::path&) { return programDir / "text.wav"; };
    w->chooseRowFile(4);
    QVERIFY(w->rowRadio(4)->isChecked());
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].contains(QString::fromStdString((programDir / "text.wav").string())) &&
                 messages[0].contains("Wave is invalid"),
             qPrintable(messages[0]));
    QVERIFY(w->maker().kit().item(5).wave() == before);
    QCOMPARE(QString::fromStdString(w->maker().slotFile(5)), QStringLiteral("Blank.wav"));
}

void TestKitMakerWindow::aKitWithoutInstrumentsIsNotSaved() {
    // Without Blank.wav the maker cannot fill its kit: it says so, and then refuses to save.
    fs::remove(programDir / "Blank.wav");
    auto w = openMaker(false);
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].contains("Blank.wav"), qPrintable(messages[0]));
    const fs::path out = programDir / "Empty.dxg";
    w->chooseKitFile = [&](const fs::path&) { return out; };
    w->show();
    w->saveButton()->click();
    QCOMPARE(messages.size(), 2);
    QVERIFY2(messages[1].contains("no instruments") && messages[1].contains("Empty.dxg"),
             qPrintable(messages[1]));
    QVERIFY(!fs::exists(out));
    QVERIFY(w->isVisible()); // no success notice, the window stays
}

void TestKitMakerWindow::addedRowsAndAudition() {
    auto w = openMaker(false);
    w->playButton()->click();
    QCOMPARE(played.size(), std::size_t{1});
    QCOMPARE(played.back(), programDir / "Blank.wav");

    w->addButton()->click();
    QCOMPARE(w->rowCount(), 17);
    QCOMPARE(w->nameEdit(16)->text(), QStringLiteral("Samp"));
    QVERIFY(w->rowRadio(16)->isChecked());
    w->addButton()->click();
    w->playButton()->click(); // the second added row has no file yet
    QCOMPARE(messages, QStringList{QStringLiteral("WaveStream not set")});

    while (w->rowCount() < KitMaker::kMaxRows)
        w->addButton()->click();
    w->addButton()->click();
    QCOMPARE(w->rowCount(), KitMaker::kMaxRows);
    QCOMPARE(messages.size(), 2);
}

// "Import kit...": the kit's instruments replace the rows, the report is shown, and "Save kit"
// writes them; a kit without a usable sound leaves the rows as they were.
void TestKitMakerWindow::importedKitBecomesTheRows() {
    auto w = openMaker(false);
    const fs::path sfz = programDir / "in" / "kit.sfz";
    fs::create_directories(sfz.parent_path());
    Wave::pcm(1, 44100, 16, Wave::Bytes(40, 3)).writeFile(programDir / "in" / "k.wav");
    std::ofstream(sfz) << "<region> key=36 sample=k.wav // Deep Kick\n<region> key=38 sample=k.wav\n"
                          "<region> key=40 sample=missing.wav\n";
    QCOMPARE(w->importButton()->toolTip(), QStringLiteral("Import kit..."));
    w->chooseImportSource = [&](const fs::path&) { return sfz; };
    w->importButton()->click();
    QCOMPARE(w->rowCount(), 2);
    QCOMPARE(w->nameEdit(0)->text(), QStringLiteral("Deep Kick"));
    QCOMPARE(w->nameEdit(1)->text(), QStringLiteral("Acoustic S"));
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].contains(QStringLiteral("skipped \"Electric Snare\" (missing.wav)")));
    w->chooseKitFile = [&](const fs::path&) { return programDir / "imported.dxg"; };
    w->saveButton()->click();
    DrumKit saved;
    saved.loadFromFile(programDir / "imported.dxg");
    QCOMPARE(saved.count(), 3);
    QCOMPARE(QString::fromStdString(saved.item(1).name()), QStringLiteral("Deep Kick [ ]"));

    auto again = openMaker(false);
    std::ofstream(sfz) << "<region> key=40 sample=missing.wav\n";
    again->chooseImportSource = [&](const fs::path&) { return sfz; };
    messages.clear();
    again->importButton()->click();
    QCOMPARE(again->rowCount(), 16);
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].contains(QStringLiteral("no instrument gives a usable sound")));
}

QTEST_MAIN(TestKitMakerWindow)
#include "tst_kit_maker_window.moc"
