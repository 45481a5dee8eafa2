#pragma once
// The program's one RIFF chunk walker, over a file's bytes in memory. It checks the 12-byte RIFF
// header and then hands out the chunks in file order, each with its declared size and the part of
// its body that the bytes really hold: every length is checked against the bytes that are there,
// so no caller ever indexes past them. What a short chunk means is the caller's to decide (the kit
// reader and the render buffer word their errors differently and are both documented in their
// own headers).
//
// Walk rules: chunk sizes are taken as they stand (no pad byte after an odd size); a chunk header
// that the bytes end inside reads as zeros past the end; the walk ends when the next chunk header
// would start at or after the end of the bytes, so a chunk that claims more bytes than are left
// is always the last one. With Bound::DeclaredSize it also ends at the end the RIFF size field
// declares, which lets a reader ignore whatever follows the RIFF block (and accept kit-written
// files, whose RIFF size runs past the end of the file).

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tamboro {

struct RiffChunk {
    std::array<char, 4> id{};
    // The size its header declares.
    std::uint32_t size = 0;
    // Offset of the body (just past the 8-byte header) in the bytes walked; it may lie past their
    // end when the bytes end inside the header.
    std::uint64_t bodyOffset = 0;
    // The bytes of the body that are present: all `size` of them, or fewer when the bytes end first.
    std::span<const std::uint8_t> body;
    // True when the whole header lay within the bytes.
    bool headerComplete = false;

    bool is(std::string_view fourCharacterCode) const;
    // An identifier of four zero bytes (padding, or a header read past the end).
    bool hasZeroId() const { return id == std::array<char, 4>{}; }
    // True when all `size` body bytes are present.
    bool bodyComplete() const { return body.size() == size; }
    // True when header and body lie wholly within the bytes.
    bool complete() const { return headerComplete && bodyComplete(); }
};

class RiffChunks {
public:
    enum class Bound { EndOfBytes, DeclaredSize };

    // Reads the RIFF header: "RIFF", the size of what follows, then the form type.
    RiffChunks(std::span<const std::uint8_t> bytes, std::string_view formType,
               Bound bound = Bound::EndOfBytes);

    // True when the bytes start with "RIFF" <size> and the given form type.
    bool isForm() const { return isForm_; }
    // The size field of the RIFF header (the bytes that follow it, by the writer's count).
    std::uint32_t declaredSize() const { return declaredSize_; }

    // The next chunk, or nothing when the walk has ended (always nothing when !isForm()).
    std::optional<RiffChunk> next();

private:
    std::span<const std::uint8_t> bytes_;
    bool isForm_ = false;
    std::uint32_t declaredSize_ = 0;
    std::uint64_t end_ = 0;
    std::uint64_t pos_ = 12;
};

} // namespace tamboro
