#include "kitimport/KitSource.h"

#include "common/Error.h"
#include "common/Files.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <memory>

namespace tamboro {

namespace fs = std::filesystem;

std::string pathInsideKit(const std::string& path) {
    std::string unified = path;
    std::replace(unified.begin(), unified.end(), '\\', '/');
    if (unified.empty() || unified[0] == '/' || (unified.size() > 1 && unified[1] == ':'))
        throw Error("\"" + path + "\" is not a path inside the kit's folder.");
    std::vector<std::string> parts;
    std::size_t pos = 0;
    while (pos <= unified.size()) {
        auto end = unified.find('/', pos);
        if (end == std::string::npos)
            end = unified.size();
        const std::string part = unified.substr(pos, end - pos);
        pos = end + 1;
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (parts.empty())
                throw Error("\"" + path + "\" leaves the kit's folder.");
            parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    if (parts.empty())
        throw Error("\"" + path + "\" names no file.");
    std::string out;
    for (const auto& part : parts)
        out += (out.empty() ? "" : "/") + part;
    return out;
}

std::vector<std::uint8_t> FolderKitSource::read(const std::string& relativePath,
                                                std::uintmax_t maxBytes) const {
    const std::string inside = pathInsideKit(relativePath);
    fs::path file = folder_;
    for (const fs::path& part : fs::path(inside))
        file = resolveCaseInsensitive(file, part.string());
    std::error_code ec;
    // A link inside the folder must not lead out of it either.
    const fs::path real = fs::weakly_canonical(file, ec);
    const fs::path root = fs::weakly_canonical(folder_, ec);
    const auto [rootEnd, realAt] = std::mismatch(root.begin(), root.end(), real.begin(), real.end());
    if (ec || rootEnd != root.end())
        throw Error("\"" + relativePath + "\" leads out of the kit's folder.");
    if (!fs::is_regular_file(file, ec))
        throw Error("\"" + relativePath + "\" is missing.");
    if (fs::file_size(file, ec) > maxBytes)
        throw Error("\"" + relativePath + "\" is larger than " + std::to_string(maxBytes >> 20) + " MiB.");
    return readFileBytes(file, maxBytes);
}

namespace {

struct ArchiveCloser {
    void operator()(archive* a) const { archive_read_free(a); }
};

} // namespace

ArchiveKitSource::ArchiveKitSource(std::span<const std::uint8_t> bytes, std::string label)
    : label_(std::move(label)) {
    std::unique_ptr<archive, ArchiveCloser> reader(archive_read_new());
    archive_read_support_filter_all(reader.get());
    archive_read_support_format_tar(reader.get());
    archive_read_support_format_gnutar(reader.get());
    if (archive_read_open_memory(reader.get(), bytes.data(), bytes.size()) != ARCHIVE_OK)
        throw Error(label_ + ": not a kit archive (" + archive_error_string(reader.get()) + ").");
    std::uintmax_t total = 0;
    archive_entry* entry = nullptr;
    for (;;) {
        const int status = archive_read_next_header(reader.get(), &entry);
        if (status == ARCHIVE_EOF)
            break;
        if (status != ARCHIVE_OK && status != ARCHIVE_WARN)
            throw Error(label_ + ": the archive is damaged (" + archive_error_string(reader.get()) + ").");
        if (archive_entry_filetype(entry) != AE_IFREG)
            continue;
        const char* name = archive_entry_pathname(entry);
        std::string path;
        try {
            path = pathInsideKit(name ? name : "");
        } catch (const Error&) {
            continue; // an entry that would land outside the archive's folder is never used
        }
        std::vector<std::uint8_t> data;
        const la_int64_t declared = archive_entry_size(entry);
        if (declared > 0 && static_cast<std::uintmax_t>(declared) + total > kMaxTotalBytes)
            throw Error(label_ + ": the archive's files hold more than " +
                        std::to_string(kMaxTotalBytes >> 30) + " GiB.");
        std::uint8_t block[1 << 16];
        for (;;) {
            const la_ssize_t got = archive_read_data(reader.get(), block, sizeof block);
            if (got < 0)
                throw Error(label_ + ": \"" + path + "\" in the archive is damaged (" +
                            archive_error_string(reader.get()) + ").");
            if (got == 0)
                break;
            total += static_cast<std::uintmax_t>(got);
            if (total > kMaxTotalBytes)
                throw Error(label_ + ": the archive's files hold more than " +
                            std::to_string(kMaxTotalBytes >> 30) + " GiB.");
            data.insert(data.end(), block, block + got);
        }
        files_[path] = std::move(data);
    }
}

std::vector<std::uint8_t> ArchiveKitSource::read(const std::string& relativePath,
                                                 std::uintmax_t maxBytes) const {
    const std::string inside = pathInsideKit(base_.empty() ? relativePath : base_ + "/" + relativePath);
    if (!base_.empty() && inside.rfind(base_ + "/", 0) != 0)
        throw Error("\"" + relativePath + "\" leaves the kit's folder.");
    auto found = files_.find(inside);
    if (found == files_.end())
        found = std::find_if(files_.begin(), files_.end(),
                             [&](const auto& file) { return equalsIgnoreCase(file.first, inside); });
    if (found == files_.end())
        throw Error("\"" + relativePath + "\" is missing from the archive.");
    if (found->second.size() > maxBytes)
        throw Error("\"" + relativePath + "\" is larger than " + std::to_string(maxBytes >> 20) + " MiB.");
    return found->second;
}

std::vector<std::string> ArchiveKitSource::paths() const {
    std::vector<std::string> out;
    for (const auto& file : files_)
        out.push_back(file.first);
    return out;
}

} // namespace tamboro
