#pragma once

#include "library/image.h"

#include <cstdint>

namespace qx::library {

// A bitmap file ("BM") as stored inside image lists and pictures.
struct Bitmap {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    // One BGRA quadruple per pixel, rows top-down; the fourth byte is the
    // stored alpha for 32-bit bitmaps and 0 for the others.
    Bytes bgra;
    std::size_t fileSize = 0;  // where the bitmap's pixels end, from its "BM"

    std::uint8_t alphaAt(int x, int y) const { return bgra[(static_cast<std::size_t>(y) * width + x) * 4 + 3]; }
};

// Reads the bitmap file at the start of data; 1, 4 and 8 bits with a colour
// table, 16 (5-5-5 or bit fields), 24 and 32 bits. Throws on damage.
Bitmap readBitmap(ByteView data);

// The width x height pixels at left, top. In a 32-bit bitmap whose alpha
// bytes there are not all 0, alpha decides and the colours are premultiplied;
// otherwise the mask decides (a set bit is transparent), or all is opaque.
Image cutImage(const Bitmap& colour, const Bitmap* mask, int left, int top, int width, int height);

// One RGBA pixel as the BGRA quadruple of a 32-bit bitmap, premultiplied.
void putPremultiplied(std::uint8_t* bgra, const std::uint8_t* rgba);

// A 32-bit bitmap file of BGRA quadruples given top-down.
Bytes writeBitmap32(int width, int height, ByteView bgraTopDown);

// A 1-bit bitmap file; a set bit is written for every true entry (top-down).
Bytes writeBitmap1(int width, int height, const std::vector<bool>& bitsTopDown);

}
