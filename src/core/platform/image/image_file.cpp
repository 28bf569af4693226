#include "platform/image/image_file.h"

#include "platform/errors.h"
#include "platform/image/atomic_bmp.h"
#include "platform/image/png_codec.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>

namespace tolv {

namespace {

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

using FileHandle = std::unique_ptr<std::FILE, CloseFile>;

bool EndsWithPng(std::string_view name)
{
    constexpr std::string_view extension = ".png";
    return name.size() >= extension.size()
           && std::equal(extension.begin(), extension.end(), name.end() - std::ptrdiff_t(extension.size()),
                         [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

}  // namespace

Bitmap LoadImageFile(const std::string& path)
{
    return LoadImageFile(path, Bitmap());
}

// The first bytes are read through the file that then reads the PNG, so the
// file told apart is the file read. A BMP goes to its own reader, which
// opens the file anew.
Bitmap LoadImageFile(const std::string& path, Bitmap&& spent)
{
    const FileHandle file(std::fopen(path.c_str(), "rbe"));
    struct stat info {};
    if (!file || ::fstat(::fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode))
        throw FileReadError(path);
    std::uint8_t head[PngSignatureLength] = {};
    const std::size_t got = std::fread(head, 1, sizeof head, file.get());
    if (std::ferror(file.get()) != 0)
        throw FileReadError(path);
    if (IsPngSignature(head, got))
        return ReadPng(file.get(), path, std::move(spent));
    return LoadBmp(path, std::move(spent));
}

Bitmap DecodeImageFile(std::string_view bytes)
{
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    return IsPngSignature(data, bytes.size()) ? DecodePng(data, bytes.size()) : DecodeBmp(data, bytes.size());
}

ImageFormat OutputFormatOf(std::string_view outputName)
{
    return EndsWithPng(outputName) ? ImageFormat::Png : ImageFormat::Bmp;
}

std::uint64_t SaveImageFile(const Bitmap& bitmap, AtomicFile& file, ImageFormat format, int pngLevel)
{
    const std::uint64_t size = WriteImageFile(bitmap, file, format, pngLevel);
    file.commit(false);
    return size;
}

std::uint64_t WriteImageFile(const Bitmap& bitmap, AtomicFile& file, ImageFormat format, int pngLevel)
{
    return format == ImageFormat::Png ? WritePng(bitmap, file, pngLevel) : WriteBmp(bitmap, file);
}

int ReportedBitsPerPixel(const Bitmap& bitmap, ImageFormat format)
{
    return format == ImageFormat::Bmp ? BmpFileDepth(bitmap) : bitmap.bitsPerPixel();
}

std::uint64_t EncodedImageSize(const Bitmap& bitmap, ImageFormat format, int pngLevel)
{
    return format == ImageFormat::Png ? EncodedPngSize(bitmap, pngLevel) : EncodedBmpSize(bitmap);
}

}  // namespace tolv
