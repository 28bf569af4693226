#pragma once

#include "platform/io/files.h"

#include <string>

namespace tolv {

struct BmpSize {
    int width = 0;
    int height = 0;
};

// The size of the image in a BMP file, found without reading its pixels: it
// succeeds exactly when LoadBmp of the same file would, and raises the same
// errors otherwise (InvalidBitmapError, FileReadError). The headers promise
// that uncompressed pixel data lies within the file; an RLE stream can only
// be judged by decoding it, so such a file is loaded whole.
BmpSize ReadBmpSize(const std::string& path);
// The same from the first bytes of the file at `path` (see ReadFileHead, at
// least MaxHeadersSize of them where the file holds them).
BmpSize BmpSizeOf(const FileHead& head, const std::string& path);

}  // namespace tolv
