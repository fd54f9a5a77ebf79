#include "general/groups.h"

#include "common/bytes.h"
#include "common/error.h"
#include "common/text.h"
#include "stock/menus.h"

namespace qx::general {
namespace {

using F = Format;

const Field kDifficulty[] = {
    {0, 1, F::Section, "", ""},
    {4, 4, F::Scaled1000, "", "Firepower"},
    {8, 4, F::Scaled1000, "", "Groundspeed"},
    {12, 4, F::Scaled1000, "", "Airspeed"},
    {36, 4, F::Scaled1000, "", "BuildTime"},
    {16, 4, F::Scaled1000, "", "Armor"},
    {20, 4, F::Scaled1000, "", "ROF"},
    {24, 4, F::Scaled1000, "", "Cost"},
    {28, 4, F::Scaled1000, "", "RepairDelay"},
    {32, 4, F::Scaled1000, "", "BuildDelay"},
    {40, 1, F::YesNo, "", "BuildSlowdown"},
    {41, 1, F::YesNo, "", "destroyWalls"},
    {42, 1, F::YesNo, "", "ContentScan"},
};

const Field kMultiplayer[] = {
    {0, 4, F::Integer, "money", "Money"},
    {4, 4, F::Integer, "maxmoney", "MaxMoney"},
    {8, 1, F::YesNo, "shadowgrow", "ShadowGrow"},
    {9, 1, F::YesNo, "bases", "Bases"},
    {10, 1, F::YesNo, "oregrows", "OreGrows"},
    {11, 1, F::YesNo, "crates", "Crates"},
    {12, 1, F::YesNo, "aiplayers", "AIPlayers"},
    {13, 1, F::YesNo, "capturetheflag", "CaptureTheFlag"},
};

const Field kRepair[] = {
    {0, 4, F::Percent, "refundpercent", "RefundPercent"},
    {4, 4, F::Scaled1000, "reloadrate", "ReloadRate"},
    {8, 4, F::Percent, "repairpercent", "RepairPercent"},
    {12, 4, F::Scaled1000, "repairrate", "RepairRate"},
    {16, 4, F::Integer, "repairstep", "RepairStep"},
    {20, 4, F::Percent, "urepairpercent", "URepairPercent"},
    {24, 4, F::Integer, "urepairstep", "URepairStep"},
};

const Field kCrates[] = {
    {0, 4, F::Integer, "crateminimum", "CrateMinimum"},
    {4, 4, F::Integer, "cratemaximum", "CrateMaximum"},
    {8, 1, F::CrateChoice, "unitcratetype", "UnitCrateType"},
    {12, 4, F::Scaled1000, "crateradius", "CrateRadius"},
    {16, 4, F::Integer, "crateregen", "CrateRegen"},
    {20, 4, F::Percent, "watercratechance", "WaterCrateChance"},
    {24, 4, F::Integer, "solocratemoney", "SoloCrateMoney"},
    {28, 1, F::CrateChoice, "silvercrate", "SilverCrate"},
    {29, 1, F::CrateChoice, "watercrate", "WaterCrate"},
    {30, 1, F::CrateChoice, "woodcrate", "WoodCrate"},
};

const Field kCountry[] = {
    {0, 1, F::Section, "", ""},
    {4, 4, F::Scaled1000, "", "Firepower"},
    {8, 4, F::Scaled1000, "", "Groundspeed"},
    {12, 4, F::Scaled1000, "", "Airspeed"},
    {16, 4, F::Scaled1000, "", "Armor"},
    {20, 4, F::Scaled1000, "", "ROF"},
    {24, 4, F::Scaled1000, "", "Cost"},
    {28, 4, F::Scaled1000, "", "BuildTime"},
};

const Field kCombat[] = {
    {0, 4, F::Scaled100, "ballisticscatter", "BallisticScatter"},
    {4, 4, F::Scaled100, "homingscatter", "HomingScatter"},
    {8, 4, F::Scaled1000, "turboboost", "TurboBoost"},
    {12, 4, F::Scaled100, "firesupress", "FireSupress"},
    {16, 4, F::Scaled1000, "expspread", "ExpSpread"},
    {20, 4, F::Percent, "pronedamage", "ProneDamage"},
    {24, 4, F::Integer, "maxdamage", "MaxDamage"},
    {28, 4, F::Integer, "mindamage", "MinDamage"},
    {32, 1, F::YesNo, "playerautocrush", "PlayerAutoCrush"},
    {33, 1, F::YesNo, "playerscatter", "PlayerScatter"},
    {34, 1, F::YesNo, "playerreturnfire", "PlayerReturnFire"},
    {35, 1, F::YesNo, "mineaware", "MineAware"},
    {36, 4, F::Scaled100, "closeenough", "CloseEnough"},
    {40, 4, F::Scaled100, "crush", "Crush"},
    {44, 4, F::Integer, "incoming", "Incoming"},
    {48, 4, F::Integer, "bridgestrength", "BridgeStrength"},
    {52, 1, F::YesNo, "oreexplosive", "OreExplosive"},
    {53, 1, F::YesNo, "treetargeting", "TreeTargeting"},
};

const Field kIntelligence[] = {
    {0, 1, F::Integer, "maxiqlevels", "MaxIQLevels"},
    {1, 1, F::Integer, "superweapons", "SuperWeapons"},
    {2, 1, F::Integer, "production", "Production"},
    {3, 1, F::Integer, "guardarea", "GuardArea"},
    {4, 1, F::Integer, "repairsell", "RepairSell"},
    {5, 1, F::Integer, "autocrush", "AutoCrush"},
    {6, 1, F::Integer, "scatter", "Scatter"},
    {7, 1, F::Integer, "contentscan", "ContentScan"},
    {8, 1, F::Integer, "aircraft", "Aircraft"},
    {9, 1, F::Integer, "harvester", "Harvester"},
    {10, 1, F::Integer, "sellback", "SellBack"},
};

const Field kVarious[] = {
    {0, 4, F::Scaled100, "basebias", "BaseBias"},
    {4, 1, F::YesNo, "curleyshuffle", "CurleyShuffle"},
    {8, 4, F::Scaled100, "basedefensedelay", "BaseDefenseDelay"},
    {12, 4, F::Scaled100, "damagedelay", "DamageDelay"},
    {16, 4, F::Scaled100, "gamespeebias", "GameSpeeBias"},
    {20, 4, F::Scaled100, "lzscanradius", "LZScanRadius"},
    {24, 4, F::Scaled100, "stray", "Stray"},
    {28, 4, F::Scaled100, "submergedelay", "SubmergeDelay"},
    {32, 4, F::Scaled100, "suspenddelay", "SuspendDelay"},
    {36, 4, F::Integer, "suspendpriority", "SuspendPriority"},
    {40, 4, F::Scaled100, "teamdelay", "TeamDelay"},
    {44, 1, F::YesNo, "finediffcontrol", "FineDiffControl"},
    {45, 1, F::YesNo, "mcvundeploy", "MCVUndeploy"},
};

const Field kComputerPlayer[] = {
    {0, 4, F::Scaled100, "attackinterval", "AttackInterval"},
    {4, 4, F::Scaled100, "attackdelay", "AttackDelay"},
    {8, 4, F::Scaled100, "patrolscan", "PatrolScan"},
    {12, 4, F::Integer, "creditreserve", "CreditReserve"},
    {16, 4, F::Scaled100, "pathdelay", "PathDelay"},
    {20, 4, F::Scaled100, "autocreatetime", "AutoCreateTime"},
    {24, 4, F::Integer, "infantryreserve", "InfantryReserve"},
    {28, 4, F::Scaled100, "infantrybasemult", "InfantryBaseMult"},
    {32, 4, F::Integer, "powersurplus", "PowerSurplus"},
    {36, 4, F::Scaled100, "basesizeadd", "BaseSizeAdd"},
    {40, 4, F::Scaled100, "refineryratio", "RefineryRatio"},
    {44, 4, F::Integer, "refinerylimit", "RefineryLimit"},
    {48, 4, F::Scaled100, "barracksratio", "BarracksRatio"},
    {52, 4, F::Integer, "barrackslimit", "BarracksLimit"},
    {56, 4, F::Scaled100, "warratio", "WarRatio"},
    {60, 4, F::Integer, "warlimit", "WarLimit"},
    {64, 4, F::Scaled100, "defenseratio", "DefenseRatio"},
    {68, 4, F::Integer, "defenselimit", "DefenseLimit"},
    {72, 4, F::Scaled100, "aaratio", "AARatio"},
    {76, 4, F::Integer, "aalimit", "AALimit"},
    {80, 4, F::Scaled100, "teslaratio", "TeslaRatio"},
    {84, 4, F::Integer, "teslalimit", "TeslaLimit"},
    {88, 4, F::Scaled100, "helipadratio", "HelipadRatio"},
    {92, 4, F::Integer, "helipadlimit", "HelipadLimit"},
    {96, 4, F::Scaled100, "airstripratio", "AirstripRatio"},
    {100, 4, F::Integer, "airstriplimit", "AirstripLimit"},
    {104, 1, F::YesNo, "compeasybonus", "CompEasyBonus"},
    {105, 1, F::YesNo, "paranoid", "Paranoid"},
    {108, 4, F::Percent, "poweremergency", "PowerEmergency"},
    {112, 4, F::Scaled100, "orenearscan", "OreNearScan"},
    {116, 4, F::Scaled100, "orefarscan", "OreFarScan"},
};

// "Shroud Regeneration" goes to GapRegenInterval, the key the game has.
const Field kSpecialWeapons[] = {
    {0, 4, F::Scaled1000, "chronoduration", "ChronoDuration"},
    {4, 1, F::YesNo, "chronokillcargo", "ChronoKillCargo"},
    {5, 1, F::TechLevel, "chronotechlevel", "ChronoTechLevel"},
    {6, 1, F::Percent, "quakechance", "QuakeChance"},
    {7, 1, F::Percent, "quakedamage", "QuakeDamage"},
    {8, 1, F::Percent, "vortexchance", "VortexChance"},
    {12, 4, F::Integer, "vortexdamage", "VortexDamage"},
    {16, 4, F::Integer, "vortexrange", "VortexRange"},
    {20, 4, F::Integer, "vortexspeed", "VortexSpeed"},
    {24, 1, F::TechLevel, "gpstechlevel", "GPSTechLevel"},
    {28, 4, F::Scaled1000, "gapradius", "GapRadius"},
    {32, 4, F::Scaled1000, "gapregeninterval", "GapRegenInterval"},
    {36, 4, F::Scaled1000, "ironcurtain", "IronCurtain"},
    {40, 1, F::TechLevel, "paratech", "ParaTech"},
    {41, 1, F::TechLevel, "parabombtech", "ParaBombTech"},
    {42, 1, F::Integer, "badgerbombcount", "BadgerBombCount"},
    {44, 4, F::Scaled1000, "radarjamradius", "RadarJamRadius"},
    {48, 1, F::TechLevel, "spyplanetech", "SpyPlaneTech"},
    {52, 4, F::Integer, "apminedamage", "APMineDamage"},
    {56, 4, F::Integer, "avminedamage", "AVMineDamage"},
    {60, 4, F::Integer, "atomdamage", "AtomDamage"},
    {64, 4, F::Scaled1000, "c4delay", "C4Delay"},
};

// "Paratroopers" goes to Paratrooper, the key the game has.
const Field kRecharge[] = {
    {0, 4, F::Integer, "chrono", "Chrono"},
    {4, 4, F::Integer, "gps", "GPS"},
    {8, 4, F::Integer, "ironcurtain", "IronCurtain"},
    {12, 4, F::Integer, "nuke", "Nuke"},
    {16, 4, F::Integer, "parabomb", "ParaBomb"},
    {20, 4, F::Integer, "paratrooper", "Paratrooper"},
    {24, 4, F::Integer, "saboteur", "Saboteur"},
    {28, 4, F::Integer, "sonar", "Sonar"},
    {32, 4, F::Integer, "spyplane", "SpyPlane"},
};

const Field kIncome[] = {
    {0, 4, F::Integer, "bailcount", "BailCount"},
    {4, 4, F::Scaled100, "buildspeed", "BuildSpeed"},
    {8, 4, F::Scaled1000, "builduptime", "BuildupTime"},
    {12, 4, F::Integer, "gemvalue", "GemValue"},
    {16, 4, F::Integer, "goldvalue", "GoldValue"},
    {20, 4, F::Scaled1000, "growthrate", "GrowthRate"},
    {24, 1, F::YesNo, "oregrows", "OreGrows"},
    {25, 1, F::YesNo, "orespreads", "OreSpreads"},
    {28, 4, F::Integer, "oretruckrate", "OreTruckRate"},
    {32, 1, F::YesNo, "separateaircraft", "SeparateAircraft"},
    {36, 4, F::Scaled1000, "survivorrate", "SurvivorRate"},
};

const Field kTerrain[] = {
    {0, 1, F::Section, "", ""},
    {1, 1, F::Percent, "", "Foot"},
    {2, 1, F::Percent, "", "Track"},
    {3, 1, F::Percent, "", "Wheel"},
    {4, 1, F::Percent, "", "Float"},
    {5, 1, F::YesNo, "", "Buildable"},
};

using K = EntryKind;

const Group kGroups[] = {
    {K::Difficulty, nullptr, kDifficulty, stock::difficultyList},
    {K::Multiplayer, "MultiplayerDefaults", kMultiplayer},
    {K::Repair, "General", kRepair},
    {K::Crates, "General", kCrates},
    {K::Country, nullptr, kCountry, stock::countryList},
    {K::Combat, "General", kCombat},
    {K::Intelligence, "IQ", kIntelligence},
    {K::Various, "General", kVarious},
    {K::ComputerPlayer, "AI", kComputerPlayer},
    {K::SpecialWeapons, "General", kSpecialWeapons},
    {K::Recharge, "Recharge", kRecharge},
    {K::Income, "General", kIncome},
    {K::Terrain, nullptr, kTerrain, stock::terrainList},
};

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
