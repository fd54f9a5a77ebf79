#include "library/bitmap.h"

#include "common/bytes.h"
#include "common/error.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>

namespace qx::library {
namespace {

constexpr std::size_t kFileHeader = 14;
constexpr std::size_t kInfoHeader = 40;

Error damaged(const std::string& detail)
{
    return Error("Damaged bitmap: " + detail);
}

void need(ByteView data, std::uint64_t end, const char* what)
{
    if (end > data.size())
        throw damaged(std::string(what) + " runs past the end of the data (needed " + std::to_string(end) +
                      " bytes, only " + std::to_string(data.size()) + " available)");
}

int channelShift(std::uint32_t mask)
{
    int shift = 0;
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

// A channel of a 16-bit pixel widened to 8 bits.
std::uint8_t widen(std::uint32_t pixel, std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    auto value = (pixel & mask) >> channelShift(mask);
    auto bits = std::popcount(mask >> channelShift(mask));
    if (bits >= 8)
        return static_cast<std::uint8_t>(value >> (bits - 8));
    // 5-bit channels: (v << 3) | (v >> 2); other widths the same way.
    return static_cast<std::uint8_t>((value << (8 - bits)) | (value >> (2 * bits - 8 > 0 ? 2 * bits - 8 : 0)));
}

struct Header {
    std::uint32_t pixelOffset;
    std::uint32_t infoSize;
    int width;
    int height;
    bool topDown;
    int bits;
    std::uint32_t compression;
    std::uint32_t colours;
};

Header readHeader(ByteView data)
{
    need(data, kFileHeader + kInfoHeader, "the bitmap header");
    if (data[0] != 'B' || data[1] != 'M')
        throw damaged("no \"BM\" signature");
    Header h{};
    h.pixelOffset = u32At(data, 10);
    h.infoSize = u32At(data, 14);
    auto width = i32At(data, 18);
    auto height = i32At(data, 22);
    h.bits = u16At(data, 28);
    h.compression = u32At(data, 30);
    h.colours = u32At(data, 46);
    if (h.infoSize < kInfoHeader)
        throw damaged("info header of " + std::to_string(h.infoSize) + " bytes");
    if (width <= 0 || width > kMaxBitmapSide || height == 0 || std::abs(static_cast<long>(height)) > kMaxBitmapSide)
        throw damaged("nonsensical size " + std::to_string(width) + " x " + std::to_string(height));
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(std::abs(static_cast<long>(height))) > kMaxPixels)
        throw damaged("too many pixels");
    h.width = width;
    h.topDown = height < 0;
    h.height = static_cast<int>(std::abs(static_cast<long>(height)));
    return h;
}

std::vector<std::uint32_t> colourTable(ByteView data, const Header& h)
{
    std::size_t count = h.colours ? h.colours : (std::size_t{1} << h.bits);
    if (count > 256)
        throw damaged("colour table of " + std::to_string(count) + " entries");
    std::size_t at = kFileHeader + h.infoSize;
    need(data, at + 4 * count, "the colour table");
    std::vector<std::uint32_t> table(256, 0);
    for (std::size_t i = 0; i < count; ++i)
        table[i] = u32At(data, at + 4 * i) & 0x00ffffff;
    return table;
}

std::array<std::uint32_t, 3> bitFields(ByteView data, const Header& h)
{
    if (h.compression != 3)
        return {0x7c00, 0x03e0, 0x001f};
    std::size_t at = kFileHeader + kInfoHeader;
    need(data, at + 12, "the bit fields");
    return {u32At(data, at), u32At(data, at + 4), u32At(data, at + 8)};
}

void putBgra(Bytes& out, std::size_t pixel, std::uint32_t bgr, std::uint8_t alpha)
{
    out[pixel * 4] = static_cast<std::uint8_t>(bgr);
    out[pixel * 4 + 1] = static_cast<std::uint8_t>(bgr >> 8);
    out[pixel * 4 + 2] = static_cast<std::uint8_t>(bgr >> 16);
    out[pixel * 4 + 3] = alpha;
}

}

Bitmap readBitmap(ByteView data)
{
    auto h = readHeader(data);
    const int bits = h.bits;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        throw damaged(std::to_string(bits) + " bits per pixel");
    if (h.compression != 0 && !(h.compression == 3 && (bits == 16 || bits == 32)))
        throw damaged("compression " + std::to_string(h.compression));
    std::uint64_t stride = (static_cast<std::uint64_t>(h.width) * static_cast<std::uint64_t>(bits) + 31) / 32 * 4;
    std::uint64_t end = static_cast<std::uint64_t>(h.pixelOffset) + stride * static_cast<std::uint64_t>(h.height);
    need(data, end, "the pixel data");
    std::vector<std::uint32_t> table = bits <= 8 ? colourTable(data, h) : std::vector<std::uint32_t>{};
    auto fields = bitFields(data, h);

    Bitmap bitmap{h.width, h.height, bits, Bytes(static_cast<std::size_t>(h.width) * h.height * 4), static_cast<std::size_t>(end)};
    for (int y = 0; y < h.height; ++y) {
        int row = h.topDown ? y : h.height - 1 - y;
        const std::uint8_t* src = data.data() + h.pixelOffset + stride * static_cast<std::uint64_t>(row);
        for (int x = 0; x < h.width; ++x) {
            std::size_t pixel = static_cast<std::size_t>(y) * h.width + x;
            switch (bits) {
            case 1: putBgra(bitmap.bgra, pixel, table[(src[x / 8] >> (7 - x % 8)) & 1], 0); break;
            case 4: putBgra(bitmap.bgra, pixel, table[(src[x / 2] >> (x % 2 ? 0 : 4)) & 0x0f], 0); break;
            case 8: putBgra(bitmap.bgra, pixel, table[src[x]], 0); break;
            case 16: {
                std::uint32_t value = src[2 * x] | src[2 * x + 1] << 8;
                std::uint32_t bgr = widen(value, fields[2]) | widen(value, fields[1]) << 8 | widen(value, fields[0]) << 16;
                putBgra(bitmap.bgra, pixel, bgr, 0);
                break;
            }
            case 24: putBgra(bitmap.bgra, pixel, src[3 * x] | src[3 * x + 1] << 8 | src[3 * x + 2] << 16, 0); break;
            default: putBgra(bitmap.bgra, pixel, src[4 * x] | src[4 * x + 1] << 8 | src[4 * x + 2] << 16, src[4 * x + 3]);
            }
        }
    }
    return bitmap;
}

namespace {

Bytes bitmapFile(int width, int height, int bits, const std::vector<std::uint32_t>& palette, Bytes rowsBottomUp)
{
    std::size_t pixelOffset = kFileHeader + kInfoHeader + 4 * palette.size();
    Bytes out(pixelOffset);
    out[0] = 'B';
    out[1] = 'M';
    putU32(out, 2, static_cast<std::uint32_t>(pixelOffset + rowsBottomUp.size()));
    putU32(out, 10, static_cast<std::uint32_t>(pixelOffset));
    putU32(out, 14, kInfoHeader);
    putI32(out, 18, width);
    putI32(out, 22, height);
    putU16(out, 26, 1);
    putU16(out, 28, static_cast<std::uint16_t>(bits));
    putU32(out, 34, static_cast<std::uint32_t>(rowsBottomUp.size()));
    putU32(out, 46, static_cast<std::uint32_t>(palette.size()));
    for (std::size_t i = 0; i < palette.size(); ++i)
        putU32(out, kFileHeader + kInfoHeader + 4 * i, palette[i]);
    out.insert(out.end(), rowsBottomUp.begin(), rowsBottomUp.end());
    return out;
}

}

Bytes writeBitmap32(int width, int height, ByteView bgraTopDown)
{
    std::size_t stride = static_cast<std::size_t>(width) * 4;
    Bytes rows(stride * height);
    for (int y = 0; y < height; ++y)
        std::copy_n(bgraTopDown.begin() + static_cast<std::ptrdiff_t>(stride * (height - 1 - y)), stride,
                    rows.begin() + static_cast<std::ptrdiff_t>(stride * y));
    return bitmapFile(width, height, 32, {}, std::move(rows));
}

Bytes writeBitmap1(int width, int height, const std::vector<bool>& bitsTopDown)
{
    std::size_t stride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
    Bytes rows(stride * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (bitsTopDown[static_cast<std::size_t>(y) * width + x])
                rows[stride * (height - 1 - y) + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
    }
    return bitmapFile(width, height, 1, {0x000000, 0xffffff}, std::move(rows));
}

Image cutImage(const Bitmap& colour, const Bitmap* mask, int left, int top, int width, int height)
{
    bool alphaDecides = false;
    if (colour.bitsPerPixel == 32) {
        for (int y = 0; y < height && !alphaDecides; ++y) {
            for (int x = 0; x < width && !alphaDecides; ++x)
                alphaDecides = colour.alphaAt(left + x, top + y) != 0;
        }
    }
    Image frame{width, height, Bytes(static_cast<std::size_t>(width) * height * 4)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto* bgra = &colour.bgra[(static_cast<std::size_t>(top + y) * colour.width + left + x) * 4];
            auto* out = &frame.rgba[(static_cast<std::size_t>(y) * width + x) * 4];
            int alpha = 255;
            if (alphaDecides)
                alpha = bgra[3];
            else if (mask && mask->bgra[(static_cast<std::size_t>(top + y) * mask->width + left + x) * 4] != 0)
                alpha = 0;
            if (alpha == 0)
                continue;
            // Stored colours are premultiplied when alpha decides.
            for (int c = 0; c < 3; ++c) {
                int value = bgra[2 - c];
                out[c] = static_cast<std::uint8_t>(alphaDecides ? std::min(255, (value * 255 + alpha / 2) / alpha) : value);
            }
            out[3] = static_cast<std::uint8_t>(alpha);
        }
    }
    return frame;
}


void putPremultiplied(std::uint8_t* bgra, const std::uint8_t* rgba)
{
    int alpha = rgba[3];
    for (int c = 0; c < 3; ++c)
        bgra[2 - c] = static_cast<std::uint8_t>((rgba[c] * alpha + 127) / 255);
    bgra[3] = static_cast<std::uint8_t>(alpha);
}

}
