#include "general/groups.h"

#include "common/bytes.h"
#include "common/error.h"
#include "common/text.h"
#include "stock/menus.h"

#include <algorithm>

namespace qx::general {
namespace {

using F = Format;
using objects::Filter;

// The fields as the window shows them, in the order their lines are written.
constexpr Field decimal(std::uint8_t offset, Format format, const char* name, const char* label, const char* defaultText,
                        std::uint16_t limit)
{
    return {offset, 4, format, name, label, defaultText, Filter::DecimalBelow, limit};
}

constexpr Field integer(std::uint8_t offset, std::uint8_t width, const char* name, const char* label,
                        const char* defaultText, std::uint8_t maxLength = 0)
{
    return {offset, width, F::Integer, name, label, defaultText, Filter::Digits, 0, maxLength};
}

constexpr Field percent(std::uint8_t offset, std::uint8_t width, const char* name, const char* label,
                        const char* defaultText, std::uint8_t maxLength = 0)
{
    return {offset, width, F::Percent, name, label, defaultText, Filter::Percent, 0, maxLength};
}

constexpr Field yesNo(std::uint8_t offset, const char* name, const char* label)
{
    return {offset, 1, F::YesNo, name, label, "", Filter::None};
}

constexpr Field chosen(std::uint8_t offset, Format format, const char* name, const char* label)
{
    return {offset, 1, format, name, label, "", Filter::None};
}

// The game spells the key otherwise than the field's name; a stock line
// under the stock spelling, which the game never reads, is replaced.
constexpr Field spelled(Field field, const char* gameKey, const char* stockKey = "")
{
    field.gameKey = gameKey;
    field.stockKey = stockKey;
    return field;
}

constexpr Field upTo(Field field, std::int32_t gameLargest)
{
    field.gameLargest = gameLargest;
    return field;
}

// A decimal field whose key the game reads as a whole number.
constexpr Field whole(Field field)
{
    field.whole = true;
    return field;
}

// Distances in cells and fractions stay below 256, times the field's scale.
constexpr std::uint16_t kBelow256 = 255;

const Field kDifficulty[] = {
    chosen(0, F::Section, "", "Difficulty Level to redefine:"),
    spelled(decimal(4, F::Scaled1000, "Firepower", "Firepower:", "1", 10), "FirePower", "Firepower"),
    decimal(8, F::Scaled1000, "Groundspeed", "Groundspeed:", "1", 10),
    decimal(12, F::Scaled1000, "Airspeed", "Airspeed:", "1", 10),
    decimal(36, F::Scaled1000, "BuildTime", "Build Time:", "1", 10),
    decimal(16, F::Scaled1000, "Armor", "Armor:", "1", 10),
    decimal(20, F::Scaled1000, "ROF", "Rate of Turn:", "1", 10),
    decimal(24, F::Scaled1000, "Cost", "Cost:", "1", 10),
    decimal(28, F::Scaled1000, "RepairDelay", "Repair Delay:", "1", 10),
    decimal(32, F::Scaled1000, "BuildDelay", "Build Delay:", "1", 10),
    yesNo(40, "BuildSlowdown", "Build Slowdown:"),
    spelled(yesNo(41, "destroyWalls", "Destroy Walls:"), "DestroyWalls"),
    yesNo(42, "ContentScan", "Content Scan:"),
};

const Field kMultiplayer[] = {
    integer(0, 4, "Money", "Money:", "10000", 7),
    integer(4, 4, "MaxMoney", "Max. Money:", "10000", 7),
    yesNo(8, "ShadowGrow", "Fog of War:"),
    yesNo(9, "Bases", "Bases:"),
    yesNo(10, "OreGrows", "Ore Grows:"),
    yesNo(11, "Crates", "Crates:"),
    yesNo(12, "AIPlayers", "AI Players:"),
    yesNo(13, "CaptureTheFlag", "Capture the Flag:"),
};

const Field kRepair[] = {
    percent(0, 4, "RefundPercent", "Refund Percent:", "50"),
    decimal(4, F::Scaled1000, "ReloadRate", "Reload Rate:", "0,04", 10),
    percent(8, 4, "RepairPercent", "Repair Percent:", "20"),
    decimal(12, F::Scaled1000, "RepairRate", "Repair Rate:", "0,016", 10),
    integer(16, 4, "RepairStep", "Repair Step:", "7", 3),
    percent(20, 4, "URepairPercent", "Unit Repair Percent:", "20"),
    integer(24, 4, "URepairStep", "Unit Repair Step:", "10", 3),
};

// "Regenerate Time:" is stored as whole minutes, so it takes digits only.
const Field kCrates[] = {
    integer(0, 4, "CrateMinimum", "Minimum of Crates:", "1", 5),
    integer(4, 4, "CrateMaximum", "Maximum of Crates:", "255", 5),
    chosen(8, F::UnitChoice, "UnitCrateType", "Unit Crate Type: "),
    decimal(12, F::Scaled1000, "CrateRadius", "Powerup Radius: ", "3", kBelow256),
    upTo(integer(16, 4, "CrateRegen", "Regenerate Time:", "3", 3), 255),
    percent(20, 4, "WaterCrateChance", "Watercrate Chance:", "20", 3),
    integer(24, 4, "SoloCrateMoney", "Solo Crate Bonus Money: ", "2000", 6),
    chosen(28, F::CrateChoice, "SilverCrate", "Silver Crate Bonus:"),
    chosen(29, F::CrateChoice, "WaterCrate", "Water Crate Bonus"),
    chosen(30, F::CrateChoice, "WoodCrate", "Wood Crate Bonus:"),
};

const Field kCountry[] = {
    chosen(0, F::Section, "", "Country to redefine:"),
    decimal(4, F::Scaled1000, "Firepower", "Firepower:", "1", 10),
    decimal(8, F::Scaled1000, "Groundspeed", "Groundspeed:", "1", 10),
    decimal(12, F::Scaled1000, "Airspeed", "Airspeed:", "1", 10),
    decimal(16, F::Scaled1000, "Armor", "Armor:", "1", 10),
    decimal(20, F::Scaled1000, "ROF", "Rate of Fire:", "1", 10),
    decimal(24, F::Scaled1000, "Cost", "Cost:", "1", 10),
    decimal(28, F::Scaled1000, "BuildTime", "Build Time:", "1", 10),
};

const Field kCombat[] = {
    decimal(0, F::Scaled100, "BallisticScatter", "Ballistic Scatter:", "1", 50),
    decimal(4, F::Scaled100, "HomingScatter", "Homing Scatter:", "2", 50),
    decimal(8, F::Scaled1000, "TurboBoost", "Turbo Boost:", "1,5", 10),
    decimal(12, F::Scaled100, "FireSupress", "Fire Suppress Radius:", "1", 50),
    decimal(16, F::Scaled1000, "ExpSpread", "ExpSpread:", "0,3", 10),
    percent(20, 4, "ProneDamage", "Prone Damage:", "50"),
    integer(24, 4, "MaxDamage", "Damage: Maximal:", "1000", 5),
    integer(28, 4, "MinDamage", "Damage: Minimal:", "1", 5),
    yesNo(32, "PlayerAutoCrush", "Player: Auto Crush:"),
    yesNo(33, "PlayerScatter", "Auto Scatter:"),
    yesNo(34, "PlayerReturnFire", "Auto Return Fire:"),
    yesNo(35, "MineAware", "Mine Aware:"),
    decimal(36, F::Scaled100, "CloseEnough", "Close Enough:", "2,75", 50),
    decimal(40, F::Scaled100, "Crush", "Crush distance:", "1,5", 50),
    integer(44, 4, "Incoming", "Incoming:", "10", 6),
    integer(48, 4, "BridgeStrength", "Bridge Strength:", "1000", 6),
    {52, 1, F::OneOrZero, "OreExplosive", "Ore Explosive:", "", Filter::None},
    yesNo(53, "TreeTargeting", "Tree Targeting:"),
};

const Field kIntelligence[] = {
    integer(0, 1, "MaxIQLevels", "Highest IQ-Level:", "5", 2),
    integer(1, 1, "SuperWeapons", "Super Weapons:", "4", 2),
    integer(2, 1, "Production", "Production", "5", 2),
    integer(3, 1, "GuardArea", "Guard Area:", "4", 2),
    integer(4, 1, "RepairSell", "Repair and Sell:", "1", 2),
    integer(5, 1, "AutoCrush", "Auto Crush:", "2", 2),
    integer(6, 1, "Scatter", "Scatter:", "3", 2),
    integer(7, 1, "ContentScan", "Content Scan:", "4", 2),
    integer(8, 1, "Aircraft", "Aircraft:", "4", 2),
    integer(9, 1, "Harvester", "Harvester:", "2", 2),
    integer(10, 1, "SellBack", "Sell Back:", "2", 2),
};

const Field kVarious[] = {
    decimal(0, F::Scaled100, "BaseBias", "Base Bias:", "2", 100),
    yesNo(4, "CurleyShuffle", "Curley Shuffle:"),
    decimal(8, F::Scaled100, "BaseDefenseDelay", "Base Defense Delay:", "0,25", 100),
    decimal(12, F::Scaled100, "DamageDelay", "Damage Delay:", "1", 100),
    spelled(decimal(16, F::Scaled100, "GameSpeeBias", "Game Speed Bias:", "1", 100), "GameSpeedBias", "GameSpeeBias"),
    decimal(20, F::Scaled100, "LZScanRadius", "Landing Zone Scan Radius:", "16", 100),
    decimal(24, F::Scaled100, "Stray", "Team Stray Radius:", "2", 100),
    decimal(28, F::Scaled100, "SubmergeDelay", "Submerge Delay:", "0,02", 100),
    decimal(32, F::Scaled100, "SuspendDelay", "Suspend Delay:", "2", 100),
    integer(36, 4, "SuspendPriority", "Suspend Priority:", "20", 3),
    decimal(40, F::Scaled100, "TeamDelay", "Team Delay:", "0,6", 100),
    yesNo(44, "FineDiffControl", "5 Difficulty Levels:"),
    yesNo(45, "MCVUndeploy", "MCV Undeploy:"),
};

const Field kComputerPlayer[] = {
    decimal(0, F::Scaled100, "AttackInterval", "Attack Interval:", "3", 100),
    decimal(4, F::Scaled100, "AttackDelay", "Attack Delay:", "5", 100),
    decimal(8, F::Scaled100, "PatrolScan", "Patrol Scan:", "0,016", 100),
    integer(12, 4, "CreditReserve", "Credit Reserve:", "100", 6),
    decimal(16, F::Scaled100, "PathDelay", "Path Delay:", "0,01", 100),
    spelled(decimal(20, F::Scaled100, "AutoCreateTime", "Autocreate Time:", "5", 100), "AutocreateTime"),
    integer(24, 4, "InfantryReserve", "Infantry Reserve:", "3000", 6),
    whole(decimal(28, F::Scaled100, "InfantryBaseMult", "Infantry Ratio:", "1", 100)),
    integer(32, 4, "PowerSurplus", "Power Surplus:", "50", 6),
    whole(decimal(36, F::Scaled100, "BaseSizeAdd", "Base Size:", "3", 100)),
    decimal(40, F::Scaled100, "RefineryRatio", "Refinery Ratio:", "0,16", 100),
    integer(44, 4, "RefineryLimit", "Refinery Limit:", "4", 4),
    decimal(48, F::Scaled100, "BarracksRatio", "Barrack Ratio:", "0,16", 100),
    integer(52, 4, "BarracksLimit", "Barrack Limit:", "2", 4),
    decimal(56, F::Scaled100, "WarRatio", "Factory Ratio:", "0,1", 100),
    integer(60, 4, "WarLimit", "Factory Limit:", "2", 4),
    decimal(64, F::Scaled100, "DefenseRatio", "Defense Ratio:", "0,4", 100),
    integer(68, 4, "DefenseLimit", "Defense Limit:", "40", 4),
    decimal(72, F::Scaled100, "AARatio", "AA Ratio", "0,14", 100),
    integer(76, 4, "AALimit", "AA Limit:", "10", 4),
    decimal(80, F::Scaled100, "TeslaRatio", "Tesla Ratio:", "0,16", 100),
    integer(84, 4, "TeslaLimit", "Tesla Limit:", "10", 4),
    decimal(88, F::Scaled100, "HelipadRatio", "Helipad Ratio:", "0,12", 100),
    integer(92, 4, "HelipadLimit", "Helipad Limit:", "5", 4),
    decimal(96, F::Scaled100, "AirstripRatio", "Airstrip Ratio:", "0,12", 100),
    integer(100, 4, "AirstripLimit", "Airstrip Limit:", "5", 4),
    yesNo(104, "CompEasyBonus", "Computer Easy Bonus:"),
    yesNo(105, "Paranoid", "Paranoid:"),
    {108, 4, F::Percent, "PowerEmergency", "Power Emergency:", "75", Filter::Digits, 0, 6},
    decimal(112, F::Scaled100, "OreNearScan", "Ore Near Scan:", "6", kBelow256),
    decimal(116, F::Scaled100, "OreFarScan", "Ore Far Scan:", "48", kBelow256),
};

// "Shroud Regeneration" goes to GapRegenInterval, the key the game has.
const Field kSpecialWeapons[] = {
    decimal(0, F::Scaled1000, "ChronoDuration", "Chrono Time: ", "3", kBelow256),
    yesNo(4, "ChronoKillCargo", "Kill chronopshifted Cargo: "),
    chosen(5, F::TechLevel, "ChronoTechLevel", "Chrono Tech-Level:  "),
    percent(6, 1, "QuakeChance", "Quake Chance:", "20"),
    percent(7, 1, "QuakeDamage", "Quake Damage:", "33"),
    percent(8, 1, "VortexChance", "Vortex Chance:", "20"),
    integer(12, 4, "VortexDamage", "Vortex Damage:", "200", 4),
    upTo(integer(16, 4, "VortexRange", "Vortex Range:", "10", 3), 255),
    upTo(integer(20, 4, "VortexSpeed", "Vortex Speed:", "10", 3), 255),
    chosen(24, F::TechLevel, "GPSTechLevel", "GPS Tech-Level: "),
    whole(decimal(28, F::Scaled1000, "GapRadius", "Gap Generator Radius:", "10", kBelow256)),
    decimal(32, F::Scaled1000, "GapRegenInterval", "Shroud Regeneration :", "0,1", kBelow256),
    decimal(36, F::Scaled1000, "IronCurtain", "Invulnerability Time:", "0,75", kBelow256),
    chosen(40, F::TechLevel, "ParaTech", "Paratroopers Tech-Level:"),
    spelled(chosen(41, F::TechLevel, "ParaBombTech", "Parabomb Tech-Level:"), "ParabombTech"),
    {42, 1, F::Integer, "BadgerBombCount", "Badger Bombers:", "1", Filter::None, 0, 1},
    decimal(44, F::Scaled1000, "RadarJamRadius", "Radar Jammer Radius:", "15", kBelow256),
    chosen(48, F::TechLevel, "SpyPlaneTech", "Spy Plane Tech-Level:"),
    integer(52, 4, "APMineDamage", "AP Mine Damage:", "1000", 6),
    integer(56, 4, "AVMineDamage", "AV Mine Damage", "1200", 6),
    integer(60, 4, "AtomDamage", "Nuke Damage:", "1000", 6),
    decimal(64, F::Scaled1000, "C4Delay", "C4 Delay:", "0,03", 100),
};

// "Paratroopers" goes to Paratrooper, the key the game has.
const Field kRecharge[] = {
    upTo(integer(0, 4, "Chrono", "Chronosphere:", "7", 3), 255),
    upTo(integer(4, 4, "GPS", "GPS-Satellite:", "8", 3), 255),
    upTo(integer(8, 4, "IronCurtain", "Iron Curtain:", "11", 3), 255),
    upTo(integer(12, 4, "Nuke", "Nuke:", "13", 3), 255),
    upTo(integer(16, 4, "ParaBomb", "Parabomb:", "14", 3), 255),
    upTo(integer(20, 4, "Paratrooper", "Paratroopers:", "7", 3), 255),
    upTo(integer(24, 4, "Saboteur", "Saboteur:", "14", 3), 255),
    upTo(integer(28, 4, "Sonar", "Sonar:", "10", 3), 255),
    upTo(integer(32, 4, "SpyPlane", "Spy Plane:", "3", 3), 255),
};

const Field kIncome[] = {
    integer(0, 4, "BailCount", "Bail Count:", "28", 3),
    decimal(4, F::Scaled100, "BuildSpeed", "Build Speed:", "0,8", 10),
    decimal(8, F::Scaled1000, "BuildupTime", "Buildup Time:", "0,06", 1),
    integer(12, 4, "GemValue", "Gem Value:", "50", 3),
    integer(16, 4, "GoldValue", "Gold Value:", "25", 3),
    decimal(20, F::Scaled1000, "GrowthRate", "Ore Growth Rate:", "2", 10),
    yesNo(24, "OreGrows", "Ore Grows:"),
    yesNo(25, "OreSpreads", "Ore Spreads:"),
    integer(28, 4, "OreTruckRate", "Ore Truck Rate:", "1", 2),
    yesNo(32, "SeparateAircraft", "Separate Aircraft:"),
    decimal(36, F::Scaled1000, "SurvivorRate", "Survivor Rate:", "0,4", 1),
};

const Field kTerrain[] = {
    chosen(0, F::Section, "", "Terrain to redefine:"),
    percent(1, 1, "Foot", "Infantry:", "100"),
    percent(2, 1, "Track", "Tracked Vehicles:", "100"),
    percent(3, 1, "Wheel", "Wheeled Vehicles:", "100"),
    percent(4, 1, "Float", "Ships:", "100"),
    yesNo(5, "Buildable", "Buildable:"),
};

using K = EntryKind;

const Group kGroups[] = {
    {K::Difficulty, nullptr, kDifficulty, stock::difficultyList, "Difficulty Levels", "", "Difficulty Level: "},
    {K::Multiplayer, "MultiplayerDefaults", kMultiplayer, nullptr, "Multiplayer", "Multiplayer Default Settings",
     "Multiplayer Settings"},
    {K::Repair, "General", kRepair, nullptr, "Repair - Refund - Reload", "Repair & Refit Settings", "Repair & Refit Settings"},
    {K::Crates, "General", kCrates, nullptr, "Crates", "Crate Settings", "Crates Settings"},
    {K::Country, nullptr, kCountry, stock::countryList, "Countries", "", "Country Settings: "},
    {K::Combat, "General", kCombat, nullptr, "Combat Settings", "Combat Settings", "Combat Settings"},
    {K::Intelligence, "IQ", kIntelligence, nullptr, "IQ-Levels", "IQ Settings", "IQ Settings"},
    {K::Various, "General", kVarious, nullptr, "Various Settings", "Various Settings", "Various Settings"},
    {K::ComputerPlayer, "AI", kComputerPlayer, nullptr, "AI Settings", "AI Settings", "AI Settings"},
    {K::SpecialWeapons, "General", kSpecialWeapons, nullptr, "Special Weapons", "Special Weapons Settings",
     "Special Weapon Settings"},
    {K::Recharge, "Recharge", kRecharge, nullptr, "Recharge", "Recharge Settings", "Recharge Settings"},
    {K::Income, "General", kIncome, nullptr, "Ore - Production", "Income & Production Settings",
     "Income & Production Settings"},
    {K::Terrain, nullptr, kTerrain, stock::terrainList, "Terrain", "", "Terrain Settings: "},
};

const Group* const kPages[] = {&kGroups[3], &kGroups[4],  &kGroups[5],  &kGroups[1], &kGroups[0],
                               &kGroups[2], &kGroups[9],  &kGroups[10], &kGroups[11], &kGroups[6],
                               &kGroups[7], &kGroups[8], &kGroups[12]};

}

std::span<const Group> allGroups()
{
    return kGroups;
}

std::span<const Group* const> pageOrder()
{
    return kPages;
}

stock::Menu choiceList(const Group& group, const Field& field)
{
    switch (field.format) {
    case Format::Section: return group.sections();
    case Format::CrateChoice: return stock::crateBonusList();
    case Format::UnitChoice: return stock::unitCrateTypeList();
    case Format::TechLevel: return stock::techLevelList();
    default: return {};
    }
}

const char* rulesKey(const Field& field)
{
    return *field.gameKey ? field.gameKey : field.name;
}

bool offered(const Field& field, std::size_t position)
{
    auto crates = stock::crateBonusList().size();
    switch (field.format) {
    case Format::CrateChoice: return position != stock::kRandomCrate && position < crates;
    case Format::UnitChoice: return position == stock::kRandomCrate || (position >= crates && position < stock::unitCrateTypeList().size());
    default: return true;
    }
}

int digitsOf(Format format)
{
    return format == Format::Scaled100 ? 2 : format == Format::Scaled1000 ? 3 : 0;
}

namespace {

int scaleOf(Format format)
{
    return format == Format::Scaled100 ? 100 : format == Format::Scaled1000 ? 1000 : 1;
}

}

std::int64_t playable(const Field& field)
{
    std::int64_t storage = field.width == 1 ? 255 : INT32_MAX;
    auto scale = scaleOf(field.format);
    if (scale > 1)
        storage = 256 * scale - 1;
    return std::min<std::int64_t>(storage, field.gameLargest);
}

std::string rangeText(const Field& field)
{
    auto scale = scaleOf(field.format);
    auto largest = playable(field);
    if (field.whole)
        return "a whole number from 0 to " + std::to_string(largest / scale);
    return "a number from 0 to " + (scale > 1 ? commaText(largest, scale) : std::to_string(largest));
}

std::string takesText(const Field& field)
{
    auto digits = digitsOf(field.format);
    auto text = "Takes " + rangeText(field);
    if (digits == 0 || field.whole)
        return text + ".";
    return text + ", to 0," + std::string(static_cast<std::size_t>(digits - 1), '0') +
           "1; type a point or a comma before the decimals.";
}

std::optional<std::int32_t> storedValue(const Field& field, std::string_view text)
{
    if (text.empty())
        text = field.defaultText;
    auto digits = digitsOf(field.format);
    if (digits == 0 && text.find(',') != std::string_view::npos)
        return std::nullopt;
    auto value = scaledNumber(text, digits);
    if (!value || !holds(field, *value))
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

bool holds(const Field& field, std::int64_t value)
{
    return value >= 0 && value <= playable(field) && (!field.whole || value % scaleOf(field.format) == 0);
}

std::string shownValue(const Field& field, std::int32_t value)
{
    switch (field.format) {
    case Format::Scaled100: return commaText(value, 100);
    case Format::Scaled1000: return commaText(value, 1000);
    default: return std::to_string(value);
    }
}

const Group* groupOfKind(EntryKind kind)
{
    for (const auto& group : kGroups) {
        if (group.kind == kind)
            return &group;
    }
    return nullptr;
}

std::int32_t fieldValue(ByteView record, const Field& field)
{
    return field.width == 1 ? u8At(record, field.offset) : i32At(record, field.offset);
}

Bytes pack(const GroupRecord& record)
{
    const auto* group = groupOfKind(record.kind);
    if (!group || record.values.size() != group->fields.size())
        throw Error("Internal error: no group of kind " + std::to_string(byteOf(record.kind)) + " with these values.");
    Bytes bytes(factsOf(record.kind)->recordSize);
    for (std::size_t i = 0; i < group->fields.size(); ++i) {
        const auto& field = group->fields[i];
        if (field.width == 1)
            putU8(bytes, field.offset, static_cast<std::uint8_t>(record.values[i]));
        else
            putI32(bytes, field.offset, record.values[i]);
    }
    return bytes;
}

GroupRecord unpackGroup(EntryKind kind, ByteView block)
{
    const auto* group = groupOfKind(kind);
    if (!group)
        throw Error("Entries of kind " + std::to_string(byteOf(kind)) + " hold no general settings.");
    auto size = factsOf(kind)->recordSize;
    if (block.size() < size)
        throw Error("The general settings entry is damaged: its data holds " + std::to_string(block.size()) +
                    " bytes, not the " + std::to_string(size) + " of its record.");
    GroupRecord record{kind, {}};
    for (const auto& field : group->fields)
        record.values.push_back(fieldValue(block, field));
    return record;
}

std::string formatValue(const Field& field, std::int32_t value)
{
    switch (field.format) {
    case Format::Integer: return std::to_string(value);
    case Format::Percent: return std::to_string(value) + "%";
    case Format::YesNo: return value != 0 ? "yes" : "no";
    case Format::OneOrZero: return value != 0 ? "1" : "0";
    case Format::Scaled100: return decimalText(value, 100);
    case Format::Scaled1000: return decimalText(value, 1000);
    case Format::CrateChoice:
    case Format::UnitChoice: {
        auto identifier = stock::identifierAt(choiceList({}, field), static_cast<std::size_t>(value));
        return identifier.empty() ? "none" : identifier;
    }
    case Format::TechLevel: return value >= 1 && value <= 13 ? std::to_string(value) : "-1";
    case Format::Section: return {};
    }
    return {};
}

}
