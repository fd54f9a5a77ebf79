#include "compiler/rules_writer.h"

#include "common/text.h"
#include "general/section_writers.h"
#include "data/stock_rules.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qx::compiler {
namespace {

// The lines from the one equal to first, count of them.
std::vector<std::string> linesFrom(const RulesLines& rules, const std::string& first, std::size_t count)
{
    auto at = std::find(rules.begin(), rules.end(), first);
    if (at == rules.end())
        return {};
    auto end = at + static_cast<std::ptrdiff_t>(std::min<std::size_t>(count, static_cast<std::size_t>(rules.end() - at)));
    return std::vector<std::string>(at, end);
}

TEST(DecimalText, ShortForms)
{
    const std::tuple<std::int64_t, int, const char*> cases[] = {
        {575, 100, "5.75"}, {550, 100, "5.5"}, {510, 100, "5.1"}, {600, 100, "6"}, {1000, 100, "10"},
        {75, 100, ".75"}, {5, 100, ".05"}, {1200, 1000, "1.2"}, {1000, 1000, "1"}, {800, 1000, ".8"},
        {1, 1000, ".001"}, {30, 1000, ".03"}, {0, 1000, "0"}, {7, 10, ".7"}, {-575, 100, "-5.75"},
    };
    for (auto [number, divisor, text] : cases)
        EXPECT_EQ(decimalText(number, divisor), text) << number << "/" << divisor;
}

TEST(MergeSection, ReplacesTheKeyLinesOfTheNamedSection)
{
    auto rules = stockRules();
    auto before = rules.size();
    mergeSection(rules, {"4TNK", {"Name=Super Tank", "Strength=900", "Cost=2000", "Ammo=-1"}});
    EXPECT_EQ(linesFrom(rules, "; Mammoth tank", 9),
              (std::vector<std::string>{"; Mammoth tank", "[4TNK]", "Name=Super Tank", "Strength=900", "Cost=2000",
                                        "Ammo=-1", "", "; mobile radar jammer", "[MRJ]"}));
    EXPECT_EQ(rules.size(), before - 16 + 5);

    // A second merge drops the empty line the first one left.
    mergeSection(rules, {"4tnk", {"Name=Again"}});
    EXPECT_EQ(linesFrom(rules, "[4TNK]", 5),
              (std::vector<std::string>{"[4TNK]", "Name=Again", "", "; mobile radar jammer", "[MRJ]"}));
}

TEST(MergeSection, UnmatchedOrEmptyIdentifiersChangeNothing)
{
    auto rules = stockRules();
    mergeSection(rules, {"NOSUCH", {"Name=x"}});
    mergeSection(rules, {"", {"Name=x"}});
    EXPECT_EQ(rules, stock::rulesText());
}

TEST(MergeSection, CommentsAreTestedLikeHeadersAndLineBreaksSplit)
{
    RulesLines rules{"; about [X]", "Old=1", "; kept", "[Y]", "Key=2"};
    mergeSection(rules, {"x", {"New=a\r\nb"}});
    EXPECT_EQ(rules, (RulesLines{"; about [X]", "New=a", "b", "", "; kept", "[Y]", "Key=2"}));
    EXPECT_EQ(rulesFileText({"a", ""}), "a\r\n\r\n");
}

records::ObjectRecord objectOf(EntryKind kind, std::initializer_list<std::pair<const char*, std::int32_t>> numbers)
{
    auto record = records::defaults(kind);
    for (auto [id, value] : numbers)
        record.number(id) = value;
    return record;
}

TEST(UnitSection, ConditionalLinesAndIdentifier)
{
    auto unit = objectOf(EntryKind::Unit, {{"passengers", 0}, {"replaced", 4}});  // all 53 without graphics: 4TNK
    unit.text("name") = "Quiet";
    auto section = objectSection(unit);
    EXPECT_EQ(section.identifier, "4TNK");
    EXPECT_EQ(section.lines, (std::vector<std::string>{"Name=Quiet", "Owner=Allies,Soviet", "Armor=None",
                                                       "Strength=0", "Cost=0", "Ammo=-1"}));

    unit.flags("prerequisites")[24] = 1;
    unit.flags("prerequisites")[4] = 1;
    unit.number("techLevel") = 13;
    unit.number("primary") = 35;
    unit.number("passengers") = 255;
    unit.number("cloakable") = 1;
    unit.number("tracked") = 1;
    unit.sizes[2] = 10;
    unit.text("internalName") = "ABCD";
    unit.number("frameCount") = 64;
    unit.number("replaced") = 0;  // first of 1TNK, 3TNK, ...
    section = objectSection(unit);
    EXPECT_EQ(section.identifier, "1TNK");
    EXPECT_EQ(section.lines, (std::vector<std::string>{"Name=Quiet", "Owner=Allies,Soviet", "Armor=None",
                                                       "Strength=0", "Cost=0", "Primary=Mandible", "Ammo=-1",
                                                       "Prerequisite=WEAP,STEK", "TechLevel=13", "Cloakable=yes",
                                                       "Tracked=yes", "Image=ABCD"}));

    unit.number("replaced") = 6;  // the lookup of 64 frames holds six entries
    EXPECT_TRUE(objectSection(unit).lookupFailed);
    EXPECT_EQ(objectSection(unit).identifier, "");
}

TEST(BuildingSection, NoLinesForClearedDefaults)
{
    auto building = objectOf(EntryKind::Building, {{"repairable", 1}, {"replaced", 44}});
    building.text("name") = "Hut";
    auto section = objectSection(building);
    EXPECT_EQ(section.identifier, "V01");
    EXPECT_EQ(section.lines, (std::vector<std::string>{"Name=Hut", "Owner=Allies,Soviet", "Armor=None",
                                                       "Strength=0", "Cost=0", "Power=0", "Ammo=-1",
                                                       "BaseNormal=no"}));
}

TEST(WeaponSection, RangeAndTheChosenSound)
{
    auto weapon = objectOf(EntryKind::Weapon, {{"replaced", 28}, {"range", 575}, {"burst", 2}, {"turboBoost", 1}});
    auto section = objectSection(weapon);
    EXPECT_EQ(section.identifier, "Stinger");
    EXPECT_EQ(section.lines,
              (std::vector<std::string>{"Damage=0", "Range=5.75", "ROF=0", "Speed=0", "Burst=2", "Projectile=Cannon",
                                        "Warhead=SA", "Report=CANNON1", "TurboBoost=yes"}));
    weapon.number("range") = 600;
    weapon.number("sound") = 62;
    weapon.number("projectile") = 255;
    EXPECT_EQ(objectSection(weapon).lines,
              (std::vector<std::string>{"Damage=0", "Range=6", "ROF=0", "Speed=0", "Burst=2", "Warhead=SA",
                                        "TurboBoost=yes"}));
}

TEST(ProjectileAndWarheadSections, FlagsAndVerses)
{
    auto projectile = objectOf(EntryKind::Projectile, {{"replaced", 17}, {"antiGround", 0}, {"shadow", 0}});
    projectile.text("internalName") = "FIRE";
    auto section = objectSection(projectile);
    EXPECT_EQ(section.identifier, "Fireball");
    EXPECT_EQ(section.lines, (std::vector<std::string>{"Image=FIRE", "AG=no", "Shadow=no"}));

    auto warhead = objectOf(EntryKind::Warhead, {{"replaced", 7}, {"none", 100}, {"wood", 50}, {"light", 25},
                                                 {"heavy", 10}, {"concrete", 5}, {"deathAnimation", 3},
                                                 {"spread", 0}, {"wall", 1}, {"woodBox", 1}});
    section = objectSection(warhead);
    EXPECT_EQ(section.identifier, "Nuke");
    EXPECT_EQ(section.lines, (std::vector<std::string>{"Verses=100%,50%,25%,10%,5%", "InfDeath=3", "Spread=0",
                                                       "Wall=yes", "Wood=yes"}));
    EXPECT_EQ(objectSection(objectOf(EntryKind::Warhead, {{"replaced", 8}})).identifier, "");
}

TEST(GroupSections, DifficultyAndLandType)
{
    general::GroupRecord normal{EntryKind::Difficulty, {1, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 20, 30, 1, 1, 0}};
    auto rules = stockRules();
    general::writeGroup(rules, normal);
    EXPECT_EQ(linesFrom(rules, "[Normal]", 14),
              (std::vector<std::string>{"[Normal]", "Firepower=1", "Groundspeed=1", "Airspeed=1", "BuildTime=1",
                                        "Armor=1", "ROF=1", "Cost=1", "RepairDelay=.02", "BuildDelay=.03",
                                        "BuildSlowdown=yes", "destroyWalls=yes", "ContentScan=no", ""}));

    general::writeGroup(rules, {EntryKind::Terrain, {0, 90, 80, 60, 0, 1}});
    EXPECT_EQ(linesFrom(rules, "[Clear]", 7),
              (std::vector<std::string>{"[Clear]", "Foot=90%", "Track=80%", "Wheel=60%", "Float=0%", "Buildable=yes", ""}));
    auto before = rules;
    general::writeGroup(rules, {EntryKind::Terrain, {9, 0, 0, 0, 0, 0}});
    EXPECT_EQ(rules, before);
}

}
}
