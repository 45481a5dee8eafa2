#include "windows/kits/ExtraSamplesWindow.h"

#include "app/OpenableFiles.h"
#include "controls/SkinFiles.h"
#include "windows/controls/SideWindowPlacer.h"
#include "windows/controls/SkinPictures.h"
#include "windows/kits/SampleEditorWindow.h"

#include <QDropEvent>
#include <QEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QRegion>
#include <QScrollArea>
#include <QScrollBar>
#include <QUrl>

namespace tamboro {

namespace {

// Left of the main window first, its top at the main window's.
constexpr SideWindowWish kExtraSamplesWish{{Side::Left, Side::Right, Side::Below, Side::Above},
                                           kSamplesOffsetFromMainTop};

} // namespace

ExtraSamplesWindow::ExtraSamplesWindow(QWidget* mainWindow, QWidget* parent)
    : SidePanelWindow(mainWindow, kExtraSamplesWish, kSamplesOffsetFromMainLeft, SidewaysDrag(),
                      SidePanelFrame{"extraSamplesWindow", "Extra samples", kSamplesWindowWidth,
                                     kSamplesWindowHeight, kSamplesOutline, kSamplesOutlineCorner,
                                     kSamplesClientLeft, kSamplesClientTop, skin::kExtraSamplesBackground},
                      parent) {
    // The caption and the number share the dark band at the top of the picture.
    QFont captionFont = font();
    captionFont.setPointSize(7);
    activeSampleCaption = new QLabel("Active Sample", clientArea);
    activeSampleCaption->setFont(captionFont);
    activeSampleCaption->setGeometry(12, 4, 86, 16);
    captionFont.setPointSize(8);
    captionFont.setBold(true);
    activeSampleCaption->setStyleSheet("color: aqua; background: transparent;");
    activeNumber = new QLabel("1", clientArea);
    activeNumber->setFont(captionFont);
    activeNumber->setGeometry(100, 4, 18, 16);
    activeNumber->setStyleSheet("color: aqua; background: transparent;");

    sampleButtonBox = new QScrollArea(clientArea);
    sampleButtonBox->setGeometry(kSampleScrollBox.left, kSampleScrollBox.top, kSampleScrollBox.width,
                                 kSampleScrollBox.height);
    sampleButtonBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sampleButtonBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sampleButtonBox->verticalScrollBar()->setFixedWidth(kSampleScrollBarWidth);
    sampleButtonBox->verticalScrollBar()->setTracking(true);
    sampleButtonBox->setStyleSheet(
        "QScrollArea { background: olive; } QWidget#sampleButtonPanel { background: olive; }");
    auto* panel = new QWidget;
    panel->setObjectName("sampleButtonPanel");
    panel->setFixedSize(kSampleScrollBox.width - kSampleScrollBarWidth - 2 * sampleButtonBox->frameWidth(),
                        sampleButtonsHeight());
    buildButtons(panel);
    sampleButtonBox->setWidget(panel);

    placeBesideMainWindow();
}

void ExtraSamplesWindow::buildButtons(QWidget* panel) {
    QFont buttonFont = font();
    buttonFont.setPointSize(6);
    QFont numberFont = font();
    numberFont.setPointSize(8);
    numberFont.setBold(true);
    const QRegion outline = roundedRegion(kSampleButtonOutline, kSampleButtonOutlineCorner);
    for (int n = 1; n <= kExtraSampleButtons; ++n) {
        auto* button = new QPushButton(QString("Sample %1").arg(n), panel);
        button->setGeometry(kSampleButtonLeft, sampleButtonTop(n), kSampleButtonWidth, kSampleButtonHeight);
        button->setMask(outline);
        button->setFont(buttonFont);
        button->setStyleSheet("color: red;");
        button->setCursor(Qt::PointingHandCursor);
        button->setProperty("sample", n);
        button->setAcceptDrops(true);
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, n] { selectSample(n); });
        sampleButtons.push_back(button);

        auto* number = new QLabel(QString::number(n), panel);
        number->setFont(numberFont);
        number->move(kSampleNumberLeft, sampleNumberTop(n));
        number->adjustSize();
        numberLabels.push_back(number);
    }
}

void ExtraSamplesWindow::setSampleEditor(SampleEditorWindow* editor) {
    if (editor_)
        disconnect(editor_, nullptr, this, nullptr);
    editor_ = editor;
    if (editor_)
        connect(editor_, &SampleEditorWindow::sampleCaptionChanged, this,
                &ExtraSamplesWindow::setButtonCaption);
}

void ExtraSamplesWindow::selectSample(int n) {
    activeNumber->setText(QString::number(n));
    emit instrumentChosen(QString("Sample%1").arg(n));
    if (editor_)
        editor_->showSample(n);
}

void ExtraSamplesWindow::showActiveNumber(int n) {
    activeNumber->setText(QString::number(n));
}

void ExtraSamplesWindow::setButtonCaption(int n, const QString& caption) {
    if (n >= 1 && n <= kExtraSampleButtons)
        sampleButtons[static_cast<std::size_t>(n - 1)]->setText(caption);
}

void ExtraSamplesWindow::openDroppedWave(int n, const std::filesystem::path& file) {
    selectSample(n);
    if (editor_)
        editor_->openSampleFile(file);
}

bool ExtraSamplesWindow::eventFilter(QObject* watched, QEvent* event) {
    const QVariant n = watched->property("sample");
    if (!n.isValid())
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        showActiveNumber(n.toInt());
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        // One local .wav file: the sample's new sound. Anything else is not taken.
        auto* drop = static_cast<QDropEvent*>(event);
        const QMimeData* mime = drop->mimeData();
        if (!mime || !mime->hasUrls() || mime->urls().size() != 1 || !mime->urls()[0].isLocalFile())
            return false;
        const std::filesystem::path file = mime->urls()[0].toLocalFile().toStdString();
        if (openableKindOf(file) != OpenableKind::Wave)
            return false;
        drop->acceptProposedAction();
        if (event->type() == QEvent::Drop)
            openDroppedWave(n.toInt(), file);
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tamboro
