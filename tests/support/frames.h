#pragma once

#include "library/image.h"

namespace qx::test {

// count opaque frames, each of one shade, different from the frame before.
inline library::FrameList frames(int count, int width, int height)
{
    library::FrameList list{width, height, {}};
    for (int i = 0; i < count; ++i) {
        Bytes rgba(static_cast<std::size_t>(width) * height * 4, static_cast<std::uint8_t>(40 * i + 15));
        for (std::size_t p = 3; p < rgba.size(); p += 4)
            rgba[p] = 255;
        list.frames.push_back({width, height, std::move(rgba)});
    }
    return list;
}

}
