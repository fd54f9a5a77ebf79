#include "editors/records.h"

#include "common/bytes.h"
#include "common/error.h"

namespace qx::records {
namespace {

void requireSize(ByteView block, std::size_t size, const char* what)
{
    if (block.size() < size)
        throw Error(std::string("The ") + what + " entry is damaged: its data holds " + std::to_string(block.size()) +
                    " bytes, not the " + std::to_string(size) + " of its record.");
}

template <std::size_t N>
void putFlags(Bytes& bytes, std::size_t at, const std::array<std::uint8_t, N>& flags)
{
    std::copy(flags.begin(), flags.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

template <std::size_t N>
void readFlags(ByteView bytes, std::size_t at, std::array<std::uint8_t, N>& flags)
{
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), N, flags.begin());
}

template <std::size_t N>
void putSizes(Bytes& bytes, const std::array<std::uint32_t, N>& sizes)
{
    for (std::size_t i = 0; i < N; ++i)
        putU32(bytes, 4 * i, sizes[i]);
}

template <std::size_t N>
void readSizes(ByteView bytes, std::array<std::uint32_t, N>& sizes)
{
    for (std::size_t i = 0; i < N; ++i)
        sizes[i] = u32At(bytes, 4 * i);
}

}

Bytes pack(const Unit& unit)
{
    Bytes b(kUnitSize);
    putSizes(b, unit.sizes);
    putShortText(b, 16, 100, unit.name);
    putU8(b, 117, unit.owner);
    putU8(b, 118, unit.armour);
    putI32(b, 120, unit.strength);
    putI32(b, 124, unit.cost);
    putU8(b, 128, unit.speed);
    putU8(b, 129, unit.sight);
    putU8(b, 130, unit.primary);
    putU8(b, 131, unit.secondary);
    putI32(b, 132, unit.ammo);
    putU8(b, 136, unit.guardRange);
    putFlags(b, 137, unit.prerequisites);
    putU8(b, 182, unit.rateOfTurn);
    putU8(b, 183, unit.techLevel);
    putI32(b, 184, unit.reload);
    putU8(b, 188, unit.passengers);
    putI32(b, 192, unit.points);
    putFlags(b, 196, unit.abilities);
    putShortText(b, 209, 4, unit.internalName);
    putU16(b, 214, unit.frameCount);
    putU16(b, 216, unit.tolerance);
    putU8(b, 218, unit.replaced);
    return b;
}

Unit unpackUnit(ByteView b)
{
    requireSize(b, kUnitSize, "unit");
    Unit unit;
    readSizes(b, unit.sizes);
    unit.name = shortTextAt(b, 16, 100);
    unit.owner = u8At(b, 117);
    unit.armour = u8At(b, 118);
    unit.strength = i32At(b, 120);
    unit.cost = i32At(b, 124);
    unit.speed = u8At(b, 128);
    unit.sight = u8At(b, 129);
    unit.primary = u8At(b, 130);
    unit.secondary = u8At(b, 131);
    unit.ammo = i32At(b, 132);
    unit.guardRange = u8At(b, 136);
    readFlags(b, 137, unit.prerequisites);
    unit.rateOfTurn = u8At(b, 182);
    unit.techLevel = u8At(b, 183);
    unit.reload = i32At(b, 184);
    unit.passengers = u8At(b, 188);
    unit.points = i32At(b, 192);
    readFlags(b, 196, unit.abilities);
    unit.internalName = shortTextAt(b, 209, 4);
    unit.frameCount = u16At(b, 214);
    unit.tolerance = u16At(b, 216);
    unit.replaced = u8At(b, 218);
    return unit;
}

Bytes pack(const Building& building)
{
    Bytes b(kBuildingSize);
    putSizes(b, building.sizes);
    putShortText(b, 24, 100, building.name);
    putU8(b, 125, building.owner);
    putU8(b, 126, building.armour);
    putI32(b, 128, building.strength);
    putI32(b, 132, building.cost);
    putU8(b, 136, building.sight);
    putI32(b, 140, building.power);
    putU8(b, 144, building.distance);
    putU8(b, 145, building.primary);
    putU8(b, 146, building.secondary);
    putI32(b, 148, building.ammo);
    putU8(b, 152, building.guardRange);
    putFlags(b, 153, building.prerequisites);
    putU8(b, 198, building.techLevel);
    putI32(b, 200, building.reload);
    putI32(b, 204, building.storage);
    putI32(b, 208, building.points);
    putFlags(b, 212, building.abilities);
    putShortText(b, 226, 4, building.internalName);
    putU16(b, 232, building.frameCount);
    putU16(b, 234, building.tolerance);
    putU8(b, 236, building.replaced);
    return b;
}

Building unpackBuilding(ByteView b)
{
    requireSize(b, kBuildingSize, "building");
    Building building;
    readSizes(b, building.sizes);
    building.name = shortTextAt(b, 24, 100);
    building.owner = u8At(b, 125);
    building.armour = u8At(b, 126);
    building.strength = i32At(b, 128);
    building.cost = i32At(b, 132);
    building.sight = u8At(b, 136);
    building.power = i32At(b, 140);
    building.distance = u8At(b, 144);
    building.primary = u8At(b, 145);
    building.secondary = u8At(b, 146);
    building.ammo = i32At(b, 148);
    building.guardRange = u8At(b, 152);
    readFlags(b, 153, building.prerequisites);
    building.techLevel = u8At(b, 198);
    building.reload = i32At(b, 200);
    building.storage = i32At(b, 204);
    building.points = i32At(b, 208);
    readFlags(b, 212, building.abilities);
    building.internalName = shortTextAt(b, 226, 4);
    building.frameCount = u16At(b, 232);
    building.tolerance = u16At(b, 234);
    building.replaced = u8At(b, 236);
    return building;
}

Bytes pack(const Weapon& weapon)
{
    Bytes b(kWeaponSize);
    putU8(b, 0, weapon.replaced);
    putI32(b, 4, weapon.damage);
    putU16(b, 8, weapon.range);
    putU16(b, 10, weapon.delay);
    putU8(b, 12, weapon.speed);
    putU8(b, 13, weapon.burst);
    putU8(b, 14, weapon.projectile);
    putU8(b, 15, weapon.warhead);
    putU8(b, 16, weapon.sound);
    putFlags(b, 17, weapon.flags);
    return b;
}

Weapon unpackWeapon(ByteView b)
{
    requireSize(b, kWeaponSize, "weapon");
    Weapon weapon;
    weapon.replaced = u8At(b, 0);
    weapon.damage = i32At(b, 4);
    weapon.range = u16At(b, 8);
    weapon.delay = u16At(b, 10);
    weapon.speed = u8At(b, 12);
    weapon.burst = u8At(b, 13);
    weapon.projectile = u8At(b, 14);
    weapon.warhead = u8At(b, 15);
    weapon.sound = u8At(b, 16);
    readFlags(b, 17, weapon.flags);
    return weapon;
}

Bytes pack(const Projectile& projectile)
{
    Bytes b(kProjectileSize);
    putSizes(b, projectile.sizes);
    putU8(b, 8, projectile.replaced);
    putU16(b, 10, projectile.arm);
    putU16(b, 12, projectile.frames);
    putU8(b, 14, projectile.rateOfTurn);
    putFlags(b, 15, projectile.flags);
    putShortText(b, 33, 8, projectile.internalName);
    return b;
}

Projectile unpackProjectile(ByteView b)
{
    requireSize(b, kProjectileSize, "projectile");
    Projectile projectile;
    readSizes(b, projectile.sizes);
    projectile.replaced = u8At(b, 8);
    projectile.arm = u16At(b, 10);
    projectile.frames = u16At(b, 12);
    projectile.rateOfTurn = u8At(b, 14);
    readFlags(b, 15, projectile.flags);
    projectile.internalName = shortTextAt(b, 33, 8);
    return projectile;
}

Bytes pack(const Warhead& warhead)
{
    Bytes b(kWarheadSize);
    putU8(b, 0, warhead.replaced);
    putFlags(b, 1, warhead.verses);
    putU8(b, 6, warhead.explosion);
    putU8(b, 7, warhead.deathAnimation);
    putU8(b, 8, warhead.spread);
    putU8(b, 9, warhead.wall);
    putU8(b, 10, warhead.ore);
    putU8(b, 11, warhead.wood);
    return b;
}

Warhead unpackWarhead(ByteView b)
{
    requireSize(b, kWarheadSize, "warhead");
    Warhead warhead;
    warhead.replaced = u8At(b, 0);
    readFlags(b, 1, warhead.verses);
    warhead.explosion = u8At(b, 6);
    warhead.deathAnimation = u8At(b, 7);
    warhead.spread = u8At(b, 8);
    warhead.wall = u8At(b, 9);
    warhead.ore = u8At(b, 10);
    warhead.wood = u8At(b, 11);
    return warhead;
}

}
