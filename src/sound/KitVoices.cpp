#include "sound/KitVoices.h"

#include "common/Error.h"
#include "kits/DrumKit.h"
#include "sound/SampleData.h"
#include "sound/SoundDevice.h"

#include <thread>

namespace tamboro {

void KitVoices::initialize(SoundDevice& device) {
    finalize();
    std::vector<ItemVoices> fresh(static_cast<std::size_t>(kit_.count()));
    std::vector<int> silent;
    for (int i = 0; i < kit_.count(); ++i) {
        const DrumKitItem& item = kit_.item(i);
        if (item.wave().empty())
            continue;
        if (!item.wave().isPlayablePcm()) {
            silent.push_back(i);
            continue;
        }
        auto main = device.createBuffer(SampleData::fromWave(item.wave()));
        main->setFrequency(item.frequency());
        main->setPan(item.pan());
        main->setVolume(item.volume());
        fresh[static_cast<std::size_t>(i)].main = std::move(main);
    }
    items_ = std::move(fresh);
    silentItems_ = std::move(silent);
    device_ = &device;
}

void KitVoices::finalize() {
    items_.clear();
    device_ = nullptr;
}

KitVoices::ItemVoices* KitVoices::entry(int index) {
    if (!device_ || index < 0 || index >= static_cast<int>(items_.size()) || index >= kit_.count())
        return nullptr;
    ItemVoices& e = items_[static_cast<std::size_t>(index)];
    return e.main ? &e : nullptr;
}

const KitVoices::ItemVoices* KitVoices::entry(int index) const {
    return const_cast<KitVoices*>(this)->entry(index);
}

SoundBuffer* KitVoices::startVoice(int index) {
    ItemVoices* e = entry(index);
    if (!e)
        return nullptr;
    const DrumKitItem& item = kit_.item(index);
    if (item.looped()) {
        e->main->restart(true, 0);
        return e->main.get();
    }
    SoundBuffer* chosen = nullptr;
    for (auto& v : e->voices) {
        if (!v->isPlaying() && !v->isLooping()) {
            chosen = v.get();
            break;
        }
    }
    if (!chosen) {
        const auto limit = static_cast<std::size_t>(item.maxPlayingCount());
        if (limit > 0 && e->voices.size() >= limit) {
            // The list is full: the voice at its head is cut off, moved to the tail and reused.
            auto head = std::move(e->voices.front());
            e->voices.erase(e->voices.begin());
            e->voices.push_back(std::move(head));
        } else {
            try {
                e->voices.push_back(device_->duplicate(*e->main));
            } catch (const Error&) {
                return nullptr;
            }
        }
        chosen = e->voices.back().get();
    }
    chosen->restart(false, 0, item.frequency(), item.pan(), item.volume());
    return chosen;
}

bool KitVoices::play(int index) {
    return startVoice(index) != nullptr;
}

bool KitVoices::playAndWait(int index) {
    SoundBuffer* voice = startVoice(index);
    if (!voice)
        return false;
    if (kit_.item(index).looped())
        return true;
    while (voice->isPlaying())
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return true;
}

void KitVoices::setPan(int index, std::int32_t pan) {
    if (index < 0 || index >= kit_.count())
        return;
    kit_.item(index).setPan(pan);
    if (ItemVoices* e = entry(index))
        e->main->setPan(pan);
}

void KitVoices::setVolume(int index, std::int32_t volume) {
    if (index < 0 || index >= kit_.count())
        return;
    kit_.item(index).setVolume(volume);
    if (ItemVoices* e = entry(index))
        e->main->setVolume(volume);
}

const SoundBuffer* KitVoices::mainBuffer(int index) const {
    const ItemVoices* e = entry(index);
    return e ? e->main.get() : nullptr;
}

std::size_t KitVoices::voiceCount(int index) const {
    const ItemVoices* e = entry(index);
    return e ? e->voices.size() : 0;
}

const SoundBuffer* KitVoices::voice(int index, std::size_t position) const {
    const ItemVoices* e = entry(index);
    return e && position < e->voices.size() ? e->voices[position].get() : nullptr;
}

} // namespace tamboro
