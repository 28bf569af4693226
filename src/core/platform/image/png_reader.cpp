#include "platform/errors.h"
#include "platform/image/png_codec.h"
#include "platform/image/png_guard.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace tolv {

namespace {

constexpr std::uint8_t Signature[PngSignatureLength] = {137, 80, 78, 71, 13, 10, 26, 10};

// The one chunk besides those of the picture itself (IHDR, PLTE, tRNS, IDAT,
// IEND) that libpng reads for the bitmap; the colour chunks are read apart.
constexpr png_byte Kept[] = "pHYs";

// The colour chunks carried from a frame to its outputs, and the largest one
// carried: an ICC profile of a few hundred kilobytes is large.
constexpr std::array<const char*, 4> ColourChunkTypes = {"gAMA", "cHRM", "sRGB", "iCCP"};
constexpr std::uint32_t MaxColourChunkBytes = std::uint32_t(4) << 20;

std::uint32_t BigEndian32(const std::uint8_t* bytes)
{
    return std::uint32_t(bytes[0]) << 24 | std::uint32_t(bytes[1]) << 16 | std::uint32_t(bytes[2]) << 8 | bytes[3];
}

bool IsColourChunk(const std::uint8_t* type)
{
    return std::any_of(ColourChunkTypes.begin(), ColourChunkTypes.end(),
                       [type](const char* name) { return std::memcmp(type, name, 4) == 0; });
}

// Where libpng reads from; `failed` tells a read error from a file that ends
// early, which is merely not a valid picture.
struct Input {
    const std::uint8_t* data = nullptr;
    std::size_t left = 0;
    std::FILE* file = nullptr;
    bool failed = false;

    bool read(png_bytep into, std::size_t size)
    {
        if (file != nullptr) {
            const std::size_t got = std::fread(into, 1, size, file);
            failed = failed || std::ferror(file) != 0;
            return got == size;
        }
        if (size > left)
            return false;
        std::memcpy(into, data, size);
        data += size;
        left -= size;
        return true;
    }
};

// Moves past `size` bytes without keeping them.
bool Skip(Input& input, std::size_t size)
{
    if (input.file != nullptr)
        return std::fseek(input.file, long(size), SEEK_CUR) == 0;
    if (size > input.left)
        return false;
    input.data += size;
    input.left -= size;
    return true;
}

// The colour chunks before the first IDAT, read ahead of libpng, which passes
// them over: libpng would check them and refuse a frame over a chunk that only
// a colour-managed viewer reads. A chunk too large or with a bad checksum is
// not carried. The walk reads through its own copy of the input.
std::vector<ColourChunk> WalkColourChunks(Input input)
{
    std::vector<ColourChunk> chunks;
    std::uint8_t head[8];
    while (input.read(head, 8) && std::memcmp(head + 4, "IDAT", 4) != 0 && std::memcmp(head + 4, "IEND", 4) != 0) {
        const std::uint32_t length = BigEndian32(head);
        if (!IsColourChunk(head + 4) || length > MaxColourChunkBytes) {
            if (!Skip(input, std::size_t(length) + 4))
                break;
            continue;
        }
        std::vector<std::uint8_t> data(std::size_t(length) + 4);
        if (!input.read(data.data(), data.size()))
            break;
        const std::uint32_t crc = libdeflate_crc32(libdeflate_crc32(0, head + 4, 4), data.data(), length);
        if (crc == BigEndian32(data.data() + length)) {
            data.resize(length);
            chunks.push_back({std::string(reinterpret_cast<const char*>(head + 4), 4), std::move(data)});
        }
    }
    return chunks;
}

// A file goes back to where the walk began, for libpng to read from there.
std::vector<ColourChunk> ColourChunksOf(const Input& input)
{
    if (input.file == nullptr)
        return WalkColourChunks(input);
    const long start = std::ftell(input.file);
    if (start < 0)
        return {};
    std::vector<ColourChunk> chunks = WalkColourChunks(input);
    std::clearerr(input.file);
    std::fseek(input.file, start, SEEK_SET);
    return chunks;
}

void ReadData(png_structp png, png_bytep into, std::size_t size)
{
    if (!static_cast<Input*>(png_get_io_ptr(png))->read(into, size))
        png_error(png, "truncated");
}

class ReadSession {
public:
    explicit ReadSession(Input& input)
        : png_(png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, png::OnError, png::OnWarning))
    {
        if (png_ == nullptr)
            throw InvalidBitmapError();
        info_ = png_create_info_struct(png_);
        if (info_ == nullptr || !png::Guarded(png_, [&] { setUp(input); }))
            throw InvalidBitmapError();
    }
    ~ReadSession() { png_destroy_read_struct(&png_, &info_, nullptr); }
    ReadSession(const ReadSession&) = delete;
    ReadSession& operator=(const ReadSession&) = delete;

