// MainWindow: creation (startUp) and closing (shutDown), in the order the program relies on:
// settings, the window's shape and defaults, the kit, the grid and tempo, the pan table, the
// working sample files; at close the pan table and then the settings. Teardown removes what was
// wired into the window before its controls go.

#include "windows/main/MainWindow.h"

#include "app/MainWindowShape.h"
#include "common/Error.h"
#include "common/Rounding.h"
#include "song/WorkingSamples.h"
#include "windows/main/EditHistory.h"
#include "windows/main/MainMenus.h"
#include "windows/main/PatternBoxes.h"
#include "windows/main/PatternGridView.h"
#include "windows/main/PatternListsPanel.h"
#include "windows/main/SettingsStore.h"
#include "windows/main/TransportPanel.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include <cstdio>
#include <vector>

namespace tamboro {

MainWindow::MainWindow(const std::filesystem::path& programFolder, const ProgramOptions& options,
                       QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), state_(programFolder, options) {
    setObjectName("mainWindow");
    setWindowTitle(kCaptionAtStart);
    setAutoFillBackground(true);
    setPalette(QPalette(QColor(16, 18, 22)));
    resize(kMainClientWidth, kMainClientHeight);
    buildParts();
    startUp();
    // The form's first size is a size change like any other: the resize rule applies at once.
    applyResizeRule();
    // Start-up's own settings are no user's edits.
    parts_->history->startFresh();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

MainWindow::~MainWindow() {
    // The children that are no widgets were wired in: the parts, and after them the sound layer and
    // the commands, which watch and drive the parts' controls. They go first, the latest first,
    // while every control still stands. The controls then go with the window, cut off from it so
    // that nothing they emit on their way reaches its half-destroyed state.
    std::vector<QPointer<QObject>> wiredIn;
    for (QObject* child : children())
        if (!child->isWidgetType())
            wiredIn.emplace_back(child);
    for (auto it = wiredIn.rbegin(); it != wiredIn.rend(); ++it)
        delete it->data();
    parts_.reset();
    for (QObject* child : children())
        child->disconnect(this);
}

void MainWindow::reportError(const QString& message) {
    std::fprintf(stderr, "tamboro: %s\n", qPrintable(message));
    // Not modal: start-up goes on, as after the application's general error report.
    auto* box = new QMessageBox(QMessageBox::Warning, "Tamboro", message, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void MainWindow::startUp() {
    state_.editState.patternChanged = false;
    state_.showTips = true;

    const AppSettings settings = SettingsStore::load();
    const MainMenus::Actions& menu = parts_->menus.actions();
    menu.gridScrollIndicator->setChecked(settings.gridIndicator);
    menu.includeMp3->setChecked(settings.includeMp3);
    state_.kitLibrary->setKitFileName(settings.kitFileName);
    state_.showTips = settings.showTips;

    state_.channelOn.fill(true);
    state_.patternLines.clear();
    state_.songScript.clear();
    state_.repeatPattern = state_.repeatSong = state_.globalSpeed = false;

    applyWindowShape(kOutlineBottomAtCreation);

    setGridColors(kDefaultGridBackground, kDefaultGridText);

    // The kit is loaded before the Kit List window exists, so that window builds its own labels.
    state_.kitLibrary->deferKitListPaint = true;
    loadKit();

    state_.primaryRate = 44200;
    state_.primaryBits = 16;

    state_.patternCells.layOut(16, 4);
    parts_->grid.modelChanged();
    parts_->boxes.showTimeBarOf(state_.patternCells);

    const int bpm = parts_->transport.bpm();
    state_.stepInterval = static_cast<int>(roundHalfEven(60.0 / bpm * 1000.0 / 4.0));
    parts_->transport.setTempoKnob(bpm);

    state_.patternLibrary.fillFromFolder(state_.programDir);
    parts_->lists.showLibrary();

    parts_->boxes.setLoops(1);
    state_.patternCells.writeStepLabels(16, 4);

    // A missing, short or non-numeric pan table gives centre pans and the default grid colours;
    // start-up goes on either way.
    const PanTableLoad pans = loadPanTable(state_.programDir / kPanTableFileName);
    state_.panTableProblem = pans.problem;
    if (!state_.panTableProblem.empty() && std::filesystem::exists(state_.programDir / kPanTableFileName))
        std::fprintf(stderr, "tamboro: %s: using centre pans and the default grid colours\n",
                     state_.panTableProblem.c_str());

    // Pans go to the positions that hold kit instruments; a short kit leaves the rest alone.
    applyPanTable(pans.table, instrumentPositions(), [this](const std::string& name, int pan) {
        if (DrumKitItem* item = state_.kitLibrary->kit().findOrNull(name))
            item->setPan(pan);
    });
    setGridColors(pans.table.gridBackground, pans.table.gridText);
    state_.patternLines.clear();

    resetWorkingSamples(state_.programDir);
    state_.editState.gridClicked = false;
}

void MainWindow::loadKit() {
    try {
        state_.kitLibrary->loadKit();
        state_.kitProblem.clear();
    } catch (const Error& e) {
        state_.kitProblem = e.what();
        reportError(QString::fromStdString(state_.kitProblem));
    }
}

InstrumentPositions MainWindow::instrumentPositions() const {
    InstrumentPositions list;
    list.lastKitIndex = state_.instruments.lastKitIndex();
    for (int i = 0; i < state_.instruments.count(); ++i)
        list.entries.push_back(state_.instruments.entry(i));
    return list;
}

AppSettings MainWindow::currentSettings() const {
    AppSettings s;
    s.gridIndicator = parts_->menus.actions().gridScrollIndicator->isChecked();
    s.includeMp3 = parts_->menus.actions().includeMp3->isChecked();
    s.kitFileName = state_.kitLibrary->kitFileName();
    s.showTips = state_.showTips;
    return s;
}

void MainWindow::savePanTableAtClose() {
    state_.patternLines.clear();
    // Positions without a kit instrument are written as 0.
    const PanTable table = capturePanTable(
        instrumentPositions(),
        [this](const std::string& name) {
            const DrumKitItem* item = state_.kitLibrary->kit().findOrNull(name);
            return item ? static_cast<int>(item->pan()) : 0;
        },
        gridBackgroundColor(), gridTextColor());
    try {
        savePanTable(state_.programDir / kPanTableFileName, table);
    } catch (const Error& e) {
        // The old table stays as it was; closing goes on with the settings.
        std::fprintf(stderr, "tamboro: %s\n", e.what());
    }
}

void MainWindow::shutDown() {
    savePanTableAtClose();
    SettingsStore::save(currentSettings());
    state_.patternLines.clear();
    state_.songScript.clear();
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
