#include "render/ui/TForm1.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>

#include <algorithm>
#include <limits>

namespace tamboro {

namespace {

// Connects the engine to the window's controls.
class WindowObserver : public RenderObserver {
public:
    explicit WindowObserver(TForm1& window) : w_(window) {}

    bool stopRequested() override { return w_.stopRequested && w_.stopRequested(); }
    void passStarted(std::size_t, std::size_t, int) override { w_.ProgressBar1->setValue(0); }
    void lineReached(std::size_t line, std::size_t) override {
        w_.ProgressBar1->setValue(static_cast<int>(std::min<std::size_t>(line, std::numeric_limits<int>::max())));
        QCoreApplication::processEvents();
    }
    void instrumentShown(const std::string& label) override {
        const QString text = QString::fromStdString(label);
        if (w_.Label2->text() != text)
            w_.Label2->setText(text);
    }
    void acidizing(bool active) override {
        w_.Label1->setVisible(!active);
        w_.Label2->setVisible(!active);
        w_.Label3->setVisible(active);
        w_.Label4->setVisible(active);
        if (active)
            QCoreApplication::processEvents();
    }
    void outputFallback(const std::string& message) override {
        if (w_.showMessage)
            w_.showMessage(QString::fromStdString(message));
    }

private:
    TForm1& w_;
};

QLabel* label(const char* text, int left, int top, QWidget* parent) {
    auto* l = new QLabel(QString::fromLatin1(text), parent);
    l->setGeometry(left, top, 300, 17);
    return l;
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Render"));
    setFixedSize(329, 121);
    Label1 = label("Now Adding:", 16, 16, this);
    Label2 = label("", 16, 40, this);
    Label3 = label("Now Acidizing Loop", 16, 16, this);
    Label4 = label("Please wait a moment", 16, 40, this);
    Label3->hide();
    Label4->hide();
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setGeometry(16, 80, 297, 17);
    ProgressBar1->setTextVisible(false);
    chooseOutputFile = [this] { return askOutputFile(this); };
    showMessage = [this](const QString& text) { QMessageBox::information(this, QString(), text); };
}

QString TForm1::askOutputFile(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Save As One Big Lovely WAV File"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile); // the folder must exist
    dialog.setDefaultSuffix(QStringLiteral("wav"));
    dialog.setNameFilters({QStringLiteral("Audio files (*.wav *.WAV)"), QStringLiteral("All files (*)")});
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setOption(QFileDialog::ReadOnly, false);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first() : QString();
}

std::optional<TForm1::Result> TForm1::Button1Click(const RenderRequest& request, const RenderPlan& plan) {
    const QString chosen = chooseOutputFile ? chooseOutputFile() : QString();
    if (chosen.isEmpty())
        return std::nullopt;

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    ProgressBar1->setRange(0, static_cast<int>(std::min<std::size_t>(plan.song.script.lineCount(), std::numeric_limits<int>::max())));
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    Label2->clear();
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
        ProgressBar1->setValue(0);
        ProgressBar1->hide();
    }
    result.offerMp3 = !result.outcome.cancelled && !result.outcome.fellBack;
    hide();
    return result;
}

} // namespace tamboro