    png_structp png() const { return png_; }
    png_infop info() const { return info_; }

private:
    // No more than a bitmap may hold, every checksum checked, and what libpng
    // calls a benign error (image data beyond the rows the header allows, as a
    // zlib bomb has) refused. Every ancillary chunk but pHYs and tRNS (text,
    // XMP, ICC profiles, Exif: cameras and editors write them by the
    // megabyte) is read past a piece at a time and never kept, so its length
    // is no limit: the chunks kept have sizes of their own, which libpng checks.
    // Pixel values beyond a short palette are kept: they read as black, as in
    // a BMP.
    void setUp(Input& input)
    {
        png_set_read_fn(png_, &input, ReadData);
        png_set_sig_bytes(png_, int(PngSignatureLength));
        png_set_user_limits(png_, MaxBitmapSide, MaxBitmapSide);
        png_set_chunk_cache_max(png_, 64);
        png_set_chunk_malloc_max(png_, 0);
        png_set_crc_action(png_, PNG_CRC_DEFAULT, PNG_CRC_ERROR_QUIT);
        png_set_benign_errors(png_, 0);
        png_set_check_for_invalid_index(png_, 0);
        png_set_keep_unknown_chunks(png_, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
        png_set_keep_unknown_chunks(png_, PNG_HANDLE_CHUNK_AS_DEFAULT, Kept, 1);
    }

    png_structp png_;
    png_infop info_ = nullptr;
};

// The bitmap a PNG becomes, and how its rows are read into it.
struct Layout {
    int depth = 0;
    std::vector<Color> palette;
    std::vector<std::uint8_t> alpha;
    BitMasks masks;
    // 2-bit rows are read packed and widened to 4 bits in place.
    bool widenTwoBits = false;
};

constexpr BitMasks AlphaMasks{0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000};

// A grey level of `bits` as a palette; a transparent level becomes the one
// entry with alpha 0.
void GreyPalette(png_structp png, png_infop info, int bits, Layout& layout)
{
    const int levels = 1 << bits;
    for (int i = 0; i < levels; ++i) {
        const auto grey = std::uint8_t(i * 255 / (levels - 1));
        layout.palette.push_back(RGB(grey, grey, grey));
    }
    png_color_16p transparent = nullptr;
    if (png_get_tRNS(png, info, nullptr, nullptr, &transparent) != 0 && transparent != nullptr
        && transparent->gray < levels) {
        layout.alpha.assign(std::size_t(levels), 255);
        layout.alpha[transparent->gray] = 0;
    }
}

void FilePalette(png_structp png, png_infop info, int bits, Layout& layout)
{
    png_colorp entries = nullptr;
    int count = 0;
    if (png_get_PLTE(png, info, &entries, &count) == 0 || count < 1)
        throw InvalidBitmapError();
    count = std::min(count, 1 << bits);
    for (int i = 0; i < count; ++i)
        layout.palette.push_back(RGB(entries[i].red, entries[i].green, entries[i].blue));
    png_bytep alpha = nullptr;
    int alphaCount = 0;
    if (png_get_tRNS(png, info, &alpha, &alphaCount, nullptr) != 0 && alpha != nullptr) {
        layout.alpha.assign(std::size_t(count), 255);
        std::copy_n(alpha, std::min(alphaCount, count), layout.alpha.begin());
        // All entries opaque says no more than no tRNS at all.
        if (std::all_of(layout.alpha.begin(), layout.alpha.end(), [](std::uint8_t a) { return a == 255; }))
            layout.alpha.clear();
    }
}

// Picks the bitmap format and asks libpng for the transformations that lead
// to it; raises InvalidBitmapError for what has no lossless home. Runs outside
// a guarded step: none of the calls here can fail inside libpng. Grey of 16
// bits, having no palette to live in, is widened to colour as grey with alpha
// is; a transparent grey or colour becomes an alpha channel.
Layout PlanLayout(png_structp png, png_infop info)
{
    const int bits = png_get_bit_depth(png, info);
    const int type = png_get_color_type(png, info);
    Layout layout;
    if (type == PNG_COLOR_TYPE_PALETTE || (type == PNG_COLOR_TYPE_GRAY && bits < 16)) {
        if (type == PNG_COLOR_TYPE_PALETTE)
            FilePalette(png, info, bits, layout);
        else
            GreyPalette(png, info, bits, layout);
        layout.depth = bits == 2 ? 4 : bits;
        layout.widenTwoBits = bits == 2;
        return layout;
    }
    png_set_bgr(png);
    const bool transparent = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    const bool alpha = (type & PNG_COLOR_MASK_ALPHA) != 0 || transparent;
    if ((type & PNG_COLOR_MASK_COLOR) == 0)
        png_set_gray_to_rgb(png);
    if (transparent)
        png_set_tRNS_to_alpha(png);
    if (bits == 16) {
        // Samples little-endian, as the bitmap holds them.
        png_set_swap(png);
        layout.depth = alpha ? 64 : 48;
        return layout;
    }
    layout.depth = alpha ? 32 : 24;
    if (alpha)
        layout.masks = AlphaMasks;
    return layout;
}

Resolution ResolutionOf(png_structp png, png_infop info)
{
    png_uint_32 x = 0;
    png_uint_32 y = 0;
    int unit = PNG_RESOLUTION_UNKNOWN;
    if (png_get_pHYs(png, info, &x, &y, &unit) == 0 || unit != PNG_RESOLUTION_METER || x > INT32_MAX || y > INT32_MAX)
        return {};
    return {std::int32_t(x), std::int32_t(y)};
}

// Two-bit pixels to four, from the end of the row back, as the row was read
// packed into its own start.
void WidenTwoBits(std::uint8_t* row, int width)
{
    for (int x = width - 1; x >= 0; --x) {
        const unsigned value = (row[x / 4] >> (6 - 2 * (x % 4))) & 3;
        std::uint8_t& target = row[x / 2];
        target = x % 2 == 0 ? std::uint8_t((target & 0x0F) | value << 4) : std::uint8_t((target & 0xF0) | value);
    }
}

Bitmap Read(Input& input, const std::string* path, Bitmap&& spent)
{
    const auto fail = [&]() -> Bitmap {
        if (input.failed && path != nullptr)
            throw FileReadError(*path);
        throw InvalidBitmapError();
    };
    std::vector<ColourChunk> colourChunks = ColourChunksOf(input);
    ReadSession session(input);
    png_structp png = session.png();
    png_infop info = session.info();
    if (!png::Guarded(png, [&] { png_read_info(png, info); }))
        return fail();
    Layout layout = PlanLayout(png, info);
    if (!png::Guarded(png, [&] {
            png_set_interlace_handling(png);
            png_read_update_info(png, info);
        }))
        return fail();
    const int width = int(png_get_image_width(png, info));
    const int height = int(png_get_image_height(png, info));
    Bitmap bitmap =
        Bitmap::ForOverwrite(width, height, layout.depth, std::move(layout.palette), layout.masks, std::move(spent));
    bitmap.setPaletteAlpha(std::move(layout.alpha));
    bitmap.setResolution(ResolutionOf(png, info));
    bitmap.setColourChunks(std::move(colourChunks));
    if (png_get_rowbytes(png, info) > bitmap.stride())
        throw InvalidBitmapError();
    std::vector<png_bytep> rows(std::size_t(bitmap.height()));
    for (int y = 0; y < height; ++y)
        rows[std::size_t(y)] = bitmap.row(y);
    if (!png::Guarded(png, [&] {
            png_read_image(png, rows.data());
            png_read_end(png, nullptr);
        }))
        return fail();
    if (layout.widenTwoBits) {
        for (int y = 0; y < height; ++y)
            WidenTwoBits(bitmap.row(y), width);
    }
    return bitmap;
}

}  // namespace

bool IsPngSignature(const std::uint8_t* data, std::size_t size)
{
    return size >= PngSignatureLength && std::memcmp(data, Signature, PngSignatureLength) == 0;
}

Bitmap DecodePng(const std::uint8_t* data, std::size_t size)
{
    if (!IsPngSignature(data, size))
        throw InvalidBitmapError();
    Input input{data + PngSignatureLength, size - PngSignatureLength};
    return Read(input, nullptr, Bitmap());
}

Bitmap ReadPng(std::FILE* file, const std::string& path, Bitmap&& spent)
{
    Input input;
    input.file = file;
    return Read(input, &path, std::move(spent));
}

}  // namespace tolv
