// The grid colour dialog and the Options window: OK applies both colours, Cancel none; picker
// cancels keep the colour; a negative cell jump becomes 0 and the spin keeps the confirmed value.

#include "controls/ui/GridColorDialog.h"
#include "controls/ui/OptionsWindow.h"

#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace tamboro;

class TestGridDialogs : public QObject {
    Q_OBJECT
private slots:
    void previewStartsWithTheGridColours();
    void okAppliesBothColours();
    void cancelAppliesNone();
    void aCancelledPickerKeepsTheColour();
    void cellJumpNeverNegative();
};

namespace {

const QColor kBackground(170, 221, 64);
const QColor kText(64, 64, 128);

// A picker that answers with the queued colours in turn (an empty entry is a cancelled picker).
TGridColor::ColorPicker scripted(QList<std::optional<QColor>> answers) {
    auto queue = std::make_shared<QList<std::optional<QColor>>>(std::move(answers));
    return [queue](const QColor&, QWidget*) { return queue->isEmpty() ? std::nullopt : queue->takeFirst(); };
}

// Runs editGridColors with the dialog driven by `drive` once it is shown.
bool runDialog(QColor& background, QColor& text, const std::function<void(TGridColor*)>& drive) {
    QTimer::singleShot(0, [drive] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<TGridColor*>(w); dialog && dialog->isVisible())
                drive(dialog);
    });
    return TGridColor::editGridColors(nullptr, background, text);
}

} // namespace

void TestGridDialogs::previewStartsWithTheGridColours() {
    TGridColor dialog(kBackground, kText);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("GridColor"));
    QCOMPARE(dialog.size(), QSize(312, 210));
    QCOMPARE(dialog.Button1->text(), QStringLiteral("Background"));
    QCOMPARE(dialog.Button2->text(), QStringLiteral("Text"));
    QCOMPARE(dialog.StringGrid1->item(2, 1)->text(), QStringLiteral("Kick      [ ]"));
    QCOMPARE(dialog.StringGrid1->item(4, 2)->text(), QStringLiteral("Snare     [ ]"));
    QCOMPARE(dialog.StringGrid1->item(1, 3)->text(), QStringLiteral("Channel3"));
    QCOMPARE(dialog.StringGrid1->item(3, 0)->text(), QStringLiteral("2:1"));
    QCOMPARE(dialog.StringGrid1->item(2, 1)->background().color(), kBackground);
    QCOMPARE(dialog.StringGrid1->item(2, 1)->foreground().color(), kText);
    QVERIFY(dialog.StringGrid1->item(0, 1)->background().color() != kBackground); // fixed rows
}

void TestGridDialogs::okAppliesBothColours() {
    QColor background = kBackground, text = kText;
    const bool accepted = runDialog(background, text, [](TGridColor* d) {
        d->setColorPicker(scripted({QColor(Qt::black), QColor(Qt::yellow)}));
        d->Button1->click();
        d->Button2->click();
        QCOMPARE(d->StringGrid1->item(3, 3)->background().color(), QColor(Qt::black));
        QCOMPARE(d->StringGrid1->item(3, 3)->foreground().color(), QColor(Qt::yellow));
        d->OK->click();
    });
    QVERIFY(accepted);
    QCOMPARE(background, QColor(Qt::black));
    QCOMPARE(text, QColor(Qt::yellow));
}

void TestGridDialogs::cancelAppliesNone() {
    QColor background = kBackground, text = kText;
    const bool accepted = runDialog(background, text, [](TGridColor* d) {
        d->setColorPicker(scripted({QColor(Qt::red)}));
        d->Button1->click();
        d->Cancel->click();
    });
    QVERIFY(!accepted);
    QCOMPARE(background, kBackground);
    QCOMPARE(text, kText);
}

void TestGridDialogs::aCancelledPickerKeepsTheColour() {
    TGridColor dialog(kBackground, kText);
    dialog.setColorPicker(scripted({std::nullopt, QColor(Qt::white)}));
    dialog.Button1->click();
    QCOMPARE(dialog.backgroundColor(), kBackground);
    dialog.Button2->click();
    QCOMPARE(dialog.textColor(), QColor(Qt::white));
    QCOMPARE(dialog.backgroundColor(), kBackground);
}

void TestGridDialogs::cellJumpNeverNegative() {
    TForm2 options;
    QCOMPARE(options.windowTitle(), QStringLiteral("Options"));
    QCOMPARE(options.size(), QSize(191, 106));
    QCOMPARE(options.SpinEdit1->value(), 0);
    QSignalSpy chosen(&options, &TForm2::cellJumpChosen);
    options.show();
    options.SpinEdit1->setValue(-3);
    options.Button1->click();
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toInt(), 0);
    QCOMPARE(options.SpinEdit1->value(), 0);
    QVERIFY(!options.isVisible());

    options.show();
    options.SpinEdit1->setValue(3);
    options.Button1->click();
    QCOMPARE(chosen.at(1).at(0).toInt(), 3);
    options.show(); // reopening shows the value last confirmed
    QCOMPARE(options.SpinEdit1->value(), 3);
}

QTEST_MAIN(TestGridDialogs)
#include "tst_grid_dialogs.moc"
