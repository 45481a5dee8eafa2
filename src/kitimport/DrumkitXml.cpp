#include "kitimport/DrumkitXml.h"

#include "common/Error.h"

#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tamboro {

namespace {

// A number as the file writes it (C locale), or `fallback` when absent or not a finite number.
double number(const pugi::xml_node& node, const char* child, double fallback) {
    const char* text = node.child_value(child);
    const char* end = text + std::char_traits<char>::length(text);
    while (text != end && (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r'))
        ++text;
    double value = 0;
    const auto [stop, error] = std::from_chars(text, end, value);
    return error == std::errc() && stop != text && std::isfinite(value) ? value : fallback;
}

KitXmlLayer readLayer(const pugi::xml_node& layer) {
    KitXmlLayer out;
    out.file = layer.child_value("filename");
    out.minVelocity = number(layer, "min", 0);
    out.maxVelocity = number(layer, "max", 1);
    out.gain = std::max(0.0, number(layer, "gain", 1));
    return out;
}

// Older files give pan_L and pan_R (each 0..1, equal for the centre); newer ones one <pan>.
double readPan(const pugi::xml_node& instrument) {
    if (instrument.child("pan"))
        return std::clamp(number(instrument, "pan", 0), -1.0, 1.0);
    const double left = std::clamp(number(instrument, "pan_L", 1), 0.0, 1.0);
    const double right = std::clamp(number(instrument, "pan_R", 1), 0.0, 1.0);
    const double louder = std::max(left, right);
    return louder > 0 ? (right - left) / louder : 0.0;
}

} // namespace

KitXml parseDrumkitXml(std::span<const char> bytes, const std::string& label) {
    pugi::xml_document document;
    // parse_default leaves out the document type declaration: no entity is ever expanded.
    const pugi::xml_parse_result parsed =
        document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default);
    if (!parsed)
        throw Error(label + ": not readable XML (" + parsed.description() + " at byte " +
                    std::to_string(parsed.offset) + ").");
    const pugi::xml_node kit = document.child("drumkit_info");
    if (!kit)
        throw Error(label + ": no <drumkit_info> element; this is not a drum kit description.");
    KitXml out;
    out.name = kit.child_value("name");
    for (const pugi::xml_node& instrument : kit.child("instrumentList").children("instrument")) {
        KitXmlInstrument item;
        item.name = instrument.child_value("name");
        item.gain =
            std::max(0.0, number(instrument, "volume", 1)) * std::max(0.0, number(instrument, "gain", 1));
        item.pan = readPan(instrument);
        pugi::xml_node holder = instrument;
        if (!instrument.child("layer") && instrument.child("instrumentComponent"))
            holder = instrument.child("instrumentComponent");
        for (const pugi::xml_node& layer : holder.children("layer"))
            item.layers.push_back(readLayer(layer));
        if (item.layers.empty() && *instrument.child_value("filename"))
            item.layers.push_back(readLayer(instrument));
        out.instruments.push_back(std::move(item));
    }
    return out;
}

const KitXmlLayer* fullVelocityLayer(const KitXmlInstrument& instrument) {
    const KitXmlLayer* best = nullptr;
    for (const KitXmlLayer& layer : instrument.layers)
        if (!layer.file.empty() && (!best || layer.maxVelocity > best->maxVelocity))
            best = &layer;
    return best;
}

} // namespace tamboro
