#include "windows/controls/GridColorDialog.h"

#include <QColorDialog>
#include <QFontMetrics>
#include <QHeaderView>

#include <algorithm>

namespace tamboro {

namespace {

constexpr int kPreviewColumns = 5;
constexpr int kPreviewRows = 5;
constexpr int kPreviewFixedRows = 2;

std::optional<QColor> standardPicker(const QColor& initial, QWidget* parent) {
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

} // namespace

GridColorDialog::GridColorDialog(const QColor& background, const QColor& text, QWidget* parent)
    : QDialog(parent), background_(background), text_(text), picker_(standardPicker) {
    setWindowTitle(QStringLiteral("GridColor"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    // Wide enough for the whole preview, so every one of its columns shows.

    colorButtonsPanel = new QFrame(this);
    colorButtonsPanel->setFrameShape(QFrame::Panel);
    colorButtonsPanel->setFrameShadow(QFrame::Raised);
    colorButtonsPanel->setGeometry(8, 8, 113, 73);
    backgroundButton = new QPushButton(QStringLiteral("Background"), colorButtonsPanel);
    backgroundButton->setGeometry(8, 8, 97, 25);
    textButton = new QPushButton(QStringLiteral("Text"), colorButtonsPanel);
    textButton->setGeometry(8, 40, 97, 25);

    // The preview: a little pattern with two fixed header rows and the step-label column.
    previewGrid = new QTableWidget(kPreviewRows, kPreviewColumns, this);
    previewGrid->setObjectName(QStringLiteral("previewGrid"));
    previewGrid->horizontalHeader()->hide();
    previewGrid->verticalHeader()->hide();
    previewGrid->horizontalHeader()->setMinimumSectionSize(1);
    previewGrid->verticalHeader()->setMinimumSectionSize(1);
    previewGrid->verticalHeader()->setDefaultSectionSize(16);
    previewGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    previewGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    previewGrid->setFrameShape(QFrame::NoFrame);
    previewGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    previewGrid->setSelectionMode(QAbstractItemView::NoSelection);
    previewGrid->setFocusPolicy(Qt::NoFocus);
    QFont serif(QStringLiteral("Times New Roman"));
    serif.setStyleHint(QFont::Serif);
    serif.setPixelSize(9);
    previewGrid->setFont(serif);
    // Columns as wide as the longest cell text (at least 56 pixels), the dialog as wide as all of
    // them, so every text of the preview shows whole.
    const QFontMetrics metrics(serif);
    int columnWidth = 56;
    for (const char* sample : {"Channel4", "ClsHiat   [ ]", "Snare     [ ]"})
        columnWidth = std::max(columnWidth, metrics.horizontalAdvance(QString::fromLatin1(sample)) + 6);
    previewGrid->horizontalHeader()->setDefaultSectionSize(columnWidth);
    previewGrid->setGeometry(128, 8, columnWidth * kPreviewColumns + 1, 16 * kPreviewRows + 1);
    setFixedSize(128 + previewGrid->width() + 8, 210);
    const struct {
        int col, row;
        const char* text;
    } cells[] = {{1, 0, "Length:"},       {2, 0, "16"},
                 {3, 0, "Time:"},         {4, 0, "4"},
                 {1, 1, "Channel1"},      {2, 1, "Channel2"},
                 {3, 1, "Channel3"},      {4, 1, "Channel4"},
                 {0, 2, "1:0*"},          {0, 3, "2:1"},
                 {0, 4, "3:2"},           {1, 2, "Kick      [ ]"},
                 {2, 4, "Snare     [ ]"}, {3, 2, "ClsHiat   [ ]"},
                 {3, 3, "ClsHiat   [ ]"}, {3, 4, "ClsHiat   [ ]"}};
    for (int row = 0; row < kPreviewRows; ++row)
        for (int col = 0; col < kPreviewColumns; ++col)
            previewGrid->setItem(row, col, new QTableWidgetItem());
    for (const auto& c : cells)
        previewGrid->item(c.row, c.col)->setText(QString::fromLatin1(c.text));

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setGeometry(width() - 8 - 75 - 13 - 75, 168, 75, 25);
    okButton->setDefault(true);
    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setGeometry(width() - 8 - 75, 168, 75, 25);

    connect(backgroundButton, &QPushButton::clicked, this, &GridColorDialog::chooseBackgroundClicked);
    connect(textButton, &QPushButton::clicked, this, &GridColorDialog::chooseTextClicked);
    connect(okButton, &QPushButton::clicked, this, &GridColorDialog::okClicked);
    connect(cancelButton, &QPushButton::clicked, this, &GridColorDialog::cancelClicked);
    paintPreview();
}

void GridColorDialog::paintPreview() {
    const QColor fixedFill = palette().color(QPalette::Button);
    const QColor fixedText = palette().color(QPalette::ButtonText);
    for (int row = 0; row < kPreviewRows; ++row)
        for (int col = 0; col < kPreviewColumns; ++col) {
            const bool fixed = row < kPreviewFixedRows || col == 0;
            QTableWidgetItem* item = previewGrid->item(row, col);
            item->setBackground(fixed ? fixedFill : background_);
            item->setForeground(fixed ? fixedText : text_);
        }
}

void GridColorDialog::chooseBackgroundClicked() {
    if (const auto chosen = picker_(background_, this)) {
        background_ = *chosen;
        paintPreview();
    }
}

void GridColorDialog::chooseTextClicked() {
    if (const auto chosen = picker_(text_, this)) {
        text_ = *chosen;
        paintPreview();
    }
}

void GridColorDialog::okClicked() {
    accept();
}
void GridColorDialog::cancelClicked() {
    reject();
}

bool GridColorDialog::editGridColors(QWidget* parent, QColor& background, QColor& text) {
    GridColorDialog dialog(background, text, parent);
    dialog.raise();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    background = dialog.backgroundColor();
    text = dialog.textColor();
    return true;
}

} // namespace tamboro
