#pragma once
// Bounds-checked little-endian reader over a byte buffer. Every read checks what is left first, so
// a truncated or hostile file fails with a message instead of reading out of bounds.

#include "common/Error.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tamboro {

class ByteReader {
public:
    // `eofMessage` is the text of the Error raised when a read runs past the end.
    explicit ByteReader(std::span<const std::uint8_t> bytes, std::string eofMessage = "Stream read error")
        : bytes_(bytes), eofMessage_(std::move(eofMessage)) {}

    std::size_t position() const { return pos_; }
    std::size_t size() const { return bytes_.size(); }
    std::size_t remaining() const { return bytes_.size() - pos_; }
    bool atEnd() const { return pos_ >= bytes_.size(); }

    // Throws unless `count` more bytes are available.
    void require(std::size_t count) const {
        if (count > remaining())
            throw Error(eofMessage_);
    }
    void seek(std::size_t pos) {
        if (pos > bytes_.size())
            throw Error(eofMessage_);
        pos_ = pos;
    }
    void skip(std::size_t count) {
        require(count);
        pos_ += count;
    }

    std::uint8_t u8() {
        require(1);
        return bytes_[pos_++];
    }
    std::int8_t i8() { return static_cast<std::int8_t>(u8()); }
    std::uint16_t u16() {
        require(2);
        std::uint16_t v = static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    std::uint32_t u32() {
        require(4);
        std::uint32_t v = static_cast<std::uint32_t>(bytes_[pos_]) |
                          (static_cast<std::uint32_t>(bytes_[pos_ + 1]) << 8) |
                          (static_cast<std::uint32_t>(bytes_[pos_ + 2]) << 16) |
                          (static_cast<std::uint32_t>(bytes_[pos_ + 3]) << 24);
        pos_ += 4;
        return v;
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }

    // The next `count` bytes as a view; the reader moves past them.
    std::span<const std::uint8_t> bytes(std::size_t count) {
        require(count);
        auto view = bytes_.subspan(pos_, count);
        pos_ += count;
        return view;
    }
    std::string string(std::size_t count) {
        auto view = bytes(count);
        return std::string(view.begin(), view.end());
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::string eofMessage_;
    std::size_t pos_ = 0;
};

} // namespace tamboro
