#include "platform/errors.h"
#include "platform/image/bitmap.h"
#include "platform/image/bmp_format.h"
#include "platform/io/io_parts.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/uio.h>
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

    void read(void* into, std::size_t count, std::uint64_t offset) const
    {
        iovec part{into, count};
        readInto(&part, 1, offset);
    }

    // Fills the parts in order with consecutive bytes from `offset`, so rows
    // land where they belong without a second pass. A file that ends early
    // was cut short while we read it: not a valid bitmap.
    void readInto(iovec* parts, std::size_t count, std::uint64_t offset) const
    {
        for (SkipDone(parts, count, 0); count > 0;) {
            const ssize_t got = ::preadv(fd_, parts, int(std::min<std::size_t>(count, IOV_MAX)), off_t(offset));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                throw FileReadError(path_);
            if (got == 0)
                throw InvalidBitmapError();
            offset += std::uint64_t(got);
            SkipDone(parts, count, std::size_t(got));
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
        for (int i = 0; i < bitmap.height(); ++i)
            std::memcpy(bitmap.row(bmp::BitmapRow(layout, i)), pixels + std::size_t(i) * bitmap.stride(),
                        bitmap.stride());
    }
    return bitmap;
}

// Uncompressed rows are read straight into their place in the bitmap (the
// file's stride is ours), bottom-up files in reverse order, so a large frame
// is never held twice nor copied after reading.
Bitmap LoadBmp(const std::string& path)
{
    return LoadBmp(path, Bitmap());
}

Bitmap LoadBmp(const std::string& path, Bitmap&& spent)
{
    const OpenFile file(path);
    std::vector<std::uint8_t> head(std::min<std::uint64_t>(file.size(), bmp::MaxHeadersSize));
    file.read(head.data(), head.size(), 0);
    const bmp::Layout layout = bmp::ParseHeaders(head.data(), head.size(), file.size());
    Bitmap bitmap = bmp::MakeBitmap(layout, std::move(spent));
    if (layout.compressed()) {
        std::vector<std::uint8_t> stream(layout.pixelBytes);
        file.read(stream.data(), stream.size(), layout.pixelOffset);
        bmp::DecodeRle(layout, stream.data(), stream.size(), bitmap);
    } else {
        std::vector<iovec> rows(std::size_t(bitmap.height()));
        for (int i = 0; i < bitmap.height(); ++i)
            rows[std::size_t(i)] = {bitmap.row(bmp::BitmapRow(layout, i)), bitmap.stride()};
        file.readInto(rows.data(), rows.size(), layout.pixelOffset);
    }
    return bitmap;
}

}  // namespace tolv
