#include "controls/ui/GridColorDialog.h"

#include <QColorDialog>
#include <QHeaderView>

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

TGridColor::TGridColor(const QColor& background, const QColor& text, QWidget* parent)
    : QDialog(parent), background_(background), text_(text), picker_(standardPicker) {
    setWindowTitle(QStringLiteral("GridColor"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setFixedSize(312, 210);

    Panel1 = new QFrame(this);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setGeometry(8, 8, 113, 73);
    Button1 = new QPushButton(QStringLiteral("Background"), Panel1);
    Button1->setGeometry(8, 8, 97, 25);
    Button2 = new QPushButton(QStringLiteral("Text"), Panel1);
    Button2->setGeometry(8, 40, 97, 25);

    // The preview: a little pattern with two fixed header rows and the step-label column.
    StringGrid1 = new QTableWidget(kPreviewRows, kPreviewColumns, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->horizontalHeader()->setMinimumSectionSize(1);
    StringGrid1->verticalHeader()->setMinimumSectionSize(1);
    StringGrid1->horizontalHeader()->setDefaultSectionSize(56);
    StringGrid1->verticalHeader()->setDefaultSectionSize(16);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setFrameShape(QFrame::NoFrame);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::NoSelection);
    StringGrid1->setFocusPolicy(Qt::NoFocus);
    QFont serif(QStringLiteral("Times New Roman"));
    serif.setStyleHint(QFont::Serif);
    serif.setPixelSize(9);
    StringGrid1->setFont(serif);
    StringGrid1->setGeometry(128, 8, 56 * kPreviewColumns + 1, 16 * kPreviewRows + 1);
    const struct {
        int col, row;
        const char* text;
    } cells[] = {{1, 0, "Length:"},       {2, 0, "16"},           {3, 0, "Time:"},         {4, 0, "4"},
                 {1, 1, "Channel1"},      {2, 1, "Channel2"},     {3, 1, "Channel3"},      {4, 1, "Channel4"},
                 {0, 2, "1:0*"},          {0, 3, "2:1"},          {0, 4, "3:2"},           {1, 2, "Kick      [ ]"},
                 {2, 4, "Snare     [ ]"}, {3, 2, "ClsHiat   [ ]"}, {3, 3, "ClsHiat   [ ]"}, {3, 4, "ClsHiat   [ ]"}};
    for (int row = 0; row < kPreviewRows; ++row)
        for (int col = 0; col < kPreviewColumns; ++col)
            StringGrid1->setItem(row, col, new QTableWidgetItem());
    for (const auto& c : cells)
        StringGrid1->item(c.row, c.col)->setText(QString::fromLatin1(c.text));

    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setGeometry(136, 168, 75, 25);
    OK->setDefault(true);
    Cancel = new QPushButton(QStringLiteral("Cancel"), this);
    Cancel->setGeometry(224, 168, 75, 25);

    connect(Button1, &QPushButton::clicked, this, &TGridColor::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TGridColor::Button2Click);
    connect(OK, &QPushButton::clicked, this, &TGridColor::OKClick);
    connect(Cancel, &QPushButton::clicked, this, &TGridColor::CancelClick);
    paintPreview();
}

void TGridColor::paintPreview() {
    const QColor fixedFill = palette().color(QPalette::Button);
    const QColor fixedText = palette().color(QPalette::ButtonText);
    for (int row = 0; row < kPreviewRows; ++row)
        for (int col = 0; col < kPreviewColumns; ++col) {
            const bool fixed = row < kPreviewFixedRows || col == 0;
            QTableWidgetItem* item = StringGrid1->item(row, col);
            item->setBackground(fixed ? fixedFill : background_);
            item->setForeground(fixed ? fixedText : text_);
        }
}

void TGridColor::Button1Click() {
    if (const auto chosen = picker_(background_, this)) {
        background_ = *chosen;
        paintPreview();
    }
}

void TGridColor::Button2Click() {
    if (const auto chosen = picker_(text_, this)) {
        text_ = *chosen;
        paintPreview();
    }
}

void TGridColor::OKClick() { accept(); }
void TGridColor::CancelClick() { reject(); }

bool TGridColor::editGridColors(QWidget* parent, QColor& background, QColor& text) {
    TGridColor dialog(background, text, parent);
    dialog.raise();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    background = dialog.backgroundColor();
    text = dialog.textColor();
    return true;
}

} // namespace tamboro
