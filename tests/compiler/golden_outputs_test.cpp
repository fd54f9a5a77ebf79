// Record bytes and the compiled sections of every object kind, written out
// by hand from known values and the stock sections they change: they pin
// what the compiler writes, whatever the code that packs and writes them
// looks like.
#include "compiler/compile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>

namespace qx::compiler {
namespace {

struct Patch {
    std::size_t at;
    std::vector<std::uint8_t> bytes;
};

Bytes recordOf(std::size_t size, std::initializer_list<Patch> patches)
{
    Bytes record(size);
    for (const auto& patch : patches)
        std::copy(patch.bytes.begin(), patch.bytes.end(), record.begin() + static_cast<std::ptrdiff_t>(patch.at));
    return record;
}

std::vector<std::uint8_t> text(const std::string& value)
{
    std::vector<std::uint8_t> bytes(value.size() + 1);
    bytes[0] = static_cast<std::uint8_t>(value.size());
    std::copy(value.begin(), value.end(), bytes.begin() + 1);
    return bytes;
}

// A working file of one entry: header, one directory entry, the block.
Bytes projectOf(std::uint8_t kind, const Bytes& block, std::size_t records = 1)
{
    Bytes file{0x01, 0x03, 'Q', 'X', 'P', 0, static_cast<std::uint8_t>(records), 0};
    for (std::size_t i = 0; i < records; ++i) {
        Bytes entry(112);
        entry[0] = kind;
        entry[1] = 1;
        entry[2] = 'x';
        auto offset = static_cast<std::uint32_t>(i * block.size());
        auto size = static_cast<std::uint32_t>(block.size());
        for (int b = 0; b < 4; ++b) {
            entry[104 + b] = static_cast<std::uint8_t>(offset >> (8 * b));
            entry[108 + b] = static_cast<std::uint8_t>(size >> (8 * b));
        }
        file.insert(file.end(), entry.begin(), entry.end());
    }
    for (std::size_t i = 0; i < records; ++i)
        file.insert(file.end(), block.begin(), block.end());
    return file;
}

// The section's stretch of the compiled text: its header and every line up
// to the next header.
std::vector<std::string> sectionIn(const RulesLines& rules, const std::string& header)
{
    auto at = std::find(rules.begin(), rules.end(), header);
    auto end = std::find_if(at + (at != rules.end()), rules.end(), [](const std::string& line) { return line.starts_with('['); });
    return {at, end};
}

void expectSection(std::uint8_t kind, const Bytes& record, const std::string& header,
                   const std::vector<std::string>& lines)
{
    auto outputs = buildOutputs(projectOf(kind, record));
    EXPECT_EQ(sectionIn(outputs.rules, header), lines);
    EXPECT_TRUE(outputs.archive.empty());
}

TEST(GoldenOutputs, Unit)
{
    auto record = recordOf(220, {
        {16, text("Golden")}, {117, {1}}, {118, {3}}, {120, {0x58, 0x02, 0, 0}}, {124, {0x24, 0xfa, 0xff, 0xff}},
        {128, {8, 1, 17, 255}}, {132, {0xff, 0xff, 0xff, 0xff}}, {136, {255}}, {137 + 4, {1}}, {137 + 24, {1}},
        {182, {5, 13}}, {188, {255}}, {192, {50}}, {196, {1}}, {208, {1}}, {209, text("XY")}, {218, {4}},
    });
    expectSection(1, record, "[4TNK]",
                  {"[4TNK]", "Prerequisite=weap,stek", "Primary=120mm", "Secondary=none", "Strength=600", "Armor=heavy",
                   "TechLevel=13", "Sight=1", "Speed=8", "Owner=soviet", "Cost=-1500", "Points=50", "ROT=5",
                   "Tracked=yes", "SelfHealing=no", "Crewed=yes", "Name=Golden", "Cloakable=yes", " ",
                   "; mobile radar jammer"});
}

TEST(GoldenOutputs, UnitWithEveryConditionalLine)
{
    auto record = recordOf(220, {
        {16, text("Full")}, {117, {2}}, {128, {0, 2, 0, 1}}, {136, {9}}, {184, {7}}, {188, {3}},
        {196, {0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0}}, {218, {0}},
    });
    expectSection(1, record, "[V2RL]",
                  {"[V2RL]", "Prerequisite=none", "Primary=Colt45", "Strength=0", "Armor=None", "TechLevel=-1", "Sight=2",
                   "Speed=0", "Owner=Allies,Soviet", "Cost=0", "Points=0", "ROT=0", "Tracked=no", "Ammo=0",
                   "Crewed=yes", "NoMovingFire=yes", "Name=Full", "Secondary=ZSU-23", "GuardRange=9", "Reload=7",
                   "Passengers=3", "Explodes=yes", "Invisible=yes", "SelfHealing=yes", "Sensors=yes",
                   "DoubleOwned=yes", "C4=yes", "Fraidycat=yes", "Infiltrate=yes", "IsCanine=yes", "Crushable=yes",
                   " ", "; light tank"});
}

TEST(GoldenOutputs, Building)
{
    auto record = recordOf(240, {
        {24, text("Bunker")}, {125, {0, 4}}, {128, {0xe8, 0x03, 0, 0}}, {132, {250}}, {136, {3}},
        {140, {0xec, 0xff, 0xff, 0xff}}, {144, {2, 255, 21}}, {148, {5}}, {152, {7}}, {153 + 13, {1}},
        {200, {30}}, {212 + 6, {1, 1, 0, 1}}, {236, {9}},
    });
    expectSection(5, record, "[TSLA]",
                  {"[TSLA]", "Prerequisite=FACT", "Primary=none", "Strength=1000", "Armor=Concrete", "TechLevel=-1",
                   "Sight=3", "Owner=Allies", "Cost=250", "Points=0", "Power=-20", "Ammo=5", "Powered=true",
                   "Sensors=no", "Crewed=no", "Name=Bunker", "Adjacent=2", "Secondary=TorpTube", "GuardRange=7",
                   "Reload=30", "BaseNormal=no", "Unsellable=yes", " ", "; gun turret"});
}

TEST(GoldenOutputs, BuildingWithEveryConditionalLine)
{
    auto record = recordOf(240, {
        {24, text("All")}, {125, {2}}, {136, {1}}, {144, {1, 35, 255}}, {152, {255}}, {198, {4}},
        {204, {12}}, {208, {0x10, 0x27}}, {212, {1, 1, 1, 1, 1, 1, 0, 0, 1, 0, 1, 1, 1, 1}}, {236, {0}},
    });
    expectSection(5, record, "[IRON]",
                  {"[IRON]", "Prerequisite=none", "Strength=0", "Armor=None", "TechLevel=4", "Sight=1",
                   "Owner=Allies,Soviet", "Cost=0", "Points=10000", "Power=0", "Powered=no", "Capturable=true",
                   "Crewed=yes", "Name=All", "Primary=Mandible", "Ammo=0", "Storage=12", "Cloakable=yes",
                   "Explodes=yes", "Invisible=yes", "SelfHealing=yes", "Sensors=yes", "DoubleOwned=yes",
                   "Repairable=no", "WaterBound=yes", "Bib=yes", " ", "; forward command center"});
}

TEST(GoldenOutputs, Weapon)
{
    auto record = recordOf(24, {{0, {27}}, {4, {90}}, {8, {0x3f, 0x02, 60, 0, 15, 2, 4, 2, 34, 0, 1, 0, 0}}});
    expectSection(2, record, "[8Inch]",
                  {"[8Inch]", "Damage=90", "ROF=60", "Range=5.75", "Projectile=Torpedo", "Speed=15", "Warhead=AP",
                   "Report=TORPEDO1", "Anim=GUNFIRE", "Supress=no", "Burst=2", "Charges=yes", " ",
                   "; gunboat mounted anti-aircraft rocket"});

    auto plain = recordOf(24, {{0, {0}}, {4, {0xfb, 0xff, 0xff, 0xff}}, {13, {1, 2, 0, 2, 1, 0, 1, 1}}});
    expectSection(2, plain, "[Colt45]",
                  {"[Colt45]", "Damage=-5", "ROF=0", "Range=0", "Projectile=Cannon", "Speed=0", "Warhead=SA",
                   "Report=CANNON1", "Camera=yes", "Supress=yes", "TurboBoost=yes", " ",
                   "; anti-aircraft multiple cannon"});
}

TEST(GoldenOutputs, Projectile)
{
    auto record = recordOf(44, {{8, {6, 0, 3, 0, 1, 0, 10, 1, 0}}, {15 + 14, {1}}, {15 + 17, {1}}, {33, text("MISSLE")}});
    expectSection(3, record, "[HeatSeeker]", {"[HeatSeeker]", "Arm=3", "High=no", "Shadow=yes", "Proximity=no", "Animates=no", "Ranged=no",
                   "Inaccurate=yes", "AA=yes", "Image=MISSLE", "ROT=10", "Rotates=no", "Translucent=no", "AG=no",
                   "UnderWater=yes", " ", "; small accurate missile"});

    auto every = recordOf(44, {{8, {17, 0, 0, 0, 7, 0, 0}}, {15, {0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 0}}});
    expectSection(3, every, "[Fireball]",
                  {"[Fireball]", "Animates=yes", "Frames=7", "ASW=yes", "Arcing=yes", "Degenerates=yes", "Dropping=yes",
                   "Gigundo=yes", "High=yes", "Inaccuate=yes", "Inviso=yes", "Parachuted=yes", "Proximity=yes",
                   "Ranged=yes", "Shadow=no", "Translucent=yes", "Rotates=yes", " ",
                   "; general multiple small arms fire"});
}

TEST(GoldenOutputs, Warhead)
{
    expectSection(4, Bytes{5, 100, 80, 60, 40, 20, 4, 2, 3, 1, 0, 1}, "[Super]",
                  {"[Super]", "Spread=3", "Verses=100%,80%,60%,40%,20%", "InfDeath=2", "Explosion=4", "Wall=yes",
                   "Wood=yes", " ", "; special case, infantry only"});
    expectSection(4, Bytes{7, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0}, "[Nuke]", {"[Nuke]", "Spread=1", "Wall=no", "Wood=no", "Ore=yes", "Verses=0%,0%,0%,0%,0%", "Explosion=0",
                   "InfDeath=0", " ", "; clear grassy terrain"});
}

TEST(GoldenOutputs, GraphicsBecomeMembersNamedByTheInternalName)
{
    // Unit: a 1-byte picture, a 2-byte frame list, icon SHP "IC", image SHP "IMG".
    auto unit = recordOf(220, {{0, {1, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 3}}, {16, text("G")}, {209, text("ABCD")},
                               {214, {64, 0, 0, 0, 0}}});
    for (auto c : std::string("pffICIMG"))
        unit.push_back(static_cast<std::uint8_t>(c));
    auto outputs = buildOutputs(projectOf(1, unit));
    MixArchive archive;
    archive.add("ABCDicon.shp", {'I', 'C'});
    archive.add("ABCD.shp", {'I', 'M', 'G'});
    EXPECT_EQ(outputs.archive.bytes(), archive.bytes());
    // With graphics the list is built from 64 frames: 1TNK first.
    auto section = sectionIn(outputs.rules, "[1TNK]");
    EXPECT_EQ(std::count(section.begin(), section.end(), "Image=ABCD"), 1);
}

}
}
