#include "stock/line_helpers.h"

#include <gtest/gtest.h>

namespace qx::stock {
namespace {

TEST(ListFunctions, IdentifiersAndItems)
{
    EXPECT_EQ(bracketIdentifier("Tesla Coil [TSLA]"), "TSLA");
    EXPECT_EQ(bracketIdentifier("&Both [Allies,Soviet]"), "Allies,Soviet");
    EXPECT_EQ(bracketIdentifier("a [b] c [d]"), "bd");
    EXPECT_EQ(bracketIdentifier("no brackets"), "");
    EXPECT_EQ(bracketIdentifier("open [end"), "end");
    EXPECT_EQ(commaCount("stek,weap"), 1u);
    EXPECT_EQ(listItem("stek,weap", 0), "stek");
    EXPECT_EQ(listItem("stek,weap", 1), "weap");
    EXPECT_EQ(listItem("stek,weap", 2), "");
    EXPECT_EQ(listItem("100%,,50%", 1), "");
    EXPECT_EQ(withoutAmpersands("&Tanya's Pistol [Colt45]"), "Tanya's Pistol [Colt45]");
}

}
}
