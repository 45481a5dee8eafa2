// TSequence: the controls at their places on the skin, with their hints and captions.

#include "app/ui/Sequence.h"

#include "app/MainWindowShape.h"
#include "app/ui/MenuLabel.h"
#include "controls/SkinFiles.h"
#include "controls/ui/BJKnob.h"
#include "controls/ui/PictureButton.h"
#include "controls/ui/Pulse.h"
#include "controls/ui/SkinPictures.h"

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

TBJKnob* knob(QWidget* parent, const char* name, int x, int y, int size, double min, double max, int sensitivity) {
    auto* k = new TBJKnob(parent);
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

void TSequence::buildControls() {
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(0, 0, kMainClientWidth, kMainClientHeight);
    Image1->setPixmap(skinPixmap(skin::kMainBackground));
    Image1->installEventFilter(this);

    staticText(this, "Pattern Library", 120, 24, "#d6dee8");
    staticText(this, "Play List", 288, 24, "#d6dee8");
    staticText(this, "BPM", 456, 60, "#d6dee8");

    MusicLib = new QListWidget(this);
    MusicLib->setObjectName("MusicLib");
    MusicLib->setGeometry(102, 42, 125, 123);
    SongList = new QListWidget(this);
    SongList->setObjectName("SongList");
    SongList->setGeometry(254, 40, 125, 125);
    for (QListWidget* list : {MusicLib, SongList})
        list->setStyleSheet(kListStyle);

    btnToPatList = pictureButton(this, "btnToPatList", 222, 60, QString());
    btnFromPatList = pictureButton(this, "btnFromPatList", 222, 96, QString());

    UpDown1 = new QWidget(this);
    UpDown1->setObjectName("UpDown1");
    UpDown1->setGeometry(380, 44, 16, 49);
    auto* arrows = new QVBoxLayout(UpDown1);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(1);
    for (Qt::ArrowType arrow : {Qt::UpArrow, Qt::DownArrow}) {
        auto* b = new QToolButton(UpDown1);
        b->setArrowType(arrow);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        arrows->addWidget(b);
    }

    LibBin = pictureButton(this, "LibBin", 68, 132, "Delete from pattern library");
    SongBin = pictureButton(this, "SongBin", 376, 132, "Delete checked from play list");

    // The pattern grid's place on the panel; the grid itself shows in this frame.
    // The pattern grid (StringGrid1) is made by buildGrid().

    const std::array<int, 6> switchLefts = {106, 167, 227, 287, 347, 406};
    const std::array<int, 6> lightLefts = {102, 162, 222, 282, 342, 401};
    for (int c = 0; c < 6; ++c) {
        btnCH[static_cast<std::size_t>(c)] = new QPushButton("ON", this);
        QPushButton* b = btnCH[static_cast<std::size_t>(c)];
        b->setObjectName(QString("btnCH%1").arg(c + 1));
        b->setGeometry(switchLefts[static_cast<std::size_t>(c)], 168, 55, 17);
        b->setProperty("Tag", 61 + c);
        b->setStyleSheet("QPushButton { font-size: 9px; font-weight: bold; color: #0c0e12; background: #c9d1dc; "
                         "border: 1px solid #000; border-radius: 2px; } QPushButton:disabled { color: #5a6270; }");

        Pulse[static_cast<std::size_t>(c)] = new TPulse(this);
        TPulse* light = Pulse[static_cast<std::size_t>(c)];
        light->setObjectName(QString("Pulse%1").arg(c + 1));
        light->setGeometry(lightLefts[static_cast<std::size_t>(c)], 168, 5, 16);
        light->setColor(QColor(20, 40, 20));
    }

    btnPlay = pictureButton(this, "btnPlay", 24, 204, "Play pattern");
    btnLoopPattern = pictureButton(this, "btnLoopPattern", 24, 236, "Repeat Pattern", skin::kImageRepeatOff);
    btnStop = pictureButton(this, "btnStop", 24, 268, "Stop");
    btnSounder = pictureButton(this, "btnSounder", 24, 300, "Play instrument");
    btnClearPattern = pictureButton(this, "btnClearPattern", 24, 332, "Clear pattern");
    btnPlaySong = pictureButton(this, "btnPlaySong", 480, 206, "Play, play list");
    btnLoopSong = pictureButton(this, "btnLoopSong", 480, 236, "Repeat song", skin::kImageRepeatOff);
    btnRenderWave = pictureButton(this, "btnRenderWave", 480, 268, "Render song to wave");
    btnSetGlobal = pictureButton(this, "btnSetGlobal", 480, 300, "Set global speed", skin::kImageGlobalSpeedOff);
    btnClearSong = pictureButton(this, "btnClearSong", 480, 332, "Clear all");

    // Tempo knob: 240 BPM over 200 pixels. Pan knob: 4000 units over 100 pixels.
    Delay = knob(this, "Delay", 408, 60, 45, 60, 300, 200);
    Panning = knob(this, "Panning", 440, 132, 29, -2000, 2000, 100);

    Label6 = new QSpinBox(this);
    Label6->setObjectName("Label6");
    Label6->setGeometry(456, 74, 45, 22);
    Label6->setRange(INT_MIN, INT_MAX); // the BPM box has no bounds of its own
    Label6->setValue(120);
    if (auto* text = Label6->findChild<QLineEdit*>())
        text->setReadOnly(true); // changed only by its arrows
    QFont bold = Label6->font();
    bold.setBold(true);
    Label6->setFont(bold);

    staticText(this, "+", 448, 96, "#d6dee8");
    staticText(this, "_", 408, 92, "#d6dee8");

    // The bevelled frame under the grid with its three captions.
    auto* bevel = new QFrame(this);
    bevel->setObjectName("Bevel1");
    bevel->setGeometry(130, 442, 283, 49);
    bevel->setFrameShape(QFrame::Panel);
    bevel->setFrameShadow(QFrame::Raised);
    bevel->setAttribute(Qt::WA_TransparentForMouseEvents);
    staticText(this, "Time/Bar", 134, 450, "navy")->setStyleSheet("background: transparent; color: navy; font-size: 10px;");
    staticText(this, "Pattern name", 240, 450, "navy")
        ->setStyleSheet("background: transparent; color: navy; font-size: 10px;");
    staticText(this, "Loops", 374, 450, "navy")->setStyleSheet("background: transparent; color: navy; font-size: 10px;");

    TimeBar = new QComboBox(this);
    TimeBar->setObjectName("TimeBar");
    TimeBar->setEditable(true);
    TimeBar->setGeometry(134, 464, 61, 21);
    TimeBar->setToolTip("Time/Beat Selector");
    btnTimeBar = pictureButton(this, "btnTimeBar", 196, 456, "Update new time/bar settings");

    Edit2 = new QLineEdit("Name", this);
    Edit2->setObjectName("Edit2");
    Edit2->setGeometry(240, 464, 81, 21);
    Edit2->setToolTip("Pattern Name");
    btnSavePattern = pictureButton(this, "btnSavePattern", 318, 456, "Save pattern");

    Loop = new QSpinBox(this);
    Loop->setObjectName("Loop");
    Loop->setGeometry(374, 464, 35, 22);
    Loop->setRange(INT_MIN, INT_MAX);
    Loop->setValue(1);
    Loop->setToolTip("Set loops in pattern");

    lstKitList = new QComboBox(this);
    lstKitList->setObjectName("lstKitList");
    lstKitList->setGeometry(148, 252, 101, 21);
    lstKitList->setEditable(true);
    lstKitList->hide();

    // The small entry boxes: dark text on light fields, readable also while disabled.
    for (QWidget* box : std::initializer_list<QWidget*>{Label6, TimeBar, Edit2, Loop})
        box->setStyleSheet("QLineEdit, QSpinBox, QComboBox { background: #eef1f5; color: #10131a; "
                           "border: 1px solid #3a404c; border-radius: 2px; }"
                           "QLineEdit:disabled, QSpinBox:disabled, QComboBox:disabled { background: #c9ced6; "
                           "color: #4a505c; }");

    // The picture buttons draw over the lists' edges, as on the skin.
    for (PictureButton* b : {btnToPatList, btnFromPatList, LibBin, SongBin, btnTimeBar, btnSavePattern})
        b->raise();

    // Controls whose commands arrive with the grid, song, sound, render and kit parts stay disabled
    // until those are wired in.
    for (QWidget* w : std::initializer_list<QWidget*>{
             btnPlay, btnLoopPattern,
             btnStop, btnSounder, btnClearPattern, btnPlaySong, btnLoopSong, btnRenderWave, btnSetGlobal,
             btnClearSong, Delay, Panning, Label6, TimeBar, btnTimeBar, Edit2, btnSavePattern, Loop})
        w->setEnabled(false);
    for (QPushButton* b : btnCH)
        b->setEnabled(false);

    buildMenuBar();
}

void TSequence::buildMenuBar() {
    struct Entry {
        MenuLabel** field;
        const char* name;
        const char* caption;
        int left;
        bool italic;
    };
    const Entry entries[] = {
        {&Label3, "Label3", "&File", 148, true},  {&Label4, "Label4", "&Edit", 196, true},
        {&Label7, "Label7", "&View", 248, true},  {&Label8, "Label8", "&Setup", 300, true},
        {&Label9, "Label9", "&Help", 356, true},  {&Label12, "Label12", "_", 392, false},
        {&Label10, "Label10", "x", 404, false},
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
