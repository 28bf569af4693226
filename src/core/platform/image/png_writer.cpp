#include "platform/errors.h"
#include "platform/image/png_codec.h"
#include "platform/image/png_guard.h"

#include <libdeflate.h>

#include <array>
#include <cstdlib>
#include <exception>
#include <functional>
#include <memory>
#include <new>
#include <span>
#include <utility>

namespace tolv {

namespace {

constexpr png_byte IdatName[5] = "IDAT";
constexpr png_byte IendName[5] = "IEND";

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

void FlushNothing(png_structp)
{}

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

// 48 and 64 bits hold grey when every pixel has R == G == B.
bool AllGrey(const Bitmap& bitmap)
{
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            const std::uint64_t value = bitmap.value(x, y);
            const std::uint64_t blue = value & 0xFFFF;
            if ((value >> 16 & 0xFFFF) != blue || (value >> 32 & 0xFFFF) != blue)
                return false;
        }
    }
    return true;
}

// A little-endian 16-bit sample of the bitmap as PNG stores it, big-endian.
std::uint8_t* PutBigEndian(std::uint8_t* to, const std::uint8_t* sample)
{
    to[0] = sample[1];
    to[1] = sample[0];
    return to + 2;
}

// How bitmap rows become PNG rows: palette rows, 24-bit rows and 32-bit rows
// of the usual layout with alpha are taken as they are (B, G, R swapped by
// libpng); 48- and 64-bit rows become 16-bit samples R, G, B (, A), or grey
// (, A) when every pixel is grey; any other layout is converted pixel by
// pixel to R, G, B (, A) as the bitmap reads its colours.
class RowSource {
public:
    explicit RowSource(const Bitmap& bitmap)
        : bitmap_(bitmap), kind_(KindOf(bitmap)), alpha_(bitmap.hasAlpha()),
          grey_(kind_ == Kind::Wide && AllGrey(bitmap))
    {
        if (kind_ != Kind::Palette)
            buffer_.resize(std::size_t(bitmap.width()) * std::size_t(channels() * sampleBits() / 8));
    }

    bool alpha() const { return alpha_; }
    bool grey() const { return grey_; }
    // Of the true-colour layouts.
    int sampleBits() const { return kind_ == Kind::Wide ? 16 : 8; }
    int channels() const { return (grey_ ? 1 : 3) + (alpha_ ? 1 : 0); }

    // The row in PNG order: R, G, B (, A) where the bitmap stores B, G, R.
    const std::uint8_t* row(int y)
    {
        switch (kind_) {
        case Kind::Palette:
            return bitmap_.row(y);
        case Kind::Swapped:
            return swapped(bitmap_.row(y));
        case Kind::Wide:
            return wide(bitmap_.row(y));
        default:
            return coloured(y);
        }
    }

private:
    enum class Kind { Palette, Swapped, Wide, Colours };

    static Kind KindOf(const Bitmap& bitmap)
    {
        const int depth = bitmap.bitsPerPixel();
        if (depth <= 8)
            return Kind::Palette;
        if (depth == 24 || (depth == 32 && bitmap.masks() == RgbaMasks))
            return Kind::Swapped;
        return Bitmap::HasWideSamples(depth) ? Kind::Wide : Kind::Colours;
    }

    const std::uint8_t* swapped(const std::uint8_t* from)
    {
        const std::size_t bytes = std::size_t(bitmap_.bitsPerPixel() / 8);
        std::uint8_t* to = buffer_.data();
        for (int x = 0; x < bitmap_.width(); ++x, from += bytes, to += bytes) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
            if (bytes == 4)
                to[3] = from[3];
        }
        return buffer_.data();
    }

    // Samples B, G, R, A at bytes 0, 2, 4 and 6 of a pixel.
    const std::uint8_t* wide(const std::uint8_t* from)
    {
        const std::size_t bytes = std::size_t(bitmap_.bitsPerPixel() / 8);
        std::uint8_t* to = buffer_.data();
        for (int x = 0; x < bitmap_.width(); ++x, from += bytes) {
            to = PutBigEndian(to, from + 4);
            if (!grey_) {
                to = PutBigEndian(to, from + 2);
                to = PutBigEndian(to, from);
            }
            if (alpha_)
                to = PutBigEndian(to, from + 6);
        }
        return buffer_.data();
    }

    const std::uint8_t* coloured(int y)
    {
        std::uint8_t* to = buffer_.data();
        for (int x = 0; x < bitmap_.width(); ++x) {
            const std::uint64_t value = bitmap_.value(x, y);
            const Color colour = bitmap_.colorOf(value);
            *to++ = RedOf(colour);
            *to++ = GreenOf(colour);
            *to++ = BlueOf(colour);
            if (alpha_)
                *to++ = bitmap_.alphaOf(value);
        }
        return buffer_.data();
    }

    const Bitmap& bitmap_;
    Kind kind_;
    bool alpha_;
    bool grey_;
    std::vector<std::uint8_t> buffer_;
};

