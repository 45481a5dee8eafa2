#include "app/ui/KitMakerCommand.h"

#include "app/ui/Sequence.h"
#include "app/ui/SequenceSound.h"
#include "kits/KitLibrary.h"
#include "kits/ui/TMakit.h"
#include "sound/SampleData.h"
#include "sound/SoundBuffer.h"

#include <QAction>
#include <QMessageBox>

namespace tamboro {

KitMakerCommand::KitMakerCommand(TSequence& window, TMakit& maker, SequenceSound* sound)
    : QObject(&window), Window(window), Maker(maker), Sound(sound) {
    askTemplate = [this] {
        return QMessageBox::question(&Window, QStringLiteral("Question"),
                                     QStringLiteral("Do you wish to template the current drum kit?"),
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    if (Sound) {
        Maker.audition = [this](const std::filesystem::path& file) {
            if (AuditionStream)
                AuditionStream->stop();
            AuditionStream = Sound->device().createBuffer(SampleData::fromWave(Wave::readFile(file)));
            AuditionStream->play(false);
        };
        Maker.setAuditionAvailable(true);
    }
    Window.KitMake->setEnabled(true);
    connect(Window.KitMake, &QAction::triggered, this, &KitMakerCommand::KitMakeClick);
}

KitMakerCommand::~KitMakerCommand() = default;

void KitMakerCommand::KitMakeClick() {
    std::vector<std::string> list;
    for (int i = 0; i < Window.Instruments.count(); ++i)
        list.push_back(Window.Instruments.entry(i));
    const TWaveCollection& kit = Window.DrumLibrary->kit();
    Maker.GetKitList(list, kit.count());
    Maker.show();
    Maker.raise();
    const bool templateCurrentKit = askTemplate ? askTemplate() : false;
    Maker.PrepareKit(kit, list, Window.ProgramDir, templateCurrentKit);
}

} // namespace tamboro
