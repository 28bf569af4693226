#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tolv {

// Streams a new file content into a temporary file beside `path` and puts it
// in place with one rename on commit(), so readers see either the old file or
// the whole new one; a replaced file keeps its permissions. Writes are
// buffered. Without commit() (an error, an exception on the way) the temporary
// file is removed and the target stays as it was. Every failure raises
// FileWriteError with the target path.
class AtomicFile {
public:
    explicit AtomicFile(std::string path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(const void* data, std::size_t size);
    // `durable` also syncs the data to disk before the rename; bulk outputs
    // that a later run can write again skip it for speed.
    void commit(bool durable);

private:
    void flushBuffer();
    void writeThrough(const std::uint8_t* data, std::size_t size);
    void discard();

    std::string path_;
    std::string tempPath_;
    int fd_ = -1;
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t used_ = 0;
};

}  // namespace tolv
