#include "kits/ui/Samples.h"

#include "controls/SkinFiles.h"
#include "controls/ui/SkinPictures.h"
#include "kits/ui/SampleEditor.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainterPath>
#include <QPushButton>
#include <QRegion>
#include <QScrollArea>
#include <QScrollBar>

namespace tamboro {

namespace {

// The region of a rounded rectangle as the window system cuts it: `rect` with corner ellipses of
// `corner` x `corner` pixels.
QRegion roundedRegion(const PixelRect& rect, int corner) {
    QPainterPath path;
    path.addRoundedRect(QRectF(rect.left, rect.top, rect.width, rect.height), corner / 2.0, corner / 2.0);
    return QRegion(path.toFillPolygon().toPolygon());
}

} // namespace

TSamples::TSamples(QWidget* mainWindow, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), MainWindow(mainWindow) {
    setObjectName("Samples");
    setWindowTitle("Extra samples");
    setFixedSize(kSamplesWindowWidth, kSamplesWindowHeight);
    setMask(roundedRegion(kSamplesOutline, kSamplesOutlineCorner));

    Client = new QWidget(this);
    Client->setGeometry(kSamplesClientLeft, kSamplesClientTop, kSamplesWindowWidth - 2 * kSamplesClientLeft,
                        kSamplesWindowHeight - kSamplesClientTop - kSamplesClientLeft);

    Image1 = new QLabel(Client);
    Image1->setGeometry(0, 0, kSamplesWindowWidth, kSamplesWindowHeight);
    Image1->setPixmap(skinPixmap(skin::kExtraSamplesBackground));
    Image1->setStyleSheet("background: rgb(48, 52, 60);");

    // The caption and the number share the dark band at the top of the picture.
    QFont captionFont = font();
    captionFont.setPointSize(7);
    Label1 = new QLabel("Active Sample", Client);
    Label1->setFont(captionFont);
    Label1->setGeometry(12, 4, 86, 16);
    captionFont.setPointSize(8);
    captionFont.setBold(true);
    Label1->setStyleSheet("color: aqua; background: transparent;");
    ActiveNumber = new QLabel("1", Client);
    ActiveNumber->setFont(captionFont);
    ActiveNumber->setGeometry(100, 4, 18, 16);
    ActiveNumber->setStyleSheet("color: aqua; background: transparent;");

    ScrollBox1 = new QScrollArea(Client);
    ScrollBox1->setGeometry(kSampleScrollBox.left, kSampleScrollBox.top, kSampleScrollBox.width,
                            kSampleScrollBox.height);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ScrollBox1->verticalScrollBar()->setFixedWidth(kSampleScrollBarWidth);
    ScrollBox1->verticalScrollBar()->setTracking(true);
    ScrollBox1->setStyleSheet("QScrollArea { background: olive; } QWidget#SampleButtonPanel { background: olive; }");
    auto* panel = new QWidget;
    panel->setObjectName("SampleButtonPanel");
    panel->setFixedSize(kSampleScrollBox.width - kSampleScrollBarWidth - 2 * ScrollBox1->frameWidth(),
                        sampleButtonsHeight());
    buildButtons(panel);
    ScrollBox1->setWidget(panel);

    placeBesideMainWindow();
}

void TSamples::buildButtons(QWidget* panel) {
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
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, n] { Select_Sample(n); });
        SampleButtons.push_back(button);

        auto* number = new QLabel(QString::number(n), panel);
        number->setFont(numberFont);
        number->move(kSampleNumberLeft, sampleNumberTop(n));
        number->adjustSize();
        NumberLabels.push_back(number);
    }
}

void TSamples::setSampleEditor(TSampleEditor* editor) {
    if (Editor)
        disconnect(Editor, nullptr, this, nullptr);
    Editor = editor;
    if (Editor)
        connect(Editor, &TSampleEditor::sampleCaptionChanged, this, &TSamples::setButtonCaption);
}

int TSamples::mainLeft() const { return MainWindow ? MainWindow->x() : x(); }

void TSamples::placeBesideMainWindow() {
    if (MainWindow)
        move(MainWindow->x() + kSamplesOffsetFromMainLeft, MainWindow->y() + kSamplesOffsetFromMainTop);
}

void TSamples::Select_Sample(int n) {
    ActiveNumber->setText(QString::number(n));
    emit instrumentChosen(QString("Sample%1").arg(n));
    if (Editor)
        Editor->ShowSample(n);
}

void TSamples::Select_number(int n) { ActiveNumber->setText(QString::number(n)); }

void TSamples::setButtonCaption(int n, const QString& caption) {
    if (n >= 1 && n <= kExtraSampleButtons)
        SampleButtons[static_cast<std::size_t>(n - 1)]->setText(caption);
}

bool TSamples::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        const QVariant n = watched->property("sample");
        if (n.isValid())
            Select_number(n.toInt());
    }
    return QWidget::eventFilter(watched, event);
}

void TSamples::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        Drag.leftPress(qRound(event->position().x()));
    QWidget::mousePressEvent(event);
}

void TSamples::mouseMoveEvent(QMouseEvent* event) {
    const int left = Drag.move(qRound(event->position().x()), mainLeft(), x());
    if (left != x())
        move(left, y());
    QWidget::mouseMoveEvent(event);
}

void TSamples::mouseReleaseEvent(QMouseEvent* event) {
    const int left = Drag.release(event->button() == Qt::LeftButton, mainLeft(), x());
    if (left != x())
        move(left, y());
    QWidget::mouseReleaseEvent(event);
}

} // namespace tamboro
