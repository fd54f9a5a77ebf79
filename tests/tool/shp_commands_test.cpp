#include "tool/run_tool.h"

#include "common/bytes.h"
#include "archive/mix_writer.h"
#include "library/shp.h"
#include "shell/directories.h"
#include "support/pictures.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace qx {
namespace {

using test::runTool;
using test::TempDir;

// A PNG of palette indices, its data one stored deflate block (the
// checksums are not read by the decoders).
Bytes indexedPng(int width, int height, const std::vector<library::Rgb>& colours, const Bytes& indices)
{
    auto chunk = [](const std::string& type, const Bytes& data) {
        Bytes out;
        for (int shift : {24, 16, 8, 0})
            out.push_back(static_cast<std::uint8_t>(data.size() >> shift));
        for (char c : type)
            out.push_back(static_cast<std::uint8_t>(c));
        for (auto byte : data)
            out.push_back(byte);
        out.resize(out.size() + 4);
        return out;
    };
    Bytes head = {0, 0, 0, std::uint8_t(width), 0, 0, 0, std::uint8_t(height), 8, 3, 0, 0, 0};
    Bytes palette;
    for (const auto& c : colours)
        palette.insert(palette.end(), {c.r, c.g, c.b});
    Bytes rows;
    for (int y = 0; y < height; ++y) {
        rows.push_back(0);
        rows.insert(rows.end(), indices.begin() + y * width, indices.begin() + (y + 1) * width);
    }
    auto n = static_cast<std::uint16_t>(rows.size());
    Bytes packed = {0x78, 0x01, 0x01, std::uint8_t(n), std::uint8_t(n >> 8), std::uint8_t(~n), std::uint8_t(~n >> 8)};
    packed.insert(packed.end(), rows.begin(), rows.end());
    packed.insert(packed.end(), 4, 0);
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (const auto& part : {chunk("IHDR", head), chunk("PLTE", palette), chunk("IDAT", packed), chunk("IEND", {})})
        png.insert(png.end(), part.begin(), part.end());
    return png;
}

class ToolShp : public ::testing::Test {
protected:
    void SetUp() override
    {
#ifndef _WIN32
        // No game folder unless a test names one: no palette is taken from
        // the settings of whoever runs the tests.
        ::setenv("XDG_CONFIG_HOME", toText(dir / "config").c_str(), 1);
#endif
        // Index 1 red, 2 blue, and 3 red again.
        Bytes palette(768);
        palette[3] = 63, palette[8] = 63, palette[9] = 63;
        test::writeBytes(dir / "game.pal", palette);
        test::writePng(dir / "red.png", 3, 2, test::kRed);
        test::writePng(dir / "clear.png", 3, 2, test::kClear);
    }
#ifndef _WIN32
    void TearDown() override { ::unsetenv("XDG_CONFIG_HOME"); }
#endif
    std::string path(const char* name) const { return toText(dir / name); }

