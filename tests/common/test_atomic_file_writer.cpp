// The atomic file writer: streamed in blocks (many megabytes, handed to the disk as it goes),
// the target appears whole on commit, and an abandoned writer leaves the old file alone.

#include "common/AtomicFileWriter.h"

#include "common/Error.h"
#include "common/Files.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <vector>

namespace tamboro {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> pattern(std::size_t size, std::uint8_t seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 31 + seed + i / 4096);
    return bytes;
}

std::size_t tempFilesIn(const fs::path& dir) {
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(dir))
        count += entry.path().filename().string().find(".tmp-") != std::string::npos;
    return count;
}

TEST(AtomicFileWriter, StreamedBlocksArriveWholeAndInOrder) {
    test::TempDir dir;
    const fs::path target = dir.path / "song.wav";
    writeFileAtomically(target, std::string("old take"));
    // Odd block sizes across several writeback stretches, as a long render writes them.
    const std::vector<std::uint8_t> all = pattern(11 * 1024 * 1024 + 77, 5);
    {
        AtomicFileWriter out(target);
        std::size_t at = 0;
        for (std::size_t block :
             {std::size_t{1}, std::size_t{65535}, std::size_t{3 << 20}, std::size_t{5 << 20}}) {
            out.write(std::span(all).subspan(at, block));
            at += block;
        }
        out.write(std::span(all).subspan(at));
        EXPECT_EQ(readFileBytes(target).size(), 8u); // the old take until the commit
        out.commit();
    }
    EXPECT_EQ(readFileBytes(target), all);
    EXPECT_EQ(tempFilesIn(dir.path), 0u);
}

TEST(AtomicFileWriter, AnAbandonedWriteLeavesTheOldFile) {
    test::TempDir dir;
    const fs::path target = dir.path / "song.wav";
    writeFileAtomically(target, std::string("old take"));
    {
        AtomicFileWriter out(target);
        out.write(pattern(6 << 20, 9));
    }
    EXPECT_EQ(readFileBytes(target), (std::vector<std::uint8_t>{'o', 'l', 'd', ' ', 't', 'a', 'k', 'e'}));
    EXPECT_EQ(tempFilesIn(dir.path), 0u);
    EXPECT_THROW(AtomicFileWriter(dir.path / "no-such-folder" / "x.wav"), Error);
}

} // namespace
} // namespace tamboro
