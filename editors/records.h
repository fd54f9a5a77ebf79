#pragma once

#include "common/file_io.h"

#include <array>
#include <cstdint>
#include <string>

namespace qx::records {

constexpr std::size_t kUnitSize = 220;
constexpr std::size_t kBuildingSize = 240;
constexpr std::size_t kWeaponSize = 24;
constexpr std::size_t kProjectileSize = 44;
constexpr std::size_t kWarheadSize = 12;
constexpr std::uint8_t kNone = 255;

// Texts are Windows-1252 bytes. Menu fields hold list positions.
struct Unit {
    // icon picture, frame list, icon.shp, unit.shp
    std::array<std::uint32_t, 4> sizes{};
    std::string name;
    std::uint8_t owner = 2;
    std::uint8_t armour = 0;
    std::int32_t strength = 0;
    std::int32_t cost = 0;
    std::uint8_t speed = 0;
    std::uint8_t sight = 1;
    std::uint8_t primary = kNone;
    std::uint8_t secondary = kNone;
    std::int32_t ammo = -1;
    std::uint8_t guardRange = kNone;
    std::array<std::uint8_t, 45> prerequisites{};
    std::uint8_t rateOfTurn = 0;
    std::uint8_t techLevel = 0;
    std::int32_t reload = 0;
    std::uint8_t passengers = 0;
    std::int32_t points = 0;
    std::array<std::uint8_t, 13> abilities{};
    std::string internalName;
    std::uint16_t frameCount = 0;
    std::uint16_t tolerance = 0;
    std::uint8_t replaced = 0;

    bool operator==(const Unit&) const = default;
};

struct Building {
    // icon picture, animation frames, image frames, bicon.shp, b1.shp, b2.shp
    std::array<std::uint32_t, 6> sizes{};
    std::string name;
    std::uint8_t owner = 2;
    std::uint8_t armour = 0;
    std::int32_t strength = 0;
    std::int32_t cost = 0;
    std::uint8_t sight = 1;
    std::int32_t power = 0;
    std::uint8_t distance = 1;
    std::uint8_t primary = kNone;
    std::uint8_t secondary = kNone;
    std::int32_t ammo = -1;
    std::uint8_t guardRange = kNone;
    std::array<std::uint8_t, 45> prerequisites{};
    std::uint8_t techLevel = 0;
    std::int32_t reload = 0;
    std::int32_t storage = 0;
    std::int32_t points = 0;
    std::array<std::uint8_t, 14> abilities{};
    std::string internalName;
    std::uint16_t frameCount = 0;
    std::uint16_t tolerance = 0;
    std::uint8_t replaced = 0;

    bool operator==(const Building&) const = default;
};

struct Weapon {
    std::uint8_t replaced = 0;
    std::int32_t damage = 0;
    std::uint16_t range = 0;  // hundredths of a cell
    std::uint16_t delay = 0;
    std::uint8_t speed = 0;
    std::uint8_t burst = 1;
    std::uint8_t projectile = 2;
    std::uint8_t warhead = 0;
    std::uint8_t sound = 2;
    std::array<std::uint8_t, 4> flags{};  // Camera, Charges, Supress, TurboBoost

    bool operator==(const Weapon&) const = default;
};

struct Projectile {
    // frame list, prj.shp
    std::array<std::uint32_t, 2> sizes{};
    std::uint8_t replaced = kNone;
    std::uint16_t arm = 0;
    std::uint16_t frames = 1;
    std::uint8_t rateOfTurn = 0;
    std::array<std::uint8_t, 18> flags{};
    std::string internalName;

    bool operator==(const Projectile&) const = default;
};

struct Warhead {
    std::uint8_t replaced = 0;
    std::array<std::uint8_t, 5> verses{};  // none, wood, light, heavy, concrete
    std::uint8_t explosion = 0;
    std::uint8_t deathAnimation = 0;
    std::uint8_t spread = 1;
    std::uint8_t wall = 0;
    std::uint8_t ore = 0;
    std::uint8_t wood = 0;

    bool operator==(const Warhead&) const = default;
};

Bytes pack(const Unit& unit);
Bytes pack(const Building& building);
Bytes pack(const Weapon& weapon);
Bytes pack(const Projectile& projectile);
Bytes pack(const Warhead& warhead);

// Each refuses a block shorter than its record.
Unit unpackUnit(ByteView block);
Building unpackBuilding(ByteView block);
Weapon unpackWeapon(ByteView block);
Projectile unpackProjectile(ByteView block);
Warhead unpackWarhead(ByteView block);

}
