#pragma once

#include "common/file_io.h"
#include "library/image.h"

#include <optional>
#include <string>

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

// The palette indices of an indexed PNG (1, 2, 4 or 8 bits a pixel, not
// interlaced); nothing for any other picture or one whose data does not
// unpack to exactly its rows.
std::optional<Bytes> indexedPixels(ByteView file);

// The file name of a frame: "000.png" and on, one width for all of them, so
// that a shell's * keeps the frames in order.
std::string frameFileName(std::size_t index, std::size_t count);

// A picture file, checked and read like every input, its size known before
// it is decoded.
class Picture {
public:
    explicit Picture(const std::string& path);

    const std::string& path() const { return path_; }
    const Bytes& bytes() const { return bytes_; }
    int width() const { return size_.width; }
    int height() const { return size_.height; }
    library::Image decode() const;

private:
    std::string path_;
    Bytes bytes_;
    PictureSize size_{};
};

}
