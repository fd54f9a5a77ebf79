#include "general/section_writers.h"

#include "data/stock_rules.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qx::general {
namespace {

using stock::RulesLines;

RulesLines written(const std::vector<GroupRecord>& records)
{
    stock::EditedRules rules(stock::stockRulesText());
    for (const auto& record : records)
        writeGroup(rules, record);
    return rules.lines();
}

// The lines in which the text differs from the stock text, as "old -> new".
std::vector<std::string> changes(const RulesLines& after)
{
    const auto& before = stock::rulesText();
    if (before.size() != after.size())
        return {"lengths differ"};
    std::vector<std::string> changed;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] != after[i])
            changed.push_back(before[i] + " -> " + after[i]);
    }
    return changed;
}

// A group read from the stock text and stored again changes nothing: not
// PatrolScan=.016 (hundredths), not a key the game spells otherwise.
TEST(GroupEdits, StockValuesKeepEveryLine)
{
    std::vector<GroupRecord> all;
    for (const auto& group : allGroups()) {
        auto sections = group.section ? 1 : group.sections().size();
        for (std::size_t i = 0; i < sections; ++i)
            all.push_back(stockGroup(group, static_cast<std::int32_t>(i)));
    }
    EXPECT_EQ(changes(written(all)), std::vector<std::string>{});
}

// One changed value changes its line alone, written with the key the game
// reads; the stock line of a key the game never reads makes way for it.
TEST(GroupEdits, AChangedValueChangesOneLineAsTheGameReadsIt)
{
    struct Case {
        EntryKind kind;
        std::int32_t section;
        const char* field;
        std::int32_t value;
        std::vector<std::string> change;
    };
    const Case cases[] = {
        {EntryKind::Difficulty, 0, "Firepower", 1500, {"Firepower=1.2 -> FirePower=1.5"}},
        {EntryKind::Difficulty, 0, "destroyWalls", 0, {"DestroyWalls=yes -> DestroyWalls=no"}},
        {EntryKind::Various, 0, "GameSpeeBias", 200, {"GameSpeeBias=1 -> GameSpeedBias=2"}},
        {EntryKind::ComputerPlayer, 0, "AutoCreateTime", 700, {"AutocreateTime=5 -> AutocreateTime=7"}},
        {EntryKind::ComputerPlayer, 0, "InfantryBaseMult", 300, {"InfantryBaseMult=1 -> InfantryBaseMult=3"}},
        {EntryKind::SpecialWeapons, 0, "ParaBombTech", 9, {"ParabombTech=8 -> ParabombTech=9"}},
        {EntryKind::Combat, 0, "OreExplosive", 1, {"OreExplosive=no -> OreExplosive=1"}},
        {EntryKind::Recharge, 0, "IronCurtain", 12, {"IronCurtain=11 -> IronCurtain=12"}},
        {EntryKind::Crates, 0, "UnitCrateType", 21, {"UnitCrateType=none -> UnitCrateType=3TNK"}},
    };
    for (const auto& c : cases) {
        const auto& group = *groupOfKind(c.kind);
        auto record = stockGroup(group, c.section);
        auto field = std::find_if(group.fields.begin(), group.fields.end(),
                                  [&](const Field& f) { return std::string(f.name) == c.field; });
        ASSERT_NE(field, group.fields.end()) << c.field;
        record.values[static_cast<std::size_t>(field - group.fields.begin())] = c.value;
        EXPECT_EQ(changes(written({record})), c.change) << c.field;
    }
}

// The group's stock record with some values changed, by field position.
GroupRecord stockWith(EntryKind kind, std::initializer_list<std::pair<std::size_t, std::int32_t>> changes)
{
    auto record = stockGroup(*groupOfKind(kind), 0);
    for (auto [field, value] : changes)
        record.values.at(field) = value;
    return record;
}

// Groups that share [General] keep each other's changes; a later entry of
// the same group, or of the same land type, wins wholly.
TEST(GroupEdits, SharedSectionsAndLaterEntries)
{
    EXPECT_EQ(changes(written({stockWith(EntryKind::Repair, {{0, 60}}), stockWith(EntryKind::Crates, {{0, 2}}),
                               stockWith(EntryKind::Repair, {{4, 8}})})),
              (std::vector<std::string>{"CrateMinimum=1 -> CrateMinimum=2", "RepairStep=7 -> RepairStep=8"}));
    EXPECT_EQ(changes(written({stockWith(EntryKind::Terrain, {{1, 70}}), stockWith(EntryKind::Terrain, {{2, 70}})})),
              std::vector<std::string>{"Track=80% -> Track=70%"});
}

// What the game would not read as stored is named with the field and range.
TEST(GroupEdits, PlayFaultsNameTheFieldAndItsRange)
{
    auto recharge = stockWith(EntryKind::Recharge, {{2, 326}});
    auto ai = stockWith(EntryKind::ComputerPlayer, {{7, 16}});
    auto crates = stockWith(EntryKind::Crates, {{7, 0}, {2, 5}});
    EXPECT_EQ(playFaults(recharge), std::vector<std::string>{"Iron Curtain 326 is beyond what the game holds (a number from 0 to 255)."});
    EXPECT_EQ(playFaults(ai), std::vector<std::string>{
                                  "Infantry Ratio 0,16 is beyond what the game holds (a whole number from 0 to 255)."});
    EXPECT_EQ(playFaults(crates), (std::vector<std::string>{"Unit Crate Type FIREPOWER is no choice the game knows.",
                                                            "Silver Crate Bonus NONE is no choice the game knows."}));
}

}
}
