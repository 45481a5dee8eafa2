#include "kits/ui/TMakit.h"

#include <QButtonGroup>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <exception>

namespace tamboro {

namespace {

constexpr int kRowHeight = 24;
constexpr int kRowTop = 8;

} // namespace

TMakit::TMakit(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setWindowTitle(QStringLiteral("Kit maker"));
    setFixedSize(223, 401);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* toolbar = new QToolBar(this);
    auto makeTool = [&](const char* hint, QStyle::StandardPixmap icon) {
        auto* button = new QToolButton(toolbar);
        button->setToolTip(QString::fromLatin1(hint));
        button->setIcon(style()->standardIcon(icon));
        button->setAccessibleName(QString::fromLatin1(hint));
        toolbar->addWidget(button);
        return button;
    };
    PlayButton = makeTool("Listern", QStyle::SP_MediaPlay);
    toolbar->addSeparator();
    AddButton = makeTool("Add new sample", QStyle::SP_FileDialogNewFolder);
    toolbar->addSeparator();
    SaveButton = makeTool("Save kit", QStyle::SP_DialogSaveButton);
    layout->addWidget(toolbar);

    RowBox = new QScrollArea(this);
    RowBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RowBox->setWidgetResizable(false);
    RowPanel = new QWidget;
    RowBox->setWidget(RowPanel);
    layout->addWidget(RowBox);
    Radios = new QButtonGroup(this);
    Radios->setExclusive(true);

    connect(PlayButton, &QToolButton::clicked, this, &TMakit::PlayClick);
    connect(AddButton, &QToolButton::clicked, this, &TMakit::ToolButton5Click);
    connect(SaveButton, &QToolButton::clicked, this, &TMakit::Save_libraryClick);
    connect(Radios, &QButtonGroup::idClicked, this, [this](int row) { Maker.selectRow(row); });

    chooseWavFile = [this](const std::filesystem::path& startDir) {
        return std::filesystem::path(
            QFileDialog::getOpenFileName(this, QString(), QString::fromStdString(startDir.string()),
                                         QStringLiteral("wav (*.wav)"))
                .toStdString());
    };
    chooseKitFile = [this](const std::filesystem::path& startDir) {
        QFileDialog dialog(this, QString(), QString::fromStdString(startDir.string()), QStringLiteral("*.dxg (*.dxg)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("dxg"));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::filesystem::path();
        return std::filesystem::path(dialog.selectedFiles().first().toStdString());
    };
    notify = [this](const QString& text, bool isError) {
        if (isError)
            QMessageBox::critical(this, QStringLiteral("Kit maker"), text);
        else
            QMessageBox::information(this, QStringLiteral("Kit maker"), text);
    };
    setAuditionAvailable(false);

    // Centred on the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TMakit::setAuditionAvailable(bool available) { PlayButton->setEnabled(available && audition != nullptr); }

void TMakit::report(const QString& text, bool isError) {
    if (notify)
        notify(text, isError);
}

void TMakit::addRowWidgets(int row, const QString& name, bool checked) {
    const int top = row * kRowHeight + kRowTop;
    auto* radio = new QRadioButton(RowPanel);
    radio->setGeometry(4, top, 17, 17);
    Radios->addButton(radio, row);
    radio->setChecked(checked);

    auto* edit = new QLineEdit(name, RowPanel);
    edit->setGeometry(40, top, 120, 21);
    edit->setMaxLength(10);
    QFont font = edit->font();
    font.setPointSize(10);
    font.setBold(true);
    edit->setFont(font);
    edit->setCursor(Qt::PointingHandCursor);

    auto* browse = new QPushButton(QStringLiteral("..."), RowPanel);
    browse->setGeometry(164, top, 20, 20);
    browse->setToolTip(QStringLiteral("Choose a WAV file"));
    connect(browse, &QPushButton::clicked, this, [this, row] { GetButtonTag(row); });

    RowRadios.push_back(radio);
    NameEdits.push_back(edit);
    RowPanel->resize(190, (row + 1) * kRowHeight + kRowTop);
    radio->show();
    edit->show();
    browse->show();
}

void TMakit::GetKitList(const std::vector<std::string>& instrumentList, int mainKitCount) {
    InstrumentList = instrumentList;
    // Discard the rows of an earlier showing.
    for (auto* radio : RowRadios)
        Radios->removeButton(radio);
    delete RowPanel;
    RowPanel = new QWidget;
    RowBox->setWidget(RowPanel);
    NameEdits.clear();
    RowRadios.clear();
    const int rows = KitMaker::rowsForKit(mainKitCount);
    for (int r = 0; r < rows; ++r)
        addRowWidgets(r, QString::fromStdString(KitMaker::rowDisplayName(InstrumentList, r)), r == 0);
}

void TMakit::PrepareKit(const TWaveCollection& mainKit, const std::vector<std::string>& instrumentList,
                        const std::filesystem::path& programDir, bool templateCurrentKit) {
    ProgramDir = programDir;
    try {
        Maker.prepareKit(mainKit, instrumentList, programDir, templateCurrentKit);
    } catch (const std::exception& e) {
        report(QString::fromUtf8(e.what()), true);
    }
}

void TMakit::GetButtonTag(int row) {
    if (row < 0 || row >= rowCount())
        return;
    RowRadios[static_cast<std::size_t>(row)]->setChecked(true);
    Maker.selectRow(row);
    const auto file = chooseWavFile ? chooseWavFile(ProgramDir) : std::filesystem::path();
    if (file.empty())
        return;
    try {
        Maker.chooseFile(row, file);
    } catch (const std::exception& e) {
        report(QString::fromUtf8(e.what()), true);
    }
}

void TMakit::PlayClick() {
    try {
        const auto file = Maker.auditionFile();
        if (audition)
            audition(file);
    } catch (const std::exception& e) {
        report(QString::fromUtf8(e.what()), true);
    }
}

void TMakit::ToolButton5Click() {
    RowBox->verticalScrollBar()->setValue(0);
    int row = 0;
    try {
        row = Maker.addRow();
    } catch (const std::exception& e) {
        report(QString::fromUtf8(e.what()), true);
        return;
    }
    addRowWidgets(row, QString::fromStdString(KitMaker::rowDisplayName(InstrumentList, row)), true);
    RowBox->verticalScrollBar()->setValue(RowBox->verticalScrollBar()->maximum());
}

void TMakit::Save_libraryClick() {
    const auto file = chooseKitFile ? chooseKitFile(ProgramDir) : std::filesystem::path();
    if (file.empty())
        return;
    std::vector<std::string> names;
    names.reserve(NameEdits.size());
    for (const auto* edit : NameEdits)
        names.push_back(edit->text().toStdString());
    try {
        Maker.saveKit(names, file);
    } catch (const std::exception& e) {
        report(QString::fromUtf8(e.what()), true);
        return;
    }
    report(QString::fromLatin1(kKitSavedNotice), false);
    close();
}

} // namespace tamboro
