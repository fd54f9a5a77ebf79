#include "library/image_list_stream.h"

#include "common/bytes.h"
#include "common/error.h"
#include "library/bitmap.h"

#include <algorithm>
#include <optional>

namespace qx::library {
namespace {

constexpr std::size_t kHeadSize = 28;
constexpr std::uint16_t kMagic = 0x4C49;
constexpr std::uint16_t kMaskFlag = 0x0001;
constexpr std::uint16_t kColour32Flag = 0x0020;
constexpr int kPerRow = 4;

Error damaged(const std::string& detail)
{
    return Error("Damaged image list: " + detail);
}

}

FrameList readImageListStream(ByteView data)
{
    if (data.size() < kHeadSize || u16At(data, 0) != kMagic)
        throw Error("The image list is not in the supported \"IL\" stream form.");
    int count = static_cast<std::int16_t>(u16At(data, 4));
    int width = static_cast<std::int16_t>(u16At(data, 10));
    int height = static_cast<std::int16_t>(u16At(data, 12));
    auto flags = u16At(data, 18);
    if (count < 0 || width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide)
        throw damaged("nonsensical count or size (" + std::to_string(count) + " images of " + std::to_string(width) +
                      " x " + std::to_string(height) + ")");
    FrameList list{width, height, {}};
    if (count == 0)
        return list;
    auto colour = readBitmap(data.subspan(kHeadSize));
    std::optional<Bitmap> mask;
    if (flags & kMaskFlag)
        mask = readBitmap(data.subspan(kHeadSize + colour.fileSize));
    int columns = colour.width / width;
    if (columns == 0 || (count + columns - 1) / columns * height > colour.height)
        throw damaged("the bitmap holds fewer than " + std::to_string(count) + " images");
    if (mask && (mask->width < colour.width || mask->height < colour.height))
        throw damaged("the mask is smaller than the bitmap");
    for (int i = 0; i < count; ++i)
        list.frames.push_back(cutImage(colour, mask ? &*mask : nullptr, i % columns * width, i / columns * height, width, height));
    return list;
}

void checkListSize(std::size_t count, int width, int height)
{
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide)
        throw Error("A frame of " + std::to_string(width) + " x " + std::to_string(height) + " pixels is too large: at most " +
                    std::to_string(kMaxImageSide) + " x " + std::to_string(kMaxImageSide) + " pixels are taken.");
    auto rows = std::max<std::uint64_t>(1, (count + kPerRow - 1) / kPerRow);
    auto gridHeight = rows * static_cast<std::uint64_t>(height);
    auto gridPixels = gridHeight * static_cast<std::uint64_t>(width) * kPerRow;
    if (count > INT16_MAX || gridHeight > kMaxBitmapSide || gridPixels > kMaxPixels)
        throw Error(std::to_string(count) + " frames of " + std::to_string(width) + " x " + std::to_string(height) +
                    " pixels are too many for one image list.");
}

Bytes writeImageListStream(const FrameList& list)
{
    checkListSize(list.frames.size(), list.width, list.height);
    int count = static_cast<int>(list.frames.size());
    int rows = std::max(1, (count + kPerRow - 1) / kPerRow);
    int gridWidth = list.width * kPerRow;
    int gridHeight = list.height * rows;
    Bytes bgra(static_cast<std::size_t>(gridWidth) * gridHeight * 4);
    std::vector<bool> transparent(static_cast<std::size_t>(gridWidth) * gridHeight, true);
    for (int i = 0; i < count; ++i) {
        const auto& frame = list.frames[static_cast<std::size_t>(i)];
        int left = i % kPerRow * list.width;
        int top = i / kPerRow * list.height;
        for (int y = 0; y < list.height; ++y) {
            for (int x = 0; x < list.width; ++x) {
                const auto* in = &frame.rgba[(static_cast<std::size_t>(y) * list.width + x) * 4];
                std::size_t at = static_cast<std::size_t>(top + y) * gridWidth + left + x;
                putPremultiplied(&bgra[at * 4], in);
                transparent[at] = in[3] == 0;
            }
        }
    }
    Bytes out(kHeadSize);
    putU16(out, 0, kMagic);
    putU16(out, 2, 0x0101);
    putU16(out, 4, static_cast<std::uint16_t>(count));
    putU16(out, 6, static_cast<std::uint16_t>(count));
    putU16(out, 8, kPerRow);
    putU16(out, 10, static_cast<std::uint16_t>(list.width));
    putU16(out, 12, static_cast<std::uint16_t>(list.height));
    putU32(out, 14, 0xffffffff);
    putU16(out, 18, kMaskFlag | kColour32Flag);
    for (std::size_t i = 0; i < 4; ++i)
        putU16(out, 20 + 2 * i, 0xffff);
    auto colour = writeBitmap32(gridWidth, gridHeight, bgra);
    auto mask = writeBitmap1(gridWidth, gridHeight, transparent);
    out.insert(out.end(), colour.begin(), colour.end());
    out.insert(out.end(), mask.begin(), mask.end());
    return out;
}

}
