// MainWindow: the controls at their places on the skin, with their hints and captions.

#include "windows/main/MainWindow.h"

#include "app/MainWindowShape.h"
#include "controls/SkinFiles.h"
#include "windows/controls/Knob.h"
#include "windows/controls/PictureButton.h"
#include "windows/controls/PulseLight.h"
#include "windows/controls/SkinPictures.h"
#include "windows/main/MenuLabel.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <climits>

namespace tamboro {

namespace {

const char* const kListStyle =
    "QListWidget { background: #0c0e12; color: #d6dee8; border: 1px solid #000; selection-background-color: "
    "#ff8a1f; selection-color: #000; }";

QLabel* staticText(QWidget* parent, const QString& text, int x, int y, const QString& colour) {
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    label->setStyleSheet("background: transparent; color: " + colour + ";");
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->move(x, y);
    label->adjustSize();
    return label;
}

PictureButton* pictureButton(QWidget* parent, const char* name, int x, int y, const QString& hint,
                             int imageListIndex = -1) {
    auto* button = new PictureButton(parent);
    button->setObjectName(name);
    button->setGeometry(x, y, 37, 37);
    button->setToolTip(hint);
    if (imageListIndex >= 0) {
        button->setGlyph(skinPixmap(QString::fromStdString(skin::imageListFile(imageListIndex))));
        button->setGlyphIndex(imageListIndex);
    } else {
        button->setGlyph(skinPixmap(QString::fromStdString(skin::glyphFile(name))));
    }
    return button;
}

Knob* knob(QWidget* parent, const char* name, int x, int y, int size, double min, double max,
           int sensitivity) {
    auto* k = new Knob(parent);
    k->setObjectName(name);
    k->setGeometry(x, y, size, size);
    k->setMinValue(min);
    k->setMaxValue(max);
    k->setSensitivity(sensitivity);
    k->setKnobColor(QColor(70, 76, 88));
    k->setIndicatorColor(QColor(255, 138, 31));
    QPalette pal = k->palette();
    pal.setColor(QPalette::Window, QColor(36, 40, 48));
    k->setPalette(pal);
    return k;
}

} // namespace

void MainWindow::buildControls() {
    backgroundImage = new QLabel(this);
    backgroundImage->setObjectName("backgroundImage");
    backgroundImage->setGeometry(0, 0, kMainClientWidth, kMainClientHeight);
    backgroundImage->setPixmap(skinPixmap(skin::kMainBackground));
    backgroundImage->installEventFilter(this);

    staticText(this, "Pattern Library", 120, 24, "#d6dee8");
    staticText(this, "Play List", 288, 24, "#d6dee8");
    staticText(this, "BPM", 456, 60, "#d6dee8");

    patternLibraryBox = new QListWidget(this);
    patternLibraryBox->setObjectName("patternLibraryBox");
    patternLibraryBox->setGeometry(102, 42, 125, 123);
    playListBox = new QListWidget(this);
    playListBox->setObjectName("playListBox");
    playListBox->setGeometry(254, 40, 125, 125);
    for (QListWidget* list : {patternLibraryBox, playListBox})
        list->setStyleSheet(kListStyle);

    sendToPlayListButton = pictureButton(this, "sendToPlayList", 222, 60, QString());
    backToLibraryButton = pictureButton(this, "backToLibrary", 222, 96, QString());

    playListArrows = new QWidget(this);
    playListArrows->setObjectName("playListArrows");
    playListArrows->setGeometry(380, 44, 16, 49);
    auto* arrows = new QVBoxLayout(playListArrows);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(1);
    for (Qt::ArrowType arrow : {Qt::UpArrow, Qt::DownArrow}) {
        auto* b = new QToolButton(playListArrows);
        b->setArrowType(arrow);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        arrows->addWidget(b);
    }

    libraryBinButton = pictureButton(this, "libraryBin", 68, 132, "Delete from pattern library");
    playListBinButton = pictureButton(this, "playListBin", 376, 132, "Delete checked from play list");

    // The pattern grid's place on the panel; the grid itself shows in this frame.
    // The pattern grid (patternGrid) is made by buildGrid().

    const std::array<int, 6> switchLefts = {106, 167, 227, 287, 347, 406};
    const std::array<int, 6> lightLefts = {102, 162, 222, 282, 342, 401};
    for (int c = 0; c < 6; ++c) {
        channelSwitches[static_cast<std::size_t>(c)] = new QPushButton("ON", this);
        QPushButton* b = channelSwitches[static_cast<std::size_t>(c)];
        b->setObjectName(QString("channelButton%1").arg(c + 1));
        b->setGeometry(switchLefts[static_cast<std::size_t>(c)], 168, 55, 17);
        b->setProperty("Tag", 61 + c);
        b->setStyleSheet(
            "QPushButton { font-size: 9px; font-weight: bold; color: #0c0e12; background: #c9d1dc; "
            "border: 1px solid #000; border-radius: 2px; } QPushButton:disabled { color: #5a6270; }");

        pulseLights[static_cast<std::size_t>(c)] = new PulseLight(this);
        PulseLight* light = pulseLights[static_cast<std::size_t>(c)];
        light->setObjectName(QString("Pulse%1").arg(c + 1));
        light->setGeometry(lightLefts[static_cast<std::size_t>(c)], 168, 5, 16);
        light->setColor(QColor(20, 40, 20));
    }

    playPatternButton = pictureButton(this, "playPattern", 24, 204, "Play pattern");
    repeatPatternButton =
        pictureButton(this, "repeatPattern", 24, 236, "Repeat Pattern", skin::kImageRepeatOff);
    stopButton = pictureButton(this, "stop", 24, 268, "Stop");
    playInstrumentButton = pictureButton(this, "playInstrument", 24, 300, "Play instrument");
    clearPatternButton = pictureButton(this, "clearPattern", 24, 332, "Clear pattern");
    playSongButton = pictureButton(this, "playSong", 480, 206, "Play, play list");
    repeatSongButton = pictureButton(this, "repeatSong", 480, 236, "Repeat song", skin::kImageRepeatOff);
    renderSongButton = pictureButton(this, "renderSong", 480, 268, "Render song to wave");
    globalSpeedButton =
        pictureButton(this, "globalSpeed", 480, 300, "Set global speed", skin::kImageGlobalSpeedOff);
    clearSongButton = pictureButton(this, "clearSong", 480, 332, "Clear all");

    // Tempo knob: 240 BPM over 200 pixels. Pan knob: 4000 units over 100 pixels.
    bpmKnob = knob(this, "Delay", 408, 60, 45, 60, 300, 200);
    panKnob = knob(this, "Panning", 440, 132, 29, -2000, 2000, 100);

    bpmBox = new QSpinBox(this);
    bpmBox->setObjectName("bpmBox");
    bpmBox->setGeometry(456, 74, 45, 22);
    bpmBox->setRange(INT_MIN, INT_MAX); // the BPM box has no bounds of its own
    bpmBox->setValue(120);
    if (auto* text = bpmBox->findChild<QLineEdit*>())
        text->setReadOnly(true); // changed only by its arrows
    QFont bold = bpmBox->font();
    bold.setBold(true);
    bpmBox->setFont(bold);

    staticText(this, "+", 448, 96, "#d6dee8");
    staticText(this, "_", 408, 92, "#d6dee8");

    // The bevelled frame under the grid with its three captions.
    auto* bevel = new QFrame(this);
    bevel->setObjectName("bevel");
    bevel->setGeometry(130, 442, 283, 49);
    bevel->setFrameShape(QFrame::Panel);
    bevel->setFrameShadow(QFrame::Raised);
    bevel->setAttribute(Qt::WA_TransparentForMouseEvents);
    staticText(this, "Time/Bar", 134, 450, "navy")
        ->setStyleSheet("background: transparent; color: navy; font-size: 10px;");
    staticText(this, "Pattern name", 240, 450, "navy")
        ->setStyleSheet("background: transparent; color: navy; font-size: 10px;");
    staticText(this, "Loops", 374, 450, "navy")
        ->setStyleSheet("background: transparent; color: navy; font-size: 10px;");

    timeBarBox = new QComboBox(this);
    timeBarBox->setObjectName("timeBarBox");
    timeBarBox->setEditable(true);
    timeBarBox->setGeometry(134, 464, 61, 21);
    timeBarBox->setToolTip("Time/Beat Selector");
    applyTimeBarButton = pictureButton(this, "applyTimeBar", 196, 456, "Update new time/bar settings");

    patternNameBox = new QLineEdit("Name", this);
    patternNameBox->setObjectName("patternNameBox");
    patternNameBox->setGeometry(240, 464, 81, 21);
    patternNameBox->setToolTip("Pattern Name");
    savePatternButton = pictureButton(this, "savePattern", 318, 456, "Save pattern");

    loopsBox = new QSpinBox(this);
    loopsBox->setObjectName("loopsBox");
    loopsBox->setGeometry(374, 464, 35, 22);
    loopsBox->setRange(INT_MIN, INT_MAX);
    loopsBox->setValue(1);
    loopsBox->setToolTip("Set loops in pattern");

    instrumentBox = new QComboBox(this);
    instrumentBox->setObjectName("instrumentBox");
    instrumentBox->setGeometry(148, 252, 101, 21);
    instrumentBox->setEditable(true);
    instrumentBox->hide();

    // The small entry boxes: dark text on light fields, readable also while disabled.
    for (QWidget* box : std::initializer_list<QWidget*>{bpmBox, timeBarBox, patternNameBox, loopsBox})
        box->setStyleSheet("QLineEdit, QSpinBox, QComboBox { background: #eef1f5; color: #10131a; "
                           "border: 1px solid #3a404c; border-radius: 2px; }"
                           "QLineEdit:disabled, QSpinBox:disabled, QComboBox:disabled { background: #c9ced6; "
                           "color: #4a505c; }");

    // The picture buttons draw over the lists' edges, as on the skin.
    for (PictureButton* b : {sendToPlayListButton, backToLibraryButton, libraryBinButton, playListBinButton,
                             applyTimeBarButton, savePatternButton})
        b->raise();

    // Controls whose commands arrive with the grid, song, sound, render and kit parts stay disabled
    // until those are wired in.
    for (QWidget* w : std::initializer_list<QWidget*>{
             playPatternButton, repeatPatternButton, stopButton, playInstrumentButton, clearPatternButton,
             playSongButton, repeatSongButton, renderSongButton, globalSpeedButton, clearSongButton, bpmKnob,
             panKnob, bpmBox, timeBarBox, applyTimeBarButton, patternNameBox, savePatternButton, loopsBox})
        w->setEnabled(false);
    for (QPushButton* b : channelSwitches)
        b->setEnabled(false);

    buildMenuBar();
}

void MainWindow::buildMenuBar() {
    struct Entry {
        MenuLabel** field;
        const char* name;
        const char* caption;
        int left;
        bool italic;
    };
    const Entry entries[] = {
        {&fileMenuLabel, "fileMenuLabel", "&File", 148, true},
        {&editMenuLabel, "editMenuLabel", "&Edit", 196, true},
        {&viewMenuLabel, "viewMenuLabel", "&View", 248, true},
        {&setupMenuLabel, "setupMenuLabel", "&Setup", 300, true},
        {&helpMenuLabel, "helpMenuLabel", "&Help", 356, true},
        {&minimizeLabel, "minimizeLabel", "_", 392, false},
        {&closeLabel, "closeLabel", "x", 404, false},
    };
    for (const Entry& e : entries) {
        auto* label = new MenuLabel(e.caption, this);
        label->setObjectName(e.name);
        QFont f = label->font();
        f.setBold(true);
        f.setItalic(e.italic);
        f.setPixelSize(11);
        label->setFont(f);
        label->setStyleSheet("color: aqua; background: transparent;");
        label->adjustSize();
        label->setGeometry(e.left, 4, label->width(), 13);
        *e.field = label;
    }
}

} // namespace tamboro
