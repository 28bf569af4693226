#include "platform/image/raster.h"

#include "platform/image/raster_span.h"

#include <array>
#include <optional>
#include <vector>

namespace tolv {

namespace {

using span::Range;

std::uint64_t Combine(RasterOp op, std::uint64_t target, std::uint64_t source)
{
    switch (op) {
    case RasterOp::SrcAnd:
        return target & source;
    case RasterOp::SrcPaint:
        return target | source;
    default:
        return source;
    }
}

// Turns source pixel values into target values. A 1-bit source is a mask:
// 0 and 1 become the target's all-zero and all-one values. A palette source
// goes through a table; a true-colour source onto a palette target through a
// small cache, as the nearest-entry search is slow. For OR, a source value 0
// (a pixel blackened as transparent) stays 0 in every target format, so that
// ORing it leaves the target as it is, even on a palette whose black is not
// entry 0.
class SourceConverter {
public:
    SourceConverter(const Bitmap& source, const Bitmap& target, RasterOp op)
        : source_(source), target_(target), zeroStaysZero_(op == RasterOp::SrcPaint)
    {
        if (source.bitsPerPixel() == 1) {
            kind_ = Kind::Mask;
            allOnes_ = pixel::AllOnes(target.bitsPerPixel());
        } else if (source.sameFormat(target)) {
            kind_ = Kind::Same;
        } else if (!source.palette().empty()) {
            kind_ = Kind::Table;
            table_.resize(std::size_t(1) << source.bitsPerPixel());
            for (std::size_t i = 0; i < table_.size(); ++i)
                table_[i] = target.valueOf(source.colorOf(std::uint64_t(i)));
        } else {
            kind_ = Kind::Colour;
        }
    }

    std::uint64_t operator()(std::uint64_t value)
    {
        if (value == 0 && zeroStaysZero_)
            return 0;
        switch (kind_) {
        case Kind::Mask:
            return value != 0 ? allOnes_ : 0;
        case Kind::Same:
            return value;
        case Kind::Table:
            return table_[value];
        default:
            return byColour(value);
        }
    }

private:
    enum class Kind { Mask, Same, Table, Colour };

    std::uint64_t byColour(std::uint64_t value)
    {
        const Color colour = source_.colorOf(value);
        if (target_.palette().empty())
            return target_.valueOf(colour);
        auto& slot = cache_[(colour * 0x9E3779B1u) >> 22];
        if (!slot || slot->first != colour)
            slot.emplace(colour, target_.valueOf(colour));
        return slot->second;
    }

    const Bitmap& source_;
    const Bitmap& target_;
    bool zeroStaysZero_;
    Kind kind_ = Kind::Colour;
    std::uint64_t allOnes_ = 0;
    std::vector<std::uint64_t> table_;
    std::array<std::optional<std::pair<Color, std::uint64_t>>, 1024> cache_{};
};

// The general case, pixel by pixel.
void CopyRowConverted(Bitmap& target, int y, int x0, int x1, const Bitmap& source, int sy, std::int64_t sx0,
                      RasterOp op, SourceConverter& convert)
{
    std::uint8_t* to = target.row(y);
    const std::uint8_t* from = source.row(sy);
    const int depth = target.bitsPerPixel();
    const int sourceDepth = source.bitsPerPixel();
    auto sx = int(sx0);
    for (int x = x0; x < x1; ++x, ++sx) {
        const std::uint64_t value = convert(pixel::Load(from, sx, sourceDepth));
        pixel::Store(to, x, depth, Combine(op, pixel::Load(to, x, depth), value));
    }
}

// Combines a run of bytes eight at a time, then the rest one by one; the
// source is never the target (copyRect copies it first).
template <typename Op>
void CombineBytes(std::uint8_t* to, const std::uint8_t* from, std::size_t count, Op op)
{
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint64_t target;
        std::uint64_t source;
        std::memcpy(&target, to + i, 8);
        std::memcpy(&source, from + i, 8);
        target = op(target, source);
        std::memcpy(to + i, &target, 8);
    }
    for (; i < count; ++i)
        to[i] = std::uint8_t(op(to[i], from[i]));
}

// Same format, whole bytes per pixel: the ops work on the bytes.
void CopyRowBytes(std::uint8_t* to, const std::uint8_t* from, std::size_t count, RasterOp op)
{
    if (op == RasterOp::SrcCopy)
        std::memmove(to, from, count);
    else if (op == RasterOp::SrcAnd)
        CombineBytes(to, from, count, [](std::uint64_t a, std::uint64_t b) { return a & b; });
    else
        CombineBytes(to, from, count, [](std::uint64_t a, std::uint64_t b) { return a | b; });
}

// A 1-bit mask onto whole-byte pixels: each bit clears or sets a pixel.
template <int Bytes>
void MaskRow(std::uint8_t* to, const std::uint8_t* bits, std::int64_t sx, int count, RasterOp op)
{
    for (int i = 0; i < count; ++i, ++sx, to += Bytes) {
        const bool set = (bits[sx >> 3] >> (7 - (sx & 7))) & 1;
        if (op == RasterOp::SrcCopy || set == (op == RasterOp::SrcPaint))
            std::memset(to, set ? 0xFF : 0, Bytes);
    }
}

void MaskRowAnyDepth(std::uint8_t* to, const std::uint8_t* bits, std::int64_t sx, int count, int bytes, RasterOp op)
{
    switch (bytes) {
    case 1:
        return MaskRow<1>(to, bits, sx, count, op);
    case 2:
        return MaskRow<2>(to, bits, sx, count, op);
    case 3:
        return MaskRow<3>(to, bits, sx, count, op);
    case 4:
        return MaskRow<4>(to, bits, sx, count, op);
    case 6:
        return MaskRow<6>(to, bits, sx, count, op);
    default:
        return MaskRow<8>(to, bits, sx, count, op);
    }
}

// Source pixels outside the source read as 0.
void OutsideSource(Bitmap& target, int y, std::int64_t x0, std::int64_t x1, RasterOp op)
{
    if (x1 > x0 && op != RasterOp::SrcPaint)
        span::Fill(target, y, int(x0), int(x1), 0);
}

void InvertArea(Bitmap& target, const Range& cols, const Range& rows)
{
    const std::uint64_t allOnes = pixel::AllOnes(target.bitsPerPixel());
    for (auto y = int(rows.lo); y < rows.hi; ++y)
        span::Xor(target, y, int(cols.lo), int(cols.hi), allOnes);
}

}  // namespace

