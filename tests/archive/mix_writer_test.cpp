#include "archive/mix_writer.h"

#include "common/error.h"

#include <gtest/gtest.h>

namespace qx::archive {
namespace {

TEST(NameHash, IgnoresCaseAndRotatesPerFourCharacters)
{
    EXPECT_EQ(nameHash("abc.shp"), 0x5CD6CCD5u);
    EXPECT_EQ(nameHash("ABC.SHP"), 0x5CD6CCD5u);
    EXPECT_EQ(nameHash("ABCICON.SHP"), 0x81F9EFDEu);
    EXPECT_EQ(static_cast<std::int32_t>(nameHash("ABCICON.SHP")), -2114326562);
    EXPECT_EQ(nameHash("4TNKICON.SHP"), nameHash("4tnkicon.shp"));
    EXPECT_EQ(nameHash(""), 0u);
    EXPECT_THROW(nameHash("ABCDEFGHIJKLM"), Error);
}

TEST(MixArchive, OneMemberIs18BytesOfHead)
{
    MixArchive archive;
    archive.add("abc.shp", Bytes(1000, 0x42));
    auto bytes = archive.bytes();
    ASSERT_EQ(bytes.size(), 1018u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 18),
              (Bytes{0x01, 0x00, 0xE8, 0x03, 0x00, 0x00, 0xD5, 0xCC, 0xD6, 0x5C, 0x00, 0x00, 0x00, 0x00, 0xE8, 0x03,
                     0x00, 0x00}));
    EXPECT_EQ(bytes[18], 0x42);
}

TEST(MixArchive, IndexIsAscendingBySignedIdentifier)
{
    MixArchive archive;
    archive.add("abc.shp", Bytes{1, 1, 1});
    archive.add("ABCICON.SHP", Bytes{2, 2});  // negative: goes first
    archive.add("abc.shp", Bytes{3});         // equal: after the older one
    auto bytes = archive.bytes();
    ASSERT_EQ(bytes.size(), 6u + 36 + 6);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 6), (Bytes{3, 0, 6, 0, 0, 0}));
    const Bytes index{
        0xDE, 0xEF, 0xF9, 0x81, 0, 0, 0, 0, 2, 0, 0, 0,  // ABCICON.SHP at 0
        0xD5, 0xCC, 0xD6, 0x5C, 2, 0, 0, 0, 3, 0, 0, 0,  // abc.shp at 2
        0xD5, 0xCC, 0xD6, 0x5C, 5, 0, 0, 0, 1, 0, 0, 0,  // abc.shp again at 5
    };
    EXPECT_EQ(Bytes(bytes.begin() + 6, bytes.begin() + 42), index);
    EXPECT_EQ(Bytes(bytes.begin() + 42, bytes.end()), (Bytes{2, 2, 1, 1, 1, 3}));
}

}
}
