#include "common/Files.h"

#include "common/Error.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tamboro {

namespace fs = std::filesystem;

std::vector<std::uint8_t> readFileBytes(const fs::path& path, std::uintmax_t maxBytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Error("Cannot open file \"" + path.string() + "\". " + std::strerror(errno));
    in.seekg(0, std::ios::end);
    const std::streamoff end = in.tellg();
    if (end < 0)
        throw Error("Cannot read file \"" + path.string() + "\".");
    if (static_cast<std::uintmax_t>(end) > maxBytes)
        throw Error("File \"" + path.string() + "\" is too large.");
    in.seekg(0, std::ios::beg);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(end));
    if (!bytes.empty() &&
        !in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
        throw Error("Cannot read file \"" + path.string() + "\".");
    return bytes;
}

namespace {

fs::path temporarySibling(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    std::random_device rd;
    const auto tag = std::to_string(rd()) + "-" + std::to_string(counter++);
    fs::path tmp = target;
    tmp += ".tmp-" + tag;
    return tmp;
}

} // namespace

void writeFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
    const fs::path tmp = temporarySibling(path);
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out)
            throw Error("Cannot create file \"" + path.string() + "\". " + std::strerror(errno));
        if (!bytes.empty())
            out.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            std::error_code ignored;
            out.close();
            fs::remove(tmp, ignored);
            throw Error("Cannot write file \"" + path.string() + "\".");
        }
    }
#ifndef _WIN32
    // Make the new contents durable before the rename makes them visible.
    if (int fd = ::open(tmp.c_str(), O_RDONLY); fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
    std::error_code ec;
    fs::rename(tmp, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(tmp, ignored);
        throw Error("Cannot write file \"" + path.string() + "\". " + ec.message());
    }
}

void writeFileAtomically(const fs::path& path, std::string_view text) {
    writeFileAtomically(
        path, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

std::string toLowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

int compareIgnoreCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        auto fold = [](char c) {
            return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        };
        const unsigned char x = fold(a[i]), y = fold(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && compareIgnoreCase(a, b) == 0;
}

fs::path resolveCaseInsensitive(const fs::path& dir, const std::string& name) {
    fs::path exact = dir / name;
    std::error_code ec;
    if (fs::exists(exact, ec))
        return exact;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (equalsIgnoreCase(it->path().filename().string(), name))
            return it->path();
    }
    return exact;
}

} // namespace tamboro