void Canvas::copyRect(const Rect& to, const Bitmap& source, const Rect& from, RasterOp op)
{
    const Range cols = span::Clip(to.left, to.right, target_.width());
    const Range rows = span::Clip(to.top, to.bottom, target_.height());
    if (cols.empty() || rows.empty())
        return;
    if (op == RasterOp::DstInvert) {
        InvertArea(target_, cols, rows);
        return;
    }
    if (&source == &target_) {
        const Bitmap copy = source;
        copyRect(to, copy, from, op);
        return;
    }
    // Source coordinate = target coordinate + offset.
    const std::int64_t dx = std::int64_t(from.left) - to.left;
    const std::int64_t dy = std::int64_t(from.top) - to.top;
    const Range inside{std::max(cols.lo, -dx), std::min(cols.hi, source.width() - dx)};
    const int depth = target_.bitsPerPixel();
    const bool wholeBytes = depth >= 8;
    const bool sameBytes = wholeBytes && source.sameFormat(target_);
    const bool maskBytes = wholeBytes && source.bitsPerPixel() == 1;
    std::optional<SourceConverter> convert;
    for (auto y = int(rows.lo); y < rows.hi; ++y) {
        const std::int64_t sy = y + dy;
        if (sy < 0 || sy >= source.height() || inside.empty()) {
            OutsideSource(target_, y, cols.lo, cols.hi, op);
            continue;
        }
        OutsideSource(target_, y, cols.lo, inside.lo, op);
        OutsideSource(target_, y, inside.hi, cols.hi, op);
        const auto x0 = int(inside.lo);
        const auto count = int(inside.hi - inside.lo);
        const std::int64_t sx = x0 + dx;
        const std::size_t bytes = std::size_t(depth / 8);
        if (sameBytes)
            CopyRowBytes(target_.row(y) + x0 * bytes, source.row(int(sy)) + std::size_t(sx) * bytes, count * bytes, op);
        else if (maskBytes)
            MaskRowAnyDepth(target_.row(y) + x0 * bytes, source.row(int(sy)), sx, count, int(bytes), op);
        else
            CopyRowConverted(target_, y, x0, x0 + count, source, int(sy), sx, op,
                             convert ? *convert : convert.emplace(source, target_, op));
    }
}

Bitmap MakeMask(const Bitmap& source, Color key)
{
    Bitmap mask(source.width(), source.height(), 1, {colors::Black, colors::White});
    key &= 0xFFFFFF;
    // Colour equality, decided once per distinct value run.
    std::uint64_t lastValue = 0;
    bool lastMatches = source.empty() ? false : source.colorOf(0) == key;
    for (int y = 0; y < source.height(); ++y) {
        const std::uint8_t* from = source.row(y);
        std::uint8_t* to = mask.row(y);
        for (int x = 0; x < source.width(); ++x) {
            const std::uint64_t value = pixel::Load(from, x, source.bitsPerPixel());
            if (value != lastValue) {
                lastValue = value;
                lastMatches = source.colorOf(value) == key;
            }
            if (lastMatches)
                to[x >> 3] |= std::uint8_t(0x80 >> (x & 7));
        }
    }
    return mask;
}

}  // namespace tolv
