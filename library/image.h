#pragma once

#include "common/file_io.h"

#include <vector>

namespace qx::library {

// Pixels as RGBA bytes, rows top-down, straight (not premultiplied) alpha.
// Transparent pixels are 0, 0, 0, 0.
struct Image {
    int width = 0;
    int height = 0;
    Bytes rgba;

    bool empty() const { return width == 0 || height == 0; }
    bool operator==(const Image&) const = default;
};

// Equal-sized frames of an animation, or the icons of an icon library.
struct FrameList {
    int width = 16;
    int height = 16;
    std::vector<Image> frames;

    bool operator==(const FrameList&) const = default;
};

// Far larger than any game graphic; larger sizes in a stream are damage.
constexpr int kMaxImageSide = 4096;
constexpr int kMaxBitmapSide = 32768;
constexpr std::uint64_t kMaxPixels = 64u << 20;

}
