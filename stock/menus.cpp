#include "stock/menus.h"

#include "stock/line_helpers.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

namespace qx::stock {
namespace {

const char* const kOwners[] = {
    "&Allied Forces [Allies]",
    "&Soviet Forces [Soviet]",
    "&Both [Allies,Soviet]",
    "Playable Country: &England [England]",
    "Playable Country: &Germany [Germany]",
    "Playable Country: &France [France]",
    "Playable Country: &Russia [USSR]",
    "Playable Country: U&kraine [Ukraine]",
    "Non-Playable Country: &Turkey [Turkey]",
    "Non-Playable Country: G&reece [Greece]",
};

const char* const kArmours[] = {
    "&No Armor [None]", "&Wooden Armor [Wood]", "&Light Armor [Light]", "&Heavy Armor [Heavy]",
    "&Concrete Armor [Concrete]",
};

using WeaponMenu = std::array<const char*, 36>;

// The unit editor's primary list; the other weapon lists differ from it only
// in the order of positions 1 and 2 and in the caption of the last entry.
const WeaponMenu kWeapons = {
    "&Tanya's Pistol [Colt45]", "&Rapid Fire Machine Gun [Vulcan]", "&Anti Aircraft Multiple Cannon [ZSU-23]",
    "&Air-to-Surface Homing Missile [Maverick]", "&Camera (Spy-Plane) [Camera]",
    "&Fireball (from Flame Turret) [FireballLauncher]", "&Hand-Held Flame Thrower Type [Flamer]",
    "&Sniper Rifle [Sniper]", "&Rapid Fire Aircraft Gun [Chaingun]", "&Civilian Pistol [Pistol]",
    "&Rifle Soldier Weapon [M1Carbine]", "&Man-Packed Anti-Tank Missile [Dragon]",
    "&Air-to-Surface Homing Missile [Hellfire]", "&Hand Grenade [Grenade]", "&Small Anti-Armor Cannon [75mm]",
    "&Light Anti-Armor Cannon [90mm]", "&Medium Anti Armor Cannon [105mm]", "&Large Anti-Armor Cannon [120mm]",
    "&Turret Cannon [TurretGun]", "&Vehicle Carried Anti-Tank Missile [MammothTusk]", "&Artillery Cannon [155mm]",
    "&Torpedo Tube [TorpTube]", "&Vehicle Mounted Machine Gun [M60mg]",
    "&Napalm Bomblets (dropped from plane) [Napalm]", "&Tesla Coil Zap [TeslaZap]",
    "&Anti Aircraft Missile (fired from SAM Site) [Nike]", "&Man-Packed surface to air missile [RedEye]",
    "&8 Inch Cruiser Cannon [8inch]", "&Gunboat Mounted Anti-Aircraft Rocket [Stinger]",
    "&Destroyer Mounted 2 Inch Cannon [2Inch]", "&Anti-Submarine Weapon [DepthCharge]", "&Parachute Bomb [ParaBomb]",
    "&Dog Bite [DogJaw]", "&Medic Healing [Heal]", "&SCUD Launcher [SCUD]", "Ant Weapon [Mandible]",
};

WeaponMenu weaponVariant(bool antiAircraftFirst, const char* last)
{
    auto menu = kWeapons;
    if (antiAircraftFirst)
        std::swap(menu[1], menu[2]);
    menu.back() = last;
    return menu;
}

const WeaponMenu kPrimaryWeapons = kWeapons;
const WeaponMenu kSecondaryWeapons = weaponVariant(true, kWeapons.back());
const WeaponMenu kBuildingPrimaryWeapons = weaponVariant(false, "&Ant Weapon [Mandible]");
const WeaponMenu kBuildingSecondaryWeapons = weaponVariant(true, "&Ant Weapon [Mandible]");

const char* const kPrerequisites[] = {
    "&Iron Curtain [IRON]", "&Forward Command Center [FCOM]", "&Advanced Tech Center [ATEK]",
    "&Chronosphere (Paradox Device) [PDOX]", "&Weapons Factory [WEAP]", "&Ship Yard [SYRD]", "&Sub Pen [SPEN]",
    "&Pill Box [PBOX]", "&Camouflaged Pill Box [HBOX]", "&Tesla Coil [TSLA]", "&Gun Turret [GUN]",
    "&Anti-Aircraft Artillery [AGUN]", "&Flame Turret [FTUR]", "&Construction Yard [FACT]", "&Refinery [PROC]",
    "&Storage Silo [SILO]", "&Helipad [HPAD]", "&Radar Building [DOME]", "&Gap Generator [GAP]",
    "&Surface to Air Missile Launcher [SAM]", "&Big Missile Silo [MSLO]", "&Airstrip [AFLD]",
    "&Normal Power Plant [POWR]", "&Advanced Power Plant [APWR]", "&Soviet Tech Center [STEK]", "&Hospital [HOSP]",
    "&Biological - Research Laboratory [BIO]", "&Soviet Barracks [BARR]", "&Allied Training Tent [TENT]",
    "&Attack Dog Training Facility [KENN]", "&Service Depot [FIX]", "&Sandbag [SBAG]", "&Concrete Wall [BRIK]",
    "&Wire Fence [FENC]", "&Auxiliary Decorative Building [MISS]", "&Chain Link Fence [CYCL]",
    "&Barb Wire Fence [BARB]", "Wood Fence [WOOD]", "&One Barrel [BARL]", "&Three Barrels [BRL3]",
    "&Anti-Vehicle Mine [MINV]", "&Anti-Personnel Mine [MINP]", "&Fake [FACF]", "&Ant Building (Queen) [QUEE]",
    "&Civilian Building #1 [V01]",
};

const char* const kTechLevels[] = {
    "Unit can't be built [-1]", "Tech-Level 1 required [1]", "Tech-Level 2 required [2]",
    "Tech-Level 3 required [3]", "Tech-Level 4 required [4]", "Tech-Level 5 required [5]",
    "Tech-Level 6 required [6]", "Tech-Level 7 required [7]", "Tech-Level 8 required [8]",
    "Tech-Level 9 required [9]", "Tech-Level 10 required [10]", "Tech-Level 11 required [11]",
    "Tech-Level 12 required [12]", "Tech-Level 13 required [13]",
};

const char* const kProjectiles[] = {
    "Invisible Flight to Target [Invisible]", "Flying Dog [LeapDog]",
    "Straight High-Speed ballistic Shot [Cannon]", "Anti Aircraft Artillery Projectile [Ack]",
    "Submarine Torpedo [Torpedo]", "Free Rocket Over Ground (SCUD Rocket) [FROG]", "Homing Missile [HeatSeeker]",
    "Small Missile [LaserGuided]", "Anti-Aircraft Missile [AAMissile]", "Grenade [Lobbed]",
    "Depth Charge Catapult [Catapult]", "Dropped from plane tumbling object [Bomblet]",
    "Arcing ballistic projectile [Ballistic]", "Parachute bomb [Parachute]",
    "Allied free radar (GPS satellite) [GPSSatellite]", "Nuclear missile, flying up [NukeUp]",
    "Nuclear missile, flying down [NukeDown]", "Wizard's fireball [Fireball]",
};

const char* const kWarheads[] = {
    "General Multiple Small Arms Fire [SA]", "High Explosive (shrapnel) [HE]", "Armor Piercing [AP]",
    "Napalm and Fire [Fire]", "Anti-Infantry Rifle Bullet [HollowPoint]", "Special Case Warhead [Super]",
    "Special Case (only affects infantry) [Organic]", "Nuclear Warhead [Nuke]",
};

const char* const kSounds[] = {
    "Mine laying Sound (empty) [MINELAY1]", "Chronosphere Shift [CHRONO2]", "Cannon Shot [CANNON1]",
    "Cannon Shot, heavy [CANNON2]", "Iron Curtain [IRONCUR9]", "Sonar Pulse [SONPULSE]", "Sandbag Placed [SANDBAG2]",
    "Mine Blast [MINEBLO1]", "Parachute Opening [CHUTE1]", "Fireball [FIREBL3]", "Flame Turret [FIRETRT1]",
    "Grenade Throw [GRENADE1]", "Machine Gun (5 quick shots) [GUN11]", "Machine Gun, short burst [GUN13]",
    "Rifle Shot [GUN27]", "Healing [HEAL2]", "Hydrophone [HYDROD1]", "Invulnerability [INVUL2]",
    "Explosion, small [KABOOM1]", "Explosion, medium [KABOOM12]", "Explosion, long [KABOOM15]",
    "Water Splash [SPLASH9]", "Explosion, heavy [KABOOM22]", "Anti Aircraft Cannon [AACANON3]",
    "Infantry Machine Gun [MGUNINF1]", "Missile Launch [MISSILE1]", "Missile Launch, heavy [MISSILE6]",
    "Missile Launch, rapid [MISSILE7]", "Pill Box Gun [PILLBOX1]", "Radar Beep [RABEEP1]", "Menu Click [RAMENU1]",
    "Silenced Pistol [SILENCER]", "Tank Gun [TANK5]", "Tank Gun, heavy [TANK6]", "Torpedo Launch [TORPEDO1]",
    "Turret Gun [TURRET1]", "Tesla Charge [TSLACHG2]", "Tesla Zap [TESLA1]", "Infantry Squished [SQUISHY2]",
    "Scolding Beep [SCOLDY1]", "Radar Online [RADARON2]", "Radar Offline [RADARDN1]", "Building Placed [PLACBLDG]",
    "Explosion, building [KABOOM30]", "Explosion, vehicle [KABOOM25]", "Building Crumbles [CRMBLE2]",
    "Money Up [CASHUP1]", "Money Down [CASHDN1]", "Construction [BUILD5]", "Bleep, low [BLEEP9]",
    "Bleep, double [BLEEP6]", "Bleep, short [BLEEP5]", "Bleep, long [BLEEP17]", "Bleep, high [BLEEP13]",
    "Bleep, soft [BLEEP12]", "Bleep, quick [BLEEP11]", "Water Bomb [H2OBOMB2]", "Money Counter [CASHTURN]",
    "Wall Destroyed [WALLKIL2]", "Pistol Shot [GUN5]", "Mine Triggered [MINE1]", "Select Beep [BEEPSLCT]",
};

const char* const kExplosions[] = {
    "None [0]", "Piff [1]", "Piffs [2]", "Fire [3]", "Frags [4]", "Pops [5]", "Nuke [6]",
};

const char* const kDeathAnimations[] = {
    "Instant Die [0]", "Twirl Die [1]", "Explodes [2]", "Flying Death [3]", "Burn Death [4]", "Electro [5]",
};

const char* const kDifficulties[] = {"Easy [EASY]", "Normal [NORMAL]", "Difficult [DIFFICULT]"};

const char* const kCountries[] = {
    "England [ENGLAND]", "Germany [GERMANY]", "France [FRANCE]", "Ukraine [UKRAINE]",
    "USSR [USSR]", "Greece [GREECE]", "Turkey [TURKEY]", "Spain [SPAIN]",
};

const char* const kTerrains[] = {
    "Clear Grassy Terrain [Clear]", "Rocky Terrain [Rough]", "Roads [Road]", "Open Water [Water]", "Cliffs [Rock]",
    "Man Made Obstacles [Wall]", "Ore [Ore]", "Sandy Beach [Beach]", "Craggy Riverbed [River]",
};

const char* const kCrateBonuses[] = {
    "Random [NONE]", "Increase Armor [ARMOR]", "Cloak Nearby Objects [CLOAK]", "Cloak Entire Map [DARKNESS]",
    "Explosion [EXPLOSION]", "Increase Firepower [FIREPOWER]", "Heal Entire Base [HEALBASE]",
    "Nuke Missile [ICBM]", "Get Money [MONEY]", "Napalm Explosion [NAPALM]", "Parabomb [PARABOMB]",
    "Reveal Entire Map [REVEAL]", "Sonar Impulse [SONAR]", "Increase Speed [SPEED]",
    "Get Squad of Infantry [SQUAD]", "Get Random Vehicle [UNIT]", "Invulnerability [INVULNERABILITY]",
    "Time Quake [TIMEQUAKE]",
};

const char* const kLoadVehicles[] = {
    "&V2 Rocket Launcher [V2RL]", "&Light Tank [1TNK]", "&Medium Tank [2TNK]", "Heavy &Tank [3TNK]", "Mammoth Ta&nk [4TNK]",
    "Mobile Radar &Jammer [MRJ]", "Mobile &Gap Generator [MGG]", "Mo&bile Artillery [ARTY]", "&Harvester [HARV]",
    "Mobile &Construction Vehicle [MCV]", "&Ranger [JEEP]", "Armored &Personnel Carrier [APC]", "Mine La&yer [MNLY]",
    "C&onvoy Truck [TRUK]", "&Warrior Ant [ANT1]", "&Fire Ant [ANT2]", "Scout Ant [ANT3]",
};

const char* const kLoadInfantry[] = {
    "Attack &Dog [DOG]", "Rifle &Soldier [E1]", "Gre&nadier [E2]", "&Rocket Soldier [E3]", "Flamethro&wer [E4]",
    "&Engineer [E6]", "&Tanya [E7]", "Sp&y [SPY]", "T&hief [THF]", "Field &Medic [MEDI]", "&Field Marshal [GNRL]",
    "Civilian #&1 [C1]", "Civilian #&2 [C2]", "Pr&ofessor Einstein [EINSTEIN]", "S&pecial Agent Delphi [DELPHI]",
    "Special A&gent Chan [CHAN]",
};

const char* const kLoadAircraft[] = {
    "&Badger Bomber [BADR]", "Spy Photo-&Recon Plane [U2]", "&Jet Attack Plane [MIG]", "&Prop Attack Plane [YAK]",
    "&Transport Helicopter [TRAN]", "&Longbow Attack Helicopter [HELI]", "&Hind Attack Helicopter [HIND]",
};

const char* const kLoadShips[] = {
    "Sub&marine [SS]", "&Destroyer [DD]", "&Cruiser [CA]", "&Transport [LST]", "&Gun Boat [PT]",
};

// The crate list's positions stay what they were, for the records that
// stored them; the vehicles a crate may hold follow.
const auto kUnitCrateTypes = [] {
    std::array<const char*, std::size(kCrateBonuses) + std::size(kLoadVehicles)> list{};
    auto end = std::copy(std::begin(kCrateBonuses), std::end(kCrateBonuses), list.begin());
    std::copy(std::begin(kLoadVehicles), std::end(kLoadVehicles), end);
    list[kRandomCrate] = "Any Vehicle [none]";
    return list;
}();

const LoadGroup kUnitLoadMenu[] = {
    {"&Vehicle", kLoadVehicles}, {"&Infantry", kLoadInfantry}, {"&Aircraft", kLoadAircraft}, {"&Ship", kLoadShips},
};

}

std::span<const LoadGroup> unitLoadMenu() { return kUnitLoadMenu; }

Menu ownerList() { return kOwners; }
Menu armourList() { return kArmours; }
Menu primaryWeaponList() { return kPrimaryWeapons; }
Menu secondaryWeaponList() { return kSecondaryWeapons; }
Menu buildingPrimaryWeaponList() { return kBuildingPrimaryWeapons; }
Menu buildingSecondaryWeaponList() { return kBuildingSecondaryWeapons; }
Menu weaponList() { return kBuildingSecondaryWeapons; }
Menu prerequisiteList() { return kPrerequisites; }
Menu techLevelList() { return kTechLevels; }
Menu projectileList() { return kProjectiles; }
Menu warheadList() { return kWarheads; }
Menu soundList() { return kSounds; }
Menu explosionList() { return kExplosions; }
Menu deathAnimationList() { return kDeathAnimations; }
Menu difficultyList() { return kDifficulties; }
Menu countryList() { return kCountries; }
Menu terrainList() { return kTerrains; }
Menu crateBonusList() { return kCrateBonuses; }
Menu unitCrateTypeList() { return kUnitCrateTypes; }

std::string identifierAt(Menu menu, std::size_t position)
{
    return position < menu.size() ? bracketIdentifier(menu[position]) : std::string();
}

}
