#include "common/Files.h"

#include "common/AtomicFileWriter.h"
#include "common/Error.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

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

void writeFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
    AtomicFileWriter out(path);
    out.write(bytes);
    out.commit();
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
