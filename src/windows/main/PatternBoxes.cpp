#include "windows/main/PatternBoxes.h"

#include "common/Error.h"
#include "song/GridEditing.h"
#include "song/PatternGrid.h"
#include "windows/controls/PictureButton.h"
#include "windows/main/SkinControls.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QSpinBox>

#include <climits>

namespace tamboro {

namespace {

void smallNavyCaption(QWidget* surface, const QString& text, int x, int y) {
    // The size is the font's, not the style sheet's, so that the window's zoom can scale it.
    QLabel* caption = skinCaption(surface, text, x, y, "navy");
    QFont font = caption->font();
    font.setPixelSize(10);
    caption->setFont(font);
}

} // namespace

PatternBoxes::PatternBoxes(QWidget& surface, PatternGrid& cells, PatternEditState& editState)
    : QObject(&surface), cells_(cells), editState_(editState) {
    QWidget* s = &surface;
    // The bevelled frame under the grid with its three captions.
    auto* bevel = new QFrame(s);
    bevel->setObjectName("bevel");
    bevel->setGeometry(130, 442, 283, 49);
    bevel->setFrameShape(QFrame::Panel);
    bevel->setFrameShadow(QFrame::Raised);
    bevel->setAttribute(Qt::WA_TransparentForMouseEvents);
    smallNavyCaption(s, "Time/Bar", 134, 450);
    smallNavyCaption(s, "Pattern name", 240, 450);
    smallNavyCaption(s, "Loops", 374, 450);

    timeBarBox_ = new QComboBox(s);
    timeBarBox_->setObjectName("timeBarBox");
    timeBarBox_->setEditable(true);
    timeBarBox_->setGeometry(134, 464, 61, 21);
    timeBarBox_->setToolTip("Time/Beat Selector");
    auto* applyButton = skinButton(s, "applyTimeBar", 196, 456, "Update new time/bar settings");

    nameBox_ = new QLineEdit("Name", s);
    nameBox_->setObjectName("patternNameBox");
    nameBox_->setGeometry(240, 464, 81, 21);
    nameBox_->setToolTip("Pattern Name");
    auto* saveButton = skinButton(s, "savePattern", 318, 456, "Save pattern");

    loopsBox_ = new QSpinBox(s);
    loopsBox_->setObjectName("loopsBox");
    loopsBox_->setGeometry(374, 464, 35, 22);
    loopsBox_->setRange(INT_MIN, INT_MAX);
    loopsBox_->setValue(1);
    loopsBox_->setToolTip("Set loops in pattern");

    for (QWidget* box : std::initializer_list<QWidget*>{timeBarBox_, nameBox_, loopsBox_})
        box->setStyleSheet(kEntryBoxStyle);
    // The picture buttons draw over the boxes' edges, as on the skin.
    for (PictureButton* b : {applyButton, saveButton})
        b->raise();

    {
        // Filling the presets changes the box's text; that is no choice of the user's.
        const QSignalBlocker quiet(timeBarBox_);
        for (const std::string& preset : timeBarPresets())
            timeBarBox_->addItem(QString::fromStdString(preset));
        timeBarBox_->setCurrentIndex(timeBarBox_->findText(QStringLiteral("16/4")));
        // A typed choice stays a choice: Return must not add it to the preset list.
        timeBarBox_->setInsertPolicy(QComboBox::NoInsert);
    }

    showTimeBarProblem = [s](const QString& message) {
        QMessageBox::warning(s, QStringLiteral("Tamboro"), message);
    };
    connect(nameBox_, &QLineEdit::textChanged, this, [this](const QString& text) {
        cells_.setName(text.toStdString());
        emit cellsChanged(); // the name shows in the grid's corner cell
    });
    // The box reports a typed text before its textChanged: the cell takes it first.
    connect(nameBox_, &QLineEdit::textEdited, this, [this](const QString& text) {
        cells_.setName(text.toStdString());
        emit nameEdited();
    });
    connect(loopsBox_, &QSpinBox::valueChanged, this, &PatternBoxes::loopsChanged);
    connect(timeBarBox_, &QComboBox::editTextChanged, this,
            [this](const QString& text) { setPendingTimeBar(editState_, text.toStdString()); });
    connect(applyButton, &PictureButton::clicked, this, &PatternBoxes::applyTimeBarClicked);
    connect(saveButton, &PictureButton::clicked, this, &PatternBoxes::savePatternClicked);
}

QString PatternBoxes::patternName() const {
    return nameBox_->text();
}

void PatternBoxes::setPatternName(const QString& name) {
    nameBox_->setText(name);
}

void PatternBoxes::clearPatternName() {
    nameBox_->clear();
}

int PatternBoxes::loops() const {
    return loopsBox_->value();
}

void PatternBoxes::setLoops(int loops) {
    loopsBox_->setValue(loops);
}

void PatternBoxes::showLoops(int loops) {
    const QSignalBlocker quiet(loopsBox_);
    loopsBox_->setValue(loops);
}

void PatternBoxes::loopsChanged() {
    const int loops = clampLoops(loopsBox_->value());
    if (loops != loopsBox_->value()) {
        loopsBox_->setValue(loops); // comes back here with the value kept
        return;
    }
    emit loopsEdited();
}

void PatternBoxes::showTimeBarOf(const PatternGrid& grid) {
    QString shown;
    try {
        shown = QStringLiteral("%1/%2").arg(grid.length()).arg(grid.stepsPerBeat());
    } catch (const Error&) {
        return; // a header cell without a number: nothing sure to show
    }
    {
        const QSignalBlocker quiet(timeBarBox_);
        timeBarBox_->setEditText(shown);
    }
    editState_.pendingLength.clear();
    editState_.pendingTime.clear();
}

void PatternBoxes::applyTimeBarClicked() {
    // The playing row belongs to the sound layer; it hears laidOut and moves the row back when it
    // lies past the new end.
    int unusedPlayRow = PatternGrid::kFirstStepRow;
    try {
        bool applied = false;
        runEdit(editRunner_, QStringLiteral("Change Time/Bar"),
                [&] { applied = applyTimeBar(cells_, editState_, unusedPlayRow); });
        if (!applied)
            return;
    } catch (const Error& e) {
        // The choice is checked before anything is written, so the grid is as it was.
        if (showTimeBarProblem)
            showTimeBarProblem(QString::fromStdString(e.what()));
        return;
    }
    emit cellsChanged();
    emit laidOut(cells_.endRow());
}

void PatternBoxes::clearPattern() {
    runEdit(editRunner_, QStringLiteral("Clear pattern"), [this] {
        clearGridCells(cells_);
        nameBox_->clear();
        emit patternCleared();
        loopsBox_->setValue(1);
    });
    emit cellsChanged();
}

} // namespace tamboro
