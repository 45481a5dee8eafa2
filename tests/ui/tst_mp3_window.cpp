// The encoder window: path rules, the bit-rate box, the exact encoder invocation and closing when
// the encoder ends.

#include "windows/render/Mp3ExportWindow.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QtTest>

using tamboro::Mp3ExportWindow;

class TestMp3Window : public QObject {
    Q_OBJECT
private slots:
    void defaultsAndPathRule();
    void goRunsTheEncoderAndClosesWhenItEnds();
    void goWithAnEmptyFieldDoesNothing();
    void aFailingEncoderIsReportedAndTheWindowStays_data();
    void aFailingEncoderIsReportedAndTheWindowStays();
};

namespace {

// A stand-in encoder that records its arguments, one per line, then lingers a moment.
QString writeFakeEncoder(const QTemporaryDir& dir, const QString& record) {
    const QString path = dir.filePath(QStringLiteral("BladeEnc"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    QTextStream(&f) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> '" << record
                    << "'; done\nsleep 0.5\n";
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    return path;
}

QStringList readLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
}

} // namespace

void TestMp3Window::defaultsAndPathRule() {
    Mp3ExportWindow w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Wav to mp3"));
    QCOMPARE(w.size(), QSize(293, 141));
    QCOMPARE(w.bitRateBox->currentText(), QStringLiteral("128"));
    QCOMPARE(w.bitRateBox->count(), 5);
    QCOMPARE(w.bitRateBox->itemText(4), QStringLiteral("256"));
    QVERIFY(!w.wavPathBox->isEnabled());
    QVERIFY(w.activityLight->isHidden());
    QVERIFY(!w.pollTimer->isActive());
    w.setWavPath(QStringLiteral("C:\\Out\\Demo.wav"));
    QCOMPARE(w.mp3PathBox->text(), QStringLiteral("C:\\Out\\Demo.mp3"));
    w.setWavPath(QStringLiteral("a.wave"));
    QCOMPARE(w.mp3PathBox->text(), QStringLiteral("a.wmp3"));
}

void TestMp3Window::goRunsTheEncoderAndClosesWhenItEnds() {
    QTemporaryDir dir;
    const QString record = dir.filePath(QStringLiteral("args.txt"));
    Mp3ExportWindow w;
    w.setEncoderPath(writeFakeEncoder(dir, record).toStdString());
    w.show();
    w.setWavPath(QStringLiteral("/songs/My Jam.wav"));
    w.bitRateBox->setCurrentText(QStringLiteral("320"));
    w.goButton->click();
    QTRY_VERIFY_WITH_TIMEOUT(w.pollTimer->isActive(), 2000);
    QTRY_VERIFY_WITH_TIMEOUT(!w.isVisible(), 5000);
    QVERIFY(!w.pollTimer->isActive());
    QCOMPARE(readLines(record), (QStringList{"-q", "/songs/My Jam.wav", "/songs/My Jam.mp3", "-320"}));
}

void TestMp3Window::goWithAnEmptyFieldDoesNothing() {
    Mp3ExportWindow w;
    w.setEncoderPath("/bin/false");
    w.show();
    w.setWavPath(QStringLiteral("/songs/Jam.wav"));
    w.mp3PathBox->clear();
    w.goButton->click();
    QTest::qWait(600);
    QVERIFY(!w.pollTimer->isActive());
    QVERIFY(w.isVisible());
}

void TestMp3Window::aFailingEncoderIsReportedAndTheWindowStays_data() {
    QTest::addColumn<QString>("script"); // empty: no encoder program at all
    QTest::addColumn<QString>("expected");
    QTest::newRow("missing encoder") << QString() << "Cannot start";
    QTest::newRow("exit status 3") << "#!/bin/sh\nexit 3\n"
                                   << "failed with exit status 3";
    QTest::newRow("lame missing") << "#!/bin/sh\nexit 127\n"
                                  << "failed with exit status 127";
}

void TestMp3Window::aFailingEncoderIsReportedAndTheWindowStays() {
    QFETCH(QString, script);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QString encoder = dir.filePath(QStringLiteral("missing/BladeEnc"));
    if (!script.isEmpty()) {
        encoder = dir.filePath(QStringLiteral("BladeEnc"));
        QFile f(encoder);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(script.toUtf8());
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    }
    const QString wav = dir.filePath(QStringLiteral("Jam.wav"));
    QFile wavFile(wav);
    QVERIFY(wavFile.open(QIODevice::WriteOnly));
    wavFile.write("RIFF");
    wavFile.close();
    QStringList problems;
    Mp3ExportWindow w;
    w.showProblem = [&problems](const QString& message) { problems << message; };
    w.setEncoderPath(encoder.toStdString());
    w.show();
    w.setWavPath(wav);
    w.goButton->click();
    QTRY_COMPARE_WITH_TIMEOUT(problems.size(), 1, 3000);
    QVERIFY2(problems[0].contains(expected), qPrintable(problems[0]));
    QVERIFY2(problems[0].contains(dir.filePath("Jam.mp3")) && problems[0].contains("is kept"),
             qPrintable(problems[0]));
    // The window stays for another try, and the WAV is where it was.
    QTest::qWait(500);
    QVERIFY(w.isVisible());
    QVERIFY(!w.pollTimer->isActive());
    QVERIFY(QFile::exists(wav));
}

QTEST_MAIN(TestMp3Window)
#include "tst_mp3_window.moc"
