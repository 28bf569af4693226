#include "platform/image_file.h"

#include "platform/atomic_bmp.h"

namespace tolv {

Bitmap LoadImageFile(const std::string& path)
{
    return LoadBmp(path);
}

Bitmap LoadImageFile(const std::string& path, Bitmap&& spent)
{
    return LoadBmp(path, std::move(spent));
}

ImageFormat OutputFormatOf(std::string_view outputName)
{
    (void)outputName;
    return ImageFormat::Bmp;
}

std::uint64_t SaveImageFile(const Bitmap& bitmap, AtomicFile& file, ImageFormat format)
{
    (void)format;
    return SaveBmp(bitmap, file);
}

std::uint64_t EncodedImageSize(const Bitmap& bitmap, ImageFormat format)
{
    (void)format;
    return EncodedBmpSize(bitmap);
}

}  // namespace tolv
