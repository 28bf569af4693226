#pragma once

#include "platform/io/open_folder.h"

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolv {

// The folder that keeps the unsaved edits of every window and the marks of
// the projects they have open. What it holds is the user's unsaved work, so
// only a private folder of the user's own is used: it is made with mode
// 0700, and one that exists with other permissions, that is a symbolic link
// or that belongs to another user is refused (recovery is then off). Every
// file is named relative to the folder held open, so no link on the way is
// ever followed.
class RecoveryFolder {
public:
    // A refused folder: recovery is off.
    RecoveryFolder() = default;
    // Opens the folder at `path`, making it and the folders above it when
    // missing. Never raises: a folder that cannot be used is refused.
    static RecoveryFolder Open(const std::string& path);

    bool usable() const { return folder_.isOpen(); }
    // Why the folder is not used ("PATH is a symbolic link"); empty when it is.
    const std::string& refusal() const { return refusal_; }
    const std::string& path() const { return path_; }
    std::string pathOf(const std::string& name) const;
    const OpenFolder& folder() const { return folder_; }

    std::vector<std::string> names() const;
    // When the regular file `name` was last written; nothing for anything else.
    std::optional<std::time_t> writtenAt(const std::string& name) const;

    // Puts `content` in place of whatever stands at `name`, atomically: a
    // temporary file made exclusively is renamed over it, so a link there
    // is replaced and its target left as it was. Raises FileWriteError.
    void write(const std::string& name, std::string_view content) const;
    // Removes the entry `name` itself; a missing one is no error.
    void remove(const std::string& name) const;
    bool rename(const std::string& from, const std::string& to) const;

private:
    std::string path_;
    std::string refusal_;
    OpenFolder folder_;
};

}  // namespace tolv
