#include "platform/bitmap.h"
#include "platform/bmp_format.h"
#include "platform/errors.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tolv {

namespace {

class OpenFile {
public:
    explicit OpenFile(const std::string& path) : path_(path), fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC))
    {
        struct stat info {};
        if (fd_ < 0 || ::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
            closeFile();
            throw FileReadError(path);
        }
        size_ = std::uint64_t(info.st_size);
    }
    ~OpenFile() { closeFile(); }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    std::uint64_t size() const { return size_; }

    // A file that ends early was cut short while we read it: not a valid bitmap.
    void read(void* into, std::size_t count, std::uint64_t offset) const
    {
        auto* bytes = static_cast<std::uint8_t*>(into);
        while (count > 0) {
            const ssize_t got = ::pread(fd_, bytes, count, off_t(offset));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                throw FileReadError(path_);
            if (got == 0)
                throw InvalidBitmapError();
            bytes += got;
            count -= std::size_t(got);
            offset += std::uint64_t(got);
        }
    }

private:
    void closeFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

    std::string path_;
    int fd_;
    std::uint64_t size_ = 0;
};

}  // namespace

Bitmap DecodeBmp(const std::uint8_t* data, std::size_t size)
{
    const bmp::Layout layout = bmp::ParseHeaders(data, size, size);
    Bitmap bitmap = bmp::MakeBitmap(layout);
    const std::uint8_t* pixels = data + layout.pixelOffset;
    if (layout.compressed()) {
        bmp::DecodeRle(layout, pixels, layout.pixelBytes, bitmap);
    } else {
        std::memcpy(bitmap.row(0), pixels, layout.pixelBytes);
        bmp::ArrangeRows(layout, bitmap);
    }
    return bitmap;
}

// Uncompressed pixels go with one read straight into the bitmap's rows, whose
// stride is the file's, so a large frame is never held twice.
Bitmap LoadBmp(const std::string& path)
{
    const OpenFile file(path);
    std::vector<std::uint8_t> head(std::min<std::uint64_t>(file.size(), bmp::MaxHeadersSize));
    file.read(head.data(), head.size(), 0);
    const bmp::Layout layout = bmp::ParseHeaders(head.data(), head.size(), file.size());
    Bitmap bitmap = bmp::MakeBitmap(layout);
    if (layout.compressed()) {
        std::vector<std::uint8_t> stream(layout.pixelBytes);
        file.read(stream.data(), stream.size(), layout.pixelOffset);
        bmp::DecodeRle(layout, stream.data(), stream.size(), bitmap);
    } else {
        file.read(bitmap.row(0), layout.pixelBytes, layout.pixelOffset);
        bmp::ArrangeRows(layout, bitmap);
    }
    return bitmap;
}

}  // namespace tolv
