#include "library/shp.h"

#include "common/bytes.h"
#include "library/lcw.h"
#include "library/palette.h"
#include "support/errors.h"

#include <gtest/gtest.h>

#include <random>

namespace qx::library {
namespace {

using test::errorOf;

struct CodeCase {
    const char* what;
    Bytes base;  // the frame before: its size is the frame's
    Bytes packed;
    Bytes expected;  // or the fault's text
    std::string fault;
};

std::string faultOf(std::optional<std::string> fault)
{
    return fault.value_or("");
}

TEST(Lcw, EachCommandUnpacksToItsBytes)
{
    const CodeCase cases[] = {
        {"literal", Bytes(3), {0x83, 1, 2, 3, 0x80}, {1, 2, 3}, ""},
        {"copy from 2 back", Bytes(5), {0x82, 1, 2, 0x00, 0x02, 0x80}, {1, 2, 1, 2, 1}, ""},
        {"copy from 1 back repeats", Bytes(5), {0x81, 7, 0x10, 0x01, 0x80}, {7, 7, 7, 7, 7}, ""},
        {"copy from an absolute position", Bytes(6), {0x82, 5, 6, 0xC1, 0x00, 0x00, 0x80}, {5, 6, 5, 6, 5, 6}, ""},
        {"fill", Bytes(4), {0xFE, 0x04, 0x00, 9, 0x80}, {9, 9, 9, 9}, ""},
        {"long copy overlapping", Bytes(5), {0x82, 1, 2, 0xFF, 0x03, 0x00, 0x01, 0x00}, {1, 2, 2, 2, 2}, ""},
        {"a whole frame needs no end", Bytes(2), {0x82, 4, 4}, {4, 4}, ""},
        {"truncated", Bytes(4), {0xFE, 0x04}, {}, "its data ends inside a command"},
        {"ended early", Bytes(4), {0x82, 1, 2, 0x80}, {}, "its data ends the frame after 2 bytes of 4"},
        {"no end", Bytes(4), {0x82, 1, 2}, {}, "its data ends after 2 bytes of the frame's 4"},
        {"past the end", Bytes(3), {0xFE, 0x04, 0x00, 1}, {}, "a command writes past the end of the frame"},
        {"back before the start", Bytes(4), {0x81, 1, 0x00, 0x02}, {}, "a copy reaches 2 bytes back from byte 1"},
        {"from an unwritten byte", Bytes(4), {0x81, 1, 0xC0, 0x01, 0x00}, {}, "a copy starts at byte 1, not yet written at byte 1"},
    };
    for (const auto& c : cases) {
        Bytes frame = c.base;
        EXPECT_EQ(faultOf(unpackLcw(c.packed, frame)), c.fault) << c.what;
        if (c.fault.empty()) {
            EXPECT_EQ(frame, c.expected) << c.what;
        }
    }
}

TEST(XorDelta, EachCommandChangesItsBytes)
{
    const Bytes base = {1, 2, 3, 4, 5, 6};
    const CodeCase cases[] = {
        {"bytes with one value", base, {0x00, 3, 0x10, 0x80, 0, 0}, {0x11, 0x12, 0x13, 4, 5, 6}, ""},
        {"bytes with bytes", base, {0x02, 0xF0, 0x0F, 0x80, 0, 0}, {0xF1, 0x0D, 3, 4, 5, 6}, ""},
        {"skip", base, {0x82, 0x01, 0xFF, 0x80, 0, 0}, {1, 2, 0xFC, 4, 5, 6}, ""},
        {"long skip", base, {0x80, 0x04, 0x00, 0x01, 1, 0x80, 0, 0}, {1, 2, 3, 4, 4, 6}, ""},
        {"long bytes", base, {0x80, 0x02, 0x80, 7, 7, 0x80, 0, 0}, {6, 5, 3, 4, 5, 6}, ""},
        {"long value", base, {0x80, 0x03, 0xC0, 0x01, 0x80, 0, 0}, {0, 3, 2, 4, 5, 6}, ""},
        {"no end mark", base, {0x82}, {}, "its delta has no end mark"},
        {"skip past the end", base, {0x87, 0x80, 0, 0}, {}, "a skip reaches past the end of the frame"},
        {"bytes past the end", base, {0x00, 7, 1, 0x80, 0, 0}, {}, "a command writes past the end of the frame"},
        {"truncated bytes", base, {0x03, 1}, {}, "its data ends inside a command"},
    };
    for (const auto& c : cases) {
        Bytes frame = c.base;
        EXPECT_EQ(faultOf(applyXorDelta(c.packed, frame)), c.fault) << c.what;
        if (c.fault.empty()) {
            EXPECT_EQ(frame, c.expected) << c.what;
        }
    }
}

struct Block {
    std::uint8_t kind;
    std::uint32_t reference;
    Bytes data;
};

// An SHP file of these blocks, laid out as the game reads them.
Bytes shpOf(int width, int height, const std::vector<Block>& blocks, bool palette = false)
{
    std::size_t dataStart = kShpHeadSize + (blocks.size() + 2) * kShpEntrySize;
    Bytes file(dataStart);
    putU16(file, 0, static_cast<std::uint16_t>(blocks.size()));
    putU16(file, 6, static_cast<std::uint16_t>(width));
    putU16(file, 8, static_cast<std::uint16_t>(height));
    putU16(file, 12, palette ? 1 : 0);
    if (palette)
        file.resize(file.size() + kShpPaletteSize);
    std::size_t shift = palette ? kShpPaletteSize : 0;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        putU32(file, kShpHeadSize + i * kShpEntrySize, static_cast<std::uint32_t>(file.size() - shift) | blocks[i].kind << 24);
        putU32(file, kShpHeadSize + i * kShpEntrySize + 4, blocks[i].reference);
        file.insert(file.end(), blocks[i].data.begin(), blocks[i].data.end());
    }
    putU32(file, kShpHeadSize + blocks.size() * kShpEntrySize, static_cast<std::uint32_t>(file.size() - shift));
    return file;
}

// Key frame 0 and 1, a key delta over key frame 1, and a delta on that.
std::vector<Block> threeKinds(std::uint32_t keyOffset)
{
    return {{0x80, 0, {0xFE, 4, 0, 1, 0x80}},
            {0x80, 0, {0x84, 1, 2, 3, 4, 0x80}},
            {0x40, keyOffset, {0x01, 0xFF, 0x80, 0, 0}},
            {0x20, 2, {0x83, 0x00, 1, 0x0F, 0x80, 0, 0}}};
}

TEST(ShpFile, ReadsTheThreeFrameKindsInBothLayouts)
{
    for (bool palette : {false, true}) {
        std::uint32_t keyOffset = kShpHeadSize + 6 * kShpEntrySize + 5;
        auto shp = readShp(shpOf(2, 2, threeKinds(keyOffset), palette), "tank.shp");
        EXPECT_EQ(shp.width, 2);
        EXPECT_EQ(shp.kinds, (std::vector<ShpFrameKind>{ShpFrameKind::Key, ShpFrameKind::Key, ShpFrameKind::KeyDelta,
                                                          ShpFrameKind::Delta}));
        EXPECT_EQ(shp.frames, (std::vector<Bytes>{{1, 1, 1, 1}, {1, 2, 3, 4}, {0xFE, 2, 3, 4}, {0xFE, 2, 3, 0x0B}}))
            << palette;
    }
}

TEST(ShpFile, WritesKeyFramesExactly)
{
    auto file = writeShp(2, 2, {{0, 0, 0, 0}, {1, 2, 3, 4}});
    const Bytes expected = {
        2, 0, 0, 0, 0, 0, 2, 0, 2, 0, 6, 0, 0, 0,    // head: count, x, y, size, largest block, flags
        46, 0, 0, 0x80, 0, 0, 0, 0,                   // key frame at 46
        51, 0, 0, 0x80, 0, 0, 0, 0,                   // key frame at 51
        57, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // the end, then zero
        0x81, 0, 0x00, 0x01, 0x80,                    // a zero, copied from one back
        0x84, 1, 2, 3, 4, 0x80};
    EXPECT_EQ(file, expected);
}

// Frames like a game's: a transparent field, a shape of a few colours,
// noise on it; packed, they come back the same, in much less.
TEST(ShpFile, RandomFramesRoundTripPacked)
{
    std::mt19937 random(20824);
    for (int round = 0; round < 40; ++round) {
        int width = 1 + static_cast<int>(random() % 90), height = 1 + static_cast<int>(random() % 90);
        std::vector<Bytes> frames(1 + random() % 6, Bytes(static_cast<std::size_t>(width) * height));
        std::size_t structured = 0;
        for (auto& frame : frames) {
            auto noise = random() % 4;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    auto inside = std::abs(x - width / 2) + std::abs(y - height / 2) < width / 3;
                    auto& pixel = frame[static_cast<std::size_t>(y * width + x)];
                    pixel = inside ? static_cast<std::uint8_t>(16 + (x + y) / 8) : 0;
                    if (random() % 8 < noise)
                        pixel = static_cast<std::uint8_t>(random());
                }
            structured += noise == 0;
        }
        auto file = writeShp(width, height, frames);
        auto shp = readShp(file, "random.shp");
        ASSERT_EQ(shp.frames, frames) << round;
        EXPECT_EQ(shp.kinds, std::vector<ShpFrameKind>(frames.size(), ShpFrameKind::Key));
        if (structured == frames.size() && width * height > 400) {
            EXPECT_LT(file.size(), frames.size() * width * height / 4) << round;
        }
    }
}

