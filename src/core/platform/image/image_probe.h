#pragma once

#include <string>

namespace tolv {

struct ImageSize {
    int width = 0;
    int height = 0;
};

// The size of the picture in a frame or overlay file, from its headers alone,
// the format told by the first bytes as LoadImageFile tells it. For a BMP it
// succeeds exactly when loading would (see ReadBmpSize); for a PNG it vouches
// for the header only (see ParsePngHeader). Raises FileReadError and
// InvalidBitmapError.
ImageSize ReadImageSize(const std::string& path);

}  // namespace tolv
