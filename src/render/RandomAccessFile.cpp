#include "render/RandomAccessFile.h"

#include "common/Error.h"

#include <cerrno>
#include <cstring>

namespace tamboro {

RandomAccessFile::~RandomAccessFile() {
    close();
}

void RandomAccessFile::open(const std::filesystem::path& path, bool truncate) {
    close();
    std::FILE* f = nullptr;
#ifdef _WIN32
    f = _wfopen(path.c_str(), truncate ? L"w+b" : L"r+b");
#else
    f = std::fopen(path.c_str(), truncate ? "w+b" : "r+b");
#endif
    if (!f)
        throw Error("Cannot open file \"" + path.string() + "\". " + std::strerror(errno));
    file_ = f;
    path_ = path;
    std::error_code ec;
    const auto length = std::filesystem::file_size(path, ec);
    size_ = ec ? 0 : static_cast<std::uint64_t>(length);
}

void RandomAccessFile::close() {
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
    size_ = 0;
}

void RandomAccessFile::seek(std::uint64_t offset) {
#ifdef _WIN32
    const int rc = _fseeki64(file_, static_cast<long long>(offset), SEEK_SET);
#else
    const int rc = fseeko(file_, static_cast<off_t>(offset), SEEK_SET);
#endif
    if (rc != 0)
        throw Error("Cannot seek in file \"" + path_.string() + "\".");
}

std::size_t RandomAccessFile::readAt(std::uint64_t offset, void* to, std::size_t count) {
    if (!file_ || count == 0 || offset >= size_)
        return 0;
    if (count > size_ - offset)
        count = static_cast<std::size_t>(size_ - offset);
    seek(offset);
    return std::fread(to, 1, count, file_);
}

void RandomAccessFile::writeAt(std::uint64_t offset, const void* from, std::size_t count) {
    if (!file_)
        throw Error("No backing file is open.");
    if (count == 0)
        return;
    seek(offset);
    if (std::fwrite(from, 1, count, file_) != count)
        throw Error("Cannot write file \"" + path_.string() + "\". " + std::strerror(errno));
    if (offset + count > size_)
        size_ = offset + count;
}

} // namespace tamboro
