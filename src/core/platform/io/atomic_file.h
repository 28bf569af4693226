#pragma once

#include "platform/io/files.h"
#include "platform/io/open_folder.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

struct iovec;

namespace tolv {

// Streams a new file content into a temporary file beside the target and puts
// it in place with one rename on commit(), so readers see either the old file
// or the whole new one. Writes are buffered. Without commit() (an error, an
// exception on the way) the temporary file is removed and the target stays as
// it was. Every failure raises FileWriteError with the target path.
//
// A replaced file keeps its mode, and its owner and group as far as the
// process may set them (an unprivileged user cannot give a file away).
//
// The temporary file is hidden and named
//     "." NAME ".tolvane-tmp-" PID "@" HOST "." XXXXXX
// NAME being the target's name (cut to fit the name length limit), PID the
// writer's process id, HOST the machine's short host name in letters, digits
// and dashes (at most 32), XXXXXX six random letters or digits. A writer that
// is killed leaves it behind; SweepStaleTemporaries (temporary_files.h)
// removes exactly the files of this pattern once they are stale.
class AtomicFile {
public:
    // Replaces the file at `path`. A symbolic link there is followed to its
    // final target, which is replaced while the link stays a link. Stale
    // temporaries in the target's folder are swept first.
    explicit AtomicFile(std::string path);
    // Replaces the file `name` inside `folder`, never through a symbolic
    // link; `path` names it in errors. The file holds the folder until it is
    // committed or discarded. `found` is what a look just made found at the
    // name: a run looks at every name before it writes, and need not ask twice.
    AtomicFile(OpenFolder folder, std::string name, std::string path,
               const std::optional<FolderEntry>& found = std::nullopt);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(const void* data, std::size_t size);
    // Writes the parts in order, after what write() has buffered, straight
    // from where they lie: large contents need no copy into the buffer.
    void write(iovec* parts, std::size_t count);
    // `durable` also syncs the data to disk before the rename; bulk outputs
    // that a later run can write again skip it for speed. `beforeRename`,
    // when given, runs just before the rename; what it raises discards the
    // new content. Returns the identity of the file put in place, which is
    // asked only of a durable file: bulk outputs skip the look.
    std::optional<FileIdentity> commit(bool durable, const std::function<void()>& beforeRename = {});
    // The first half of commit(): the content written (and synced when
    // durable) and the temporary closed, so that what may fail has failed,
    // the rename still to come; a commit() after it only renames. A run
    // finishes its files on the threads that write them and puts them in
    // place one by one, in its order.
    void finish(bool durable);

private:
    void open(const std::optional<FolderEntry>& found);
    void createTemporary(bool replacing);
    void flushBuffer();
    void writeThrough(const std::uint8_t* data, std::size_t size);
    void discard();

    std::string path_;
    OpenFolder folder_;
    std::string name_;
    std::string tempName_;
    int fd_ = -1;
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t used_ = 0;
    // Set by finish().
    bool finished_ = false;
    std::optional<FileIdentity> written_;
};

}  // namespace tolv
