#include "stock/object_fields.h"

#include "common/error.h"
#include "common/text.h"

#include <algorithm>
#include <iterator>

namespace qx::objects {
namespace {

using F = Filter;
using S = Storage;
using stock::Menu;

constexpr Field name(std::uint16_t offset)
{
    return {"name", "Name: ", 0, Control::Text, F::None, 0, nullptr, offset, S::Text, 100, 0, "Name", Line::Value, Load::Text};
}

constexpr Field number(const char* id, const char* label, std::uint8_t page, Filter filter, std::uint8_t maxLength,
                       std::uint16_t offset, Storage storage, std::int32_t defaultValue, const char* key,
                       std::int32_t noLine = kAlwaysWritten, bool emptyIs255 = false)
{
    return {id, label, page, Control::Number, filter, maxLength, nullptr, offset, storage, 0, defaultValue, key,
            Line::Value, Load::Text, noLine, emptyIs255};
}

constexpr Field choice(const char* id, const char* label, std::uint8_t page, Menu (*menu)(), std::uint16_t offset,
                       std::int32_t defaultValue, const char* key, Line line, Load load,
                       std::int32_t noLine = kAlwaysWritten)
{
    return {id, label, page, Control::OneChoice, F::None, 0, menu, offset, S::U8, 0, defaultValue, key, line, load,
            noLine, defaultValue == kEmpty};
}

constexpr Field box(const char* id, const char* label, std::uint8_t page, std::uint16_t offset, const char* key,
                    bool writtenWhenSet = true)
{
    return {id, label, page, Control::Box, F::None, 0, nullptr, offset, S::U8, 0, 0, key,
            writtenWhenSet ? Line::Yes : Line::No, writtenWhenSet ? Load::YesBox : Load::NoBox};
}

constexpr Field prerequisites(std::uint16_t offset)
{
    return {"prerequisites", "Prerequisite: ", 1, Control::ManyChoices, F::None, 0, stock::prerequisiteList, offset,
            S::Flags, 45, 0, "Prerequisite", Line::Identifiers, Load::ManyChoices};
}

constexpr Field techLevel(std::uint16_t offset)
{
    return {"techLevel", "Tech - Level: ", 1, Control::OneChoice, F::Digits, 0, stock::techLevelList, offset, S::U8,
            0, 0, "TechLevel", Line::Value, Load::TechLevel, 0};
}

// A projectile's internal name is its image: the loader takes the image the
// section names.
constexpr Field internalName(const char* label, std::uint8_t length, std::uint16_t offset, Line line)
{
    return {"internalName", label, 3, Control::Text, F::None, length, nullptr, offset, S::Text, length, 0, "Image",
            line, line == Line::ImageAlways ? Load::Text : Load::None};
}

constexpr Field tolerance(std::uint16_t offset)
{
    return {"tolerance", "Frame Tolerance:", 3, Control::Number, F::Digits, 3, nullptr, offset, S::U16, 0, 0, "",
            Line::None, Load::None};
}

constexpr Field frameCount(std::uint16_t offset)
{
    return {"frameCount", "", 3, Control::Derived, F::None, 0, nullptr, offset, S::U16, 0, 0, "", Line::None, Load::None};
}

constexpr Field replacement(const char* label, std::uint16_t offset)
{
    return {"replaced", label, 3, Control::Replacement, F::None, 0, nullptr, offset, S::U8, 0, 0, "", Line::Replaced,
            Load::None};
}

constexpr Field replaced(const char* label, Menu (*menu)(), std::uint16_t offset, std::int32_t defaultValue)
{
    return choice("replaced", label, 0, menu, offset, defaultValue, "", Line::Section, Load::Replaced);
}

constexpr Field percent(const char* id, const char* label, std::uint16_t offset, const char* hint)
{
    return {id, label, 0, Control::Number, F::Percent, 3, nullptr, offset, S::U8, 0, 0, "Verses", Line::Percents,
            Load::Percents, kAlwaysWritten, false, true, 1, hint};
}

// A key the stock text spells otherwise than the game reads it: a changed
// value's line takes the place of the stock one.
constexpr Field respelled(Field field, const char* stockKey)
{
    field.stockKey = stockKey;
    return field;
}

constexpr Field hinted(Field field, const char* hint, std::uint8_t row = 0)
{
    field.hint = hint;
    field.row = row;
    return field;
}

// Distances in cells are kept in 1/256 of a cell in 16 bits: below 256 cells.
constexpr std::int32_t kLargestDistance = 25500;

const char* const kObjectPages[] = {"General Settings", "Detail Settings", "Special Abilities", "Graphics"};
const char* const kWeaponPages[] = {"General Settings", "Detail Settings", "Graphics / Sound"};
const char* const kProjectilePages[] = {"General Settings", "Detail Settings 1", "Detail Settings 2", "Graphics"};
const char* const kWarheadPages[] = {"General Settings", "Detail / Animation Settings"};

const Field kUnitFields[] = {
    hinted(name(16), "Give a name to your unit!"),
    hinted(choice("owner", "Owner: ", 0, stock::ownerList, 117, 2, "Owner", Line::Identifier, Load::OwnerChoice),
           "Right click to select which country will be able to build your unit!\ndefault=both"),
    hinted(choice("armour", "Armor: ", 0, stock::armourList, 118, 0, "Armor", Line::Identifier, Load::Choice),
           "Click to select the armor-type of your unit!\ndefault=none"),
    hinted(number("strength", "Strength: ", 0, F::SignedNumber, 6, 120, S::I32, 0, "Strength"),
           "How many hit points does the unit have? (1 - 999999)\n(example: Mammoth Tank has 600 hit points)\nEmpty stands for 0: give every unit at least 1."),
    hinted(number("cost", "Cost: ", 0, F::SignedNumber, 6, 124, S::I32, 0, "Cost"),
           "How much will you have to pay for the unit? (-99999 - 999999)\ndefault=0"),
    hinted(number("speed", "Speed: ", 0, F::Digits, 2, 128, S::U8, 0, "Speed", 0), "How fast can the unit move? (1-99)\ndefault=0"),
    hinted(number("sight", "Sight: ", 0, F::Digits, 2, 129, S::U8, 1, "Sight", 1), "How far will your unit see? (1-99)\ndefault= 1"),
    hinted(choice("primary", "Primary Weapon: ", 0, stock::primaryWeaponList, 130, kEmpty, "Primary", Line::Identifier, Load::Choice),
           "Click to select your unit's primary weapon\ndefault=none"),
    hinted(choice("secondary", "Secondary Weapon: ", 0, stock::secondaryWeaponList, 131, kEmpty, "Secondary",
                  Line::Identifier, Load::Choice),
           "Click to select your unit's secondary weapon!\ndefault=none"),
    hinted(number("ammo", "Ammo: ", 1, F::Ammo, 4, 132, S::I32, -1, "Ammo"),
           "How much ammunition can your unit use until reload?\n(default: -1 --> means unlimited)"),
    hinted(number("guardRange", "Guard Range: ", 1, F::GuardRange, 3, 136, S::U8, kEmpty, "GuardRange", kAlwaysWritten, true),
           "How far does your unit scan for nearby enemies to attack? (1-200)\ndefault=use weapon range"),
    hinted(prerequisites(137),
           "List of the buildings that are needed before your unit can be manufactured\ndefault=no requirement"),
    hinted(number("rateOfTurn", "Rate of Turn: ", 1, F::Digits, 2, 182, S::U8, 0, "ROT", 0),
           "How fast can your unit tourn around? (1-99)\ndefault=0", 1),
    hinted(techLevel(183),
           "The technology level that has to be reached before your unit can be built\ndefault= -1 --> you can't build it"),
    hinted(number("reload", "Reload Time: ", 1, F::Digits, 4, 184, S::I32, 0, "Reload", 0),
           "The time the unit needs for reload\nThe game never reads it: it has no effect in the game.\ndefault=0", 1),
    hinted(number("passengers", "Passengers: ", 1, F::Digits, 2, 188, S::U8, kEmpty, "Passengers", 0, true),
           "The number of passengers your unit may carry (1-99)\ndefault=0", 1),
    hinted(number("points", "Points: ", 1, F::SignedNumber, 6, 192, S::I32, 0, "Points", 0),
           "Point value for scoring purposes (-99999 - 999999)\ndefault=0", 1),
    hinted(box("cloakable", "Cloakable: ", 2, 196, "Cloakable"), "Is your unit equipped with a cloaking device?\ndefault=no"),
    hinted(box("explodes", "Explodes: ", 2, 197, "Explodes"), "Does it explode violently when destroyed?\ndefault=no"),
    hinted(box("invisible", "Invisible: ", 2, 198, "Invisible"),
           "Is your unit completely and always invisible to the enemy?\ndefault=no"),
    hinted(box("selfHealing", "Self Healing: ", 2, 199, "SelfHealing"),
           "Does your unit heal automatically up to half strength?\ndefault=no"),
    hinted(box("sensors", "Sensors: ", 2, 200, "Sensors"), "Has your unit sensors to detect nearby cloaked objects?\ndefault=no"),
    hinted(box("doubleOwned", "Double Owned: ", 2, 201, "DoubleOwned"),
           "Can your unit be built/owned by all countries in a multiplayer game?\ndefault=no"),
    hinted(box("c4", "C4: ", 2, 202, "C4"),
           "Is your unit equipped with building sabotage explosives? (INFANTRY ONLY)\ndefault=no"),
    hinted(box("noMovingFire", "No Moving Fire: ", 2, 203, "NoMovingFire"),
           "Must you unit stop before it can fire? (VEHICLES ONLY)\ndefault=no"),
    hinted(box("panic", "Panic:", 2, 204, "Fraidycat"),
           "Is your unit inherently afraid and will panic easily? (INFANTRY ONLY)\ndefault=no"),
    hinted(box("infiltrate", "Infiltrate: ", 2, 205, "Infiltrate"),
           "Can your unit enter a building like a spy or thief? (INFANTRY ONLY)\ndefault=no"),
    hinted(box("dogLogic", "Dog Logic:", 2, 206, "IsCanine"), "Should your unit act like a dog? (INFANTRY ONLY)\ndefault=no"),
    hinted(box("crushable", "Crushable: ", 2, 207, "Crushable"),
           "Can your unit be crushed by a heavy tracked vehicle?\ndefault=no"),
    hinted(box("tracked", "Tracked: ", 2, 208, "Tracked"),
           "Is your unit tracked (as opposed to wheeled)? (VEHICLES ONLY)\ndefault=no"),
    internalName("Internal Name", 4, 209, Line::Image),
    hinted(tolerance(216), "How much frames can be the difference between the\nnew unit graphic data and the old unit graphic data?"),
    frameCount(214),
    hinted(replacement("Select a unit to be replaced:", 218),
           "Select a unit (an object identifier) that should be replaced by the new unit!"),
};

const Field kBuildingFields[] = {
    hinted(name(24), "Give a name to your building!"),
    hinted(choice("owner", "Owner: ", 0, stock::ownerList, 125, 2, "Owner", Line::Identifier, Load::OwnerChoice),
           "Right click to select which country will be able to build your building!\ndefault=both"),
    hinted(choice("armour", "Armor: ", 0, stock::armourList, 126, 0, "Armor", Line::Identifier, Load::Choice),
           "Click to select the armor-type of your building!\ndefault=none"),
    hinted(number("strength", "Strength: ", 0, F::SignedNumber, 6, 128, S::I32, 0, "Strength"),
           "How many hit points does the building have? (1 - 999999)\nEmpty stands for 0: give every building at least 1."),
    hinted(number("cost", "Cost: ", 0, F::SignedNumber, 6, 132, S::I32, 0, "Cost"),
           "How much will you have to pay for the building? (-99999 - 999999)\ndefault=0"),
    hinted(number("sight", "Sight: ", 0, F::Digits, 2, 136, S::U8, 1, "Sight", 1), "How far will your building see? (1-99)\ndefault= 1"),
    hinted(number("power", "Power: ", 0, F::SignedNumber, 6, 140, S::I32, 0, "Power"),
           "Does you building produce (positive value) / \nneed (negative value) power? (-999999 - 999999)\ndefault=0"),
    hinted(number("distance", "Distance: ", 0, F::Digits, 2, 144, S::U8, 1, "Adjacent", 1),
           "How far can your building be built away of other buildings? (1-99)\ndefault= 1"),
    hinted(choice("primary", "Primary Weapon: ", 0, stock::buildingPrimaryWeaponList, 145, kEmpty, "Primary",
                  Line::Identifier, Load::Choice),
           "Click to select your building's primary weapon\ndefault=none"),
    hinted(choice("secondary", "Secondary Weapon: ", 0, stock::buildingSecondaryWeaponList, 146, kEmpty, "Secondary",
                  Line::Identifier, Load::Choice),
           "Click to select your building's secondary weapon!\ndefault=none"),
    hinted(number("ammo", "Ammo: ", 1, F::Digits, 0, 148, S::I32, -1, "Ammo"),
           "How much ammunition can your building use until reload?\n(default: -1 --> means unlimited)"),
    hinted(number("guardRange", "Guard Range: ", 1, F::Digits, 3, 152, S::U8, kEmpty, "GuardRange", kAlwaysWritten, true),
           "How far does your building scan for nearby enemies to attack? (1-999)\ndefault=use weapon range"),
    hinted(prerequisites(153),
           "List of the buildings that are needed before your building can be manufactured\ndefault=no requirement"),
    hinted(techLevel(198),
           "The technology level that has to be reached before your building can be built\ndefault= -1 --> you can't build it"),
    hinted(number("reload", "Reload Time: ", 1, F::Digits, 0, 200, S::I32, 0, "Reload", 0),
           "The time the building needs for reload.\nThe game never reads it: it has no effect in the game.\ndefault=0"),
    hinted(number("storage", "Storage:", 1, F::Digits, 0, 204, S::I32, 0, "Storage", 0),
           "How much ore can your building store?\ndefault=0"),
    hinted(number("points", "Points: ", 1, F::SignedNumber, 6, 208, S::I32, 0, "Points", 0),
           "Point value for scoring purposes (1-999999)\ndefault=0"),
    hinted(box("cloakable", "Cloakable: ", 2, 212, "Cloakable"), "Is your building equipped with a cloaking device?\ndefault=no"),
    hinted(box("explodes", "Explodes: ", 2, 213, "Explodes"), "Does it explode violently when destroyed?\ndefault=no"),
    hinted(box("invisible", "Invisible: ", 2, 214, "Invisible"),
           "Is your building completely and always invisible to the enemy?\ndefault=no"),
    hinted(box("selfHealing", "Self Healing: ", 2, 215, "SelfHealing"),
           "Does your building heal automatically up to half strength?\ndefault=no"),
    hinted(box("sensors", "Sensors: ", 2, 216, "Sensors"),
           "Has your building sensors to detect nearby cloaked objects?\ndefault=no"),
    hinted(box("doubleOwned", "Double Owned: ", 2, 217, "DoubleOwned"),
           "Can your building be built/owned by all countries in a multiplayer game?\ndefault=no"),
    hinted(box("powered", "Powered: ", 2, 218, "Powered"), "Does you building require power to function?\ndefault=no"),
    hinted(respelled(box("repairable", "Repairable: ", 2, 219, "Repairable", false), "Repariable"),
           "Can your building be repaired?\ndefault=no"),
    hinted(box("checkForBuildings", "Check for Buildings: ", 2, 220, "BaseNormal", false),
           "Does your building check for nearby buildings before built?\ndefault=no"),
    hinted(box("unsellable", "Unsellable: ", 2, 221, "Unsellable"), "Is your building unsellable?\ndefault=no"),
    hinted(box("waterBuilding", "Water Building: ", 2, 222, "WaterBound"),
           "Can your building only be built on water?\ndefault=no"),
    hinted(box("dirt", "Dirt: ", 2, 223, "Bib"), "Has your building an attached dirt (bip)?\ndefault=no"),
    hinted(box("capturable", "Capturable: ", 2, 224, "Capturable"), "Can your building be captured?\ndefault=no"),
    hinted(box("crewed", "Crewed: ", 2, 225, "Crewed"), "Does your building contain a crew that can escape?\ndefault=no"),
    internalName("Internal Name", 4, 226, Line::Image),
    hinted(tolerance(234), "How much frames can be the difference between the\nnew unit graphic data and the old unit graphic data?"),
    frameCount(232),
    hinted(replacement("Select a building to be replaced:", 236),
           "Select a building (an object identifier) that should be replaced by the new building!"),
};

const Field kWeaponFields[] = {
    hinted({"damage", "Damage: ", 0, Control::Number, F::Damage, 6, nullptr, 4, S::I32, 0, 0, "Damage", Line::Value, Load::Text},
           "What is the amount of damage dealt with every bullet? (-99999 - 999999)\n(example: The Submarine's "
           "Torpedo has 90 damage points)\ndefault=0"),
    hinted({"range", "Range: ", 0, Control::Decimal, F::Range, 0, nullptr, 8, S::U16, 0, 0, "Range", Line::Hundredths,
            Load::DecimalText, kAlwaysWritten, false, false, 0, "", "", kLargestDistance},
           "What is the weapon's maximum range? (0 - 255)\nIn cells, to 0,01; type a point or a comma before the "
           "decimals.\n(example: The Submarine's Torpedo Range is 9 cells)\ndefault=0"),
    hinted(number("delay", "Delay Time: ", 0, F::Digits, 6, 10, S::U16, 0, "ROF"),
           "How much delay is between the shots?\n(15 means one second at middle-speed setting)\n(example: The "
           "Submarine's Torpedo has 60 --> that\n means 4 seconds at middle-speed setting)\ndefault=0"),
    hinted(number("speed", "Speed: ", 0, F::Digits, 6, 12, S::U8, 0, "Speed"),
           "What's the speed of the projectile when flying to the target? (0-255)\n(example: The Submarine's Torpedo "
           "Speed is 15)\ndefault=0"),
    hinted(number("burst", "Burst: ", 0, F::Digits, 2, 13, S::U8, 1, "Burst", 1),
           "How much rapid succession shots can this weapon do?\n(example: The Submarine's Torpedo has 1 rapid "
           "succession shot)\ndefault=1"),
    hinted(choice("projectile", "Projectile: ", 2, stock::projectileList, 14, 2, "Projectile", Line::Identifier, Load::Choice),
           "Click to select the projectile you want to use!\ndefault=[Cannon]"),
    hinted(choice("warhead", "Warhead: ", 2, stock::warheadList, 15, 0, "Warhead", Line::Identifier, Load::Choice),
           "Click to select the warhead you want to use!\ndefault=[SA]"),
    hinted(choice("sound", "Sound to be used: ", 2, stock::soundList, 16, 2, "Report", Line::Identifier, Load::Choice),
           "Right click to select the sound you want to use!\ndefault=[cannon1]"),
    hinted(box("camera", "Camera: ", 1, 17, "Camera"), "Does the area reveal around the firer?\ndefault=no"),
    hinted(box("charges", "Charge - Up Logic: ", 1, 18, "Charges"), "Must it charge-up before it can fire?\ndefault=no"),
    hinted(box("supress", "Suppress Fire: ", 1, 19, "Supress"),
           "If nearby friendly buildings are found, \nshould it discourage firing on the target?\ndefault=no"),
    hinted(box("turboBoost", "Turbo Boost: ", 1, 20, "TurboBoost"),
           "Does the weapon get a boosted speed bonus when\nfiring upon aircraft?\ndefault=no"),
    hinted(replaced("Weapon to be replaced:", stock::weaponList, 0, 0), "Click to select the weapon to be replaced!"),
};

const Field kProjectileFields[] = {
    internalName("Internal Name:", 8, 33, Line::ImageAlways),
    hinted(number("arm", "Arming Delay: ", 0, F::Digits, 0, 10, S::U16, 0, "Arm", 0),
           "How much is the arming delay of the projectile?\n(example: The V2 Rocket's FROG Projectile has 10 "
           "delay)\ndefault=0", 1),
    hinted(number("frames", "Frames: ", 0, F::Digits, 0, 12, S::U16, 1, "Frames", 1),
           "How many frames are used for animation purposes?\n(example: The V2 Rocket's FROG Projectile has 0 "
           "frames)\ndefault=1", 1),
    hinted(number("rateOfTurn", "Rate of Turn: ", 0, F::Digits, 6, 14, S::U8, 0, "ROT", 0),
           "How fast can the projectile turn? (non-zero means homing ability)\n(example: The V2 Rocket's FROG "
           "Projectile has 0 Rate of Turn)\ndefault=0", 1),
    hinted(box("antiAircraft", "Anti - Aircraft: ", 1, 15, "AA"), "Can this weapon fire upon flying aircraft?\ndefault=no"),
    hinted(box("antiGround", "Anti - Ground Objects: ", 1, 16, "AG", false),
           "Can this weapon fire upon ground objects?\ndefault=yes"),
    hinted(box("antiSubmarine", "Anti - Submarine", 1, 17, "ASW"),
           "Is this an Anti-Submarine-Warfare (ASW) projectile?\ndefault=no"),
    hinted(box("smoke", "Smoke: ", 1, 18, "Animates"),
           "Does the projectile animate (=smoke puffs) when flying to its target?\ndefault=no"),
    hinted(box("ballistic", "Ballistic: ", 1, 19, "Arcing"), "Does it have a ballistic flight (trajectory)?\ndefault=no"),
    hinted(box("degenerates", "Degenerates: ", 1, 20, "Degenerates"),
           "Does the bullets strength weaken while flying to its target?\ndefault=no"),
    hinted(box("dropped", "Dropped: ", 1, 21, "Dropping"), "Does the projectile fall from a starting height?\ndefault=no"),
    hinted(box("large", "Large: ", 1, 22, "Gigundo"), "Is the projectile's image larger than normal?\ndefault=no"),
    hinted(box("high", "High: ", 1, 23, "High"), "Can the projectile fly over walls?\ndefault=no"),
    hinted(respelled(box("inaccurate", "Inaccurate: ", 2, 24, "Inaccuate"), "Inaccurate"),
           "Is it inherently inaccurate?\ndefault=no"),
    hinted(box("invisible", "Invisible: ", 2, 25, "Inviso"), "Is the projectile invisible as it travels?\ndefault=no"),
    hinted(box("parachute", "Parachute: ", 2, 26, "Parachuted"),
           "Is it equipped with a parachute for dropping from a plane?\ndefault=no"),
    hinted(box("explodes", "Explodes: ", 2, 27, "Proximity"), "Does it blow up when it is near its target?\ndefault=no"),
    hinted(box("fuel", "Fuel: ", 2, 28, "Ranged"), "Can the projectile run out of fuel?\ndefault=no"),
    hinted(box("shadow", "Shadow: ", 2, 29, "Shadow", false),
           "If the projectile flies, does it have a shadow drawn?\ndefault=yes"),
    hinted(box("translucent", "Translucent Colors: ", 2, 30, "Translucent"),
           "Are translucent colors used in the artwork?\ndefault=no"),
    hinted(box("rotates", "Rotates: ", 2, 31, "Rotates"), "Does the projectile have a rotation specific imagery?\ndefault=no"),
    hinted(box("underwater", "Underwater: ", 2, 32, "UnderWater"), "Does the projectile travel under water?\ndefault=no"),
    hinted(replaced("Projectile to be replaced:", stock::projectileList, 8, kEmpty),
           "Click to select a projectile to be replaced!"),
};

const Field kWarheadFields[] = {
    percent("none", "None   --------------------->", 1, "Damage value against not armoured units"),
    percent("wood", "Wood (buildings)   --->", 2, "Damage value against wooden armoured units"),
    percent("light", "Light Armor   ------------>", 3, "Damage value against light armoured units"),
    percent("heavy", "Heavy Armor   --------->", 4, "Damage value against heavy armoured units"),
    percent("concrete", "Concrete   --------------->", 5, "Damage value against concrete armoured units"),
    hinted(choice("explosion", "Explosion to be used: ", 1, stock::explosionList, 6, 0, "Explosion", Line::Value, Load::Position, 0),
           "Select the kind of explosion to be used"),
    hinted(choice("deathAnimation", "Death animation to be used: ", 1, stock::deathAnimationList, 7, 0, "InfDeath",
                  Line::Value, Load::Position, 0),
           "Select the kind of death sequence to be used"),
    {"spread", "Spread Factor: ", 1, Control::Number, F::None, 0, nullptr, 8, S::U8, 0, 1, "Spread", Line::Value,
     Load::Text, 1, false, true, 0, "Type in the spread factor of your warhead"},
    hinted(box("wall", "Wall: ", 1, 9, "Wall"), "Can it destroy Walls?"),
    hinted(box("ore", "Ore: ", 1, 10, "Ore"), "Can it destroy Ore?", 1),
    hinted(box("woodBox", "Wood: ", 1, 11, "Wood"), "Can it destroy Wood?"),
    hinted(replaced("Warhead to be replaced:", stock::warheadList, 0, 0), "Select a warhead to be replaced!"),
};

const ObjectTable kTables[] = {
    {EntryKind::Unit, "unit", kObjectPages, kUnitFields},
    {EntryKind::Weapon, "weapon", kWeaponPages, kWeaponFields},
    {EntryKind::Projectile, "projectile", kProjectilePages, kProjectileFields},
    {EntryKind::Warhead, "warhead", kWarheadPages, kWarheadFields},
    {EntryKind::Building, "building", kObjectPages, kBuildingFields},
};

}

const ObjectTable* objectTable(EntryKind kind)
{
    auto found = std::find_if(std::begin(kTables), std::end(kTables), [&](const auto& t) { return t.kind == kind; });
    return found == std::end(kTables) ? nullptr : found;
}

const ObjectTable& tableOf(EntryKind kind)
{
    if (const auto* table = objectTable(kind))
        return *table;
    throw Error("Entries of kind " + std::to_string(byteOf(kind)) + " hold no object.");
}

std::size_t indexOf(const ObjectTable& table, std::string_view id)
{
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        if (table.fields[i].id == id)
            return i;
    }
    throw Error("Internal error: no field " + std::string(id) + ".");
}

