#include "stock/stock_loader.h"

#include "stock/rules_text.h"

#include <gtest/gtest.h>

namespace qx::stock {
namespace {

std::string text(const StockObject& object, const std::string& label)
{
    const auto* field = object.find(label);
    return field ? field->text : "<absent>";
}

bool box(const StockObject& object, const std::string& label)
{
    const auto* field = object.find(label);
    return field && field->box;
}

TEST(StockLoader, UnitFromTheStockText)
{
    auto tank = loadStockObject("4TNK", EntryKind::Unit);
    EXPECT_EQ(text(tank, "Prerequisite"), "Weapons Factory [WEAP]; Soviet Tech Center [STEK]; ");
    EXPECT_EQ(tank.find("Prerequisite")->checked, (std::vector<std::size_t>{4, 24}));
    EXPECT_EQ(text(tank, "Armor"), "Heavy Armor [Heavy]");
    EXPECT_EQ(text(tank, "Tech - Level"), "Tech-Level 10 required [10]");
    EXPECT_EQ(tank.find("Tech - Level")->checked, std::vector<std::size_t>{10});
    EXPECT_EQ(text(tank, "Strength"), "600");
    EXPECT_TRUE(box(tank, "Tracked"));
    EXPECT_EQ(text(loadStockObject("1TNK", EntryKind::Unit), "Owner"), "Allied Forces [Allies]");
    EXPECT_EQ(text(loadStockObject("E1", EntryKind::Unit), "Owner"), "Both [Allies,Soviet]");
}

TEST(StockLoader, WeaponShowsTheRangeWithAComma)
{
    auto pistol = loadStockObject("Colt45", EntryKind::Weapon);
    EXPECT_EQ(text(pistol, "Weapon to be replaced"), "Tanya's Pistol [Colt45]");
    EXPECT_EQ(text(pistol, "Damage"), "50");
    EXPECT_EQ(text(pistol, "Range"), "5,75");
    EXPECT_EQ(text(pistol, "Delay Time"), "5");
    EXPECT_EQ(text(pistol, "Speed"), "100");
    EXPECT_EQ(text(pistol, "Projectile"), "Invisible Flight to Target [Invisible]");
    EXPECT_EQ(text(pistol, "Warhead"), "Anti-Infantry Rifle Bullet [HollowPoint]");
    EXPECT_EQ(pistol.find("Sound to be used")->checked, std::vector<std::size_t>{59});
}

TEST(StockLoader, ProjectileAndBuildingDefaults)
{
    auto missing = loadStockObject("NOSUCH", EntryKind::Projectile);
    EXPECT_TRUE(box(missing, "Anti - Ground Objects"));
    EXPECT_TRUE(box(missing, "Shadow"));
    EXPECT_EQ(text(missing, "Projectile to be replaced"), "");
    auto building = loadStockObject("NOSUCH", EntryKind::Building);
    EXPECT_TRUE(box(building, "Repairable"));
    EXPECT_TRUE(box(building, "Check for Buildings"));
    EXPECT_EQ(building.fields.size(), 2u);
}

TEST(StockLoader, HeaderCommentsOwnerOrderTechLevelsAndEmptyVersesPieces)
{
    const std::vector<std::string> rules{
        "; units",
        "[TEST] ; comment",
        "Name=Heavy Tank",
        "Owner=soviet,allies",
        "Cloakable=True",
        "Explodes = yes",
        "crushable=yes",
        "TechLevel=-1",
        "Prerequisite=stek,weap",
        "[NEXT]",
        "[Colt45] ; pistol",
        "Damage=999",
        "[Thirteen]",
        "TechLevel=13",
        "[Spray]",
        "Verses=100%,,50%",
        "Explosion=6",
    };
    const RulesText given(rules);
    auto unit = loadStockObject("test", EntryKind::Unit, given);
    EXPECT_EQ(text(unit, "Name"), "Heavy Tank");
    EXPECT_EQ(text(unit, "Owner"), "Both [Allies,Soviet]");
    EXPECT_TRUE(box(unit, "Cloakable"));
    EXPECT_TRUE(box(unit, "Explodes"));
    // The game reads a key by its exact spelling only.
    EXPECT_EQ(unit.find("Crushable"), nullptr);
    EXPECT_EQ(unit.find("Tech - Level")->checked, std::vector<std::size_t>{0});
    EXPECT_EQ(text(unit, "Tech - Level"), "Unit can't be built [-1]");
    EXPECT_EQ(text(unit, "Prerequisite"), "Weapons Factory [WEAP]; Soviet Tech Center [STEK]; ");
    EXPECT_EQ(loadStockObject("Thirteen", EntryKind::Unit, given).find("Tech - Level")->checked,
              std::vector<std::size_t>{13});
    EXPECT_EQ(text(loadStockObject("Colt45", EntryKind::Weapon, given), "Damage"), "999");

    auto warhead = loadStockObject("Spray", EntryKind::Warhead, given);
    EXPECT_EQ(text(warhead, "None"), "100");
    EXPECT_EQ(text(warhead, "Wood (buildings)"), "50");
    EXPECT_EQ(warhead.find("Light Armor"), nullptr);
    EXPECT_EQ(text(warhead, "Explosion to be used"), "Nuke [6]");
}

TEST(StockLoader, KindNames)
{
    EXPECT_EQ(stockKindNamed("warhead"), EntryKind::Warhead);
    EXPECT_EQ(stockKindNamed("tank"), std::nullopt);
}

}
}
