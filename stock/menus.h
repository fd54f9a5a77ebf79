#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace qx::stock {

// A menu list: captions in their fixed order. Projects store positions in
// these lists, so the order of every list is part of the file format.
using Menu = std::span<const char* const>;

Menu ownerList();
Menu armourList();
Menu primaryWeaponList();
Menu secondaryWeaponList();
Menu buildingPrimaryWeaponList();
Menu buildingSecondaryWeaponList();
Menu weaponList();  // the weapon editor's "to be replaced" list
// The one weapon that no click of an editor chooses: the weapon editor does
// not offer it to be replaced, nor the unit editor as a weapon.
inline constexpr const char* kTorpedoTube = "TorpTube";
Menu prerequisiteList();
Menu techLevelList();
Menu projectileList();
Menu warheadList();
Menu soundList();
Menu explosionList();
Menu deathAnimationList();
Menu difficultyList();
Menu countryList();
Menu terrainList();
Menu crateBonusList();
// The crate list's first entry, which is no crate kind of the game: the
// unit crate type takes it as no type at all.
constexpr std::size_t kRandomCrate = 0;
// The crate list's positions, of which only kRandomCrate names something a
// unit crate type can be, then the vehicles.
Menu unitCrateTypeList();

// A submenu of a Load menu: its caption and its stock objects.
struct LoadGroup {
    const char* caption;
    Menu entries;
};

// The unit editor's Load menu: vehicles, infantry, aircraft, ships.
std::span<const LoadGroup> unitLoadMenu();

// The bracket identifier of the entry at position, or nothing (empty) when
// the position lies beyond the list.
std::string identifierAt(Menu menu, std::size_t position);

}
