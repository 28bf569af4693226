#pragma once

#include "platform/image/bitmap.h"

#include <cstdint>

namespace tolv {

// A rectangle with exclusive right and bottom edges, as GDI uses them.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool operator==(const Rect&) const = default;
};

enum class PenStyle { Solid, Dot, DashDot };
enum class PenMode { Copy, Xor };

struct Pen {
    Color color = colors::Black;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    PenMode mode = PenMode::Copy;
};

enum class BrushStyle { Solid, Clear, Pattern };

struct Brush {
    Color color = colors::White;
    BrushStyle style = BrushStyle::Solid;
    // Pattern brushes tile this bitmap from the target's origin. Not owned.
    const Bitmap* pattern = nullptr;
};

// Raster operations of rectangle copies, with their GDI codes.
enum class RasterOp : std::uint32_t {
    SrcCopy = 0xCC0020,
    SrcAnd = 0x8800C6,
    SrcPaint = 0xEE0086,
    DstInvert = 0x550009,
};

// Drawing on one bitmap with the GDI conventions: rectangles exclude their
// right and bottom edges, the interior is filled first and the outline drawn
// over it, wider pens are centred on the one-pixel outline, lines exclude their
// end point, and everything is clipped to the bitmap. Colours map to the
// nearest palette entry on palette bitmaps.
class Canvas {
public:
    explicit Canvas(Bitmap& target) : target_(target) {}

    Pen pen;
    Brush brush;
    RasterOp copyMode = RasterOp::SrcCopy;

    Bitmap& target() { return target_; }

    // Fills with the brush only, no outline (GDI FillRect).
    void fillRect(const Rect& rect);
    // Fills with the brush, then outlines with the pen (GDI Rectangle); both
    // follow the pen's mode. A pen of width w puts w/2 pixels of each side
    // outside the one-pixel outline and (w-1)/2 inside. Dotted and dash-dot
    // styles apply to one-pixel pens; wider pens draw solid, as in GDI.
    void rectangle(const Rect& rect);
    void moveTo(int x, int y);
    // A wider pen paints `width` pixels across the line at each step.
    void lineTo(int x, int y);
    // Black outside the bitmap.
    Color pixel(int x, int y) const;
    void setPixel(int x, int y, Color color);

    // Copies `source` rectangle `from` to `to` (same size; nothing is stretched:
    // the size is `to`'s, `from` gives the source's top-left corner) with `op`.
    // The source is converted to the target's format first; then the op
    // combines pixel values in that format. A 1-bit source converts its bit 0
    // to the all-zero value and bit 1 to the all-one value of the target
    // format, so masks AND and OR exactly on every depth. For SRCPAINT a
    // source value 0 stays 0 in any format, so a blackened (transparent)
    // overlay pixel leaves the target as it is even on a palette whose black
    // is not entry 0. Parts of `from` outside the source read as zero; parts
    // of `to` outside the target are clipped. DSTINVERT ignores the source.
    void copyRect(const Rect& to, const Bitmap& source, const Rect& from, RasterOp op);
    // Uses copyMode as the operation.
    void copyRect(const Rect& to, const Bitmap& source, const Rect& from) { copyRect(to, source, from, copyMode); }

private:
    Bitmap& target_;
    int penX_ = 0;
    int penY_ = 0;
};

// A 1-bit bitmap of the source's size: white (1) where the source pixel has
// colour `key`, black (0) elsewhere.
Bitmap MakeMask(const Bitmap& source, Color key);

}  // namespace tolv
