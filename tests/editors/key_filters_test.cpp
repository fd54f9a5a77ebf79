#include "editors/key_filters.h"

#include <gtest/gtest.h>

namespace qx::filters {
namespace {

using objects::Filter;

TEST(KeyFilters, DigitsPassWithBackspaceAndNothingElse)
{
    EXPECT_EQ(pressKey(Filter::Digits, "12", '3'), (KeyResult{"12", true}));
    EXPECT_EQ(pressKey(Filter::Digits, "12", kBackspace), (KeyResult{"12", true}));
    EXPECT_EQ(pressKey(Filter::Digits, "12", '-'), (KeyResult{"12", false}));
    EXPECT_EQ(pressKey(Filter::Digits, "12", 'a'), (KeyResult{"12", false}));
    EXPECT_EQ(typed(Filter::Digits, "", "4a2,7", 2), "42");
}

TEST(KeyFilters, TheMinusKeyTogglesALeadingMinus)
{
    EXPECT_EQ(pressKey(Filter::SignedNumber, "250", '-'), (KeyResult{"-250", false}));
    EXPECT_EQ(pressKey(Filter::SignedNumber, "-250", '-'), (KeyResult{"250", false}));
    EXPECT_EQ(pressKey(Filter::SignedNumber, "", '-'), (KeyResult{"-", false}));
    EXPECT_EQ(pressKey(Filter::SignedNumber, "123456", '-'), (KeyResult{"-12345", false}));
    EXPECT_EQ(releaseKey(Filter::SignedNumber, "12-3"), "-123");
    EXPECT_EQ(releaseKey(Filter::SignedNumber, "-"), "-");
    EXPECT_EQ(typed(Filter::Damage, "", "12-"), "-12");
    EXPECT_EQ(typed(Filter::Damage, "-12", "-"), "12");
    EXPECT_EQ(typed(Filter::Damage, "", "-1234567", 6), "-12345");
}

TEST(KeyFilters, AmmoIsMinusOneOrDigits)
{
    EXPECT_EQ(typed(Filter::Ammo, "", "-"), "-1");
    EXPECT_EQ(typed(Filter::Ammo, "-1", "5"), "5");
    EXPECT_EQ(typed(Filter::Ammo, "-1", "x"), "");
    EXPECT_EQ(pressKey(Filter::Ammo, "-1", kBackspace), (KeyResult{"-1", true}));
    EXPECT_EQ(typed(Filter::Ammo, "12", "-"), "-1");
}

TEST(KeyFilters, CapsOnRelease)
{
    EXPECT_EQ(typed(Filter::GuardRange, "", "250"), "200");
    EXPECT_EQ(typed(Filter::GuardRange, "", "199"), "199");
    EXPECT_EQ(typed(Filter::Percent, "", "1005"), "100");
    EXPECT_EQ(pressKey(Filter::Percent, "100", '5'), (KeyResult{"100", false}));
    EXPECT_EQ(pressKey(Filter::Percent, "100", kBackspace), (KeyResult{"100", true}));
    EXPECT_EQ(typed(Filter::Percent, "", "99"), "99");
}

TEST(KeyFilters, RangeTakesOneCommaAndStopsWhereTheGameStops)
{
    EXPECT_EQ(typed(Filter::Range, "", "5,75"), "5,75");
    EXPECT_EQ(pressKey(Filter::Range, "5,7", ','), (KeyResult{"5,7", false}));
    EXPECT_EQ(typed(Filter::Range, "", "457"), "255");
    EXPECT_EQ(pressKey(Filter::Range, "255", '1'), (KeyResult{"255", false}));
    EXPECT_EQ(typed(Filter::Range, "", "254,9"), "254,9");
    EXPECT_EQ(typed(Filter::Range, "", "a-"), "");
    EXPECT_EQ(typed(Filter::Range, "", "5.5"), "5,5");
    EXPECT_EQ(typed(Filter::DecimalBelow, "", "0.016", 0, 10), "0,016");
    EXPECT_EQ(pressKey(Filter::Range, "5,7", '.'), (KeyResult{"5,7", false}));
    EXPECT_EQ(typed(Filter::Digits, "", "5.5"), "55");
}

TEST(KeyFilters, DecimalsBelowTheirLimit)
{
    EXPECT_EQ(typed(Filter::DecimalBelow, "", "0,016", 0, 10), "0,016");
    EXPECT_EQ(typed(Filter::DecimalBelow, "", "12", 0, 10), "10");
    EXPECT_EQ(pressKey(Filter::DecimalBelow, "10", '5', 10), (KeyResult{"10", false}));
    EXPECT_EQ(pressKey(Filter::DecimalBelow, "9,5", ',', 10), (KeyResult{"9,5", false}));
    EXPECT_EQ(pressKey(Filter::DecimalBelow, "9,5", kBackspace, 10), (KeyResult{"9,5", true}));
    EXPECT_EQ(typed(Filter::DecimalBelow, "", "1,5", 0, 1), "1,");
    EXPECT_EQ(normalized(Filter::DecimalBelow, "2500", 1000), "1000");
}

TEST(KeyFilters, TextNotTypedIsBroughtIntoTheSameForm)
{
    EXPECT_EQ(normalized(Filter::Digits, "1a2 3"), "123");
    EXPECT_EQ(normalized(Filter::SignedNumber, "12-3"), "-123");
    EXPECT_EQ(normalized(Filter::SignedNumber, "x-7"), "-7");
    EXPECT_EQ(normalized(Filter::Ammo, "-1"), "-1");
    EXPECT_EQ(normalized(Filter::Ammo, "-15"), "15");
    EXPECT_EQ(normalized(Filter::GuardRange, "999"), "200");
    EXPECT_EQ(normalized(Filter::Percent, "150"), "100");
    EXPECT_EQ(normalized(Filter::Range, "5,7,5"), "5,75");
    EXPECT_EQ(normalized(Filter::Range, "5.75"), "5,75");
    EXPECT_EQ(normalized(Filter::None, "any text"), "any text");
}

}
}
