#include "library/component_stream.h"

#include "common/error.h"
#include "stream_builders.h"

#include "support/errors.h"

#include <gtest/gtest.h>

namespace qx::library {
namespace {

using test::append16;
using test::append32;
using test::shortString;

Bytes concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const auto& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

// One property of every value type this program does not use.
Bytes propertiesToSkip()
{
    Bytes out;
    auto add = [&](const std::string& name, std::uint8_t type, const Bytes& value) {
        auto n = shortString(name);
        out.insert(out.end(), n.begin(), n.end());
        out.push_back(type);
        out.insert(out.end(), value.begin(), value.end());
    };
    add("Null", 0, {});
    add("List", 1, concat({Bytes{2, 5}, Bytes{6}, shortString("x"), Bytes{1, 9, 0}, Bytes{0}}));
    add("Int8", 2, {7});
    add("Extended", 5, Bytes(10, 1));
    add("Str", 6, shortString("text"));
    add("Ident", 7, shortString("clBlack"));
    add("False", 8, {});
    add("True", 9, {});
    add("Set", 11, concat({shortString("a"), shortString("b"), Bytes{0}}));
    add("LString", 12, Bytes{3, 0, 0, 0, 'a', 'b', 'c'});
    add("Nil", 13, {});
    add("Collection", 14, concat({Bytes{2, 0, 1}, shortString("Caption"), Bytes{6}, shortString("x"), Bytes{0},
                                  Bytes{1}, Bytes{0}, Bytes{0}}));
    add("Single", 15, Bytes(4, 2));
    add("Currency", 16, Bytes(8, 3));
    add("Date", 17, Bytes(8, 4));
    add("WString", 18, Bytes{2, 0, 0, 0, 'h', 0, 'i', 0});
    add("Int64", 19, Bytes(8, 5));
    add("UTF8", 20, Bytes{1, 0, 0, 0, 'u'});
    add("Double", 21, Bytes(8, 6));
    return out;
}

Bytes smallImageList()
{
    FrameList list{2, 2, {Image{2, 2, Bytes(16, 255)}}};
    std::size_t consumed = 0;
    auto stream = writeImageListComponent(list);
    auto component = readComponentStream(stream, consumed);
    const auto& bitmap = component.binaries.at("Bitmap");
    return Bytes(bitmap.begin(), bitmap.end());
}

TEST(ComponentStream, SkipsEveryValueTypeAndFindsTheImageList)
{
    auto properties = concat({test::intProperty("Left", 8), propertiesToSkip(), test::intProperty("Height", 2),
                              test::intProperty("Width", 2), test::binaryProperty("Bitmap", smallImageList())});
    auto stream = test::componentStream("TImageList", properties);
    stream.insert(stream.end(), {'n', 'e', 'x', 't'});
    std::size_t consumed = 0;
    auto list = readImageListComponent(stream, consumed);
    EXPECT_EQ(consumed, stream.size() - 4);
    EXPECT_EQ(list.width, 2);
    ASSERT_EQ(list.frames.size(), 1u);
    EXPECT_EQ(list.frames[0].rgba, Bytes(16, 255));
}

TEST(ComponentStream, ImageListAsAChildWithFlagsAndWithoutBitmap)
{
    // A child written with the flags byte (child position given) inside a form.
    Bytes child = concat({Bytes{0xf2, 2, 3}, shortString("TCustomImageList"), shortString("Icons"),
                          test::intProperty("Width", 32), Bytes{0}, Bytes{0}});
    auto stream = test::componentStream("TForm", test::intProperty("Left", 1), child);
    std::size_t consumed = 0;
    auto list = readImageListComponent(stream, consumed);
    EXPECT_EQ(consumed, stream.size());
    EXPECT_EQ(list.width, 32);
    EXPECT_EQ(list.height, 16);
    EXPECT_TRUE(list.frames.empty());

    EXPECT_THROW(readImageListComponent(test::componentStream("TForm", {}), consumed), Error);
}

TEST(ComponentStream, TruncatedAndAbsurdStreamsAreRefused)
{
    auto stream = writeImageListComponent({4, 3, {Image{4, 3, Bytes(48, 9)}, Image{4, 3, Bytes(48, 0)}}});
    std::size_t consumed = 0;
    EXPECT_NO_THROW(readImageListComponent(stream, consumed));
    // Each field of the stream, (start, size): where the cut falls names it.
    const std::pair<std::size_t, std::size_t> fields[] = {
        {0, 4}, {4, 1}, {5, 10}, {15, 1}, {16, 10}, {26, 1}, {27, 6}, {33, 1}, {34, 4}, {38, 1}, {39, 5},
        {44, 1}, {45, 4}, {49, 1}, {50, 6}, {56, 1}, {57, 4}, {61, 348}, {409, 1}, {410, 1},
    };
    ASSERT_EQ(stream.size(), 411u);
    for (std::size_t length = 0; length < stream.size(); ++length) {
        std::size_t at = 0, needed = 0;
        for (auto [start, size] : fields) {
            if (start <= length)
                at = start, needed = size;
        }
        auto expected = "Damaged component stream: truncated at byte " + std::to_string(at) + " (needed " +
                        std::to_string(needed) + " bytes, only " + std::to_string(length - at) + " available)";
        EXPECT_EQ(test::errorOf([&] { readImageListComponent(ByteView(stream).first(length), consumed); }), expected);
    }

    auto absurd = test::componentStream("TImageList", test::binaryProperty("Bitmap", {}));
    absurd[absurd.size() - 6] = 0xff;  // a binary length far past the data
    EXPECT_THROW(readComponentStream(absurd, consumed), Error);
    EXPECT_THROW(readImageListComponent(test::componentStream("TImageList", test::intProperty("Width", 30000)), consumed),
                 Error);
    EXPECT_THROW(readComponentStream(Bytes{'T', 'P', 'F', '1', 0, 0, 0, 0}, consumed), Error);
    auto unknown = test::componentStream("TImageList", concat({shortString("Odd"), Bytes{99}}));
    EXPECT_THROW(readComponentStream(unknown, consumed), Error);
    // Nesting deep enough to exhaust a stack is refused.
    Bytes deep = concat({Bytes{'T', 'P', 'F', '0'}, shortString("T"), shortString("a"), shortString("P"), Bytes(100000, 1)});
    EXPECT_THROW(readComponentStream(deep, consumed), Error);
}

TEST(PictureComponent, RoundTripAndForeignStreams)
{
    Image picture{2, 1, {10, 20, 30, 255, 0, 0, 0, 0}};
    auto stream = writePictureComponent(picture);
    std::size_t consumed = 0;
    EXPECT_EQ(readPictureComponent(stream, consumed), picture);
    EXPECT_EQ(consumed, stream.size());
    EXPECT_TRUE(readPictureComponent(writePictureComponent({}), consumed).empty());

    Bytes png = concat({shortString("TPngImage"), Bytes{4, 0, 0, 0, 1, 2, 3, 4}});
    EXPECT_THROW(readPictureComponent(test::componentStream("TImage", test::binaryProperty("Picture.Data", png)), consumed),
                 Error);
}

}
}
