#include "project/entry_kind.h"

#include <algorithm>
#include <iterator>

namespace qx {
namespace {

using K = EntryKind;
using W = EditedBy;

const KindFacts kFacts[] = {
    {K::Unit, 220, "Unit: ", W::Unit, 2, {"icon.shp", ".shp"}},
    {K::Weapon, 24, "Weapon: ", W::Weapon},
    {K::Projectile, 44, "Projecitle: ", W::Projectile, 1, {".shp"}},
    {K::Warhead, 12, "Warhead: ", W::Warhead},
    {K::Building, 240, "Building: ", W::Building, 3, {"icon.shp", "make.shp", ".shp"}},
    {K::Difficulty, 44, "", W::General},
    {K::Multiplayer, 16, "", W::General},
    {K::Repair, 28, "", W::General},
    {K::Crates, 32, "", W::General},
    {K::Country, 32, "", W::General},
    {K::Combat, 56, "", W::General},
    {K::Intelligence, 11, "", W::General},
    {K::Various, 48, "", W::General},
    {K::ComputerPlayer, 120, "", W::General},
    {K::SpecialWeapons, 68, "", W::General},
    {K::Recharge, 36, "", W::General},
    {K::Income, 40, "", W::General},
    {K::Terrain, 6, "Terrain Settings: ", W::General},
};

}

std::size_t KindFacts::shpParts() const
{
    return static_cast<std::size_t>(std::count_if(shpSuffixes.begin(), shpSuffixes.end(), [](auto s) { return s; }));
}

const KindFacts* factsOf(EntryKind kind)
{
    auto found = std::find_if(std::begin(kFacts), std::end(kFacts), [&](const auto& f) { return f.kind == kind; });
    return found == std::end(kFacts) ? nullptr : found;
}

}
