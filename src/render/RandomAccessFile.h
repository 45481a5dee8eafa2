#pragma once
// A file opened for positioned reads and writes, used as the backing store of a file-backed wave
// buffer. Reads past the end return fewer bytes; writes past the end extend the file.

#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace tamboro {

class RandomAccessFile {
public:
    RandomAccessFile() = default;
    ~RandomAccessFile();
    RandomAccessFile(const RandomAccessFile&) = delete;
    RandomAccessFile& operator=(const RandomAccessFile&) = delete;

    // Opens `path` for reading and writing; `truncate` creates it empty. Throws Error with the
    // file system's message when it cannot be opened or created.
    void open(const std::filesystem::path& path, bool truncate);
    void close();
    bool isOpen() const { return file_ != nullptr; }

    std::uint64_t size() const { return size_; }
    // Reads up to `count` bytes at `offset`; returns how many were there.
    std::size_t readAt(std::uint64_t offset, void* to, std::size_t count);
    // Writes `count` bytes at `offset`, extending the file when needed. Throws Error on failure.
    void writeAt(std::uint64_t offset, const void* from, std::size_t count);

private:
    void seek(std::uint64_t offset);

    std::FILE* file_ = nullptr;
    std::filesystem::path path_;
    std::uint64_t size_ = 0;
};

} // namespace tamboro
