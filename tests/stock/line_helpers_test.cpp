#include "stock/line_helpers.h"

#include <gtest/gtest.h>

namespace qx::stock {
namespace {

TEST(LineFunctions, KeysValuesAndStrippedLines)
{
    EXPECT_EQ(strippedLine("Cloakable=yes ; comment"), "cloakable=yes");
    EXPECT_EQ(strippedLine("[4TNK] ; mammoth"), "[4tnk]");
    EXPECT_EQ(strippedLine("Name=Heavy Tank   "), "name=heavy tank");
    EXPECT_EQ(lineKey("Money = 5000"), "money ");
    EXPECT_EQ(lineKey("[General]"), "[general]");
    EXPECT_EQ(lineValue("Name=Heavy Tank"), "heavy tank");
    EXPECT_EQ(lineValue("Owner= allies ;x"), " allies");
    EXPECT_EQ(lineValue("Strength="), "");
    EXPECT_EQ(lineValue("no key here"), "");
    EXPECT_EQ(lineValue("Range=5.75"), "5.75");
}

TEST(LineFunctions, YesAndNoCompareWholeLines)
{
    EXPECT_TRUE(isYes("Cloakable=yes ; comment", "cloakable"));
    EXPECT_TRUE(isYes("Cloakable=True", "cloakable"));
    EXPECT_FALSE(isYes("Cloakable = yes", "cloakable"));
    EXPECT_FALSE(isYes("Cloakable=no", "cloakable"));
    EXPECT_TRUE(isNo("AG=no", "ag"));
    EXPECT_TRUE(isNo("AG=FALSE", "ag"));
    EXPECT_FALSE(isNo("AG=yes", "ag"));
}

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
