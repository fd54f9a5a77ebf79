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

// The catalogue's entries an editor offers to be replaced: every unit,
// every building but the last three.
std::span<const CatalogueEntry> offeredCatalogue(CatalogueKind kind);

// The display texts of the catalogue entries whose frame count lies within
// tolerance of frames (every entry with all), in catalogue order.
std::vector<std::string> catalogueLookup(CatalogueKind kind, int frames, int tolerance, bool all);

}
