#include "general/section_writers.h"

#include "data/stock_rules.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qx::general {
namespace {

using stock::RulesLines;

std::size_t countOf(const RulesLines& rules, const std::string& line)
{
    return static_cast<std::size_t>(std::count(rules.begin(), rules.end(), line));
}

GroupRecord recordOf(EntryKind kind, std::int32_t value)
{
    GroupRecord record{kind, std::vector<std::int32_t>(groupOfKind(kind)->fields.size(), value)};
    return record;
}

TEST(KeyRewrite, ReplacesTheWholeLineInsideTheGroupsSection)
{
    RulesLines rules{"[General]", "RefundPercent=50%   ; refund", "Money = 5000", "[Other]", "RefundPercent=1"};
    GroupRecord repair{EntryKind::Repair, {60, 40, 20, 16, 7, 20, 10}};
    writeGroup(rules, repair);
    EXPECT_EQ(rules, (RulesLines{"[General]", "RefundPercent=60%", "Money = 5000", "[Other]", "RefundPercent=1"}));
}

TEST(KeyRewrite, OtherSectionsOfTheStockTextSurviveEveryGroup)
{
    const auto& stock = stock::rulesText();
    for (std::uint8_t byte = 7; byte <= 17; ++byte) {
        auto kind = static_cast<EntryKind>(byte);
        if (kind == EntryKind::Country)
            continue;
        RulesLines rules = stock;
        writeGroup(rules, recordOf(kind, 3));
        for (const char* line : {"Money=50,DOLLAR,2000", "ParaBomb=3,PARABOX", "Sonar=3,SONARBOX", "TurboBoost=yes",
                                 "Aircraft=100", "Scatter=no", "ContentScan=yes"})
            EXPECT_GT(countOf(rules, line), 0u) << "kind " << int(byte) << ": " << line;
        EXPECT_EQ(countOf(rules, "ContentScan=yes"), countOf(stock, "ContentScan=yes"));
        EXPECT_EQ(rules.size(), stock.size());
    }
}

TEST(KeyRewrite, MendedKeysReachTheGame)
{
    RulesLines rules = stock::rulesText();
    auto special = recordOf(EntryKind::SpecialWeapons, 0);
    special.values[11] = 250;  // shroud regeneration
    special.values[12] = 1500; // invulnerability time
    writeGroup(rules, special);
    EXPECT_EQ(countOf(rules, "GapRegenInterval=.25"), 1u);
    EXPECT_EQ(countOf(rules, "IronCurtain=1.5"), 1u);
    EXPECT_EQ(countOf(rules, "IronCurtain=11"), 1u);  // the recharge time stays
    EXPECT_EQ(countOf(rules, "ChronoTechLevel=-1"), 1u);

    auto recharge = recordOf(EntryKind::Recharge, 9);
    writeGroup(rules, recharge);
    EXPECT_EQ(countOf(rules, "Paratrooper=9"), 1u);
    EXPECT_EQ(countOf(rules, "IronCurtain=9"), 1u);
    EXPECT_EQ(countOf(rules, "IronCurtain=1.5"), 1u);
    EXPECT_EQ(countOf(rules, "Sonar=3,SONARBOX"), 1u);
}

TEST(KeyRewrite, FormatsOfTheValues)
{
    RulesLines rules = stock::rulesText();
    GroupRecord crates{EntryKind::Crates, {1, 255, 18, 3000, 3, 20, 2000, 8, 0, 255}};
    writeGroup(rules, crates);
    for (const char* line : {"CrateMinimum=1", "CrateMaximum=255", "UnitCrateType=none", "CrateRadius=3",
                             "CrateRegen=3", "WaterCrateChance=20%", "SoloCrateMoney=2000", "SilverCrate=MONEY",
                             "WaterCrate=NONE", "WoodCrate=none"})
        EXPECT_EQ(countOf(rules, line), 1u) << line;

    auto special = recordOf(EntryKind::SpecialWeapons, 0);
    special.values[2] = 255;
    special.values[9] = 5;
    writeGroup(rules, special);
    EXPECT_EQ(countOf(rules, "ChronoTechLevel=-1"), 1u);
    EXPECT_EQ(countOf(rules, "GPSTechLevel=5"), 1u);
}

TEST(CountrySection, IsMergedForEachEntry)
{
    RulesLines rules = stock::rulesText();
    writeGroup(rules, {EntryKind::Country, {7, 1000, 1000, 1000, 1000, 1000, 1000, 1000}});
    writeGroup(rules, {EntryKind::Country, {7, 1100, 1000, 1000, 1000, 1000, 1000, 1000}});
    auto at = std::find(rules.begin(), rules.end(), "[Spain]");
    ASSERT_NE(at, rules.end());
    EXPECT_EQ(*(at + 1), "Firepower=1.1");
    EXPECT_EQ(*(at + 7), "BuildTime=1");
    EXPECT_EQ(*(at + 8), "");
    writeGroup(rules, {EntryKind::Country, {8, 5, 5, 5, 5, 5, 5, 5}});
    EXPECT_EQ(countOf(rules, "Firepower=.005"), 0u);
}

}
}