// The filter of each row chosen as libpng's and Pillow's adaptive filtering
// choose it: the one whose bytes, read as signed, have the least sum of
// absolute values, which deflate then finds the most repeats in. Palette and
// sub-byte rows, where neighbouring bytes are no neighbouring samples, and the
// stored level go unfiltered, as libpng leaves them.
class RowFilter {
public:
    RowFilter(std::size_t rowBytes, std::size_t pixelBytes, bool adaptive)
        : pixelBytes_(pixelBytes), adaptive_(adaptive), previous_(rowBytes), best_(rowBytes), trial_(rowBytes)
    {}

    void append(const std::uint8_t* row, std::vector<std::uint8_t>& stream)
    {
        const std::size_t size = previous_.size();
        if (!adaptive_) {
            stream.push_back(0);
            stream.insert(stream.end(), row, row + size);
            return;
        }
        std::uint8_t bestType = 0;
        std::uint64_t bestScore = apply(0, row, best_.data());
        for (std::uint8_t type = 1; type < 5; ++type) {
            const std::uint64_t score = apply(type, row, trial_.data());
            if (score < bestScore) {
                bestScore = score;
                bestType = type;
                best_.swap(trial_);
            }
        }
        stream.push_back(bestType);
        stream.insert(stream.end(), best_.begin(), best_.end());
        std::copy_n(row, size, previous_.begin());
    }

private:
    // Branch-free: p - left is up - upLeft, and so on.
    static std::uint8_t Paeth(int left, int up, int upLeft)
    {
        const int toLeft = std::abs(up - upLeft);
        const int toUp = std::abs(left - upLeft);
        const int toUpLeft = std::abs(left + up - 2 * upLeft);
        const int nearer = toUp <= toUpLeft ? up : upLeft;
        return std::uint8_t(toLeft <= toUp && toLeft <= toUpLeft ? left : nearer);
    }

    // Filters the row with `type` into `to`; returns its score. One loop per
    // type, so that the compiler can vectorise each.
    std::uint64_t apply(std::uint8_t type, const std::uint8_t* row, std::uint8_t* to) const
    {
        const std::uint8_t* up = previous_.data();
        const std::size_t size = previous_.size();
        const std::size_t bpp = pixelBytes_;
        switch (type) {
        case 0:
            std::copy_n(row, size, to);
            break;
        case 1:
            std::copy_n(row, std::min(bpp, size), to);
            for (std::size_t i = bpp; i < size; ++i)
                to[i] = std::uint8_t(row[i] - row[i - bpp]);
            break;
        case 2:
            for (std::size_t i = 0; i < size; ++i)
                to[i] = std::uint8_t(row[i] - up[i]);
            break;
        case 3:
            for (std::size_t i = 0; i < bpp && i < size; ++i)
                to[i] = std::uint8_t(row[i] - up[i] / 2);
            for (std::size_t i = bpp; i < size; ++i)
                to[i] = std::uint8_t(row[i] - (row[i - bpp] + up[i]) / 2);
            break;
        default:
            for (std::size_t i = 0; i < bpp && i < size; ++i)
                to[i] = std::uint8_t(row[i] - up[i]);
            for (std::size_t i = bpp; i < size; ++i)
                to[i] = std::uint8_t(row[i] - Paeth(row[i - bpp], up[i], up[i - bpp]));
            break;
        }
        std::uint64_t score = 0;
        for (std::size_t i = 0; i < size; ++i)
            score += std::uint32_t(std::abs(int(std::int8_t(to[i]))));
        return score;
    }

    std::size_t pixelBytes_;
    bool adaptive_;
    std::vector<std::uint8_t> previous_;
    std::vector<std::uint8_t> best_;
    std::vector<std::uint8_t> trial_;
};

struct FreeCompressor {
    void operator()(libdeflate_compressor* compressor) const { libdeflate_free_compressor(compressor); }
};

// A compressor takes up to a few hundred KiB to set up: each thread keeps one
// per level for every output it writes.
libdeflate_compressor& CompressorOf(int level)
{
    thread_local std::array<std::unique_ptr<libdeflate_compressor, FreeCompressor>, MaxPngLevel + 1> compressors;
    auto& compressor = compressors.at(std::size_t(level));
    if (!compressor)
        compressor.reset(libdeflate_alloc_compressor(level));
    if (!compressor)
        throw std::bad_alloc();
    return *compressor;
}

