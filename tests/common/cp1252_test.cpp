#include "common/cp1252.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(Cp1252, ConvertsBothWays)
{
    EXPECT_EQ(cp1252ToUtf8("Tanya's Pistol"), "Tanya's Pistol");
    EXPECT_EQ(cp1252ToUtf8("\x80 \xe9\xfc \x9f"), "\u20ac \u00e9\u00fc \u0178");
    EXPECT_EQ(utf8ToCp1252("\u20ac \u00e9\u00fc \u0178"), "\x80 \xe9\xfc \x9f");
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(Cp1252, RefusesCharactersWithoutAForm)
{
    EXPECT_EQ(utf8ToCp1252("\u4e2d"), std::nullopt);
    EXPECT_EQ(utf8ToCp1252("\U0001F600"), std::nullopt);
    EXPECT_EQ(utf8ToCp1252("\xff\xfe"), std::nullopt);
    EXPECT_EQ(utf8ToCp1252("\xc3"), std::nullopt);
}

}
}
