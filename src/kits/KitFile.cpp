#include "kits/KitFile.h"

#include "common/ByteReader.h"
#include "common/ByteWriter.h"
#include "common/Error.h"
#include "kits/DrumKit.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace tamboro {

namespace {

constexpr char invalidFormat[] = "Invalid stream format";
constexpr char invalidValue[] = "Invalid property value";

constexpr char resourceName[] = "DELPHIXWAVECOLLECTION";
constexpr char className[] = "TWaveCollectionComponent";
constexpr std::size_t headerBytes = 31;
// The reader looks for the header in at most this many leading bytes.
constexpr std::size_t headerProbeBytes = 79;

// Value-type codes of the binary component stream.
enum ValueType : std::uint8_t {
    vaNull = 0x00,
    vaList = 0x01,
    vaInt8 = 0x02,
    vaInt16 = 0x03,
    vaInt32 = 0x04,
    vaString = 0x06,
    vaFalse = 0x08,
    vaTrue = 0x09,
    vaBinary = 0x0A,
    vaLString = 0x0C,
    vaCollection = 0x0E,
    vaInt64 = 0x13,
    vaUtf8String = 0x14,
};

// --- reading -------------------------------------------------------------------------------

// Skips the resource header and returns the offset of the component stream.
std::size_t skipResourceHeader(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 10)
        throw Error(invalidFormat);
    const auto probe = bytes.subspan(0, std::min(bytes.size(), headerProbeBytes));
    const auto nameEnd = std::find(probe.begin() + std::min<std::size_t>(3, probe.size()), probe.end(), 0);
    if (nameEnd == probe.end())
        throw Error(probe.size() < headerProbeBytes ? "Stream read error" : invalidFormat);
    const auto nameLength = static_cast<std::size_t>(nameEnd - (probe.begin() + 3));
    const std::size_t streamStart = nameLength + 10;
    if (streamStart > bytes.size())
        throw Error("Stream read error");
    return streamStart;
}

std::string readShortString(ByteReader& in) {
    return in.string(in.u8());
}

std::int32_t readInteger(ByteReader& in) {
    switch (in.u8()) {
    case vaInt8:
        return in.i8();
    case vaInt16:
        return in.i16();
    case vaInt32:
        return in.i32();
    case vaInt64: {
        const std::uint64_t low = in.u32();
        const std::uint64_t high = in.u32();
        const auto value = static_cast<std::int64_t>(low | (high << 32));
        if (value < std::numeric_limits<std::int32_t>::min() ||
            value > std::numeric_limits<std::int32_t>::max())
            throw Error(invalidValue);
        return static_cast<std::int32_t>(value);
    }
    default:
        throw Error(invalidValue);
    }
}

bool readBoolean(ByteReader& in) {
    switch (in.u8()) {
    case vaFalse:
        return false;
    case vaTrue:
        return true;
    default:
        throw Error(invalidValue);
    }
}

std::string readString(ByteReader& in) {
    switch (in.u8()) {
    case vaString:
        return readShortString(in);
    case vaLString:
    case vaUtf8String:
        return in.string(in.u32()); // the length is checked against what is left first
    default:
        throw Error(invalidValue);
    }
}

std::span<const std::uint8_t> readBinary(ByteReader& in) {
    if (in.u8() != vaBinary)
        throw Error(invalidValue);
    return in.bytes(in.u32());
}

struct ItemFields {
    std::string name;
    bool looped = false;
    std::int32_t maxPlayingCount = 0;
    Wave wave;
};

ItemFields readItem(ByteReader& in) {
    ItemFields fields;
    for (;;) {
        const std::string property = readShortString(in);
        if (property.empty())
            return fields; // the zero byte ending the item
        if (property == "Name")
            fields.name = readString(in);
        else if (property == "Looped")
            fields.looped = readBoolean(in);
        else if (property == "MaxPlayingCount")
            fields.maxPlayingCount = readInteger(in);
        else if (property == "Wave.WAVE")
            fields.wave = Wave::fromBytes(readBinary(in));
        else
            throw Error("Property " + property + " does not exist");
    }
}