std::string plainLabel(std::string_view label)
{
    while (!label.empty() && std::string_view(" :->").find(label.back()) != std::string_view::npos)
        label.remove_suffix(1);
    return std::string(label);
}

std::int64_t largest(const Field& field)
{
    switch (field.storage) {
    case Storage::U8: return field.emptyIs255 ? kEmpty - 1 : 255;
    case Storage::U16: return 65535;
    default: return INT32_MAX;
    }
}

std::int64_t playable(const Field& field)
{
    return std::min<std::int64_t>(largest(field), field.gameLargest);
}

std::string rangeText(const Field& field)
{
    auto shown = [&](std::int64_t value) {
        return field.control == Control::Decimal ? commaText(value, 100) : std::to_string(value);
    };
    return "a number from " + shown(smallest(field)) + " to " + shown(playable(field));
}

std::int64_t smallest(const Field& field)
{
    return field.storage == Storage::I32 ? INT32_MIN : 0;
}

std::optional<std::int32_t> storedNumber(const Field& field, std::string_view text)
{
    if (text.empty() && field.required)
        return std::nullopt;
    if (text.empty())
        return field.defaultValue;
    auto value = field.control == Control::Decimal ? scaledNumber(text, 2) : wholeNumber(text);
    if (!value || *value < smallest(field) || *value > playable(field))
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

}
