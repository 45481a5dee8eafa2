// The grid colour dialog and the Options window: OK applies both colours, Cancel none; picker
// cancels keep the colour; a negative cell jump becomes 0 and the spin keeps the confirmed value.

#include "windows/controls/GridColorDialog.h"
#include "windows/controls/OptionsWindow.h"

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
GridColorDialog::ColorPicker scripted(QList<std::optional<QColor>> answers) {
    auto queue = std::make_shared<QList<std::optional<QColor>>>(std::move(answers));
    return [queue](const QColor&, QWidget*) { return queue->isEmpty() ? std::nullopt : queue->takeFirst(); };
}

// Runs editGridColors with the dialog driven by `drive` once it is shown.
bool runDialog(QColor& background, QColor& text, const std::function<void(GridColorDialog*)>& drive) {
    QTimer::singleShot(0, [drive] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<GridColorDialog*>(w); dialog && dialog->isVisible())
                drive(dialog);
    });
    return GridColorDialog::editGridColors(nullptr, background, text);
}

} // namespace

void TestGridDialogs::previewStartsWithTheGridColours() {
    GridColorDialog dialog(kBackground, kText);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("GridColor"));
    // As tall as ever, as wide as its whole preview (the legibility test checks each text).
    QCOMPARE(dialog.height(), 210);
    QVERIFY(dialog.rect().contains(dialog.previewGrid->geometry()));
    QCOMPARE(dialog.backgroundButton->text(), QStringLiteral("Background"));
    QCOMPARE(dialog.textButton->text(), QStringLiteral("Text"));
    QCOMPARE(dialog.previewGrid->item(2, 1)->text(), QStringLiteral("Kick      [ ]"));
    QCOMPARE(dialog.previewGrid->item(4, 2)->text(), QStringLiteral("Snare     [ ]"));
    QCOMPARE(dialog.previewGrid->item(1, 3)->text(), QStringLiteral("Channel3"));
    QCOMPARE(dialog.previewGrid->item(3, 0)->text(), QStringLiteral("2:1"));
    QCOMPARE(dialog.previewGrid->item(2, 1)->background().color(), kBackground);
    QCOMPARE(dialog.previewGrid->item(2, 1)->foreground().color(), kText);
    QVERIFY(dialog.previewGrid->item(0, 1)->background().color() != kBackground); // fixed rows
}

void TestGridDialogs::okAppliesBothColours() {
    QColor background = kBackground, text = kText;
    const bool accepted = runDialog(background, text, [](GridColorDialog* d) {
        d->setColorPicker(scripted({QColor(Qt::black), QColor(Qt::yellow)}));
        d->backgroundButton->click();
        d->textButton->click();
        QCOMPARE(d->previewGrid->item(3, 3)->background().color(), QColor(Qt::black));
        QCOMPARE(d->previewGrid->item(3, 3)->foreground().color(), QColor(Qt::yellow));
        d->okButton->click();
    });
    QVERIFY(accepted);
    QCOMPARE(background, QColor(Qt::black));
    QCOMPARE(text, QColor(Qt::yellow));
}

void TestGridDialogs::cancelAppliesNone() {
    QColor background = kBackground, text = kText;
    const bool accepted = runDialog(background, text, [](GridColorDialog* d) {
        d->setColorPicker(scripted({QColor(Qt::red)}));
        d->backgroundButton->click();
        d->cancelButton->click();
    });
    QVERIFY(!accepted);
    QCOMPARE(background, kBackground);
    QCOMPARE(text, kText);
}

void TestGridDialogs::aCancelledPickerKeepsTheColour() {
    GridColorDialog dialog(kBackground, kText);
    dialog.setColorPicker(scripted({std::nullopt, QColor(Qt::white)}));
    dialog.backgroundButton->click();
    QCOMPARE(dialog.backgroundColor(), kBackground);
    dialog.textButton->click();
    QCOMPARE(dialog.textColor(), QColor(Qt::white));
    QCOMPARE(dialog.backgroundColor(), kBackground);
}

void TestGridDialogs::cellJumpNeverNegative() {
    OptionsWindow options;
    QCOMPARE(options.windowTitle(), QStringLiteral("Options"));
    QCOMPARE(options.size(), QSize(191, 106));
    QCOMPARE(options.cellJumpBox->value(), 0);
    QSignalSpy chosen(&options, &OptionsWindow::cellJumpChosen);
    options.show();
    options.cellJumpBox->setValue(-3);
    options.okButton->click();
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toInt(), 0);
    QCOMPARE(options.cellJumpBox->value(), 0);
    QVERIFY(!options.isVisible());

    options.show();
    options.cellJumpBox->setValue(3);
    options.okButton->click();
    QCOMPARE(chosen.at(1).at(0).toInt(), 3);
    options.show(); // reopening shows the value last confirmed
    QCOMPARE(options.cellJumpBox->value(), 3);
}

QTEST_MAIN(TestGridDialogs)
#include "tst_grid_dialogs.moc"