void readList(ByteReader& in, DrumKit& kit) {
    if (in.u8() != vaCollection)
        throw Error(invalidValue);
    for (;;) {
        std::uint8_t marker = in.u8();
        if (marker == vaNull)
            return;
        if (marker == vaInt8 || marker == vaInt16 || marker == vaInt32) {
            // An item may be preceded by its order number; it carries nothing we keep.
            in.skip(marker == vaInt8 ? 1 : marker == vaInt16 ? 2 : 4);
            marker = in.u8();
        }
        if (marker != vaList)
            throw Error(invalidValue);
        ItemFields fields = readItem(in);
        auto& item = kit.add();
        item.setName(std::move(fields.name));
        item.setLooped(fields.looped);
        item.setMaxPlayingCount(fields.maxPlayingCount);
        item.setWave(std::move(fields.wave));
    }
}

// --- writing -------------------------------------------------------------------------------

void writeShortString(ByteWriter& out, std::string_view text) {
    out.u8(static_cast<std::uint8_t>(text.size()));
    out.text(text);
}

void writeInteger(ByteWriter& out, std::int32_t value) {
    if (value >= -128 && value <= 127) {
        out.u8(vaInt8);
        out.u8(static_cast<std::uint8_t>(static_cast<std::int8_t>(value)));
    } else if (value >= -32768 && value <= 32767) {
        out.u8(vaInt16);
        out.u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(value)));
    } else {
        out.u8(vaInt32);
        out.i32(value);
    }
}

void writeItem(ByteWriter& out, const DrumKitItem& item) {
    out.u8(vaList);
    if (!item.name().empty()) {
        writeShortString(out, "Name");
        if (item.name().size() <= 255) {
            out.u8(vaString);
            writeShortString(out, item.name());
        } else {
            out.u8(vaLString);
            out.u32(static_cast<std::uint32_t>(item.name().size()));
            out.text(item.name());
        }
    }
    writeShortString(out, "Looped");
    out.u8(item.looped() ? vaTrue : vaFalse);
    writeShortString(out, "MaxPlayingCount");
    writeInteger(out, item.maxPlayingCount());
    writeShortString(out, "Wave.WAVE");
    out.u8(vaBinary);
    const auto block = item.wave().toBytes();
    out.u32(static_cast<std::uint32_t>(block.size()));
    out.bytes(block);
    out.u8(vaNull);
}

} // namespace

void readKit(std::span<const std::uint8_t> bytes, DrumKit& kit) {
    kit.clear();
    ByteReader in(bytes);
    in.seek(skipResourceHeader(bytes));
    if (in.string(4) != "TPF0")
        throw Error(invalidFormat);
    readShortString(in); // class name
    readShortString(in); // component name
    for (;;) {
        const std::string property = readShortString(in);
        if (property.empty())
            break;
        if (property != "List")
            throw Error("Property " + property + " does not exist");
        readList(in, kit);
    }
    if (in.u8() != vaNull) // the (empty) list of child components
        throw Error(invalidValue);
}

std::vector<std::uint8_t> writeKit(const DrumKit& kit) {
    ByteWriter out;
    out.u8(0xFF);
    out.u16(10);
    out.text(resourceName);
    out.u8(0);
    out.u16(0x1030);
    const std::size_t sizeField = out.size();
    out.u32(0);

    out.text("TPF0");
    writeShortString(out, className);
    writeShortString(out, "");
    writeShortString(out, "List");
    out.u8(vaCollection);
    for (int i = 0; i < kit.count(); ++i)
        writeItem(out, kit.item(i));
    out.u8(vaNull); // end of the collection
    out.u8(vaNull); // end of the component's properties
    out.u8(vaNull); // end of its child components
    out.patchU32(sizeField, static_cast<std::uint32_t>(out.size() - headerBytes));
    return std::move(out.data());
}

} // namespace tamboro
