// TSequence: creation (FormCreate) and closing (FormClose), in the order the program relies on:
// settings, the window's shape and defaults, the kit, the grid and tempo, the pan table, the
// working sample files; at close the pan table and then the settings.

#include "app/ui/Sequence.h"

#include "app/MainWindowShape.h"
#include "app/WorkingSamples.h"
#include "app/ui/PatternGridView.h"
#include "app/ui/SettingsStore.h"
#include "controls/ui/OptionsWindow.h"
#include "common/Error.h"
#include "common/Rounding.h"
#include "controls/ui/BJKnob.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSpinBox>

#include <cstdio>

namespace tamboro {

TSequence::TSequence(const std::filesystem::path& programDir, const ProgramOptions& options, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), ProgramDir(programDir), Options(options),
      DrumLibrary(std::make_unique<KitLibrary>(programDir)) {
    setObjectName("Sequence");
    setWindowTitle(kCaptionAtStart);
    setAutoFillBackground(true);
    setPalette(QPalette(QColor(16, 18, 22)));
    resize(kMainClientWidth, kMainClientHeight);
    buildControls();
    buildGrid();
    buildMenus();
    connectLists();
    connectPatternBoxes();
    FormCreate();
    // The form's first size is a size change like any other: the resize rule applies at once.
    FormResize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TSequence::~TSequence() = default;

void TSequence::reportError(const QString& message) {
    std::fprintf(stderr, "tamboro: %s\n", qPrintable(message));
    // Not modal: start-up goes on, as after the application's general error report.
    auto* box = new QMessageBox(QMessageBox::Warning, "Tamboro", message, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void TSequence::FormCreate() {
    EditState.PatternChanged = false;
    ShowTips = true;

    const AppSettings settings = SettingsStore::load();
    GridIndicator->setChecked(settings.gridIndicator);
    IncludeMP31->setChecked(settings.includeMp3);
    DrumLibrary->setKitFileName(settings.kitFileName);
    ShowTips = settings.showTips;

    ChannelOn.fill(true);
    PatternLines.clear();
    SongScript.clear();
    RepeatPattern = RepeatSong = GlobalSpeed = false;

    applyWindowShape(kOutlineBottomAtCreation);

    setGridColors(kDefaultGridBackground, kDefaultGridText);

    // The kit is loaded before the Kit List window exists, so that window builds its own labels.
    DrumLibrary->DeferKitListPaint = true;
    GetDrumLibrary();

    PrimaryRate = 44200;
    PrimaryBits = 16;

    Grid.layOut(16, 4);
    StringGrid1->modelChanged();

    const int bpm = Label6->value();
    StepInterval = static_cast<int>(roundHalfEven(60.0 / bpm * 1000.0 / 4.0));
    Delay->setValue(bpm);

    Library.fillFromFolder(ProgramDir);
    showLibrary();

    Loop->setValue(1);
    Grid.writeStepLabels(16, 4);

    // A missing, short or non-numeric pan table gives centre pans and the default grid colours;
    // start-up goes on either way.
    const PanTableLoad pans = loadPanTable(ProgramDir / kPanTableFileName);
    PanTableProblem = pans.problem;
    if (!PanTableProblem.empty() && std::filesystem::exists(ProgramDir / kPanTableFileName))
        std::fprintf(stderr, "tamboro: %s: using centre pans and the default grid colours\n", PanTableProblem.c_str());

    // Pans go to the positions that hold kit instruments; a short kit leaves the rest alone.
    applyPanTable(pans.table, instrumentPositions(), [this](const std::string& name, int pan) {
        if (TWaveCollectionItem* item = DrumLibrary->kit().findOrNull(name))
            item->setPan(pan);
    });
    setGridColors(pans.table.gridBackground, pans.table.gridText);
    PatternLines.clear();

    resetWorkingSamples(ProgramDir);
    EditState.GridClicked = false;
}

void TSequence::GetDrumLibrary() {
    try {
        DrumLibrary->GetDrumLibrary();
        KitProblem.clear();
    } catch (const Error& e) {
        KitProblem = e.what();
        reportError(QString::fromStdString(KitProblem));
    }
}

InstrumentPositions TSequence::instrumentPositions() const {
    InstrumentPositions list;
    list.lastKitIndex = Instruments.lastKitIndex();
    for (int i = 0; i < Instruments.count(); ++i)
        list.entries.push_back(Instruments.entry(i));
    return list;
}

AppSettings TSequence::currentSettings() const {
    AppSettings s;
    s.gridIndicator = GridIndicator->isChecked();
    s.includeMp3 = IncludeMP31->isChecked();
    s.kitFileName = DrumLibrary->KitFileName();
    s.showTips = ShowTips;
    return s;
}

void TSequence::savePanTableAtClose() {
    PatternLines.clear();
    // Positions without a kit instrument are written as 0.
    const PanTable table = capturePanTable(
        instrumentPositions(),
        [this](const std::string& name) {
            const TWaveCollectionItem* item = DrumLibrary->kit().findOrNull(name);
            return item ? static_cast<int>(item->pan()) : 0;
        },
        gridBackgroundColor(), gridTextColor());
    try {
        savePanTable(ProgramDir / kPanTableFileName, table);
    } catch (const Error& e) {
        // The old table stays as it was; closing goes on with the settings.
        std::fprintf(stderr, "tamboro: %s\n", e.what());
    }
}

void TSequence::FormClose() {
    if (StopStepTimers)
        StopStepTimers();
    savePanTableAtClose();
    SettingsStore::save(currentSettings());
    PatternLines.clear();
    SongScript.clear();
}

void TSequence::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        FormClose();
        event->accept();
        emit closed();
        return;
    }
    event->accept();
}

} // namespace tamboro
