#include "stock/catalogue.h"

#include <cstdlib>
#include <iterator>

namespace qx::stock {
namespace {

const CatalogueEntry kUnits[] = {
    {"V2 Rocket Launcher [V2RL]", 80}, {"Light Tank [1TNK]", 64}, {"Heavy Tank [3TNK]", 64},
    {"Medium Tank [2TNK]", 64}, {"Mammoth Tank [4TNK]", 64}, {"Mobile Radar Jammer [MRJ]", 64},
    {"Mobile Gap Generator [MGG]", 40}, {"Mobile Artillery [ARTY]", 32}, {"Harvester [HARV]", 111},
    {"Mobile Construction Vehicle [MCV]", 32}, {"Ranger [JEEP]", 64}, {"Armored Personnel Carrier [APC]", 38},
    {"Mine Layer [MNLY]", 48}, {"Convoy Truck [TRUK]", 32}, {"Submarine [SS]", 16}, {"Destroyer [DD]", 16},
    {"Cruiser [CA]", 16}, {"Transport [LST]", 5}, {"Gun Boat [PT]", 16}, {"Attack Dog [DOG]", 268},
    {"Rifle Soldier [E1]", 438}, {"Grenadier [E2]", 566}, {"Rocket Soldier [E3]", 454},
    {"Flamethrower [E4]", 566}, {"Engineer [E6]", 248}, {"Spy [SPY]", 193}, {"Thief [THF]", 342},
    {"Tanya [E7]", 316}, {"Field Medic [MEDI]", 247}, {"Field Marshal [GNRL]", 264},
    {"Civilian #1 [C1]", 198}, {"Civilian #2 [C2]", 198}, {"Civilian #3 [C3]", 198}, {"Civilian #4 [C4]", 198},
    {"Civilian #5 [C5]", 198}, {"Civilian #6 [C6]", 198}, {"Civilian #7 [C7]", 198}, {"Civilian #8 [C8]", 198},
    {"Civilian #9 [C9]", 198}, {"Civilian #10 [C10]", 198}, {"Professor Einstein [EINSTEIN]", 165},
    {"Special Agent Delphi [DELPHI]", 165}, {"Special Agent Chan [CHAN]", 375}, {"Badger Bomber [BADR]", 16},
    {"Spy Photo-Recon Plane [U2]", 16}, {"Jet Attack Plane [MIG]", 16}, {"Prop Attack Plane [YAK]", 16},
    {"Transport Helicopter [TRAN]", 36}, {"Longbow Attack Helicopter [HELI]", 32},
    {"Hind Attack Helicopter [HIND]", 32}, {"Warrior Ant [ANT1]", 112}, {"Fire Ant [ANT2]", 112},
    {"Scout Ant [ANT3]", 112},
};

const CatalogueEntry kBuildings[] = {
    {"Iron Curtain [IRON]", 22}, {"Forward Command Center [FCOM]", 2}, {"Advanced Tech Center [ATEK]", 2},
    {"Chronosphere (Paradox Device) [PDOX]", 58}, {"Weapons Factory [WEAP]", 2}, {"Ship Yard [SYRD]", 2},
    {"Sub Pen [SPEN]", 2}, {"Pill Box [PBOX]", 4}, {"Camouflaged Pill Box [HBOX]", 4}, {"Tesla Coil [TSLA]", 20},
    {"Gun Turret [GUN]", 128}, {"Anti-Aircraft Artillery [AGUN]", 128}, {"Flame Turret [FTUR]", 2},
    {"Construction Yard [FACT]", 52}, {"Refinery [PROC]", 2}, {"Storage Silo [SILO]", 10}, {"Helipad [HPAD]", 14},
    {"Radar Building [DOME]", 2}, {"Gap Generator [GAP]", 64}, {"Surface to Air Missile Launcher [SAM]", 68},
    {"Big Missile Silo [MSLO]", 16}, {"Airstrip [AFLD]", 16}, {"Normal Power Plant [POWR]", 2},
    {"Advanced Power Plant [APWR]", 2}, {"Soviet Tech Center [STEK]", 2}, {"Hospital [HOSP]", 9},
    {"Biological - Research Laboratory [BIO]", 3}, {"Soviet Barracks [BARR]", 20},
    {"Allied Training Tent [TENT]", 20}, {"Attack Dog Training Facility [KENN]", 2}, {"Service Depot [FIX]", 14},
    {"Sandbag [SBAG]", 32}, {"Concrete Wall [BRIK]", 64}, {"Wire Fence [FENC]", 32},
    {"Auxiliary Decorative Building [MISS]", 2}, {"Chain Link Fence [CYCL]", 48}, {"Barb Wire Fence [BARB]", 32},
    {"Wood Fence [WOOD]", 32}, {"One Barrel [BARL]", 3}, {"Three Barrels [BRL3]", 3},
    {"Anti-Vehicle Mine [MINV]", 1}, {"Anti-Personnel Mine [MINP]", 1}, {"Fake [FACF]", 52},
    {"Ant Building (Queen) [QUEE]", 20}, {"Civilian Building #1 [V01]", 2},
};

constexpr std::size_t kBuildingsNotOffered = 3;

}

std::span<const CatalogueEntry> unitCatalogue() { return kUnits; }
std::span<const CatalogueEntry> buildingCatalogue() { return kBuildings; }

std::span<const CatalogueEntry> offeredCatalogue(CatalogueKind kind)
{
    if (kind == CatalogueKind::Unit)
        return kUnits;
    return buildingCatalogue().first(std::size(kBuildings) - kBuildingsNotOffered);
}

std::vector<std::string> catalogueLookup(CatalogueKind kind, int frames, int tolerance, bool all)
{
    auto catalogue = kind == CatalogueKind::Unit ? unitCatalogue() : buildingCatalogue();
    std::vector<std::string> texts;
    for (const auto& entry : catalogue) {
        if (all || std::abs(entry.frames - frames) <= tolerance)
            texts.emplace_back(entry.text);
    }
    return texts;
}

}