TEST(ShpFile, DamageGivesOneLineNamingIt)
{
    std::uint32_t keyOffset = kShpHeadSize + 6 * kShpEntrySize + 5;
    auto good = shpOf(2, 2, threeKinds(keyOffset));
    auto changed = [&](std::size_t at, std::uint8_t value) {
        auto bytes = good;
        bytes[at] = value;
        return bytes;
    };
    const std::pair<Bytes, std::string> cases[] = {
        {Bytes(good.begin(), good.begin() + 10), "it is 10 bytes long, shorter than its 14-byte head"},
        {Bytes(good.begin(), good.begin() + 40), "its table of 4 frames ends past the end of the file"},
        {changed(kShpHeadSize + 8 * 4, 200), "its table's last entry does not give the end of its data"},
        {changed(kShpHeadSize + 8 * 3, 90), "frame 2 lies outside the file's data"},
        {changed(kShpHeadSize + 3, 0x10), "frame 0 is of the unknown kind 0x10"},
        {changed(kShpHeadSize + 8 * 3 + 4, 1), "frame 3 is a delta of frame 1, which is no key delta before it"},
        {changed(kShpHeadSize + 8 * 2 + 4, 0), "frame 2 is a delta of the frame at offset 0, which is no key frame"},
        {changed(good.size() - 7, 0x85), "frame 3: a skip reaches past the end of the frame"},
        {changed(6, 0x10), "frame 0: its data ends the frame after 4 bytes of 32"},
        // No frames: their size, however large, makes nothing.
        {shpOf(65535, 65535, {}), ""},
        {shpOf(4096, 4096, std::vector<Block>(17, Block{0x80, 0, {}})),
         "its 17 frames would unpack to 272 MiB, more than 256 MiB"},
        {shpOf(4097, 1, std::vector<Block>(1, Block{0x80, 0, {}})),
         "its frames of 4097 x 1 pixels are not between 1 x 1 and 4096 x 4096"},
    };
    for (const auto& [file, reason] : cases) {
        auto error = errorOf([&] { readShp(file, "tank.shp"); });
        EXPECT_EQ(error, reason.empty() ? "no error" : "tank.shp is not a valid SHP file: " + reason + ".");
    }
    // Every cut of a written file is refused, never read past.
    auto written = writeShp(3, 3, {Bytes(9, 1), Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9}});
    for (std::size_t size = 0; size < written.size(); ++size)
        EXPECT_NE(errorOf([&] { readShp(ByteView(written).first(size), "cut.shp"); }), "no error") << size;
}

