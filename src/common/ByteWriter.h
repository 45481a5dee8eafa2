#pragma once
// Little-endian writer into a growing byte vector.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace tamboro {

class ByteWriter {
public:
    std::vector<std::uint8_t>& data() { return bytes_; }
    const std::vector<std::uint8_t>& data() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }

    void u8(std::uint8_t v) { bytes_.push_back(v); }
    void u16(std::uint16_t v) {
        u8(static_cast<std::uint8_t>(v));
        u8(static_cast<std::uint8_t>(v >> 8));
    }
    void u32(std::uint32_t v) {
        u16(static_cast<std::uint16_t>(v));
        u16(static_cast<std::uint16_t>(v >> 16));
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void bytes(std::span<const std::uint8_t> b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
    void text(std::string_view s) { bytes_.insert(bytes_.end(), s.begin(), s.end()); }
    // Overwrites four bytes at `pos` (used for size fields known only after the body is written).
    void patchU32(std::size_t pos, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes_.at(pos + i) = static_cast<std::uint8_t>(v >> (8 * i));
    }

private:
    std::vector<std::uint8_t> bytes_;
};

} // namespace tamboro
