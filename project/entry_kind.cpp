#include "project/entry_kind.h"

#include <algorithm>
#include <iterator>

namespace qx {
namespace {

using K = EntryKind;
using W = EditedBy;
using P = PartForm;

const KindFacts kFacts[] = {
    {K::Unit, "Unit", 220, "Unit: ", W::Unit, 2, {"icon.shp", ".shp"},
     {{{"IconPicture", P::Picture}, {"FrameList", P::Frames}, {"Icon", P::Shp}, {"Graphic", P::Shp}}}},
    {K::Weapon, "Weapon", 24, "Weapon: ", W::Weapon},
    {K::Projectile, "Projectile", 44, "Projectile: ", W::Projectile, 1, {".shp"},
     {{{"FrameList", P::Frames}, {"Graphic", P::Shp}}}},
    {K::Warhead, "Warhead", 12, "Warhead: ", W::Warhead},
    {K::Building, "Building", 240, "Building: ", W::Building, 3, {"icon.shp", "make.shp", ".shp"},
     {{{"IconPicture", P::Picture}, {"MakeFrameList", P::Frames}, {"FrameList", P::Frames}, {"Icon", P::Shp},
       {"Make", P::Shp}, {"Graphic", P::Shp}}}},
    {K::Difficulty, "Difficulty", 44, "", W::General},
    {K::Multiplayer, "Multiplayer", 16, "", W::General},
    {K::Repair, "Repair", 28, "", W::General},
    {K::Crates, "Crates", 32, "", W::General},
    {K::Country, "Country", 32, "", W::General},
    {K::Combat, "Combat", 56, "", W::General},
    {K::Intelligence, "Intelligence", 11, "", W::General},
    {K::Various, "Various", 48, "", W::General},
    {K::ComputerPlayer, "ComputerPlayer", 120, "", W::General},
    {K::SpecialWeapons, "SpecialWeapons", 68, "", W::General},
    {K::Recharge, "Recharge", 36, "", W::General},
    {K::Income, "Income", 40, "", W::General},
    {K::Terrain, "Terrain", 6, "Terrain Settings: ", W::General},
    {K::RulesText, "RulesText", 0, "Rules text: ", W::RulesText},
};

}

std::size_t KindFacts::shpParts() const
{
    return static_cast<std::size_t>(std::count_if(shpSuffixes.begin(), shpSuffixes.end(), [](auto s) { return s; }));
}

const KindFacts* factsNamed(std::string_view name)
{
    auto found = std::find_if(std::begin(kFacts), std::end(kFacts), [&](const auto& f) { return f.name == name; });
    return found == std::end(kFacts) ? nullptr : found;
}

const KindFacts* factsOf(EntryKind kind)
{
    auto found = std::find_if(std::begin(kFacts), std::end(kFacts), [&](const auto& f) { return f.kind == kind; });
    return found == std::end(kFacts) ? nullptr : found;
}

}
