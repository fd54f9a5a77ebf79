#include "library/library_file.h"

#include "common/error.h"
#include "library/component_stream.h"
#include "project/encoder.h"
#include "library/stream_builders.h"
#include "support/errors.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <tuple>

namespace qx::library {
namespace {

using test::TempDir;

FrameList framesOf(int count, int width, int height, std::uint8_t shade)
{
    FrameList list{width, height, {}};
    for (int i = 0; i < count; ++i)
        list.frames.push_back(Image{width, height, Bytes(static_cast<std::size_t>(width) * height * 4, static_cast<std::uint8_t>(shade + i))});
    for (auto& frame : list.frames)
        for (std::size_t p = 3; p < frame.rgba.size(); p += 4)
            frame.rgba[p] = 255;
    return list;
}

std::string failure(const Bytes& plain)
{
    try {
        parseLibrary(plain);
    } catch (const Error& error) {
        return error.what();
    }
    return "accepted";
}

TEST(LibraryFile, BuiltLibrariesReadBack)
{
    std::vector<LibraryImage> images{{Bytes(7, 1), framesOf(3, 4, 5, 10)}, {Bytes(9, 2), framesOf(1, 6, 2, 50)}};
    auto lib = parseLibrary(buildLibrary(LibraryKind::Projectile, "Flying \xe9", images));
    EXPECT_EQ(lib.kind, LibraryKind::Projectile);
    EXPECT_EQ(lib.title, "Flying \xe9");
    ASSERT_EQ(lib.table.size(), 2u);
    EXPECT_EQ(lib.table[1].offset, 7u);
    EXPECT_EQ(lib.image(0), Bytes(7, 1));
    EXPECT_EQ(lib.image(1), Bytes(9, 2));
    EXPECT_EQ(lib.previews[0].count, 3);
    EXPECT_EQ(lib.previews[1].width, 6);
    EXPECT_EQ(lib.preview(0), images[0].preview);
    EXPECT_EQ(lib.preview(1), images[1].preview);
    EXPECT_THROW(lib.image(2), Error);
}

TEST(LibraryFile, IconLibraryHasOneListOfAllIcons)
{
    std::vector<LibraryImage> images{{Bytes{1}, framesOf(1, 3, 3, 1)}, {Bytes{2}, framesOf(1, 3, 3, 2)}};
    auto lib = parseLibrary(buildLibrary(LibraryKind::Icon, "Icons", images));
    ASSERT_EQ(lib.previews.size(), 1u);
    auto icons = lib.preview(0);
    ASSERT_EQ(icons.frames.size(), 2u);
    EXPECT_EQ(icons.frames[1], images[1].preview.frames[0]);
    images[1].preview = framesOf(1, 4, 3, 2);
    EXPECT_THROW(buildLibrary(LibraryKind::Icon, "Icons", images), Error);
}

TEST(LibraryFile, EmptyLibraries)
{
    auto units = buildLibrary(LibraryKind::Unit, "None", {});
    EXPECT_EQ(units.size(), 64u);
    EXPECT_TRUE(parseLibrary(units).previews.empty());
    auto icons = parseLibrary(buildLibrary(LibraryKind::Icon, "None", {}));
    ASSERT_EQ(icons.previews.size(), 1u);
    EXPECT_TRUE(icons.preview(0).frames.empty());
}

TEST(LibraryFile, HeadChecksAndKindNames)
{
    auto plain = buildLibrary(LibraryKind::Building, "Bases", {});
    EXPECT_EQ(listLine(parseHead(plain)), "Building VKL:  Bases");
    plain[0] = 13;
    EXPECT_EQ(listLine(parseHead(plain)), "Projectile VKL:  Bases");
    EXPECT_EQ(parseLibrary(plain).kind, LibraryKind::Projectile);
    plain[0] = 5;
    EXPECT_EQ(listLine(parseHead(plain)), "No Valid VKL");
    EXPECT_EQ(failure(plain), "This is not a valid Valkor Library!");
    plain[0] = 1;
    plain[1] = 2;  // version 2
    EXPECT_EQ(listLine(parseHead(plain)), "No Valid VKL");
    EXPECT_EQ(failure(plain), "This is not a valid Valkor Library!");
    EXPECT_EQ(listLine(parseHead(Bytes(10))), "No Valid VKL");
}

TEST(LibraryFile, TableOffsetsCountFromTheDataArea)
{
    // Images stored out of order: the table alone places them.
    auto plain = buildLibrary(LibraryKind::Unit, "T", {{Bytes{1, 1}, framesOf(1, 1, 1, 0)}, {Bytes{2, 2, 2}, framesOf(1, 1, 1, 0)}});
    auto dataStart = plain.size() - 5;
    plain[64] = 2;       // image 0 at offset 2
    plain[64 + 8] = 0;   // image 1 at offset 0, size 2
    plain[64 + 12] = 2;
    auto lib = parseLibrary(plain);
    EXPECT_EQ(lib.image(1), (Bytes{plain[dataStart], plain[dataStart + 1]}));
    EXPECT_EQ(lib.image(1), (Bytes{1, 1}));
    EXPECT_EQ(lib.image(0), (Bytes{2, 2}));  // offset 2, size 2 (the table's old size)

    plain[64 + 12] = 200;  // past the end of the file
    EXPECT_THROW(parseLibrary(plain).image(1), Error);
    plain[60] = 0xff;      // a data area larger than the file
    plain[61] = 0xff;
    EXPECT_THROW(parseLibrary(plain).image(0), Error);
}

// The stream of one preview: two 4 x 4 frames, as the maker writes it.
const std::size_t kStreamStart = 72;
const std::size_t kStreamEnd = 551;

std::string truncatedStream(std::size_t at, std::size_t needed, std::size_t length)
{
    return "Damaged component stream: truncated at byte " + std::to_string(at - kStreamStart) + " (needed " +
           std::to_string(needed) + " bytes, only " + std::to_string(length - at) + " available)";
}

// Where a library of one 3-byte image is cut decides the message.
std::string expectedRefusal(std::size_t length)
{
    if (length < 64)
        return "This is not a valid Valkor Library!";
    if (length < kStreamStart)
        return "The library is damaged: its image table runs past the end of the file.";
    // The fields of the preview's stream: each (start, its size).
    const std::pair<std::size_t, std::size_t> fields[] = {
        {0, 4}, {4, 1}, {5, 10}, {15, 1}, {16, 10}, {26, 1}, {27, 6}, {33, 1}, {34, 4}, {38, 1}, {39, 5},
        {44, 1}, {45, 4}, {49, 1}, {50, 6}, {56, 1}, {57, 4}, {61, 416}, {477, 1}, {478, 1},
    };
    if (length < kStreamEnd) {
        std::size_t at = 0;
        std::size_t needed = 0;
        for (auto [start, size] : fields) {
            if (kStreamStart + start <= length)
                std::tie(at, needed) = std::pair(kStreamStart + start, size);
        }
        return truncatedStream(at, needed, length);
    }
    return "The library is damaged: its image data of 3 bytes does not fit between the previews and the end of the file.";
}

TEST(LibraryFile, EveryCutGivesTheMessageOfWhereItFalls)
{
    auto plain = buildLibrary(LibraryKind::Unit, "T", {{Bytes(3, 1), framesOf(2, 4, 4, 0)}});
    ASSERT_EQ(plain.size(), kStreamEnd + 3);
    for (std::size_t length = 0; length < plain.size(); ++length) {
        Bytes cut(plain.begin(), plain.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_EQ(failure(cut), expectedRefusal(length)) << length;
    }
    plain[57] = 255;  // 255 images: the table runs past the end
    EXPECT_EQ(failure(plain), "The library is damaged: its image table runs past the end of the file.");
}

// A library written byte by byte, as another tool would: head, table,
// one image-list component stream, the SHP data.
TEST(LibraryFile, HandWrittenLibraryReads)
{
    Bytes head(64);
    head[0] = 13;  // projectile, in the 11-to-14 form
    Bytes signature{0x01, 0x03, 'V', 'K', 'L', 4, 'F', 'i', 'r', 'e'};
    std::copy(signature.begin(), signature.end(), head.begin() + 1);
    head[57] = 2;
    head[60] = 7;
    Bytes table{4, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0};
    Bytes rows{0, 0, 255, 255, 0, 0, 0, 0};  // one row: a red pixel, a blue one, padding
    auto preview = test::componentStream(
        "TImageList", [&] {
            auto properties = test::intProperty("Height", 1);
            auto width = test::intProperty("Width", 1);
            properties.insert(properties.end(), width.begin(), width.end());
            auto bitmap = test::binaryProperty("Bitmap", test::imageListStream(2, 2, 1, 1, 0, test::bitmapFile(2, 1, 24, {}, rows)));
            properties.insert(properties.end(), bitmap.begin(), bitmap.end());
            return properties;
        }());
    Bytes data{'A', 'B', 'C', 'D', 'x', 'y', 'z'};
    Bytes file = head;
    for (const auto* part : {&table, &preview, &preview, &data})
        file.insert(file.end(), part->begin(), part->end());

    auto lib = parseLibrary(file);
    EXPECT_EQ(lib.kind, LibraryKind::Projectile);
    EXPECT_EQ(lib.title, "Fire");
    ASSERT_EQ(lib.table.size(), 2u);
    EXPECT_EQ(lib.image(0), (Bytes{'x', 'y', 'z'}));
    EXPECT_EQ(lib.image(1), (Bytes{'A', 'B', 'C', 'D'}));
    auto frames = lib.preview(1);
    ASSERT_EQ(frames.frames.size(), 2u);
    EXPECT_EQ(frames.width, 1);
    EXPECT_EQ(frames.frames[0].rgba, (Bytes{255, 0, 0, 255}));
    EXPECT_EQ(frames.frames[1].rgba, (Bytes{0, 0, 255, 255}));

    file[64] = 5;  // image 0 now ends one byte past the data area
    EXPECT_EQ(failure(file), "The library is damaged: image 0 lies outside its image data.");
}

TEST(LibraryFile, FilesAndSeeds)
{
    TempDir dir;
    try {
        openLibrary(dir / "missing.vkl");
        FAIL();
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "File does not exist!");
    }
    auto plain = buildLibrary(LibraryKind::Unit, "Seeds", {{Bytes(3, 1), framesOf(1, 2, 2, 0)}});
    test::writeBytes(dir / "own.vkl", encoder::coded(plain));
    test::writeBytes(dir / "other.vkl", encoder::coded(plain, 777));
    for (const char* name : {"own.vkl", "other.vkl"}) {
        EXPECT_EQ(listLine(parseHead(readHead(dir / name))), "Unit VKL:  Seeds") << name;
        EXPECT_EQ(openLibrary(dir / name).image(0), Bytes(3, 1)) << name;
    }
}

}
}
