#include "extract/prefilter.h"

#include "platform/image/raster.h"
#include "platform/saturating.h"

#include <algorithm>

namespace tolv {

namespace {

void PaintRegion(Bitmap& target, const Region& region, OverlayPaints& paints)
{
    if (region.RegionType == RegionKind::Overlay) {
        MergeOverlay(target, region, paints);
    } else if (region.RegionType == RegionKind::TextBox) {
        PaintTextBox(target, region);
    }
}

Rect Whole(const Bitmap& bitmap)
{
    return Rect{0, 0, bitmap.width(), bitmap.height()};
}

// Where black is entry 0 (or there is no palette) the image converts as ORing
// converts it, 0 staying 0. On a palette whose black is another entry, ORing
// MergeImage straight in cannot keep both its blackened key pixels (which must
// add nothing) and its opaque black ones (which must become that black
// entry): the opaque part is cut out with the mask.
OverlayPaint MakePaint(const Bitmap& target, const Region& region)
{
    const Bitmap& image = *region.MergeImage;
    OverlayPaint paint{Bitmap::SameFormat(target, image.width(), image.height()),
                       Bitmap::SameFormat(target, image.width(), image.height())};
    const Rect all = Whole(image);
    Canvas(paint.mask).copyRect(all, *region.MergeMask, all, RasterOp::SrcCopy);
    Canvas canvas(paint.image);
    if (target.valueOf(colors::Black) == 0) {
        canvas.copyRect(all, image, all, RasterOp::SrcPaint);
    } else {
        canvas.copyRect(all, paint.mask, all, RasterOp::SrcCopy);
        canvas.copyRect(all, paint.mask, all, RasterOp::DstInvert);
        canvas.copyRect(all, image, all, RasterOp::SrcAnd);
    }
    return paint;
}

}  // namespace

// Frames with alpha (PNG) get exactly the pixels a BMP frame of their format
// gets, and nothing is blended: every pixel a box paints becomes opaque, even
// over a transparent area (alpha 255 on 32 bits; on a palette with alpha the
// nearest of its most opaque entries, see Bitmap::valueOf).
void PaintTextBox(Bitmap& target, const Region& region)
{
    // Geometry from a file may lie anywhere in the int range.
    const int inset = region.LineWidth / 2;
    const int left = SaturatingAdd(region.Left, inset);
    const int top = SaturatingAdd(region.Top, inset);
    const int right = SaturatingAdd(SaturatingAdd(region.Left, region.Width), -inset);
    const int bottom = SaturatingAdd(SaturatingAdd(region.Top, region.Height), -inset);

    Canvas canvas(target);
    // A pen of width 0 or less draws one pixel wide, as GDI pens do.
    canvas.pen = Pen{colors::Black, std::max(1, region.LineWidth), PenStyle::Solid, PenMode::Copy};
    canvas.brush = Brush{region.BoxColor, BrushStyle::Solid, nullptr};
    canvas.rectangle(Rect{left, top, right, bottom});
    if (region.Title) {
        canvas.brush.color = region.TitleColor;
        canvas.rectangle(Rect{left, top, right, SaturatingAdd(SaturatingAdd(region.Top, region.TitleHeight), -inset)});
    }
}

const OverlayPaint& OverlayPaints::paintFor(const Region& region, const Bitmap& target)
{
    for (const Entry& entry : entries_) {
        if (entry.image == region.MergeImage && entry.mask == region.MergeMask
            && entry.paint.image.sameFormat(target)) {
            return entry.paint;
        }
    }
    entries_.push_back(Entry{region.MergeImage, region.MergeMask, MakePaint(target, region)});
    return entries_.back().paint;
}

void MergeOverlay(Bitmap& target, const Region& region)
{
    OverlayPaints paints;
    MergeOverlay(target, region, paints);
}

// Alpha goes with the pixel values: an overlay pixel of the key colour leaves
// the frame pixel as it is, alpha included; any other replaces it whole, with
// its own alpha when the overlay has the frame's format and opaque when it is
// converted from another one.
void MergeOverlay(Bitmap& target, const Region& region, OverlayPaints& paints)
{
    if (!region.MergeImage || !region.MergeMask) {
        return;
    }
    // The overlay is never stretched; beyond its edges there is nothing to
    // merge, so the copy stops there instead of blackening the frame.
    const int width = std::min(region.Width, region.MergeImage->width());
    const int height = std::min(region.Height, region.MergeImage->height());
    const Rect from{0, 0, width, height};
    const Rect to{region.Left, region.Top, SaturatingAdd(region.Left, width), SaturatingAdd(region.Top, height)};
    if (from.empty()) {
        return;
    }
    const OverlayPaint& paint = paints.paintFor(region, target);
    Canvas canvas(target);
    canvas.copyRect(to, paint.mask, from, RasterOp::SrcAnd);
    canvas.copyRect(to, paint.image, from, RasterOp::SrcPaint);
}

void CleanFrameEdges(Bitmap& target)
{
    const int width = target.width();
    const int height = target.height();
    if (width < 2 || height < 2) {
        return;
    }
    Canvas canvas(target);
    canvas.pen = Pen{target.pixel(1, 1), 1, PenStyle::Solid, PenMode::Copy};
    canvas.moveTo(0, height);
    canvas.lineTo(0, 0);
    canvas.lineTo(width, 0);
    canvas.lineTo(width, height);
    canvas.lineTo(0, height);
}

void PaintPrefilterRegions(Bitmap& display, const Project& project, const PaintedRegions& painted, bool showPaintAll)
{
    OverlayPaints paints;
    if (showPaintAll) {
        for (const auto& region : project.Regions) {
            if (PaintsIntoFrames(*region)) {
                PaintRegion(display, *region, paints);
            }
        }
        return;
    }
    for (const Region* region : painted) {
        if (region->Visible) {
            PaintRegion(display, *region, paints);
        }
    }
}

void PrefilterFrame(Bitmap& work, const PaintedRegions& painted)
{
    OverlayPaints paints;
    PrefilterFrame(work, painted, paints);
}

void PrefilterFrame(Bitmap& work, const PaintedRegions& painted, OverlayPaints& paints)
{
    for (const RegionKind kind : {RegionKind::Overlay, RegionKind::TextBox}) {
        for (const Region* region : painted) {
            if (region->RegionType == kind) {
                PaintRegion(work, *region, paints);
            }
        }
    }
}

}  // namespace tolv
