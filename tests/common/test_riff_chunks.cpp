// The shared RIFF chunk walker: where a walk ends, what a short chunk or a cut header reads as, and
// that no body ever reaches past the bytes.

#include "common/ByteWriter.h"
#include "common/RiffChunks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tamboro {
namespace {

using Bytes = std::vector<std::uint8_t>;

// "RIFF", `riffSize`, `form`, then `rest` as it stands.
Bytes riff(std::uint32_t riffSize, const std::string& form, const Bytes& rest) {
    ByteWriter w;
    w.text("RIFF");
    w.u32(riffSize);
    w.text(form);
    w.bytes(rest);
    return w.data();
}

Bytes chunk(const std::string& id, std::uint32_t size, std::size_t present) {
    ByteWriter w;
    w.text(id);
    w.u32(size);
    for (std::size_t i = 0; i < present; ++i)
        w.u8(static_cast<std::uint8_t>(i + 1));
    return w.data();
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Seen {
    std::string id;
    std::uint32_t size;
    std::size_t present;
    bool headerComplete;
    friend bool operator==(const Seen&, const Seen&) = default;
};

std::vector<Seen> walk(const Bytes& bytes, RiffChunks::Bound bound) {
    RiffChunks chunks(bytes, "WAVE", bound);
    std::vector<Seen> seen;
    while (const auto c = chunks.next()) {
        // The body is always a part of the bytes walked, at the offset the header implies.
        if (!c->body.empty()) {
            EXPECT_GE(c->body.data(), bytes.data());
            EXPECT_LE(c->body.data() + c->body.size(), bytes.data() + bytes.size());
            EXPECT_EQ(c->body.data() - bytes.data(), static_cast<std::ptrdiff_t>(c->bodyOffset));
        }
        EXPECT_EQ(c->complete(), c->headerComplete && c->body.size() == c->size);
        seen.push_back({std::string(c->id.begin(), c->id.end()), c->size, c->body.size(), c->headerComplete});
    }
    return seen;
}

std::ostream& operator<<(std::ostream& out, const Seen& s) {
    return out << s.id << "/" << s.size << "/" << s.present << "/" << s.headerComplete;
}

TEST(RiffChunks, Walks) {
    using B = RiffChunks::Bound;
    const std::string zeros(4, '\0');
    const Bytes two = chunk("fmt ", 3, 3) + chunk("data", 1, 1);
    struct Case {
        const char* name;
        Bytes bytes;
        B bound;
        bool isForm;
        std::vector<Seen> chunks;
    } cases[] = {
        {"not RIFF",
         Bytes{'R', 'I', 'F', 'X', 0, 0, 0, 0, 'W', 'A', 'V', 'E'} + two,
         B::EndOfBytes,
         false,
         {}},
        {"another form", riff(100, "AVI ", two), B::EndOfBytes, false, {}},
        {"shorter than a RIFF header",
         Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V'},
         B::EndOfBytes,
         false,
         {}},
        {"no chunks", riff(4, "WAVE", {}), B::EndOfBytes, true, {}},
        {"odd sizes, no pad byte",
         riff(100, "WAVE", two),
         B::EndOfBytes,
         true,
         {{"fmt ", 3, 3, true}, {"data", 1, 1, true}}},
        {"a chunk claiming more than is left is the last",
         riff(100, "WAVE", chunk("LIST", 50, 4) + two),
         B::EndOfBytes,
         true,
         {{"LIST", 50, 24, true}}},
        {"a cut header reads as zeros past the end",
         riff(100, "WAVE", two + Bytes{'d', 'a', 't', 'a', 7, 1}),
         B::EndOfBytes,
         true,
         {{"fmt ", 3, 3, true}, {"data", 1, 1, true}, {"data", 0x107, 0, false}}},
        {"a zero identifier is handed out like any other",
         riff(100, "WAVE", chunk(zeros, 0, 0) + chunk("data", 1, 1)),
         B::EndOfBytes,
         true,
         {{zeros, 0, 0, true}, {"data", 1, 1, true}}},
        {"the declared size ends the walk",
         riff(4 + 11, "WAVE", two + chunk("LIST", 0, 0)),
         B::DeclaredSize,
         true,
         {{"fmt ", 3, 3, true}}},
        {"... and is ignored without that bound",
         riff(4 + 11, "WAVE", two),
         B::EndOfBytes,
         true,
         {{"fmt ", 3, 3, true}, {"data", 1, 1, true}}},
        {"a declared size past the end (kit files)",
         riff(4 + 20 + 2, "WAVE", two + Bytes{0}),
         B::DeclaredSize,
         true,
         {{"fmt ", 3, 3, true}, {"data", 1, 1, true}, {zeros, 0, 0, false}}},
        {"a declared size below 4", riff(0, "WAVE", two), B::DeclaredSize, true, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RiffChunks(c.bytes, "WAVE", c.bound).isForm(), c.isForm) << c.name;
        EXPECT_EQ(walk(c.bytes, c.bound), c.chunks) << c.name;
    }
}

} // namespace
} // namespace tamboro
