#pragma once

#include "library/image.h"

#include <array>
#include <functional>
#include <string_view>
#include <optional>
#include <string>
#include <vector>

namespace qx::library {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

// 256 colours in 8 bits a channel; index 0 is drawn transparent.
struct Palette {
    std::array<Rgb, 256> colours{};
    bool operator==(const Palette&) const = default;
};

constexpr std::size_t kGamePaletteSize = 768;
// A palette file may be a PNG picture of any size.
constexpr std::uint64_t kMaxPaletteFileBytes = 256u << 20;

// The game's 6-bit channel (0 to 63) in 8 bits: v << 2 | v >> 4.
constexpr std::uint8_t eightBits(std::uint8_t sixBits)
{
    return static_cast<std::uint8_t>(sixBits << 2 | sixBits >> 4);
}

// A game palette (768 bytes of 6-bit R, G, B), a JASC-PAL text file or the
// palette of an indexed PNG; throws "NAME is not a valid palette file:
// REASON." for anything else.
Palette readPalette(ByteView file, const std::string& name);

// Calls chunk with each chunk of a PNG file in order, its type and data,
// until it returns false; false when the file is no PNG or a chunk does not
// fit in it.
bool forEachPngChunk(ByteView file, const std::function<bool(std::string_view type, ByteView data)>& chunk);

// The colours of an indexed PNG's palette, in order; nothing for a file
// that is no indexed PNG or whose chunks do not fit it.
std::optional<std::vector<Rgb>> indexedPngColours(ByteView file);

// A frame of palette indices as RGBA, index 0 fully transparent.
Image imageOf(ByteView indices, int width, int height, const Palette& palette);

// Each pixel as the nearest colour from 1 to 255; alpha below 128 is 0.
Bytes indicesOf(const Image& image, const Palette& palette);

}
