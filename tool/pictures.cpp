#include "tool/pictures.h"

#include <algorithm>
#include <climits>
#include <memory>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_FAILURE_USERMSG
#include <stb_image.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

namespace qx::tool {
namespace {

bool fitsInt(ByteView file)
{
    return file.size() <= static_cast<std::size_t>(INT_MAX);
}

void appendTo(void* context, void* data, int size)
{
    auto* bytes = static_cast<const std::uint8_t*>(data);
    static_cast<Bytes*>(context)->insert(static_cast<Bytes*>(context)->end(), bytes, bytes + size);
}

}

std::optional<PictureSize> pictureSize(ByteView file)
{
    int width = 0, height = 0, channels = 0;
    if (!fitsInt(file) || !stbi_info_from_memory(file.data(), static_cast<int>(file.size()), &width, &height, &channels))
        return std::nullopt;
    return PictureSize{width, height};
}

std::optional<library::Image> decodePicture(ByteView file)
{
    int width = 0, height = 0, channels = 0;
    if (!fitsInt(file))
        return std::nullopt;
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &width, &height, &channels, 4), stbi_image_free);
    if (!pixels)
        return std::nullopt;
    library::Image image{width, height, Bytes(pixels.get(), pixels.get() + static_cast<std::size_t>(width) * height * 4)};
    for (std::size_t i = 0; i < image.rgba.size(); i += 4) {
        if (image.rgba[i + 3] == 0)
            std::fill_n(image.rgba.begin() + static_cast<std::ptrdiff_t>(i), 4, 0);
    }
    return image;
}

Bytes pngOf(const library::Image& image)
{
    Bytes png;
    if (!stbi_write_png_to_func(appendTo, &png, image.width, image.height, 4, image.rgba.data(), image.width * 4))
        png.clear();
    return png;
}

}
