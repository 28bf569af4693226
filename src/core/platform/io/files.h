#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

struct stat;

namespace tolv {

// Folder + "/" + name; the separator only when the folder is non-empty and
// does not already end in one.
std::string JoinPath(std::string_view folder, std::string_view name);
// The folder part of a path, without a trailing separator (the root keeps "/").
std::string FolderPart(std::string_view path);
// The name part of a path: everything after the last separator.
std::string NamePart(std::string_view path);

bool FileExists(const std::string& path);

// A file's size and modification time (nanoseconds since the epoch): what
// tells, without reading it, that a file is not the one seen before.
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    bool operator==(const FileStamp&) const = default;
};
// The stamp of the file at `path` itself (a symbolic link is not followed);
// nothing when there is no such file.
std::optional<FileStamp> StampOf(const std::string& path);
// The stamp of the file a reader of `path` gets: symbolic links followed.
std::optional<FileStamp> StampThroughLinks(const std::string& path);

// Which file a path led to when it was looked at: the device and inode it
// lives in, with its size and modification time (nanoseconds). Another file
// renamed into its place, or the same file written again, has another
// identity. The default value stands for no file at all.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    bool operator==(const FileIdentity&) const = default;
};
// The identity that a stat() or fstat() answer gives.
FileIdentity IdentityFromStat(const struct stat& info);
// The identity of the file at `path`, through symbolic links (a save
// replaces a link's target); FileIdentity{} when there is none.
FileIdentity IdentityOf(const std::string& path);
inline FileStamp StampOfIdentity(const FileIdentity& identity)
{
    return FileStamp{identity.size, identity.modified};
}

bool DirectoryExists(const std::string& path);
// Creates one folder level; raises FileWriteError with the path on failure.
void CreateFolder(const std::string& path);
// Writes to a temporary file in the same folder, flushes it and renames it over
// `path`, so the target is either the old or the whole new content; returns
// the identity of the file written. `beforeRename`, when given, runs once the
// content is on disk, just before the rename: whatever it raises stops the
// write, and the target stays as it was. Raises FileWriteError with the path.
FileIdentity WriteFileAtomically(const std::string& path, std::string_view content,
                                 const std::function<void()>& beforeRename = {});
// Reads a whole file; raises FileReadError with the path. At most `limit` bytes
// are accepted; a larger file raises FileReadError too. `identity`, when
// given, receives the identity of the file as it was opened for reading.
std::string ReadWholeFile(const std::string& path, std::size_t limit, FileIdentity* identity = nullptr);

// The first bytes of a regular file, at most `count` (fewer only where the
// file ends, or ended while it was read), and the file's size as it was
// opened: both from one open file. Raises FileReadError as ReadWholeFile does.
struct FileHead {
    std::string bytes;
    std::uint64_t size = 0;
};
FileHead ReadFileHead(const std::string& path, std::size_t count);

}  // namespace tolv
