#pragma once

#include "platform/io/files.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tolv {

// A fast non-cryptographic hash of a file's bytes (XXH3, 64 bits): what tells
// a file that holds other bytes than before also when its size and time were
// kept (touch -r, cp -p, a restore from a cache).
std::uint64_t ContentHash(std::string_view bytes);
// The hash as 16 lower-case hex digits, as the index keeps it.
std::string ContentHashText(std::uint64_t hash);

// A file as it was read: its stamp from the descriptor the bytes came through,
// and the hash of those bytes.
struct FileDigest {
    FileStamp stamp;
    std::uint64_t hash = 0;
    bool operator==(const FileDigest&) const = default;
};

// Reads the file at `path` through one descriptor, never through a symbolic
// link at its last part. Raises FileReadError with the path.
FileDigest DigestOfFile(const std::string& path);

}  // namespace tolv
