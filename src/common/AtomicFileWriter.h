#pragma once
// The program's one way of replacing a file: the bytes go into a temporary file beside the target,
// which is made durable and renamed over the target only when complete, so a failed or abandoned
// write never leaves a partial file where the old one stood. Destroying an uncommitted writer
// removes the temporary file. Written in a stream of blocks, so a file too large to assemble in
// memory (a whole render) needs no more than one block; writeFileAtomically (common/Files.h) is
// the whole-buffer call of it.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>

namespace tamboro {

class AtomicFileWriter {
public:
    // Creates the temporary file. Throws Error when the target's folder cannot take it.
    explicit AtomicFileWriter(std::filesystem::path target);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Appends bytes. Throws Error on a write failure (a full disk).
    void write(std::span<const std::uint8_t> bytes);
    // Flushes, makes the contents durable and renames the file over the target. Throws Error.
    void commit();
    // The temporary file's descriptor, for a writer that must seek in what it writes (libsndfile's
    // FLAC encoder rewrites its header at the end). Bytes written through it bypass write(), so
    // one file uses one of the two ways, never both.
    int descriptor() const;

private:
    // Bytes handed to the disk in one go while writing continues.
    static constexpr std::int64_t kWritebackStretch = 4 << 20;

    void discard();
    void startWriteback();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::FILE* file_ = nullptr;
    std::int64_t written_ = 0;
    std::int64_t writebackStart_ = 0;
};

} // namespace tamboro
