#include "common/RiffChunks.h"

#include <algorithm>
#include <cstring>

namespace tamboro {

namespace {

constexpr std::uint64_t kHeaderBytes = 8;

std::uint32_t u32At(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

} // namespace

bool RiffChunk::is(std::string_view fourCharacterCode) const {
    return fourCharacterCode.size() == id.size() &&
           std::memcmp(id.data(), fourCharacterCode.data(), id.size()) == 0;
}

RiffChunks::RiffChunks(std::span<const std::uint8_t> bytes, std::string_view formType, Bound bound)
    : bytes_(bytes) {
    if (bytes.size() < 12 || formType.size() != 4)
        return;
    isForm_ =
        std::memcmp(bytes.data(), "RIFF", 4) == 0 && std::memcmp(bytes.data() + 8, formType.data(), 4) == 0;
    declaredSize_ = u32At(bytes.data() + 4);
    end_ = bytes.size();
    if (bound == Bound::DeclaredSize)
        end_ = std::min<std::uint64_t>(end_, std::uint64_t{declaredSize_} + kHeaderBytes);
}

std::optional<RiffChunk> RiffChunks::next() {
    if (!isForm_ || pos_ >= end_)
        return std::nullopt;
    const std::uint64_t size = bytes_.size();
    // A header the bytes end inside reads as zeros from there on.
    std::uint8_t header[kHeaderBytes] = {};
    std::memcpy(header, bytes_.data() + pos_, static_cast<std::size_t>(std::min(kHeaderBytes, size - pos_)));
    RiffChunk chunk;
    std::memcpy(chunk.id.data(), header, 4);
    chunk.size = u32At(header + 4);
    chunk.bodyOffset = pos_ + kHeaderBytes;
    chunk.headerComplete = chunk.bodyOffset <= size;
    if (chunk.headerComplete) {
        const auto present = std::min<std::uint64_t>(chunk.size, size - chunk.bodyOffset);
        chunk.body =
            bytes_.subspan(static_cast<std::size_t>(chunk.bodyOffset), static_cast<std::size_t>(present));
    }
    pos_ = chunk.bodyOffset + chunk.size;
    return chunk;
}

} // namespace tamboro
