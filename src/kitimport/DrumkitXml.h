#pragma once
// The instrument list of a drum kit described by a drumkit.xml file (the free kits packaged for
// Linux drum machines ship this way): per instrument its name, its sample layers with their
// velocity ranges and gains, its volume, gain and pan. Parsed by pugixml, which never expands
// entities a document declares, so an "XML bomb" is just text.

#include <span>
#include <string>
#include <vector>

namespace tamboro {

struct KitXmlLayer {
    std::string file; // relative to the kit folder, as written
    double minVelocity = 0;
    double maxVelocity = 1;
    double gain = 1;
};

struct KitXmlInstrument {
    std::string name;
    std::vector<KitXmlLayer> layers; // in file order
    double gain = 1;                 // the instrument's volume times its gain
    double pan = 0;                  // -1 left .. 1 right
};

struct KitXml {
    std::string name;
    std::vector<KitXmlInstrument> instruments; // in file order
};

// Parses the bytes of a drumkit.xml; `label` names it in errors. Layers are read from the
// instrument itself, from its first <instrumentComponent>, or (oldest files) from a <filename>
// of the instrument. Throws Error when the bytes are not XML or hold no <drumkit_info>.
KitXml parseDrumkitXml(std::span<const char> bytes, const std::string& label);

// The layer meant for full velocity: the one reaching highest, the first of several that reach
// equally high (round-robin alternatives); nullptr without layers.
const KitXmlLayer* fullVelocityLayer(const KitXmlInstrument& instrument);

} // namespace tamboro
