#pragma once

#include "common/file_io.h"

#include <string>

namespace qx::graphics {

// The graphics of the objects being edited, each with its file in the
// working directory.
enum class Graphic : std::uint8_t { UnitIcon, UnitImage, Projectile, BuildingIcon, BuildingAnimation, BuildingImage };

const char* shpFileOf(Graphic graphic);

// Where a graphic comes from at the next save: a library and the image's
// number in it, or "not changed" when its file in the working directory
// already holds it.
inline constexpr const char* kNotChanged = "not changed";

struct Source {
    std::string libraryPath;  // UTF-8
    int imageNumber = 0;

    bool unchanged() const { return libraryPath == kNotChanged; }
};

// Copies the SHP data of the source's image into shp. Throws when the
// library cannot be read or has no such image.
void extract(const Source& source, const fs::path& shp);

}
