#include "library/library_file.h"

#include "common/error.h"
#include "library/component_stream.h"
#include "project/encoder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

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

TEST(LibraryFile, DamagedLibrariesAreRefused)
{
    auto plain = buildLibrary(LibraryKind::Unit, "T", {{Bytes(3, 1), framesOf(2, 4, 4, 0)}});
    for (std::size_t length = 0; length + 3 < plain.size(); ++length)
        EXPECT_THROW(parseLibrary(Bytes(plain.begin(), plain.begin() + static_cast<std::ptrdiff_t>(length))).preview(0), Error)
            << length;
    plain[57] = 255;  // 255 images: the table runs past the end
    EXPECT_EQ(failure(plain), "The library is damaged: its image table runs past the end of the file.");
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
