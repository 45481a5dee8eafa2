// TSequence: creation (FormCreate) and closing (FormClose), in the order the program relies on:
// settings, the window's shape and defaults, the kit, the tempo, the pan table, the working sample
// files; at close the pan table and then the settings.

#include "app/ui/Sequence.h"

#include "app/MainWindowShape.h"
#include "app/WorkingSamples.h"
#include "app/ui/SettingsStore.h"
#include "common/Error.h"
#include "common/Rounding.h"
#include "controls/ui/BJKnob.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QSpinBox>

#include <cstdio>

namespace tamboro {

TSequence::TSequence(const std::filesystem::path& programDir, const ProgramOptions& options, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), ProgramDir(programDir), Options(options) {
    setObjectName("Sequence");
    setWindowTitle(kCaptionAtStart);
    setAutoFillBackground(true);
    setPalette(QPalette(QColor(16, 18, 22)));
    resize(kMainClientWidth, kMainClientHeight);
    buildControls();
    buildMenus();
    FormCreate();
    // The form's first size is a size change like any other: the resize rule applies at once.
    FormResize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TSequence::~TSequence() = default;

void TSequence::FormCreate() {
    PatternChanged = false;
    ShowTips = true;

    const AppSettings settings = SettingsStore::load();
    GridIndicator->setChecked(settings.gridIndicator);
    IncludeMP31->setChecked(settings.includeMp3);
    KitFileName = settings.kitFileName;
    ShowTips = settings.showTips;

    ChannelOn.fill(true);
    PatternLines.clear();
    SongScript.clear();
    RepeatPattern = RepeatSong = GlobalSpeed = false;

    applyWindowShape(kOutlineBottomAtCreation);

    GridBackgroundColor = kDefaultGridBackground;
    GridTextColor = kDefaultGridText;

    // The kit is loaded before the Kit List window exists, so that window builds its own labels.
    DeferKitListPaint = true;

    PrimaryRate = 44200;
    PrimaryBits = 16;

    const int bpm = Label6->value();
    StepInterval = static_cast<int>(roundHalfEven(60.0 / bpm * 1000.0 / 4.0));
    Delay->setValue(bpm);

    Loop->setValue(1);

    // A missing, short or non-numeric pan table gives centre pans and the default grid colours;
    // start-up goes on either way.
    const PanTableLoad pans = loadPanTable(ProgramDir / kPanTableFileName);
    PanTableProblem = pans.problem;
    if (!PanTableProblem.empty() && std::filesystem::exists(ProgramDir / kPanTableFileName))
        std::fprintf(stderr, "tamboro: %s: using centre pans and the default grid colours\n", PanTableProblem.c_str());
    GridBackgroundColor = pans.table.gridBackground;
    GridTextColor = pans.table.gridText;
    PatternLines.clear();

    resetWorkingSamples(ProgramDir);
    GridClicked = false;
}

InstrumentPositions TSequence::instrumentPositions() const {
    InstrumentPositions list;
    list.lastKitIndex = LastKitIndex;
    for (int i = 0; i < lstKitList->count(); ++i)
        list.entries.push_back(lstKitList->itemText(i).toStdString());
    return list;
}

AppSettings TSequence::currentSettings() const {
    AppSettings s;
    s.gridIndicator = GridIndicator->isChecked();
    s.includeMp3 = IncludeMP31->isChecked();
    s.kitFileName = KitFileName;
    s.showTips = ShowTips;
    return s;
}

void TSequence::savePanTableAtClose() {
    PatternLines.clear();
    // Positions without a kit instrument are written as 0; until a kit is loaded every pan is 0.
    const PanTable table = capturePanTable(
        instrumentPositions(), [](const std::string&) { return 0; }, GridBackgroundColor, GridTextColor);
    try {
        savePanTable(ProgramDir / kPanTableFileName, table);
    } catch (const Error& e) {
        // The old table stays as it was; closing goes on with the settings.
        std::fprintf(stderr, "tamboro: %s\n", e.what());
    }
}

void TSequence::FormClose() {
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
