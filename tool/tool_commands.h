#pragma once

#include "common/error.h"
#include "library/palette.h"

#include <ostream>
#include <string>
#include <vector>

namespace qx::tool {

// Runs one qxtool command line; returns the exit status.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Wrong arguments: the text is the usage line.
struct Usage : Error {
    using Error::Error;
};

// The usage line of the command named by args[0].
[[noreturn]] void wrongArguments(const std::vector<std::string>& args);
void expectArgs(const std::vector<std::string>& args, std::size_t count);

// The graphics library commands.
int makeLibraryCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int libraryCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int extractCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int framesCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// mix list, info and extract: the game's archives.
int mixCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// shp info, frames and make.
int shpCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// A palette file as the palette reader takes it, read like every input.
library::Palette readPaletteFile(const std::string& path);
// The game's temperate palette when Quarvex's settings name a game folder,
// said on err; nothing when they name none.
std::optional<library::Palette> defaultPalette(std::ostream& err);

}