    TempDir dir;
};

TEST_F(ToolShp, MakeInfoFramesAndALibraryWithoutPictures)
{
    auto made = runTool({"shp", "make", "--palette", path("game.pal"), path("tank.shp"), path("red.png"), path("clear.png")});
    ASSERT_EQ(made.status, 0) << made.err;
    auto info = runTool({"shp", "info", path("tank.shp")});
    EXPECT_EQ(info.out, "2 frames of 3x2\n0: key frame\n1: key frame\n");
    ASSERT_EQ(runTool({"shp", "frames", path("tank.shp"), "--palette", path("game.pal"), path("frames")}).status, 0);
    EXPECT_EQ(test::pixelAt(dir / "frames" / "000.png", 2, 1), test::kRed);
    EXPECT_EQ(test::pixelAt(dir / "frames" / "001.png", 0, 0), test::kClear);

    ASSERT_EQ(runTool({"make-library", "--kind", "unit", "--title", "From SHP", "--out", path("t.vkl"), "--palette",
                       path("game.pal"), path("tank.shp")})
                  .status,
              0);
    EXPECT_EQ(runTool({"library", path("t.vkl")}).out, "Unit VKL:  From SHP\nimages: 1\n0: offset 0, size " +
                                                           std::to_string(fs::file_size(dir / "tank.shp")) +
                                                           ", 2 frames of 3x2\n");
    ASSERT_EQ(runTool({"frames", path("t.vkl"), "0", path("previews")}).status, 0);
    EXPECT_EQ(readFile(dir / "previews" / "000.png"), readFile(dir / "frames" / "000.png"));
}

// Drawn in the palette, a picture keeps the indices it was drawn with,
// though index 1 has the same colour as 3.
TEST_F(ToolShp, AnIndexedPictureInThePaletteKeepsItsIndices)
{
    std::vector<library::Rgb> colours = {{0, 0, 0}, {255, 0, 0}, {0, 0, 255}, {255, 0, 0}};
    test::writeBytes(dir / "drawn.png", indexedPng(2, 1, colours, {3, 2}));
    ASSERT_EQ(runTool({"shp", "make", "--palette", path("game.pal"), path("drawn.shp"), path("drawn.png")}).status, 0);
    EXPECT_EQ(library::readShp(readFile(dir / "drawn.shp"), "drawn.shp").frames.at(0), (Bytes{3, 2}));

    colours[2] = {0, 0, 250};  // another palette: nearest colours
    test::writeBytes(dir / "other.png", indexedPng(2, 1, colours, {3, 2}));
    ASSERT_EQ(runTool({"shp", "make", "--palette", path("game.pal"), path("other.shp"), path("other.png")}).status, 0);
    EXPECT_EQ(library::readShp(readFile(dir / "other.shp"), "other.shp").frames.at(0), (Bytes{1, 2}));
}

#ifndef _WIN32
// game:NAME is a palette of the game folder Quarvex's settings name, loose or
// in its archives.
TEST_F(ToolShp, GamePalettesComeFromTheSettingsGameFolder)
{
    auto config = dir / "config";
    fs::create_directories(dir / "game");
    fs::create_directories(config / "quarvex");
    writeSettings(settingsFilePath(), {toText(dir / "game"), dir.text(), dir.text()});
    archive::MixArchive archive;
    archive.add("temperat.pal", readFile(dir / "game.pal"));
    test::writeBytes(dir / "game" / "valkor.mix", archive.bytes());
    test::writeBytes(dir / "one.shp", library::writeShp(1, 1, {Bytes{2}}));
    auto made = runTool({"shp", "frames", path("one.shp"), "--palette", "game:TEMPERAT.PAL", path("frames")});
    EXPECT_EQ(made.status, 0) << made.err;
    // Without --palette, the game's temperate palette, said.
    auto byDefault = runTool({"shp", "frames", path("one.shp"), path("default")});
    EXPECT_EQ(byDefault.err, "qxtool: no --palette given: using game:temperat.pal\n");
    EXPECT_EQ(readFile(dir / "default" / "000.png"), readFile(dir / "frames" / "000.png"));
    EXPECT_EQ(runTool({"shp", "frames", path("one.shp"), "--palette", "game:snow.pal", path("frames")}).err,
              "qxtool: The game folder " + path("game") + " has no snow.pal.\n");
}
#endif

TEST_F(ToolShp, RefusalsAreOneLine)
{
    test::writePng(dir / "big.png", 4, 2, test::kRed);
    auto differs = runTool({"shp", "make", "--palette", path("game.pal"), path("x.shp"), path("red.png"), path("big.png")});
    EXPECT_EQ(differs.status, 1);
    EXPECT_EQ(differs.err, "qxtool: The frame " + path("big.png") + " is 4x2, not 3x2 as the first frame.\n");
    EXPECT_FALSE(fs::exists(dir / "x.shp"));
    test::writeText(dir / "bad.shp", "SHP?");
    EXPECT_EQ(runTool({"shp", "info", path("bad.shp")}).err,
              "qxtool: " + path("bad.shp") + " is not a valid SHP file: it is 4 bytes long, shorter than its 14-byte head.\n");
    auto noPalette = runTool({"shp", "frames", path("bad.shp"), "--palette", path("red.png"), path("out")});
    EXPECT_EQ(noPalette.status, 1);
    EXPECT_EQ(runTool({"shp", "make", path("x.shp"), path("red.png")}).status, 2);
    EXPECT_EQ(runTool({"make-library", "--kind", "unit", "--title", "T", "--out", path("t.vkl"), path("bad.shp")}).status, 2);

    // A frame the game cannot draw: refused by make and make-library, marked by info.
    test::writePng(dir / "huge.png", 256, 256, test::kRed);
    const std::string limit = "a frame of 256x256 is 65536 pixels, but the game draws frames of at most 65535 pixels";
    auto huge = runTool({"shp", "make", "--palette", path("game.pal"), path("huge.shp"), path("huge.png")});
    EXPECT_EQ(huge.err, "qxtool: " + path("huge.shp") + ": " + limit + ".\n");
    EXPECT_FALSE(fs::exists(dir / "huge.shp"));
    test::writeBytes(dir / "huge.shp", library::writeShp(256, 256, {Bytes(65536, 1)}));
    EXPECT_EQ(runTool({"shp", "info", path("huge.shp")}).out,
              "1 frame of 256x256\nwarning: " + path("huge.shp") + ": " + limit + "\n0: key frame\n");
    auto library = runTool({"make-library", "--kind", "unit", "--title", "T", "--out", path("t.vkl"), "--palette",
                            path("game.pal"), path("huge.shp")});
    EXPECT_EQ(library.err, "qxtool: " + path("huge.shp") + ": " + limit + ".\n");
}

}
}
