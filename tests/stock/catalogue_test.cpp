#include "stock/catalogue.h"
#include "stock/line_helpers.h"
#include "stock/menus.h"

#include <gtest/gtest.h>

#include <map>

namespace qx::stock {
namespace {

TEST(Catalogue, LookupByFrameCount)
{
    EXPECT_EQ(catalogueLookup(CatalogueKind::Unit, 64, 0, false),
              (std::vector<std::string>{"Light Tank [1TNK]", "Heavy Tank [3TNK]", "Medium Tank [2TNK]",
                                        "Mammoth Tank [4TNK]", "Mobile Radar Jammer [MRJ]", "Ranger [JEEP]"}));
    auto wide = catalogueLookup(CatalogueKind::Unit, 64, 16, false);
    EXPECT_EQ(wide.front(), "V2 Rocket Launcher [V2RL]");
    EXPECT_EQ(wide.back(), "Mine Layer [MNLY]");
    EXPECT_EQ(wide.size(), 8u);
    EXPECT_EQ(catalogueLookup(CatalogueKind::Unit, 64, 0, true).size(), 53u);
    EXPECT_EQ(catalogueLookup(CatalogueKind::Building, 0, 0, true).size(), 45u);
    EXPECT_EQ(catalogueLookup(CatalogueKind::Building, 1, 0, false),
              (std::vector<std::string>{"Anti-Vehicle Mine [MINV]", "Anti-Personnel Mine [MINP]"}));
}

// The Load menu and the list of units to replace name an object alike.
TEST(Menus, LoadNamesAreTheCataloguesNames)
{
    std::map<std::string, std::string> catalogue;
    for (const auto& entry : unitCatalogue())
        catalogue[bracketIdentifier(entry.text)] = entry.text;
    for (const auto& group : unitLoadMenu()) {
        for (const char* caption : group.entries) {
            auto text = withoutAmpersands(caption);
            EXPECT_EQ(text, catalogue[bracketIdentifier(text)]);
        }
    }
}

TEST(Menus, SizesAndTellingPositions)
{
    EXPECT_EQ(ownerList().size(), 10u);
    EXPECT_EQ(armourList().size(), 5u);
    EXPECT_EQ(primaryWeaponList().size(), 36u);
    EXPECT_EQ(prerequisiteList().size(), 45u);
    EXPECT_EQ(techLevelList().size(), 14u);
    EXPECT_EQ(projectileList().size(), 18u);
    EXPECT_EQ(warheadList().size(), 8u);
    EXPECT_EQ(soundList().size(), 62u);
    EXPECT_EQ(explosionList().size(), 7u);
    EXPECT_EQ(deathAnimationList().size(), 6u);
    EXPECT_EQ(crateBonusList().size(), 18u);
    EXPECT_EQ(identifierAt(prerequisiteList(), 4), "WEAP");
    EXPECT_EQ(identifierAt(prerequisiteList(), 24), "STEK");
    EXPECT_EQ(identifierAt(primaryWeaponList(), 1), "Vulcan");
    EXPECT_EQ(identifierAt(secondaryWeaponList(), 1), "ZSU-23");
    EXPECT_EQ(identifierAt(weaponList(), 1), "ZSU-23");
    EXPECT_STREQ(primaryWeaponList()[35], "Ant Weapon [Mandible]");
    EXPECT_STREQ(buildingPrimaryWeaponList()[35], "&Ant Weapon [Mandible]");
    EXPECT_STREQ(soundList()[0], "Mine laying Sound (empty) [MINELAY1]");
    EXPECT_STREQ(soundList()[2], "Cannon Shot [CANNON1]");
    EXPECT_STREQ(soundList()[12], "Machine Gun (5 quick shots) [GUN11]");
    EXPECT_EQ(identifierAt(soundList(), 61), "BEEPSLCT");
    EXPECT_EQ(identifierAt(techLevelList(), 13), "13");
    EXPECT_EQ(identifierAt(ownerList(), 10), "");
    // The prerequisite list follows the building catalogue.
    for (std::size_t i = 0; i < prerequisiteList().size(); ++i)
        EXPECT_EQ(identifierAt(prerequisiteList(), i), bracketIdentifier(buildingCatalogue()[i].text));
}

}
}
