#include "data/stock_rules.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(StockRules, BlocksHoldTheTwoFilesLineByLine)
{
    const auto& first = stock::rulesBlock1();
    const auto& second = stock::rulesBlock2();
    ASSERT_EQ(first.size(), 1278u);
    ASSERT_EQ(second.size(), 1447u);
    EXPECT_EQ(first[0], "; rules.ini: the default rules of the game");
    EXPECT_EQ(first[2], " ");
    EXPECT_EQ(first[4], "[General]");
    EXPECT_EQ(second.back(), "Rate=.1");
    for (const auto& line : first)
        EXPECT_EQ(line.find('\r'), std::string::npos);
}

}
}
