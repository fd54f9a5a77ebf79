#pragma once

#include "common/file_io.h"
#include "library/image.h"

#include <optional>

namespace qx::tool {

struct PictureSize {
    int width;
    int height;
};

// The size a picture file gives in its head, read without decoding it;
// nothing for bytes that are no picture.
std::optional<PictureSize> pictureSize(ByteView file);

// The picture as RGBA; fully transparent pixels are 0 in every channel.
// Nothing when it cannot be decoded.
std::optional<library::Image> decodePicture(ByteView file);

// An 8-bit RGBA PNG file of the image; empty when it cannot be made.
Bytes pngOf(const library::Image& image);

}
