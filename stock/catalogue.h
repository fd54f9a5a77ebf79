#pragma once

#include <span>
#include <string>
#include <vector>

namespace qx::stock {

struct CatalogueEntry {
    const char* text;
    int frames;
};

enum class CatalogueKind { Unit, Building };

std::span<const CatalogueEntry> unitCatalogue();
std::span<const CatalogueEntry> buildingCatalogue();

// How many of the catalogue's first entries an editor offers to be
// replaced: every unit, the first 42 buildings (the last three are not).
std::size_t offeredForReplacement(CatalogueKind kind);

// The display texts of the catalogue entries whose frame count lies within
// tolerance of frames (every entry with all), in catalogue order.
std::vector<std::string> catalogueLookup(CatalogueKind kind, int frames, int tolerance, bool all);

}
