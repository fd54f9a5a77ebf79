#pragma once

#include "support/temp_dir.h"
#include "tool/pictures.h"

#include <array>

namespace qx::test {

using Rgba = std::array<std::uint8_t, 4>;
inline constexpr Rgba kRed{255, 0, 0, 255};
inline constexpr Rgba kBlue{0, 0, 255, 255};
inline constexpr Rgba kClear{0, 0, 0, 0};

// A PNG file of one colour.
inline void writePng(const fs::path& path, int width, int height, Rgba colour)
{
    library::Image image{width, height, {}};
    for (int i = 0; i < width * height; ++i)
        image.rgba.insert(image.rgba.end(), colour.begin(), colour.end());
    writeBytes(path, tool::pngOf(image));
}

// A pixel of a picture file; all 0 when it cannot be read.
inline Rgba pixelAt(const fs::path& path, int x, int y)
{
    auto image = tool::decodePicture(readFile(path));
    if (!image || x >= image->width || y >= image->height)
        return {};
    auto at = image->rgba.begin() + (static_cast<std::ptrdiff_t>(y) * image->width + x) * 4;
    return {at[0], at[1], at[2], at[3]};
}

}
