#include "library/component_stream.h"
#include "library/image_list_stream.h"

#include "common/error.h"
#include "stream_builders.h"

#include "support/errors.h"

#include <gtest/gtest.h>

#include <functional>

namespace qx::library {
namespace {

using test::append16;
using test::append32;

// Rows bottom-up, each padded to 4 bytes, from the raw value of each pixel
// (palette index, 16-bit word, BGR or BGRA).
Bytes rowsOf(int width, int height, int bits, const std::function<std::uint32_t(int, int)>& value)
{
    std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    Bytes rows(stride * height);
    for (int y = 0; y < height; ++y) {
        auto* row = &rows[stride * (height - 1 - y)];
        for (int x = 0; x < width; ++x) {
            auto v = value(x, y);
            if (bits < 8)
                row[x * bits / 8] |= static_cast<std::uint8_t>(v << (8 - bits - (x * bits) % 8));
            else
                for (int b = 0; b < bits / 8; ++b)
                    row[x * bits / 8 + b] = static_cast<std::uint8_t>(v >> (8 * b));
        }
    }
    return rows;
}

std::array<int, 4> pixel(const Image& image, int x, int y)
{
    const auto* p = &image.rgba[(static_cast<std::size_t>(y) * image.width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

// Two 2 x 2 images side by side in an 8 x 2 grid (room for four).
FrameList twoImages(int bits, const std::vector<std::uint32_t>& palette, const std::function<std::uint32_t(int, int)>& value,
                    std::uint32_t compression = 0, const std::vector<std::uint32_t>& masks = {})
{
    auto colour = test::bitmapFile(8, 2, bits, palette, rowsOf(8, 2, bits, value), compression, masks);
    return readImageListStream(test::imageListStream(2, 10, 2, 2, 0, colour));
}

TEST(ImageListStream, EveryBitDepth)
{
    // Image 0 is all the first value, image 1 all the second.
    auto second = [](int x, int) { return x >= 2; };

    auto one = twoImages(1, {0x000000, 0xffffff}, [&](int x, int y) { return second(x, y) ? 1u : 0u; });
    EXPECT_EQ(pixel(one.frames[0], 1, 1), (std::array<int, 4>{0, 0, 0, 255}));
    EXPECT_EQ(pixel(one.frames[1], 0, 0), (std::array<int, 4>{255, 255, 255, 255}));

    auto four = twoImages(4, std::vector<std::uint32_t>(16, 0x102030), [&](int x, int y) { return second(x, y) ? 15u : 0u; });
    EXPECT_EQ(pixel(four.frames[1], 1, 0), (std::array<int, 4>{0x10, 0x20, 0x30, 255}));

    auto eight = twoImages(8, {0x0000ff, 0x00ff00, 0xff0000}, [&](int x, int y) { return second(x, y) ? 2u : 1u; });
    EXPECT_EQ(pixel(eight.frames[0], 0, 0), (std::array<int, 4>{0, 255, 0, 255}));
    EXPECT_EQ(pixel(eight.frames[1], 0, 0), (std::array<int, 4>{255, 0, 0, 255}));

    // 5-5-5: red 31, green 16, blue 1.
    auto fifteen = twoImages(16, {}, [](int, int) { return (31u << 10) | (16u << 5) | 1u; });
    EXPECT_EQ(pixel(fifteen.frames[1], 1, 1), (std::array<int, 4>{255, 132, 8, 255}));

    // 5-6-5 bit fields: red 31, green 63, blue 0.
    auto sixteen = twoImages(16, {}, [](int, int) { return 0xffe0u; }, 3, {0xf800, 0x07e0, 0x001f});
    EXPECT_EQ(pixel(sixteen.frames[0], 0, 0), (std::array<int, 4>{255, 255, 0, 255}));

    auto twentyFour = twoImages(24, {}, [&](int x, int y) { return second(x, y) ? 0x112233u : 0x445566u; });
    EXPECT_EQ(pixel(twentyFour.frames[0], 0, 0), (std::array<int, 4>{0x44, 0x55, 0x66, 255}));
    EXPECT_EQ(pixel(twentyFour.frames[1], 0, 1), (std::array<int, 4>{0x11, 0x22, 0x33, 255}));

    // 32 bits with alpha: colours are premultiplied.
    auto thirtyTwo = twoImages(32, {}, [&](int x, int y) { return second(x, y) ? 0x80102040u : 0u; });
    EXPECT_EQ(pixel(thirtyTwo.frames[1], 0, 0), (std::array<int, 4>{32, 64, 128, 128}));
    EXPECT_EQ(pixel(thirtyTwo.frames[0], 0, 0), (std::array<int, 4>{0, 0, 0, 255}));  // no alpha, no mask: opaque
}

TEST(ImageListStream, MaskDecidesUnlessAlphaDoes)
{
    auto colour = test::bitmapFile(8, 2, 24, {}, rowsOf(8, 2, 24, [](int, int) { return 0x0000ffu; }));
    auto mask = test::bitmapFile(8, 2, 1, {0, 0xffffff}, rowsOf(8, 2, 1, [](int x, int y) { return x == y ? 1u : 0u; }));
    auto list = readImageListStream(test::imageListStream(2, 2, 2, 2, 1, colour, mask));
    EXPECT_EQ(pixel(list.frames[0], 0, 0), (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(pixel(list.frames[0], 1, 0), (std::array<int, 4>{0, 0, 255, 255}));

    // In a 32-bit frame with alpha the mask is ignored.
    auto alpha = test::bitmapFile(8, 2, 32, {}, rowsOf(8, 2, 32, [](int x, int) { return x < 2 ? 0xff0000ffu : 0u; }));
    list = readImageListStream(test::imageListStream(2, 2, 2, 2, 1, alpha, mask));
    EXPECT_EQ(pixel(list.frames[0], 0, 0), (std::array<int, 4>{0, 0, 255, 255}));
    EXPECT_EQ(pixel(list.frames[1], 0, 0), (std::array<int, 4>{0, 0, 0, 255}));  // image 1 has no alpha: the mask is clear there
    EXPECT_EQ(pixel(list.frames[1], 1, 1), (std::array<int, 4>{0, 0, 0, 255}));
}

TEST(ImageListStream, GridRowsCapacityAndTrailingBytes)
{
    // Five 1 x 1 images: four in the first row, the fifth in the second;
    // the bitmap has a spare third row and 22 zero bytes follow.
    auto colour = test::bitmapFile(4, 3, 24, {}, rowsOf(4, 3, 24, [](int x, int y) { return static_cast<std::uint32_t>(y * 4 + x); }));
    auto stream = test::imageListStream(5, 100, 1, 1, 0, colour);
    stream.insert(stream.end(), 22, 0);
    auto list = readImageListStream(stream);
    ASSERT_EQ(list.frames.size(), 5u);
    EXPECT_EQ(list.width, 1);
    EXPECT_EQ(pixel(list.frames[3], 0, 0), (std::array<int, 4>{0, 0, 3, 255}));
    EXPECT_EQ(pixel(list.frames[4], 0, 0), (std::array<int, 4>{0, 0, 4, 255}));
}

TEST(ImageListStream, DamagedStreamsAreRefused)
{
    auto colour = test::bitmapFile(8, 2, 24, {}, rowsOf(8, 2, 24, [](int, int) { return 1u; }));
    auto good = test::imageListStream(2, 2, 2, 2, 0, colour);
    EXPECT_NO_THROW(readImageListStream(good));
    ASSERT_EQ(good.size(), 130u);  // the 28-byte head, a 54-byte bitmap header, two rows of 24 bytes
    for (std::size_t length = 0; length < good.size(); ++length) {
        auto available = std::to_string(length - 28) + " available)";
        auto expected = length < 28   ? "The image list is not in the supported \"IL\" stream form."
                        : length < 82 ? "Damaged bitmap: the bitmap header runs past the end of the data (needed 54 bytes, only " + available
                                      : "Damaged bitmap: the pixel data runs past the end of the data (needed 102 bytes, only " + available;
        EXPECT_EQ(test::errorOf([&] { readImageListStream(ByteView(good).first(length)); }), expected);
    }

    EXPECT_THROW(readImageListStream(test::imageListStream(9, 9, 2, 2, 0, colour)), Error);     // more images than rows
    EXPECT_THROW(readImageListStream(test::imageListStream(1, 1, 30000, 2, 0, colour)), Error); // absurd width
    EXPECT_THROW(readImageListStream(test::imageListStream(2, 2, 2, 2, 1, colour)), Error);     // mask missing
    auto other = good;
    other[0] = 'X';
    try {
        readImageListStream(other);
        FAIL();
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "The image list is not in the supported \"IL\" stream form.");
    }
    auto huge = test::bitmapFile(30000, 30000, 24, {}, {});
    EXPECT_THROW(readImageListStream(test::imageListStream(1, 1, 2, 2, 0, huge)), Error);
}

TEST(ImageListStream, WriterRoundTrip)
{
    FrameList list{3, 2, {}};
    for (int i = 0; i < 6; ++i) {
        Image frame{3, 2, Bytes(24)};
        for (std::size_t p = 0; p < 6; ++p) {
            bool transparent = (p + static_cast<std::size_t>(i)) % 3 == 0;
            Bytes rgba = transparent ? Bytes{0, 0, 0, 0} : Bytes{static_cast<std::uint8_t>(i * 40), static_cast<std::uint8_t>(p * 30), 7, 255};
            std::copy(rgba.begin(), rgba.end(), frame.rgba.begin() + static_cast<std::ptrdiff_t>(p * 4));
        }
        list.frames.push_back(frame);
    }
    EXPECT_EQ(readImageListStream(writeImageListStream(list)), list);

    FrameList empty{5, 7, {}};
    EXPECT_EQ(readImageListStream(writeImageListStream(empty)), empty);

    Image half{1, 1, {200, 100, 50, 128}};
    auto back = readImageListStream(writeImageListStream({1, 1, {half}})).frames[0];
    for (int c = 0; c < 4; ++c)
        EXPECT_NEAR(back.rgba[static_cast<std::size_t>(c)], half.rgba[static_cast<std::size_t>(c)], 2);
}

}
}
