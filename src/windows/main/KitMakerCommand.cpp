#include "windows/main/KitMakerCommand.h"

#include "kits/KitLibrary.h"
#include "kits/SoundFile.h"
#include "sound/SampleData.h"
#include "sound/SoundBuffer.h"
#include "windows/controls/SideWindowPlacer.h"
#include "windows/kits/KitMakerWindow.h"
#include "windows/main/MainWindowSound.h"
#include "windows/main/MainWindowState.h"

#include <QAction>
#include <QMessageBox>

namespace tamboro {

KitMakerCommand::KitMakerCommand(QAction& trigger, const MainWindowState& state, KitMakerWindow& maker,
                                 MainWindowSound* sound, QWidget& window)
    : QObject(&window), state_(state), maker_(maker), sound_(sound) {
    askTemplate = [parent = &window] {
        return QMessageBox::question(parent, QStringLiteral("Question"),
                                     QStringLiteral("Do you wish to template the current drum kit?"),
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    if (sound_) {
        maker_.audition = [this](const std::filesystem::path& file) {
            if (auditionStream_)
                auditionStream_->stop();
            auditionStream_ = sound_->device().createBuffer(SampleData::fromWave(readSoundWave(file)));
            auditionStream_->play(false);
        };
        maker_.setAuditionAvailable(true);
    }
    connect(&trigger, &QAction::triggered, this, &KitMakerCommand::kitMakerClicked);
    keepBeside(maker_, window, kPanelWish);
}

KitMakerCommand::~KitMakerCommand() = default;

void KitMakerCommand::kitMakerClicked() {
    std::vector<std::string> list;
    for (int i = 0; i < state_.instruments.count(); ++i)
        list.push_back(state_.instruments.entry(i));
    const DrumKit& kit = state_.kitLibrary->kit();
    maker_.buildRows(list, kit.count());
    maker_.show();
    maker_.raise();
    const bool templateCurrentKit = askTemplate ? askTemplate() : false;
    maker_.fillFromMainKit(kit, list, state_.programDir, templateCurrentKit);
}

} // namespace tamboro
