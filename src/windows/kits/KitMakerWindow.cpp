#include "windows/kits/KitMakerWindow.h"

#include "kitimport/KitImport.h"
#include "kits/DefaultKitSynth.h"

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

KitMakerWindow::KitMakerWindow(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
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
    playButton_ = makeTool("Listen", QStyle::SP_MediaPlay);
    toolbar->addSeparator();
    addButton_ = makeTool("Add new sample", QStyle::SP_FileDialogNewFolder);
    toolbar->addSeparator();
    saveButton_ = makeTool("Save kit", QStyle::SP_DialogSaveButton);
    toolbar->addSeparator();
    importButton_ = makeTool("Import kit...", QStyle::SP_DialogOpenButton);
    layout->addWidget(toolbar);

    rowBox_ = new QScrollArea(this);
    rowBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rowBox_->setWidgetResizable(false);
    rowPanel_ = new QWidget;
    rowBox_->setWidget(rowPanel_);
    layout->addWidget(rowBox_);
    radioGroup_ = new QButtonGroup(this);
    radioGroup_->setExclusive(true);

    connect(playButton_, &QToolButton::clicked, this, &KitMakerWindow::listenClicked);
    connect(addButton_, &QToolButton::clicked, this, &KitMakerWindow::addSampleClicked);
    connect(saveButton_, &QToolButton::clicked, this, &KitMakerWindow::saveKitClicked);
    connect(importButton_, &QToolButton::clicked, this, &KitMakerWindow::importKitClicked);
    connect(radioGroup_, &QButtonGroup::idClicked, this, [this](int row) { maker_.selectRow(row); });

    chooseWavFile = [this](const std::filesystem::path& startDir) {
        return std::filesystem::path(
            QFileDialog::getOpenFileName(
                this, QString(), QString::fromStdString(startDir.string()),
                QStringLiteral(
                    "Sound files (*.wav *.aif *.aiff *.aifc *.flac *.ogg *.oga *.mp3);;wav (*.wav)"))
                .toStdString());
    };
    chooseKitFile = [this](const std::filesystem::path& startDir) {
        QFileDialog dialog(this, QString(), QString::fromStdString(startDir.string()),
                           QStringLiteral("*.dxg (*.dxg)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("dxg"));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::filesystem::path();
        return std::filesystem::path(dialog.selectedFiles().first().toStdString());
    };
    chooseImportSource = [this](const std::filesystem::path& startDir) {
        return std::filesystem::path(
            QFileDialog::getOpenFileName(
                this, QStringLiteral("Import kit"), QString::fromStdString(startDir.string()),
                QStringLiteral("Drum kits (drumkit.xml *.h2drumkit *.sfz);;All files (*)"))
                .toStdString());
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

void KitMakerWindow::setAuditionAvailable(bool available) {
    playButton_->setEnabled(available && audition != nullptr);
}

void KitMakerWindow::report(const QString& text, bool isError) {
    if (notify)
        notify(text, isError);
}

void KitMakerWindow::addRowWidgets(int row, const QString& name, bool checked) {
    const int top = row * kRowHeight + kRowTop;
    auto* radio = new QRadioButton(rowPanel_);
    radio->setGeometry(4, top, 17, 17);
    radioGroup_->addButton(radio, row);
    radio->setChecked(checked);

    auto* edit = new QLineEdit(name, rowPanel_);
    edit->setGeometry(40, top, 120, 21);
    edit->setMaxLength(10);
    QFont font = edit->font();
    font.setPointSize(10);
    font.setBold(true);
    edit->setFont(font);
    edit->setCursor(Qt::PointingHandCursor);

    auto* browse = new QPushButton(QStringLiteral("..."), rowPanel_);
    browse->setGeometry(164, top, 20, 20);
    browse->setToolTip(QStringLiteral("Choose a sound file (WAV, AIFF, FLAC, Ogg Vorbis, MP3)"));
    connect(browse, &QPushButton::clicked, this, [this, row] { chooseRowFile(row); });

    rowRadios_.push_back(radio);
    nameEdits_.push_back(edit);
    rowPanel_->resize(190, (row + 1) * kRowHeight + kRowTop);
    radio->show();
    edit->show();
    browse->show();
}

void KitMakerWindow::clearRows() {
    for (auto* radio : rowRadios_)
        radioGroup_->removeButton(radio);
    delete rowPanel_;
    rowPanel_ = new QWidget;
    rowBox_->setWidget(rowPanel_);
    nameEdits_.clear();
    rowRadios_.clear();
}

void KitMakerWindow::buildRows(const std::vector<std::string>& instrumentList, int mainKitCount) {
    instrumentList_ = instrumentList;
    // Discard the rows of an earlier showing.
    clearRows();
    const int rows = KitMaker::rowsForKit(mainKitCount);
    for (int r = 0; r < rows; ++r)
        addRowWidgets(r, QString::fromStdString(KitMaker::rowDisplayName(instrumentList_, r)), r == 0);
}

void KitMakerWindow::fillFromMainKit(const DrumKit& mainKit, const std::vector<std::string>& instrumentList,
                                     const std::filesystem::path& programDir, bool templateCurrentKit) {
    programDir_ = programDir;
    try {
        maker_.prepareKit(mainKit, instrumentList, programDir, templateCurrentKit);
    } catch (const std::exception& e) {
        report(QString::fromUtf8(e.what()), true);
    }
}

void KitMakerWindow::chooseRowFile(int row) {
    if (row < 0 || row >= rowCount())
        return;
    rowRadios_[static_cast<std::size_t>(row)]->setChecked(true);
    maker_.selectRow(row);
    const auto file = chooseWavFile ? chooseWavFile(programDir_) : std::filesystem::path();
    if (file.empty())
        return;
    try {
        maker_.chooseFile(row, file);
    } catch (const std::exception& e) {
        report(QString::fromUtf8(e.what()), true);
    }
}

void KitMakerWindow::listenClicked() {
    try {
        const auto file = maker_.auditionFile();
        if (audition)
            audition(file);
    } catch (const std::exception& e) {
        report(QString::fromUtf8(e.what()), true);
    }
}

void KitMakerWindow::addSampleClicked() {
    rowBox_->verticalScrollBar()->setValue(0);
    int row = 0;
    try {
        row = maker_.addRow();
    } catch (const std::exception& e) {
        report(QString::fromUtf8(e.what()), true);
        return;
    }
    addRowWidgets(row, QString::fromStdString(KitMaker::rowDisplayName(instrumentList_, row)), true);
    rowBox_->verticalScrollBar()->setValue(rowBox_->verticalScrollBar()->maximum());
}

void KitMakerWindow::saveKitClicked() {
    const auto file = chooseKitFile ? chooseKitFile(programDir_) : std::filesystem::path();
    if (file.empty())
        return;
    std::vector<std::string> names;
    names.reserve(nameEdits_.size());
    for (const auto* edit : nameEdits_)
        names.push_back(edit->text().toStdString());
    try {
        maker_.saveKit(names, file);
    } catch (const std::exception& e) {
        report(QString::fromUtf8(e.what()), true);
        return;
    }
    report(QString::fromLatin1(kKitSavedNotice), false);
    close();
}

void KitMakerWindow::importKitClicked() {
    const auto source = chooseImportSource ? chooseImportSource(programDir_) : std::filesystem::path();
    if (source.empty())
        return;
    KitImportResult kit;
    try {
        kit = importKit(source);
        maker_.startEmpty(static_cast<int>(kit.sounds.size()), blankWave());
        for (std::size_t i = 0; i < kit.sounds.size(); ++i)
            maker_.setRowSound(static_cast<int>(i), kit.sounds[i].wave, kit.sounds[i].source);
    } catch (const std::exception& e) {
        report(QString::fromUtf8(e.what()), true);
        return;
    }
    clearRows();
    for (std::size_t i = 0; i < kit.sounds.size(); ++i)
        addRowWidgets(static_cast<int>(i), QString::fromStdString(kit.sounds[i].name), i == 0);
    QString text = QStringLiteral("Imported \"%1\": %2 instruments. Save the kit to keep it.\n")
                       .arg(QString::fromStdString(kit.kitName))
                       .arg(kit.sounds.size());
    for (const std::string& line : kit.report)
        text += QStringLiteral("\n") + QString::fromStdString(line);
    report(text, false);
}

} // namespace tamboro
