#include "sound/PlayCell.h"

#include "common/Error.h"
#include "kits/DrumKit.h"
#include "sound/InstrumentList.h"
#include "sound/KitVoices.h"
#include "sound/PlaybackState.h"
#include "sound/SampleStreams.h"

namespace tamboro {

CellSound parseCellSound(std::string_view text) {
    CellSound result;
    result.lookupText = std::string(text);
    if (text.size() >= 12) {
        const char levelChar = text[11];
        if (levelChar >= '0' && levelChar <= '9')
            result.level = levelChar - '0';
        result.lookupText[11] = ' ';
    }
    return result;
}

bool PlaybackState::playCell(const std::string& text, int channel) {
    const bool channelOn = channel >= 1 && channel <= 6 && channelsOn[static_cast<std::size_t>(channel)];
    const CellSound cell = parseCellSound(text);
    int index = instruments_.indexOf(cell.lookupText);
    if (index < 1)
        index = 0;
    const int last = instruments_.lastKitIndex();
    const std::string& name = instruments_.entry(index);
    if (!name.empty() && index <= last && channelOn) {
        // An instrument in the list but not in the kit sounds nothing.
        DrumKitItem* item = kit_.kit().findOrNull(name);
        if (!item)
            return false;
        kit_.setVolume(item->index(), levelVolume(cell.level));
        kit_.play(item->index());
        return true;
    }
    if (index > last && channelOn && samples_)
        samples_->restart(index - last);
    return false;
}

void PlaybackState::playInstrument() {
    const int last = instruments_.lastKitIndex();
    int index = instruments_.indexOf(instruments_.text());
    if (index < 0)
        index = last;
    if (index < 1)
        index = 0;
    const std::string& name = instruments_.entry(index);
    try {
        if (!name.empty() && index <= last) {
            if (DrumKitItem* item = kit_.kit().findOrNull(name))
                kit_.play(item->index());
        } else if (index > last && samples_) {
            samples_->restart(index - last);
        }
    } catch (const Error&) {
        // The audition ignores errors.
    }
}

} // namespace tamboro
