#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tolv {

// What stands at a name inside a folder; a symbolic link counts as itself,
// whatever it points to.
enum class EntryKind { Missing, Link, Folder, Other };

// What one look found at a name inside a folder.
struct FolderEntry {
    EntryKind kind = EntryKind::Missing;
    // For a regular file, what a file put in its place keeps of it.
    bool regularFile = false;
    unsigned mode = 0;
    unsigned owner = 0;
    unsigned group = 0;
};

// A folder held open by its descriptor. Files and folders named relative to it
// stay inside it even when a path on the way is renamed or swapped for a link
// meanwhile. A folder that could not be opened is closed (isOpen() false).
class OpenFolder {
public:
    OpenFolder() = default;
    OpenFolder(OpenFolder&&) noexcept = default;
    OpenFolder& operator=(OpenFolder&&) noexcept = default;
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

    // The folder at `path` ("" is the current folder), links followed: where
    // the user keeps a folder is the user's choice.
    static OpenFolder Open(const std::string& path);

    bool isOpen() const { return descriptor_ != nullptr; }
    int fd() const { return descriptor_ ? *descriptor_ : -1; }
    // The same folder for another owner. The owners share the descriptor,
    // which the last of them closes: a run hands one to every file it writes.
    OpenFolder share() const;

    FolderEntry entryAt(const std::string& name) const;
    EntryKind kindOf(const std::string& name) const { return entryAt(name).kind; }
    // The names of its entries, "." and ".." among them; none when it
    // cannot be listed.
    std::vector<std::string> names() const;
    // The sub-folder `name`, never reached through a symbolic link.
    OpenFolder subFolder(const std::string& name) const;
    // Makes the sub-folder `name` unless something stands there; false when
    // it cannot be made.
    bool makeSubFolder(const std::string& name) const;

private:
    explicit OpenFolder(int fd);

    std::shared_ptr<const int> descriptor_;
};

}  // namespace tolv
