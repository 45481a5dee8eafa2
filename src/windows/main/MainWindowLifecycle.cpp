// MainWindow: creation (startUp) and closing (shutDown), in the order the program relies on:
// settings, the window's shape and defaults, the kit, the grid and tempo, the pan table, the
// working sample files; at close the pan table and then the settings.

#include "windows/main/MainWindow.h"

#include "app/MainWindowShape.h"
#include "common/Error.h"
#include "common/Rounding.h"
#include "song/WorkingSamples.h"
#include "windows/controls/Knob.h"
#include "windows/controls/OptionsWindow.h"
#include "windows/main/PatternGridView.h"
#include "windows/main/SettingsStore.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSpinBox>

#include <cstdio>

namespace tamboro {

MainWindow::MainWindow(const std::filesystem::path& programFolder, const ProgramOptions& options,
                       QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), programDir(programFolder),
      programOptions(options), kitLibrary(std::make_unique<KitLibrary>(programFolder)) {
    setObjectName("mainWindow");
    setWindowTitle(kCaptionAtStart);
    setAutoFillBackground(true);
    setPalette(QPalette(QColor(16, 18, 22)));
    resize(kMainClientWidth, kMainClientHeight);
    buildControls();
    buildGrid();
    buildMenus();
    connectLists();
    connectPatternBoxes();
    startUp();
    // The form's first size is a size change like any other: the resize rule applies at once.
    applyResizeRule();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

MainWindow::~MainWindow() = default;

void MainWindow::reportError(const QString& message) {
    std::fprintf(stderr, "tamboro: %s\n", qPrintable(message));
    // Not modal: start-up goes on, as after the application's general error report.
    auto* box = new QMessageBox(QMessageBox::Warning, "Tamboro", message, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void MainWindow::startUp() {
    editState.patternChanged = false;
    showTips = true;

    const AppSettings settings = SettingsStore::load();
    gridScrollIndicatorAction->setChecked(settings.gridIndicator);
    includeMp3Action->setChecked(settings.includeMp3);
    kitLibrary->setKitFileName(settings.kitFileName);
    showTips = settings.showTips;

    channelOn.fill(true);
    patternLines.clear();
    songScript.clear();
    repeatPattern = repeatSong = globalSpeed = false;

    applyWindowShape(kOutlineBottomAtCreation);

    setGridColors(kDefaultGridBackground, kDefaultGridText);

    // The kit is loaded before the Kit List window exists, so that window builds its own labels.
    kitLibrary->deferKitListPaint = true;
    loadKit();

    primaryRate = 44200;
    primaryBits = 16;

    patternCells.layOut(16, 4);
    patternGrid->modelChanged();

    const int bpm = bpmBox->value();
    stepInterval = static_cast<int>(roundHalfEven(60.0 / bpm * 1000.0 / 4.0));
    bpmKnob->setValue(bpm);

    patternLibrary.fillFromFolder(programDir);
    showLibrary();

    loopsBox->setValue(1);
    patternCells.writeStepLabels(16, 4);

    // A missing, short or non-numeric pan table gives centre pans and the default grid colours;
    // start-up goes on either way.
    const PanTableLoad pans = loadPanTable(programDir / kPanTableFileName);
    panTableProblem = pans.problem;
    if (!panTableProblem.empty() && std::filesystem::exists(programDir / kPanTableFileName))
        std::fprintf(stderr, "tamboro: %s: using centre pans and the default grid colours\n",
                     panTableProblem.c_str());

    // Pans go to the positions that hold kit instruments; a short kit leaves the rest alone.
    applyPanTable(pans.table, instrumentPositions(), [this](const std::string& name, int pan) {
        if (DrumKitItem* item = kitLibrary->kit().findOrNull(name))
            item->setPan(pan);
    });
    setGridColors(pans.table.gridBackground, pans.table.gridText);
    patternLines.clear();

    resetWorkingSamples(programDir);
    editState.gridClicked = false;
}

void MainWindow::loadKit() {
    try {
        kitLibrary->loadKit();
        kitProblem.clear();
    } catch (const Error& e) {
        kitProblem = e.what();
        reportError(QString::fromStdString(kitProblem));
    }
}

InstrumentPositions MainWindow::instrumentPositions() const {
    InstrumentPositions list;
    list.lastKitIndex = instruments.lastKitIndex();
    for (int i = 0; i < instruments.count(); ++i)
        list.entries.push_back(instruments.entry(i));
    return list;
}

AppSettings MainWindow::currentSettings() const {
    AppSettings s;
    s.gridIndicator = gridScrollIndicatorAction->isChecked();
    s.includeMp3 = includeMp3Action->isChecked();
    s.kitFileName = kitLibrary->kitFileName();
    s.showTips = showTips;
    return s;
}

void MainWindow::savePanTableAtClose() {
    patternLines.clear();
    // Positions without a kit instrument are written as 0.
    const PanTable table = capturePanTable(
        instrumentPositions(),
        [this](const std::string& name) {
            const DrumKitItem* item = kitLibrary->kit().findOrNull(name);
            return item ? static_cast<int>(item->pan()) : 0;
        },
        gridBackgroundColor(), gridTextColor());
    try {
        savePanTable(programDir / kPanTableFileName, table);
    } catch (const Error& e) {
        // The old table stays as it was; closing goes on with the settings.
        std::fprintf(stderr, "tamboro: %s\n", e.what());
    }
}

void MainWindow::shutDown() {
    if (stopStepClocks)
        stopStepClocks();
    savePanTableAtClose();
    SettingsStore::save(currentSettings());
    patternLines.clear();
    songScript.clear();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        shutDown();
        event->accept();
        emit closed();
        return;
    }
    event->accept();
}

} // namespace tamboro
