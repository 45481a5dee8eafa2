// Feeds arbitrary bytes to the kit file reader. Any outcome but a clean load or an Error is a bug;
// a loaded kit must also survive being written and read back unchanged.
#include "common/Error.h"
#include "kits/DrumKit.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tamboro::DrumKit kit;
    try {
        kit.loadFromBytes(std::span(data, size));
    } catch (const tamboro::Error&) {
        return 0;
    }
    const auto saved = kit.saveToBytes();
    tamboro::DrumKit again;
    again.loadFromBytes(saved);
    if (again.saveToBytes() != saved)
        std::abort();
    for (int i = 0; i < kit.count(); ++i)
        if (kit.indexOf(kit.item(i).name()) < 0)
            std::abort();
    return 0;
}
