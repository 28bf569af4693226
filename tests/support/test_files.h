#pragma once

#include <filesystem>
#include <string>

namespace tolv::test {

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

void WriteText(const std::string& path, const std::string& text);
std::string ReadText(const std::string& path);

}  // namespace tolv::test