TEST(Palettes, ReadGameJascAndPngPalettes)
{
    Bytes game(kGamePaletteSize);
    game[3] = 63, game[4] = 32, game[5] = 1;
    auto palette = readPalette(game, "temperat.pal");
    EXPECT_EQ(palette.colours[1], (Rgb{255, 130, 4}));
    game[7] = 64;
    EXPECT_EQ(errorOf([&] { readPalette(game, "temperat.pal"); }),
              "temperat.pal is not a valid palette file: byte 7 is 64, above the 63 of a 6-bit channel.");
    EXPECT_EQ(errorOf([&] { readPalette(Bytes(700), "short.pal"); }),
              "short.pal is not a valid palette file: it is 700 bytes long; a game palette has 768, and it is no "
              "JASC-PAL text or indexed PNG.");

    std::string jasc = "JASC-PAL\r\n0100\r\n2\r\n0 0 0\r\n255 128 7\r\n";
    auto fromJasc = readPalette(Bytes(jasc.begin(), jasc.end()), "paint.pal");
    EXPECT_EQ(fromJasc.colours[1], (Rgb{255, 128, 7}));
    EXPECT_EQ(fromJasc.colours[2], Rgb{});
    jasc = "JASC-PAL\n0100\n2\n0 0 0\n256 0 0\n";
    EXPECT_EQ(errorOf([&] { readPalette(Bytes(jasc.begin(), jasc.end()), "paint.pal"); }),
              "paint.pal is not a valid palette file: line 5 is not three numbers from 0 to 255.");

    // A PNG's head, then its palette chunk (the checksums are not read).
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                 0, 0, 0, 1, 0, 0, 0, 1, 8, 3, 0, 0, 0, 0, 0, 0, 0,
                 0, 0, 0, 6, 'P', 'L', 'T', 'E', 0, 0, 0, 10, 20, 30, 0, 0, 0, 0};
    EXPECT_EQ(readPalette(png, "frame.png").colours[1], (Rgb{10, 20, 30}));
    png[25] = 6;  // RGBA, not indexed
    EXPECT_EQ(errorOf([&] { readPalette(png, "frame.png"); }),
              "frame.png is not a valid palette file: it is a PNG picture without a palette of its own.");
}

TEST(Palettes, IndicesBecomeColoursAndBack)
{
    Palette palette;
    palette.colours[0] = {0, 0, 0};
    palette.colours[1] = {250, 0, 0};
    palette.colours[2] = {0, 0, 250};
    auto image = imageOf(Bytes{0, 1, 2}, 3, 1, palette);
    EXPECT_EQ(image.rgba, (Bytes{0, 0, 0, 0, 250, 0, 0, 255, 0, 0, 250, 255}));
    Image painted{4, 1, {240, 10, 10, 255, 0, 0, 0, 255, 10, 10, 200, 128, 250, 0, 0, 127}};
    // Opaque black is nearest to colour 1 or 2, never the transparent 0.
    auto indices = indicesOf(painted, palette);
    EXPECT_EQ(indices[0], 1);
    EXPECT_NE(indices[1], 0);
    EXPECT_EQ(indices[2], 2);
    EXPECT_EQ(indices[3], 0);
}

}
}
