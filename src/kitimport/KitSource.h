#pragma once
// Where an imported kit's files come from: a folder on disk or a kit archive read into memory.
// Either way a file is asked for by the path the kit's description writes, relative to the kit's
// own folder; a path that leaves that folder (an absolute one, or one whose "../" climbs out) is
// refused, so a kit file can never make the import read anything else.

#include <cstdint>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace tamboro {

class KitSource {
public:
    virtual ~KitSource() = default;
    // The bytes of `relativePath` (as written, '/' or '\\' separated; letter case is matched loosely
    // on disk). Throws Error naming the path when it leaves the kit folder, is missing or is larger
    // than `maxBytes`.
    virtual std::vector<std::uint8_t> read(const std::string& relativePath,
                                           std::uintmax_t maxBytes) const = 0;
    // For messages: the folder or archive.
    virtual std::string label() const = 0;
};

// The normal form of a relative path inside the kit folder ("a/./b/../c.wav" gives "a/c.wav");
// throws Error naming `path` when it is absolute or climbs out of the folder.
std::string pathInsideKit(const std::string& path);

class FolderKitSource : public KitSource {
public:
    explicit FolderKitSource(std::filesystem::path folder) : folder_(std::move(folder)) {}
    std::vector<std::uint8_t> read(const std::string& relativePath, std::uintmax_t maxBytes) const override;
    std::string label() const override { return folder_.string(); }

private:
    std::filesystem::path folder_;
};

// A tar archive (gzip'd, bzip2'd, xz'd or plain), read by libarchive: its regular files kept in
// memory by their normalised paths; entries whose paths leave the archive are left out. `base` is
// the folder inside the archive the kit's paths are relative to.
class ArchiveKitSource : public KitSource {
public:
    // Throws Error naming `label` when the bytes are not an archive libarchive reads, or when its
    // files hold more than kMaxTotalBytes together.
    ArchiveKitSource(std::span<const std::uint8_t> bytes, std::string label);
    static constexpr std::uintmax_t kMaxTotalBytes = std::uintmax_t{2} << 30;

    std::vector<std::uint8_t> read(const std::string& relativePath, std::uintmax_t maxBytes) const override;
    std::string label() const override { return label_; }
    // Paths of the files held, sorted.
    std::vector<std::string> paths() const;
    void setBase(std::string base) { base_ = std::move(base); }

private:
    std::string label_;
    std::string base_;
    std::map<std::string, std::vector<std::uint8_t>> files_;
};

} // namespace tamboro
