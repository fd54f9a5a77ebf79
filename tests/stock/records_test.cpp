#include "stock/records.h"

#include "common/error.h"
#include "general/groups.h"
#include "stock/object_fields.h"

#include <gtest/gtest.h>

namespace qx::records {
namespace {

const EntryKind kObjectKinds[] = {EntryKind::Unit, EntryKind::Weapon, EntryKind::Projectile, EntryKind::Warhead,
                                  EntryKind::Building};

TEST(Records, UnitFieldsStandAtTheirOffsets)
{
    auto unit = defaults(EntryKind::Unit);
    unit.sizes = {1, 2, 3, 4};
    unit.text("name") = "Tank";
    unit.number("strength") = -5;
    unit.flags("prerequisites")[44] = 1;
    unit.number("tracked") = 1;
    unit.text("internalName") = "ABCDE";  // cut to 4
    unit.number("frameCount") = 0x1234;
    unit.number("replaced") = 7;
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
    unit.text("internalName") = "ABCD";
    EXPECT_EQ(unpack(EntryKind::Unit, bytes), unit);
}

TEST(Records, DefaultsOfAnEmptyWindow)
{
    EXPECT_EQ(pack(defaults(EntryKind::Warhead)), (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
    auto weapon = pack(defaults(EntryKind::Weapon));
    EXPECT_EQ(weapon, (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 0, 2, 0, 0, 0, 0, 0, 0, 0}));
    auto projectile = pack(defaults(EntryKind::Projectile));
    EXPECT_EQ(projectile[8], 255);
    EXPECT_EQ(projectile[12], 1);
    auto building = pack(defaults(EntryKind::Building));
    EXPECT_EQ(building[125], 2);
    EXPECT_EQ(building[136], 1);
    EXPECT_EQ(building[144], 1);
    EXPECT_EQ(building[152], 255);
}

TEST(Records, EveryByteOfEveryFieldRoundTrips)
{
    for (auto kind : kObjectKinds) {
        auto size = factsOf(kind)->recordSize;
        Bytes block(size);
        for (std::size_t i = 0; i < size; ++i)
            block[i] = static_cast<std::uint8_t>(i % 5 == 0 ? 3 : i + 1);
        auto packed = pack(unpack(kind, block));
        ASSERT_EQ(packed.size(), size);
        for (const auto& field : objects::tableOf(kind).fields) {
            if (field.storage != objects::Storage::Text) {
                EXPECT_EQ(packed[field.offset], block[field.offset]) << field.id;
            }
        }
        EXPECT_EQ(unpack(kind, packed), unpack(kind, block));
    }
}

TEST(Records, ShortBlocksAreRefusedWithTheirSizes)
{
    const std::pair<EntryKind, const char*> cases[] = {
        {EntryKind::Unit, "The unit entry is damaged: its data holds 219 bytes, not the 220 of its record."},
        {EntryKind::Building, "The building entry is damaged: its data holds 239 bytes, not the 240 of its record."},
        {EntryKind::Weapon, "The weapon entry is damaged: its data holds 23 bytes, not the 24 of its record."},
        {EntryKind::Projectile, "The projectile entry is damaged: its data holds 43 bytes, not the 44 of its record."},
        {EntryKind::Warhead, "The warhead entry is damaged: its data holds 11 bytes, not the 12 of its record."},
    };
    for (auto [kind, message] : cases) {
        try {
            unpack(kind, Bytes(factsOf(kind)->recordSize - 1));
            ADD_FAILURE() << message;
        } catch (const Error& error) {
            EXPECT_STREQ(error.what(), message);
        }
    }
    EXPECT_THROW(general::unpackGroup(EntryKind::ComputerPlayer, Bytes(119)), Error);
    EXPECT_THROW(general::unpackGroup(static_cast<EntryKind>(19), Bytes(200)), Error);
    EXPECT_THROW(unpack(EntryKind::Terrain, Bytes(6)), Error);
}

TEST(ObjectTables, FieldsLieInsideTheirRecordsWithoutOverlap)
{
    for (auto kind : kObjectKinds) {
        const auto& table = objects::tableOf(kind);
        const auto* facts = factsOf(kind);
        std::vector<int> owner(facts->recordSize, -1);
        for (std::size_t i = 0; i < 4 * facts->graphicsParts(); ++i)
            owner[i] = 1000;
        for (std::size_t f = 0; f < table.fields.size(); ++f) {
            const auto& field = table.fields[f];
            std::size_t width = field.storage == objects::Storage::U8    ? 1
                                : field.storage == objects::Storage::U16 ? 2
                                : field.storage == objects::Storage::I32 ? 4
                                : field.storage == objects::Storage::Text ? field.count + 1u
                                                                          : field.count;
            ASSERT_LE(field.offset + width, facts->recordSize) << field.id;
            for (std::size_t b = field.offset; b < field.offset + width; ++b) {
                EXPECT_EQ(owner[b], -1) << table.noun << " " << field.id << " byte " << b;
                owner[b] = static_cast<int>(f);
            }
            if (field.menu) {
                EXPECT_FALSE(field.menu().empty()) << field.id;
            }
        }
    }
}

TEST(ObjectTables, StoredNumbersFitTheirFields)
{
    const auto& unit = objects::tableOf(EntryKind::Unit);
    auto field = [&](const char* id) { return unit.fields[objects::indexOf(unit, id)]; };
    EXPECT_EQ(objects::storedNumber(field("strength"), "-250"), -250);
    EXPECT_EQ(objects::storedNumber(field("strength"), ""), 0);
    EXPECT_EQ(objects::storedNumber(field("strength"), "-"), std::nullopt);
    EXPECT_EQ(objects::storedNumber(field("sight"), ""), 1);
    EXPECT_EQ(objects::storedNumber(field("speed"), "255"), 255);
    EXPECT_EQ(objects::storedNumber(field("speed"), "256"), std::nullopt);
    EXPECT_EQ(objects::storedNumber(field("guardRange"), ""), 255);
    EXPECT_EQ(objects::storedNumber(field("guardRange"), "254"), 254);
    EXPECT_EQ(objects::storedNumber(field("guardRange"), "255"), std::nullopt);
    EXPECT_EQ(objects::storedNumber(field("tolerance"), "65536"), std::nullopt);
    EXPECT_EQ(objects::storedNumber(field("reload"), "2147483648"), std::nullopt);

    const auto& weapon = objects::tableOf(EntryKind::Weapon);
    const auto& range = weapon.fields[objects::indexOf(weapon, "range")];
    const std::pair<const char*, std::optional<std::int32_t>> ranges[] = {
        {"5,75", 575}, {"5,755", 576}, {"5,765", 576}, {"5,7651", 577}, {"0,005", 0}, {"0,015", 2}, {",5", 50},
        {"6,", 600}, {"255", 25500}, {"255,01", std::nullopt}, {",", std::nullopt}, {"5,7,5", std::nullopt},
        {"", 0},
    };
    for (auto [text, stored] : ranges)
        EXPECT_EQ(objects::storedNumber(range, text), stored) << text;
}

TEST(ObjectTables, PlainLabels)
{
    EXPECT_EQ(objects::plainLabel("Tech - Level: "), "Tech - Level");
    EXPECT_EQ(objects::plainLabel("None   --------------------->"), "None");
    EXPECT_EQ(objects::plainLabel("Wood (buildings)   --->"), "Wood (buildings)");
    EXPECT_EQ(objects::plainLabel("Panic:"), "Panic");
}

TEST(GroupRecords, SizesAndRoundTrip)
{
    const std::pair<int, std::size_t> sizes[] = {{6, 44}, {7, 16}, {8, 28}, {9, 32}, {10, 32}, {11, 56}, {12, 11},
                                                 {13, 48}, {14, 120}, {15, 68}, {16, 36}, {17, 40}, {18, 6}};
    for (auto [byte, size] : sizes) {
        auto kind = static_cast<EntryKind>(byte);
        const auto* group = general::groupOfKind(kind);
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(factsOf(kind)->recordSize, size);
        Bytes block(size);
        for (std::size_t i = 0; i < size; ++i)
            block[i] = static_cast<std::uint8_t>(i + 1);
        // Bytes that belong to no field read back as zero.
        auto packed = general::pack(general::unpackGroup(kind, block));
        for (const auto& field : group->fields) {
            for (std::size_t i = 0; i < field.width; ++i)
                EXPECT_EQ(packed[field.offset + i], block[field.offset + i]) << byte;
        }
    }
    general::GroupRecord terrain{EntryKind::Terrain, {0, 90, 80, 60, 0, 1}};
    EXPECT_EQ(general::pack(terrain), (Bytes{0, 90, 80, 60, 0, 1}));
}

}
}
