#include "general/groups.h"

#include "common/bytes.h"
#include "common/error.h"
#include "common/text.h"
#include "stock/menus.h"

namespace qx::general {
namespace {

using F = Format;
using objects::Filter;

// The fields as the window shows them, in the order their lines are written.
constexpr Field decimal(std::uint8_t offset, Format format, const char* key, const char* name, const char* label,
                        const char* defaultText, std::uint16_t limit)
{
    return {offset, 4, format, key, name, label, defaultText, Filter::DecimalBelow, limit};
}

constexpr Field integer(std::uint8_t offset, std::uint8_t width, const char* key, const char* name, const char* label,
                        const char* defaultText, std::uint8_t maxLength = 0, Format format = F::Integer)
{
    return {offset, width, format, key, name, label, defaultText, Filter::Digits, 0, maxLength};
}

constexpr Field percent(std::uint8_t offset, std::uint8_t width, const char* key, const char* name, const char* label,
                        const char* defaultText, std::uint8_t maxLength = 0)
{
    return {offset, width, F::Percent, key, name, label, defaultText, Filter::Percent, 0, maxLength};
}

constexpr Field yesNo(std::uint8_t offset, const char* key, const char* name, const char* label)
{
    return {offset, 1, F::YesNo, key, name, label, "", Filter::None};
}

constexpr Field chosen(std::uint8_t offset, Format format, const char* key, const char* name, const char* label)
{
    return {offset, 1, format, key, name, label, "", Filter::None};
}

const Field kDifficulty[] = {
    chosen(0, F::Section, "", "", "Difficulty Level to redefine:"),
    decimal(4, F::Scaled1000, "", "Firepower", "Firepower:", "1", 10),
    decimal(8, F::Scaled1000, "", "Groundspeed", "Groundspeed:", "1", 10),
    decimal(12, F::Scaled1000, "", "Airspeed", "Airspeed:", "1", 10),
    decimal(36, F::Scaled1000, "", "BuildTime", "Build Time:", "1", 10),
    decimal(16, F::Scaled1000, "", "Armor", "Armor:", "1", 10),
    decimal(20, F::Scaled1000, "", "ROF", "Rate of Turn:", "1", 10),
    decimal(24, F::Scaled1000, "", "Cost", "Cost:", "1", 10),
    decimal(28, F::Scaled1000, "", "RepairDelay", "Repair Delay:", "1", 10),
    decimal(32, F::Scaled1000, "", "BuildDelay", "Build Delay:", "1", 10),
    yesNo(40, "", "BuildSlowdown", "Build Slowdown:"),
    yesNo(41, "", "destroyWalls", "Destroy Walls:"),
    yesNo(42, "", "ContentScan", "Content Scan:"),
};

const Field kMultiplayer[] = {
    integer(0, 4, "money", "Money", "Money:", "10000", 7),
    integer(4, 4, "maxmoney", "MaxMoney", "Max. Money:", "10000", 7),
    yesNo(8, "shadowgrow", "ShadowGrow", "Fog of War:"),
    yesNo(9, "bases", "Bases", "Bases:"),
    yesNo(10, "oregrows", "OreGrows", "Ore Grows:"),
    yesNo(11, "crates", "Crates", "Crates:"),
    yesNo(12, "aiplayers", "AIPlayers", "AI Players:"),
    yesNo(13, "capturetheflag", "CaptureTheFlag", "Capture the Flag:"),
};

const Field kRepair[] = {
    percent(0, 4, "refundpercent", "RefundPercent", "Refund Percent:", "50"),
    decimal(4, F::Scaled1000, "reloadrate", "ReloadRate", "Reload Rate:", "0,04", 10),
    percent(8, 4, "repairpercent", "RepairPercent", "Repair Percent:", "20"),
    decimal(12, F::Scaled1000, "repairrate", "RepairRate", "Repair Rate:", "0,016", 10),
    integer(16, 4, "repairstep", "RepairStep", "Repair Step:", "7", 3),
    percent(20, 4, "urepairpercent", "URepairPercent", "Unit Repair Percent:", "20"),
    integer(24, 4, "urepairstep", "URepairStep", "Unit Repair Step:", "10", 3),
};

// "Regenerate Time:" is stored as whole minutes, so it takes digits only.
const Field kCrates[] = {
    integer(0, 4, "crateminimum", "CrateMinimum", "Minimum of Crates:", "1", 5),
    integer(4, 4, "cratemaximum", "CrateMaximum", "Maximum of Crates:", "255", 5),
    chosen(8, F::CrateChoice, "unitcratetype", "UnitCrateType", "Unit Crate Type: "),
    decimal(12, F::Scaled1000, "crateradius", "CrateRadius", "Powerup Radius: ", "3", 300),
    integer(16, 4, "crateregen", "CrateRegen", "Regenerate Time:", "3", 3),
    percent(20, 4, "watercratechance", "WaterCrateChance", "Watercrate Chance:", "20", 3),
    integer(24, 4, "solocratemoney", "SoloCrateMoney", "Solo Crate Bonus Money: ", "2000", 6),
    chosen(28, F::CrateChoice, "silvercrate", "SilverCrate", "Silver Crate Bonus:"),
    chosen(29, F::CrateChoice, "watercrate", "WaterCrate", "Water Crate Bonus"),
    chosen(30, F::CrateChoice, "woodcrate", "WoodCrate", "Wood Crate Bonus:"),
};

const Field kCountry[] = {
    chosen(0, F::Section, "", "", "Country to redefine:"),
    decimal(4, F::Scaled1000, "", "Firepower", "Firepower:", "1", 10),
    decimal(8, F::Scaled1000, "", "Groundspeed", "Groundspeed:", "1", 10),
    decimal(12, F::Scaled1000, "", "Airspeed", "Airspeed:", "1", 10),
    decimal(16, F::Scaled1000, "", "Armor", "Armor:", "1", 10),
    decimal(20, F::Scaled1000, "", "ROF", "Rate of Fire:", "1", 10),
    decimal(24, F::Scaled1000, "", "Cost", "Cost:", "1", 10),
    decimal(28, F::Scaled1000, "", "BuildTime", "Build Time:", "1", 10),
};

const Field kCombat[] = {
    decimal(0, F::Scaled100, "ballisticscatter", "BallisticScatter", "Ballistic Scatter:", "1", 50),
    decimal(4, F::Scaled100, "homingscatter", "HomingScatter", "Homing Scatter:", "2", 50),
    decimal(8, F::Scaled1000, "turboboost", "TurboBoost", "Turbo Boost:", "1,5", 10),
    decimal(12, F::Scaled100, "firesupress", "FireSupress", "Fire Supress Radius:", "1", 50),
    decimal(16, F::Scaled1000, "expspread", "ExpSpread", "ExpSpread:", "0,3", 10),
    percent(20, 4, "pronedamage", "ProneDamage", "Prone Damage:", "50"),
    integer(24, 4, "maxdamage", "MaxDamage", "Damage: Maximal:", "1000", 5),
    integer(28, 4, "mindamage", "MinDamage", "Damage: Minimal:", "1", 5),
    yesNo(32, "playerautocrush", "PlayerAutoCrush", "Player: Auto Crush:"),
    yesNo(33, "playerscatter", "PlayerScatter", "Auto Scatter:"),
    yesNo(34, "playerreturnfire", "PlayerReturnFire", "Auto Return Fire:"),
    yesNo(35, "mineaware", "MineAware", "Mine Aware:"),
    decimal(36, F::Scaled100, "closeenough", "CloseEnough", "Close Enough:", "2,75", 50),
    decimal(40, F::Scaled100, "crush", "Crush", "Crush distance:", "1,5", 50),
    integer(44, 4, "incoming", "Incoming", "Incoming:", "10", 6),
    integer(48, 4, "bridgestrength", "BridgeStrength", "Bridge Strength:", "1000", 6),
    yesNo(52, "oreexplosive", "OreExplosive", "Ore Explosive:"),
    yesNo(53, "treetargeting", "TreeTargeting", "Tree Targeting:"),
};

const Field kIntelligence[] = {
    integer(0, 1, "maxiqlevels", "MaxIQLevels", "Highest IQ-Level:", "5", 2),
    integer(1, 1, "superweapons", "SuperWeapons", "Super Weapons:", "4", 2),
    integer(2, 1, "production", "Production", "Production", "5", 2),
    integer(3, 1, "guardarea", "GuardArea", "Guard Area:", "4", 2),
    integer(4, 1, "repairsell", "RepairSell", "Repair and Sell:", "1", 2),
    integer(5, 1, "autocrush", "AutoCrush", "Auto Crush:", "2", 2),
    integer(6, 1, "scatter", "Scatter", "Scatter:", "3", 2),
    integer(7, 1, "contentscan", "ContentScan", "Content Scan:", "4", 2),
    integer(8, 1, "aircraft", "Aircraft", "Aircraft:", "4", 2),
    integer(9, 1, "harvester", "Harvester", "Harvester:", "2", 2),
    integer(10, 1, "sellback", "SellBack", "Sell Back:", "2", 2),
};

const Field kVarious[] = {
    decimal(0, F::Scaled100, "basebias", "BaseBias", "Base Bias:", "2", 100),
    yesNo(4, "curleyshuffle", "CurleyShuffle", "Curley Shuffle:"),
    decimal(8, F::Scaled100, "basedefensedelay", "BaseDefenseDelay", "Base Defense Delay:", "0,25", 100),
    decimal(12, F::Scaled100, "damagedelay", "DamageDelay", "Damage Delay:", "1", 100),
    decimal(16, F::Scaled100, "gamespeebias", "GameSpeeBias", "Game Speed Bias:", "1", 100),
    decimal(20, F::Scaled100, "lzscanradius", "LZScanRadius", "Landing Zone Scan Radius:", "16", 100),
    decimal(24, F::Scaled100, "stray", "Stray", "Team Stray Radius:", "2", 100),
    decimal(28, F::Scaled100, "submergedelay", "SubmergeDelay", "Submerge Delay:", "0,02", 100),
    decimal(32, F::Scaled100, "suspenddelay", "SuspendDelay", "Suspend Delay:", "2", 100),
    integer(36, 4, "suspendpriority", "SuspendPriority", "Suspend Priority:", "20", 3),
    decimal(40, F::Scaled100, "teamdelay", "TeamDelay", "Team Delay:", "0,6", 100),
    yesNo(44, "finediffcontrol", "FineDiffControl", "5 Difficulty Levels:"),
    yesNo(45, "mcvundeploy", "MCVUndeploy", "MCV Undeploy:"),
};

const Field kComputerPlayer[] = {
    decimal(0, F::Scaled100, "attackinterval", "AttackInterval", "Attack Interval:", "3", 100),
    decimal(4, F::Scaled100, "attackdelay", "AttackDelay", "Attack Delay:", "5", 100),
    decimal(8, F::Scaled100, "patrolscan", "PatrolScan", "Patrol Scan:", "0,016", 100),
    integer(12, 4, "creditreserve", "CreditReserve", "Credit Reserve:", "100", 6),
    decimal(16, F::Scaled100, "pathdelay", "PathDelay", "Path Delay:", "0,01", 100),
    decimal(20, F::Scaled100, "autocreatetime", "AutoCreateTime", "Autocreate Time:", "5", 100),
    integer(24, 4, "infantryreserve", "InfantryReserve", "Infantry Reserve:", "3000", 6),
    decimal(28, F::Scaled100, "infantrybasemult", "InfantryBaseMult", "Infantry Ratio:", "0,16", 100),
    integer(32, 4, "powersurplus", "PowerSurplus", "Power Surplus:", "50", 6),
    decimal(36, F::Scaled100, "basesizeadd", "BaseSizeAdd", "Base Size:", "3", 100),
    decimal(40, F::Scaled100, "refineryratio", "RefineryRatio", "Refinery Ratio:", "0,16", 100),
    integer(44, 4, "refinerylimit", "RefineryLimit", "Refinery Limit:", "4", 4),
    decimal(48, F::Scaled100, "barracksratio", "BarracksRatio", "Barrack Ratio:", "0,16", 100),
    integer(52, 4, "barrackslimit", "BarracksLimit", "Barrack Limit:", "2", 4),
    decimal(56, F::Scaled100, "warratio", "WarRatio", "Factory Ratio:", "0,1", 100),
    integer(60, 4, "warlimit", "WarLimit", "Factory Limit:", "2", 4),
    decimal(64, F::Scaled100, "defenseratio", "DefenseRatio", "Defense Ratio:", "0,4", 100),
    integer(68, 4, "defenselimit", "DefenseLimit", "Defense Limit:", "40", 4),
    decimal(72, F::Scaled100, "aaratio", "AARatio", "AA Ratio", "0,14", 100),
    integer(76, 4, "aalimit", "AALimit", "AA Limit:", "10", 4),
    decimal(80, F::Scaled100, "teslaratio", "TeslaRatio", "Tesla Ratio:", "0,16", 100),
    integer(84, 4, "teslalimit", "TeslaLimit", "Tesla Limit:", "10", 4),
    decimal(88, F::Scaled100, "helipadratio", "HelipadRatio", "Helipad Ratio:", "0,12", 100),
    integer(92, 4, "helipadlimit", "HelipadLimit", "Helipad Limit:", "5", 4),
    decimal(96, F::Scaled100, "airstripratio", "AirstripRatio", "Airstrip Ratio:", "0,12", 100),
    integer(100, 4, "airstriplimit", "AirstripLimit", "Airstrip Limit:", "5", 4),
    yesNo(104, "compeasybonus", "CompEasyBonus", "Computer Easy Bonus:"),
    yesNo(105, "paranoid", "Paranoid", "Paranoid:"),
    {108, 4, F::Percent, "poweremergency", "PowerEmergency", "Power Emergency:", "75", Filter::Digits, 0, 6},
    decimal(112, F::Scaled100, "orenearscan", "OreNearScan", "Ore Near Scan:", "6", 300),
    decimal(116, F::Scaled100, "orefarscan", "OreFarScan", "Ore Far Scan:", "48", 300),
};

// "Shroud Regeneration" goes to GapRegenInterval, the key the game has.
const Field kSpecialWeapons[] = {
    decimal(0, F::Scaled1000, "chronoduration", "ChronoDuration", "Chrono Time: ", "3", 1000),
    yesNo(4, "chronokillcargo", "ChronoKillCargo", "Kill chronopshifted Cargo: "),
    chosen(5, F::TechLevel, "chronotechlevel", "ChronoTechLevel", "Chrono Tech-Level:  "),
    percent(6, 1, "quakechance", "QuakeChance", "Quake Cance:", "20"),
    percent(7, 1, "quakedamage", "QuakeDamage", "Quake Damage:", "33"),
    percent(8, 1, "vortexchance", "VortexChance", "Vortex Chance:", "20"),
    integer(12, 4, "vortexdamage", "VortexDamage", "Vortex Damage:", "200", 4),
    integer(16, 4, "vortexrange", "VortexRange", "Vortex Range:", "10", 3),
    integer(20, 4, "vortexspeed", "VortexSpeed", "Vortex Speed:", "10", 3),
    chosen(24, F::TechLevel, "gpstechlevel", "GPSTechLevel", "GPS Tech-Level: "),
    decimal(28, F::Scaled1000, "gapradius", "GapRadius", "Gap Generator Radius:", "10", 1000),
    decimal(32, F::Scaled1000, "gapregeninterval", "GapRegenInterval", "Shroud Regeneration :", "0,1", 1000),
    decimal(36, F::Scaled1000, "ironcurtain", "IronCurtain", "Invulnerability Time:", "0,75", 1000),
    chosen(40, F::TechLevel, "paratech", "ParaTech", "Paratroopers Tech-Level:"),
    chosen(41, F::TechLevel, "parabombtech", "ParaBombTech", "Parabomb Tech-Level:"),
    {42, 1, F::Integer, "badgerbombcount", "BadgerBombCount", "Badger Bombers:", "1", Filter::None, 0, 1},
    decimal(44, F::Scaled1000, "radarjamradius", "RadarJamRadius", "Radar Jammer Radius:", "15", 1000),
    chosen(48, F::TechLevel, "spyplanetech", "SpyPlaneTech", "Spy Plane Tech-Level:"),
    integer(52, 4, "apminedamage", "APMineDamage", "AP Mine Damage:", "1000", 6),
    integer(56, 4, "avminedamage", "AVMineDamage", "AV Mine Damage", "1200", 6),
    integer(60, 4, "atomdamage", "AtomDamage", "Nuke Damage:", "1000", 6),
    decimal(64, F::Scaled1000, "c4delay", "C4Delay", "C4 Delay:", "0,03", 100),
};

// "Paratroopers" goes to Paratrooper, the key the game has.
const Field kRecharge[] = {
    integer(0, 4, "chrono", "Chrono", "Chronosphere:", "7", 3),
    integer(4, 4, "gps", "GPS", "GPS-Satellite:", "8", 3),
    integer(8, 4, "ironcurtain", "IronCurtain", "Iron Curtain:", "11", 3),
    integer(12, 4, "nuke", "Nuke", "Nuke:", "13", 3),
    integer(16, 4, "parabomb", "ParaBomb", "Parabomb:", "14", 3),
    integer(20, 4, "paratrooper", "Paratrooper", "Paratroopers:", "7", 3),
    integer(24, 4, "saboteur", "Saboteur", "Saboteur:", "14", 3),
    integer(28, 4, "sonar", "Sonar", "Sonar:", "10", 3),
    integer(32, 4, "spyplane", "SpyPlane", "Spy Plane:", "3", 3),
};

const Field kIncome[] = {
    integer(0, 4, "bailcount", "BailCount", "Bail Count:", "28", 3),
    decimal(4, F::Scaled100, "buildspeed", "BuildSpeed", "Build Speed:", "0,8", 10),
    decimal(8, F::Scaled1000, "builduptime", "BuildupTime", "Buildup Time:", "0,06", 1),
    integer(12, 4, "gemvalue", "GemValue", "Gem Value:", "50", 3),
    integer(16, 4, "goldvalue", "GoldValue", "Gold Value:", "25", 3),
    decimal(20, F::Scaled1000, "growthrate", "GrowthRate", "Ore Growth Rate:", "2", 10),
    yesNo(24, "oregrows", "OreGrows", "Ore Grows:"),
    yesNo(25, "orespreads", "OreSpreads", "Ore Spreads:"),
    integer(28, 4, "oretruckrate", "OreTruckRate", "Ore Truck Rate:", "1", 2),
    yesNo(32, "separateaircraft", "SeparateAircraft", "Separate Aircraft:"),
    decimal(36, F::Scaled1000, "survivorrate", "SurvivorRate", "Survivor Rate:", "0,4", 1),
};

const Field kTerrain[] = {
    chosen(0, F::Section, "", "", "Terrain to redefine:"),
    percent(1, 1, "", "Foot", "Infantry:", "100"),
    percent(2, 1, "", "Track", "Tracked Vehicles:", "100"),
    percent(3, 1, "", "Wheel", "Wheeled Vehicles:", "100"),
    percent(4, 1, "", "Float", "Ships:", "100"),
    yesNo(5, "", "Buildable", "Buildable:"),
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
    case Format::TechLevel: return stock::techLevelList();
    default: return {};
    }
}

std::optional<std::int32_t> storedValue(const Field& field, std::string_view text)
{
    if (text.empty())
        text = field.defaultText;
    int digits = field.format == Format::Scaled100 ? 2 : field.format == Format::Scaled1000 ? 3 : 0;
    if (digits == 0 && text.find(',') != std::string_view::npos)
        return std::nullopt;
    auto value = scaledNumber(text, digits);
    std::int64_t largest = field.width == 1 ? 255 : INT32_MAX;
    if (!value || *value > largest)
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
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
    case Format::Scaled100: return decimalText(value, 100);
    case Format::Scaled1000: return decimalText(value, 1000);
    case Format::CrateChoice: {
        auto identifier = stock::identifierAt(stock::crateBonusList(), static_cast<std::size_t>(value));
        return identifier.empty() ? "none" : identifier;
    }
    case Format::TechLevel: return value >= 1 && value <= 13 ? std::to_string(value) : "-1";
    case Format::Section: return {};
    }
    return {};
}

}
