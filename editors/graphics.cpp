#include "editors/graphics.h"

#include "common/save_file.h"
#include "library/library_file.h"

namespace qx::graphics {

const char* shpFileOf(Graphic graphic)
{
    switch (graphic) {
    case Graphic::UnitIcon: return "icon.shp";
    case Graphic::UnitImage: return "unit.shp";
    case Graphic::Projectile: return "prj.shp";
    case Graphic::BuildingIcon: return "bicon.shp";
    case Graphic::BuildingAnimation: return "b1.shp";
    case Graphic::BuildingImage: return "b2.shp";
    }
    return "";
}

void extract(const Source& source, const fs::path& shp)
{
    auto library = library::openLibrary(toPath(source.libraryPath));
    saveFile(shp, library.image(static_cast<std::size_t>(source.imageNumber)));
}

}