// The zlib stream of all filtered rows, made in one piece: libdeflate
// compresses a whole buffer as well as zlib's level of the same number at
// several times its speed. The buffers stay with the thread, as outputs of
// one size come one after another. The compressed stream's buffer is as large
// as the worst case but never cleared: only the bytes written are touched.
std::span<const std::uint8_t> CompressedRows(const Bitmap& bitmap, RowSource& rows, int bits, int channels,
                                             bool palette, int level)
{
    thread_local std::vector<std::uint8_t> stream;
    thread_local std::unique_ptr<std::uint8_t[]> packed;
    thread_local std::size_t packedSize = 0;
    const std::size_t rowBytes = (std::size_t(bitmap.width()) * std::size_t(bits * channels) + 7) / 8;
    const std::size_t pixelBytes = std::max<std::size_t>(1, std::size_t(bits * channels / 8));
    RowFilter filter(rowBytes, pixelBytes, bits >= 8 && !palette && level > 0);
    stream.clear();
    stream.reserve((rowBytes + 1) * std::size_t(bitmap.height()));
    for (int y = 0; y < bitmap.height(); ++y)
        filter.append(rows.row(y), stream);
    libdeflate_compressor& compressor = CompressorOf(level);
    const std::size_t bound = libdeflate_zlib_compress_bound(&compressor, stream.size());
    if (bound > packedSize) {
        packed = std::make_unique_for_overwrite<std::uint8_t[]>(bound);
        packedSize = bound;
    }
    const std::size_t size = libdeflate_zlib_compress(&compressor, stream.data(), stream.size(), packed.get(), bound);
    if (size == 0)
        throw std::bad_alloc();
    return {packed.get(), size};
}

// pHYs holds no negative value (a BMP may): such a resolution is left out.
bool Stated(const Resolution& resolution)
{
    return resolution.x >= 0 && resolution.y >= 0 && !(resolution == Resolution{});
}

struct Header {
    int bits;
    int type;
    int channels;
    std::vector<png_color> palette;
    std::vector<png_byte> alpha;
};

Header HeaderOf(const Bitmap& bitmap, const RowSource& rows)
{
    if (bitmap.bitsPerPixel() > 8) {
        const int colour = rows.grey() ? 0 : PNG_COLOR_MASK_COLOR;
        const int alpha = rows.alpha() ? PNG_COLOR_MASK_ALPHA : 0;
        return {rows.sampleBits(), colour | alpha, rows.channels(), {}, {}};
    }
    Header header{bitmap.bitsPerPixel(), PNG_COLOR_TYPE_PALETTE, 1, {}, {}};
    for (const Color entry : WrittenPalette(bitmap))
        header.palette.push_back(png_color{RedOf(entry), GreenOf(entry), BlueOf(entry)});
    header.alpha = bitmap.paletteAlpha();
    // Entries beyond tRNS are opaque: trailing opaque ones need not be written.
    while (!header.alpha.empty() && header.alpha.back() == 255)
        header.alpha.pop_back();
    return header;
}

void Encode(const Bitmap& bitmap, Output& output, int level)
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
            png_set_IHDR(png, info, png_uint_32(bitmap.width()), png_uint_32(bitmap.height()), header.bits, header.type,
                         PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
            if (!header.palette.empty())
                png_set_PLTE(png, info, header.palette.data(), int(header.palette.size()));
            if (!header.alpha.empty())
                png_set_tRNS(png, info, header.alpha.data(), int(header.alpha.size()), nullptr);
            if (Stated(resolution))
                png_set_pHYs(png, info, png_uint_32(resolution.x), png_uint_32(resolution.y), PNG_RESOLUTION_METER);
            // The colour chunks go where they belong, before PLTE and IDAT.
            png_write_info_before_PLTE(png, info);
            for (const ColourChunk& chunk : bitmap.colourChunks())
                png_write_chunk(png, reinterpret_cast<png_const_bytep>(chunk.type.data()), chunk.data.data(),
                                chunk.data.size());
            png_write_info(png, info);
        }))
        failed();
    const std::span<const std::uint8_t> idat =
        CompressedRows(bitmap, rows, header.bits, header.channels, header.type == PNG_COLOR_TYPE_PALETTE, level);
    // IEND is written as a chunk of its own: png_write_end would look for
    // the IDAT that libpng itself compressed.
    if (!png::Guarded(png, [&] {
            png_write_chunk(png, IdatName, idat.data(), idat.size());
            png_write_chunk(png, IendName, nullptr, 0);
        }))
        failed();
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Bitmap& bitmap, int level)
{
    std::vector<std::uint8_t> bytes;
    Output output{[&](const std::uint8_t* data, std::size_t size) { bytes.insert(bytes.end(), data, data + size); }};
    Encode(bitmap, output, level);
    return bytes;
}

std::uint64_t EncodedPngSize(const Bitmap& bitmap, int level)
{
    Output output{[](const std::uint8_t*, std::size_t) {}};
    Encode(bitmap, output, level);
    return output.size;
}

std::uint64_t WritePng(const Bitmap& bitmap, AtomicFile& file, int level)
{
    Output output{[&](const std::uint8_t* data, std::size_t size) { file.write(data, size); }};
    Encode(bitmap, output, level);
    return output.size;
}

}  // namespace tolv
