#include "tool/pictures.h"

#include "common/error.h"
#include "library/palette.h"

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

constexpr std::uint64_t kMaxPictureFileSize = 256u << 20;
constexpr std::uint8_t kIndexedColour = 3;

std::uint32_t bigEndian32(ByteView bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(bytes[at]) << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 | bytes[at + 3];
}

struct IndexedHead {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int depth = 0;
    Bytes packed;  // the IDAT chunks together
};

// The head and data of an indexed, non-interlaced PNG, every chunk checked
// against the file.
std::optional<IndexedHead> indexedHead(ByteView file)
{
    IndexedHead head;
    bool indexed = false;
    bool whole = library::forEachPngChunk(file, [&](std::string_view type, ByteView data) {
        if (type == "IHDR" && data.size() >= 13) {
            indexed = data[9] == kIndexedColour && data[12] == 0;
            head.width = bigEndian32(data, 0);
            head.height = bigEndian32(data, 4);
            head.depth = data[8];
        } else if (type == "IDAT") {
            head.packed.insert(head.packed.end(), data.begin(), data.end());
        }
        return type != "IEND";
    });
    bool depthKnown = head.depth == 1 || head.depth == 2 || head.depth == 4 || head.depth == 8;
    if (!whole || !indexed || !depthKnown || head.width == 0 || head.height == 0 ||
        head.width > library::kMaxImageSide || head.height > library::kMaxImageSide)
        return std::nullopt;
    return head;
}

// Undoes a row's PNG filter; a pixel's neighbours lie one byte away.
void unfilter(std::uint8_t filter, std::uint8_t* row, const std::uint8_t* above, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i) {
        int left = i > 0 ? row[i - 1] : 0, up = above[i], corner = i > 0 ? above[i - 1] : 0;
        int add = 0;
        if (filter == 1)
            add = left;
        else if (filter == 2)
            add = up;
        else if (filter == 3)
            add = (left + up) / 2;
        else if (filter == 4) {
            int p = left + up - corner, pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - corner);
            add = pa <= pb && pa <= pc ? left : pb <= pc ? up : corner;
        }
        row[i] = static_cast<std::uint8_t>(row[i] + add);
    }
}

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

std::optional<Bytes> indexedPixels(ByteView file)
{
    auto head = indexedHead(file);
    if (!head || !fitsInt(head->packed))
        return std::nullopt;
    std::size_t rowBytes = (head->width * static_cast<std::size_t>(head->depth) + 7) / 8;
    Bytes raw(head->height * (rowBytes + 1));
    int unpacked = stbi_zlib_decode_buffer(reinterpret_cast<char*>(raw.data()), static_cast<int>(raw.size()),
                                           reinterpret_cast<const char*>(head->packed.data()),
                                           static_cast<int>(head->packed.size()));
    if (unpacked != static_cast<int>(raw.size()))
        return std::nullopt;
    Bytes indices(static_cast<std::size_t>(head->width) * head->height);
    Bytes above(rowBytes), row(rowBytes);
    auto perByte = 8 / head->depth;
    auto mask = (1 << head->depth) - 1;
    for (std::size_t y = 0; y < head->height; ++y) {
        const auto* line = raw.data() + y * (rowBytes + 1);
        if (line[0] > 4)
            return std::nullopt;
        std::copy(line + 1, line + 1 + rowBytes, row.begin());
        unfilter(line[0], row.data(), above.data(), rowBytes);
        for (std::size_t x = 0; x < head->width; ++x) {
            auto shift = 8 - head->depth * (1 + static_cast<int>(x % perByte));
            indices[y * head->width + x] = static_cast<std::uint8_t>(row[x / perByte] >> shift & mask);
        }
        std::swap(above, row);
    }
    return indices;
}

Picture::Picture(const std::string& path) : path_(path), bytes_(readFile(toPath(path), kMaxPictureFileSize))
{
    auto size = pictureSize(bytes_);
    if (!size)
        throw Error("Cannot read the picture " + path + ".");
    size_ = *size;
}

library::Image Picture::decode() const
{
    auto image = decodePicture(bytes_);
    if (!image || image->width != size_.width || image->height != size_.height)
        throw Error("Cannot read the picture " + path_ + ".");
    return std::move(*image);
}

Bytes pngOf(const library::Image& image)
{
    Bytes png;
    if (!stbi_write_png_to_func(appendTo, &png, image.width, image.height, 4, image.rgba.data(), image.width * 4))
        png.clear();
    return png;
}

std::string frameFileName(std::size_t index, std::size_t count)
{
    auto name = std::to_string(index);
    auto width = std::max<std::size_t>(3, std::to_string(count - 1).size());
    return std::string(width - name.size(), '0') + name + ".png";
}

}
