#include "windows/render/RenderProgressWindow.h"

#include "render/AudioExport.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>

#include <algorithm>
#include <limits>

namespace tamboro {

namespace {

// Connects the engine to the window's controls.
class WindowObserver : public RenderObserver {
public:
    explicit WindowObserver(RenderProgressWindow& window) : w_(window) {}

    bool stopRequested() override { return w_.stopRequested && w_.stopRequested(); }
    void passStarted(std::size_t, std::size_t, int) override { w_.progressBar->setValue(0); }
    void lineReached(std::size_t line, std::size_t) override {
        w_.progressBar->setValue(
            static_cast<int>(std::min<std::size_t>(line, std::numeric_limits<int>::max())));
        QCoreApplication::processEvents();
    }
    void instrumentShown(const std::string& label) override {
        const QString text = QString::fromStdString(label);
        if (w_.instrumentLabel->text() != text)
            w_.instrumentLabel->setText(text);
    }
    void acidizing(bool active) override {
        w_.nowAddingLabel->setVisible(!active);
        w_.instrumentLabel->setVisible(!active);
        w_.acidizingLabel->setVisible(active);
        w_.pleaseWaitLabel->setVisible(active);
        if (active)
            QCoreApplication::processEvents();
    }
    void outputFallback(const std::string& message) override {
        if (w_.showMessage)
            w_.showMessage(QString::fromStdString(message));
    }

private:
    RenderProgressWindow& w_;
};

QLabel* label(const char* text, int left, int top, QWidget* parent) {
    auto* l = new QLabel(QString::fromLatin1(text), parent);
    l->setGeometry(left, top, 300, 17);
    return l;
}

} // namespace

RenderProgressWindow::RenderProgressWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("renderProgressWindow"));
    setWindowTitle(QStringLiteral("Render"));
    setFixedSize(329, 121);
    nowAddingLabel = label("Now Adding:", 16, 16, this);
    instrumentLabel = label("", 16, 40, this);
    acidizingLabel = label("Now Acidizing Loop", 16, 16, this);
    pleaseWaitLabel = label("Please wait a moment", 16, 40, this);
    acidizingLabel->hide();
    pleaseWaitLabel->hide();
    progressBar = new QProgressBar(this);
    progressBar->setGeometry(16, 80, 297, 17);
    progressBar->setTextVisible(false);
    chooseOutputFile = [this] { return askOutputFile(this); };
    showMessage = [this](const QString& text) { QMessageBox::information(this, QString(), text); };
}

QStringList RenderProgressWindow::renderFileFilters() {
    return {QStringLiteral("Audio files (*.wav *.WAV)"), QStringLiteral("FLAC audio files (*.flac *.FLAC)"),
            QStringLiteral("Ogg Vorbis audio files (*.ogg *.OGG)"), QStringLiteral("All files (*)")};
}

QString RenderProgressWindow::askOutputFile(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Save As One Big Lovely WAV File"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile); // the folder must exist
    dialog.setDefaultSuffix(QStringLiteral("wav"));
    // The render writes the format the file's extension names; a name typed without one gets the
    // extension of the chosen filter.
    const QStringList filters = renderFileFilters();
    dialog.setNameFilters(filters);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, filters](const QString& filter) {
                         const QStringList suffixes = {QStringLiteral("wav"), QStringLiteral("flac"),
                                                       QStringLiteral("ogg")};
                         const auto index = filters.indexOf(filter);
                         dialog.setDefaultSuffix(
                             index >= 0 && index < suffixes.size() ? suffixes[index] : QStringLiteral("wav"));
                     });
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setOption(QFileDialog::ReadOnly, false);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
               ? dialog.selectedFiles().first()
               : QString();
}

std::optional<RenderProgressWindow::Result> RenderProgressWindow::runRender(const RenderRequest& request,
                                                                            const RenderPlan& plan) {
    const QString chosen = chooseOutputFile ? chooseOutputFile() : QString();
    if (chosen.isEmpty())
        return std::nullopt;

    progressBar->setRange(0, static_cast<int>(std::min<std::size_t>(plan.song.script.lineCount(),
                                                                    std::numeric_limits<int>::max())));
    progressBar->setValue(0);
    progressBar->show();
    instrumentLabel->clear();
    show();
    QCoreApplication::processEvents();

    WindowObserver observer(*this);
    Result result;
    result.chosenFile = chosen;
    try {
        result.outcome = renderSong(request, plan, std::filesystem::path(chosen.toStdWString()), observer);
    } catch (...) {
        observer.acidizing(false);
        hide();
        throw;
    }
    if (result.outcome.cancelled) {
        progressBar->setValue(0);
        progressBar->hide();
    }
    // The encoder reads WAV files only.
    result.offerMp3 = !result.outcome.cancelled && !result.outcome.fellBack &&
                      audioFileFormatFor(result.outcome.writtenTo) == AudioFileFormat::Wav;
    hide();
    return result;
}

} // namespace tamboro
