#include "common/AtomicFileWriter.h"

#include "common/Error.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>
#include <string>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tamboro {

namespace fs = std::filesystem;

namespace {

fs::path temporaryBeside(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    std::random_device rd;
    fs::path tmp = target;
    tmp += ".tmp-" + std::to_string(rd()) + "-" + std::to_string(counter++);
    return tmp;
}

} // namespace

AtomicFileWriter::AtomicFileWriter(fs::path target)
    : target_(std::move(target)), temporary_(temporaryBeside(target_)) {
#ifdef _WIN32
    file_ = _wfopen(temporary_.c_str(), L"wb");
#else
    file_ = std::fopen(temporary_.c_str(), "wb");
#endif
    if (!file_)
        throw Error("Cannot create file \"" + target_.string() + "\". " + std::strerror(errno));
    // Large blocks: a render is written in one sequential stream.
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 20);
}

AtomicFileWriter::~AtomicFileWriter() {
    discard();
}

void AtomicFileWriter::discard() {
    if (!file_)
        return;
    std::fclose(file_);
    file_ = nullptr;
    std::error_code ignored;
    fs::remove(temporary_, ignored);
}

void AtomicFileWriter::write(std::span<const std::uint8_t> bytes) {
    if (!file_)
        throw Error("Cannot write file \"" + target_.string() + "\".");
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        throw Error("Cannot write file \"" + target_.string() + "\". " + std::strerror(errno));
    written_ += static_cast<std::int64_t>(bytes.size());
    startWriteback();
}

void AtomicFileWriter::startWriteback() {
#ifdef __linux__
    // Hands every finished stretch of the file to the disk while the rest is still being mixed,
    // so that the sync at commit waits for the last stretch only, not for the whole render.
    if (written_ - writebackStart_ < kWritebackStretch || std::fflush(file_) != 0)
        return;
    // Only a hint: a refusal just leaves the work to the final sync.
    (void)::sync_file_range(fileno(file_), writebackStart_, written_ - writebackStart_,
                            SYNC_FILE_RANGE_WRITE);
    writebackStart_ = written_;
#endif
}

int AtomicFileWriter::descriptor() const {
    if (!file_)
        throw Error("Cannot write file \"" + target_.string() + "\".");
#ifdef _WIN32
    return _fileno(file_);
#else
    return fileno(file_);
#endif
}

void AtomicFileWriter::commit() {
    if (!file_)
        throw Error("Cannot write file \"" + target_.string() + "\".");
    bool ok = std::fflush(file_) == 0;
#ifndef _WIN32
    // Durable contents before the rename makes them visible.
    ok = ok && ::fsync(fileno(file_)) == 0;
#endif
    const int savedErrno = errno;
    ok = (std::fclose(file_) == 0) && ok;
    file_ = nullptr;
    if (!ok) {
        std::error_code ignored;
        fs::remove(temporary_, ignored);
        throw Error("Cannot write file \"" + target_.string() + "\". " + std::strerror(savedErrno));
    }
    std::error_code ec;
    fs::rename(temporary_, target_, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary_, ignored);
        throw Error("Cannot write file \"" + target_.string() + "\". " + ec.message());
    }
}

} // namespace tamboro
