// Feeds arbitrary bytes to the drumkit.xml reader and the kit-folder path rule. Any outcome but a
// kit or an Error is a bug; a normalised path never climbs out of the kit's folder.
#include "common/Error.h"
#include "kitimport/DrumkitXml.h"
#include "kitimport/KitSource.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tamboro::KitXml kit;
    try {
        kit = tamboro::parseDrumkitXml({reinterpret_cast<const char*>(data), size}, "fuzz.xml");
    } catch (const tamboro::Error&) {
        return 0;
    }
    for (const auto& instrument : kit.instruments) {
        const auto* layer = tamboro::fullVelocityLayer(instrument);
        if (!layer)
            continue;
        try {
            const std::string inside = tamboro::pathInsideKit(layer->file);
            if (inside.empty() || inside[0] == '/' || inside == ".." || inside.rfind("../", 0) == 0)
                std::abort();
        } catch (const tamboro::Error&) {
        }
    }
    return 0;
}
