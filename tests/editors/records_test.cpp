#include "editors/records.h"

#include "common/error.h"
#include "general/groups.h"

#include <gtest/gtest.h>

namespace qx::records {
namespace {

TEST(Records, UnitFieldsStandAtTheirOffsets)
{
    Unit unit;
    unit.sizes = {1, 2, 3, 4};
    unit.name = "Tank";
    unit.strength = -5;
    unit.prerequisites[44] = 1;
    unit.abilities[12] = 1;
    unit.internalName = "ABCDE";  // cut to 4
    unit.frameCount = 0x1234;
    unit.replaced = 7;
    auto bytes = pack(unit);
    ASSERT_EQ(bytes.size(), 220u);
    EXPECT_EQ(bytes[12], 4);
    EXPECT_EQ(bytes[16], 4);
    EXPECT_EQ(bytes[17], 'T');
    EXPECT_EQ(bytes[117], 2);  // owner default: both
    EXPECT_EQ((Bytes(bytes.begin() + 120, bytes.begin() + 124)), (Bytes{0xfb, 0xff, 0xff, 0xff}));
    EXPECT_EQ(bytes[130], 255);
    EXPECT_EQ((Bytes(bytes.begin() + 132, bytes.begin() + 136)), (Bytes{0xff, 0xff, 0xff, 0xff}));
    EXPECT_EQ(bytes[181], 1);
    EXPECT_EQ(bytes[208], 1);
    EXPECT_EQ((Bytes(bytes.begin() + 209, bytes.begin() + 214)), (Bytes{4, 'A', 'B', 'C', 'D'}));
    EXPECT_EQ(bytes[214], 0x34);
    EXPECT_EQ(bytes[215], 0x12);
    EXPECT_EQ(bytes[218], 7);
    EXPECT_EQ(bytes[219], 0);
    unit.internalName = "ABCD";
    EXPECT_EQ(unpackUnit(bytes), unit);
}

TEST(Records, RoundTripsOfEveryKind)
{
    Building building;
    building.name = "Fort";
    building.power = -100;
    building.abilities[13] = 1;
    building.sizes[5] = 99;
    auto b = pack(building);
    ASSERT_EQ(b.size(), 240u);
    EXPECT_EQ(b[144], 1);
    EXPECT_EQ(b[225], 1);
    EXPECT_EQ(unpackBuilding(b), building);

    Weapon weapon;
    weapon.range = 575;
    weapon.flags[3] = 1;
    auto w = pack(weapon);
    ASSERT_EQ(w.size(), 24u);
    EXPECT_EQ((Bytes(w.begin() + 8, w.begin() + 10)), (Bytes{0x3f, 0x02}));
    EXPECT_EQ(w[16], 2);
    EXPECT_EQ(w[20], 1);
    EXPECT_EQ(unpackWeapon(w), weapon);

    Projectile projectile;
    projectile.internalName = "FIREBALL";
    projectile.flags[17] = 1;
    auto p = pack(projectile);
    ASSERT_EQ(p.size(), 44u);
    EXPECT_EQ(p[8], 255);
    EXPECT_EQ(p[32], 1);
    EXPECT_EQ(p[33], 8);
    EXPECT_EQ(p[41], 'L');
    EXPECT_EQ(unpackProjectile(p), projectile);

    Warhead warhead{2, {100, 50, 25, 10, 5}, 6, 0, 1, 1, 0, 1};
    EXPECT_EQ(pack(warhead), (Bytes{2, 100, 50, 25, 10, 5, 6, 0, 1, 1, 0, 1}));
    EXPECT_EQ(unpackWarhead(pack(warhead)), warhead);
}

TEST(Records, ShortBlocksAreRefused)
{
    EXPECT_THROW(unpackUnit(Bytes(219)), Error);
    EXPECT_THROW(unpackBuilding(Bytes(100)), Error);
    EXPECT_THROW(unpackWeapon(Bytes(23)), Error);
    EXPECT_THROW(unpackProjectile(Bytes()), Error);
    EXPECT_THROW(unpackWarhead(Bytes(11)), Error);
    EXPECT_THROW(general::unpackGroup(14, Bytes(119)), Error);
    EXPECT_THROW(general::unpackGroup(19, Bytes(200)), Error);
}

TEST(GroupRecords, SizesAndRoundTrip)
{
    const std::pair<int, std::size_t> sizes[] = {{6, 44}, {7, 16}, {8, 28}, {9, 32}, {10, 32}, {11, 56}, {12, 11},
                                                 {13, 48}, {14, 120}, {15, 68}, {16, 36}, {17, 40}, {18, 6}};
    for (auto [kind, size] : sizes) {
        const auto* group = general::groupOfKind(static_cast<std::uint8_t>(kind));
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(group->recordSize, size);
        Bytes block(size);
        for (std::size_t i = 0; i < size; ++i)
            block[i] = static_cast<std::uint8_t>(i + 1);
        // Bytes that belong to no field read back as zero.
        auto packed = general::pack(general::unpackGroup(static_cast<std::uint8_t>(kind), block));
        for (const auto& field : group->fields) {
            for (std::size_t i = 0; i < field.width; ++i)
                EXPECT_EQ(packed[field.offset + i], block[field.offset + i]) << kind;
        }
    }
    general::GroupRecord terrain{18, {0, 90, 80, 60, 0, 1}};
    EXPECT_EQ(general::pack(terrain), (Bytes{0, 90, 80, 60, 0, 1}));
}

}
}
