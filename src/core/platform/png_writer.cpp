#include "platform/errors.h"
#include "platform/png_codec.h"
#include "platform/png_guard.h"

#include <exception>
#include <new>
#include <utility>
#include <functional>

namespace tolv {

namespace {

// Zlib's fastest level writes a full-HD frame in about half the time of the
// default level; the SUB filter adds a few milliseconds and shrinks shaded
// areas, which NONE leaves to zlib alone.
constexpr int CompressionLevel = 1;
constexpr int RowFilter = PNG_FILTER_SUB;

// Where libpng writes to. A failure of the sink is kept and raised again
// once libpng has returned: no exception may cross its C frames.
struct Output {
    using Sink = std::function<void(const std::uint8_t*, std::size_t)>;
    explicit Output(Sink to) : sink(std::move(to)) {}

    Sink sink;
    std::uint64_t size = 0;
    std::exception_ptr error;

    bool write(const std::uint8_t* data, std::size_t count) noexcept
    {
        try {
            sink(data, count);
            size += count;
            return true;
        } catch (...) {
            error = std::current_exception();
            return false;
        }
    }
};

void WriteData(png_structp png, png_bytep data, std::size_t size)
{
    if (!static_cast<Output*>(png_get_io_ptr(png))->write(data, size))
        png_error(png, "write failed");
}

void FlushNothing(png_structp) {}

class WriteSession {
public:
    WriteSession() : png_(png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, png::OnError, png::OnWarning))
    {
        if (png_ != nullptr)
            info_ = png_create_info_struct(png_);
        if (info_ == nullptr)
            throw std::bad_alloc();
    }
    ~WriteSession() { png_destroy_write_struct(&png_, &info_); }
    WriteSession(const WriteSession&) = delete;
    WriteSession& operator=(const WriteSession&) = delete;

    png_structp png() const { return png_; }
    png_infop info() const { return info_; }

private:
    png_structp png_;
    png_infop info_ = nullptr;
};

constexpr BitMasks RgbaMasks{0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000};

// How bitmap rows become PNG rows: palette rows, 24-bit rows and 32-bit rows
// of the usual layout with alpha are taken as they are (B, G, R swapped by
// libpng); any other layout is converted pixel by pixel to R, G, B (, A) as
// the bitmap reads its colours.
class RowSource {
public:
    explicit RowSource(const Bitmap& bitmap)
        : bitmap_(bitmap),
          direct_(bitmap.bitsPerPixel() <= 8 || bitmap.bitsPerPixel() == 24
                  || (bitmap.bitsPerPixel() == 32 && bitmap.masks() == RgbaMasks)),
          alpha_(bitmap.masks().alpha != 0)
    {
        if (!direct_)
            buffer_.resize(std::size_t(bitmap.width()) * (alpha_ ? 4 : 3));
    }

    bool direct() const { return direct_; }
    bool alpha() const { return alpha_; }

    const std::uint8_t* row(int y)
    {
        if (direct_)
            return bitmap_.row(y);
        std::uint8_t* to = buffer_.data();
        for (int x = 0; x < bitmap_.width(); ++x) {
            const std::uint32_t value = bitmap_.value(x, y);
            const Color colour = bitmap_.colorOf(value);
            *to++ = RedOf(colour);
            *to++ = GreenOf(colour);
            *to++ = BlueOf(colour);
            if (alpha_)
                *to++ = bitmap_.alphaOf(value);
        }
        return buffer_.data();
    }

private:
    const Bitmap& bitmap_;
    bool direct_;
    bool alpha_;
    std::vector<std::uint8_t> buffer_;
};

// pHYs holds no negative value (a BMP may): such a resolution is left out.
bool Stated(const Resolution& resolution)
{
    return resolution.x >= 0 && resolution.y >= 0 && !(resolution == Resolution{});
}

struct Header {
    int bits;
    int type;
    std::vector<png_color> palette;
    std::vector<png_byte> alpha;
};

Header HeaderOf(const Bitmap& bitmap, const RowSource& rows)
{
    if (bitmap.bitsPerPixel() > 8)
        return {8, rows.alpha() ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, {}, {}};
    Header header{bitmap.bitsPerPixel(), PNG_COLOR_TYPE_PALETTE, {}, {}};
    for (const Color entry : WrittenPalette(bitmap))
        header.palette.push_back(png_color{RedOf(entry), GreenOf(entry), BlueOf(entry)});
    header.alpha = bitmap.paletteAlpha();
    // Entries beyond tRNS are opaque: trailing opaque ones need not be written.
    while (!header.alpha.empty() && header.alpha.back() == 255)
        header.alpha.pop_back();
    return header;
}

void Encode(const Bitmap& bitmap, Output& output)
{
    if (bitmap.empty())
        throw InvalidBitmapError();
    WriteSession session;
    png_structp png = session.png();
    png_infop info = session.info();
    RowSource rows(bitmap);
    const Header header = HeaderOf(bitmap, rows);
    const Resolution resolution = bitmap.resolution();
    const auto failed = [&] {
        if (output.error)
            std::rethrow_exception(output.error);
        throw InvalidBitmapError();
    };
    if (!png::Guarded(png, [&] {
            png_set_write_fn(png, &output, WriteData, FlushNothing);
            png_set_compression_level(png, CompressionLevel);
            png_set_filter(png, PNG_FILTER_TYPE_BASE, RowFilter);
            png_set_IHDR(png, info, png_uint_32(bitmap.width()), png_uint_32(bitmap.height()), header.bits,
                         header.type, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
            if (!header.palette.empty())
                png_set_PLTE(png, info, header.palette.data(), int(header.palette.size()));
            if (!header.alpha.empty())
                png_set_tRNS(png, info, header.alpha.data(), int(header.alpha.size()), nullptr);
            if (Stated(resolution))
                png_set_pHYs(png, info, png_uint_32(resolution.x), png_uint_32(resolution.y), PNG_RESOLUTION_METER);
            png_write_info(png, info);
            if (rows.direct() && bitmap.bitsPerPixel() > 8)
                png_set_bgr(png);
        }))
        failed();
    for (int y = 0; y < bitmap.height(); ++y) {
        const std::uint8_t* row = rows.row(y);
        if (!png::Guarded(png, [&] { png_write_row(png, row); }))
            failed();
    }
    if (!png::Guarded(png, [&] { png_write_end(png, nullptr); }))
        failed();
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Bitmap& bitmap)
{
    std::vector<std::uint8_t> bytes;
    Output output{[&](const std::uint8_t* data, std::size_t size) { bytes.insert(bytes.end(), data, data + size); }};
    Encode(bitmap, output);
    return bytes;
}

std::uint64_t EncodedPngSize(const Bitmap& bitmap)
{
    Output output{[](const std::uint8_t*, std::size_t) {}};
    Encode(bitmap, output);
    return output.size;
}

std::uint64_t SavePng(const Bitmap& bitmap, AtomicFile& file)
{
    Output output{[&](const std::uint8_t* data, std::size_t size) { file.write(data, size); }};
    Encode(bitmap, output);
    file.commit(false);
    return output.size;
}

}  // namespace tolv
