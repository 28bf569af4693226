#pragma once

#include <stdexcept>
#include <string>

namespace tolv {

// Errors of the file and bitmap layers. They stop the operation at hand and are
// caught at the top of a user operation, where their text is shown as it stands.
class TolvError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that is not a usable bitmap: malformed, truncated, or too large.
class InvalidBitmapError : public TolvError {
public:
    InvalidBitmapError() : TolvError("Bitmap image is not valid") {}
};

// A file that should be read but does not exist or cannot be opened.
class FileReadError : public TolvError {
public:
    explicit FileReadError(const std::string& path) : TolvError("Unable to read " + path), path_(path) {}
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// A file or folder that cannot be written.
class FileWriteError : public TolvError {
public:
    explicit FileWriteError(const std::string& path) : TolvError("Unable to write to " + path), path_(path) {}
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace tolv
