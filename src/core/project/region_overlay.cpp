#include "project/region_overlay.h"

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/raster.h"

namespace tolv {

namespace {

Rect Whole(const Bitmap& bitmap)
{
    return Rect{0, 0, bitmap.width(), bitmap.height()};
}

void Invert(Bitmap& bitmap)
{
    Canvas(bitmap).copyRect(Whole(bitmap), bitmap, Whole(bitmap), RasterOp::DstInvert);
}

}  // namespace

void LoadMergeBMP(Region& region)
{
    FreeMergeBMP(region);
    if (region.RegionType != RegionKind::Overlay || !FileExists(region.OVLName))
        return;

    Bitmap image;
    try {
        image = LoadBmp(region.OVLName);
    } catch (const InvalidBitmapError&) {
        return;
    }
    if (image.empty())
        return;

    Bitmap mask = MakeMask(image, image.pixel(0, 0));
    // Black out the transparent pixels of the image: AND with the inverted mask.
    Invert(mask);
    Canvas(image).copyRect(Whole(image), mask, Whole(mask), RasterOp::SrcAnd);
    Invert(mask);

    if (image.width() > region.Width || image.height() > region.Height) {
        region.Width = image.width();
        region.Height = image.height();
    }
    region.MergeImage = std::move(image);
    region.MergeMask = std::move(mask);
}

void FreeMergeBMP(Region& region)
{
    region.MergeImage.reset();
    region.MergeMask.reset();
}

}  // namespace tolv
