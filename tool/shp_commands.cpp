#include "common/save_file.h"
#include "common/text.h"
#include "compiler/game_files.h"
#include "library/palette.h"
#include "library/shp.h"
#include "shell/directories.h"
#include "tool/pictures.h"
#include "tool/tool_commands.h"

#include <algorithm>
#include <random>

namespace qx::tool {
namespace {

// The game folder Quarvex's settings name; empty when they name none.
std::string settingsGameFolder()
{
    auto scratch = fs::temp_directory_path() / ("qxtool-settings-" + std::to_string(std::random_device{}()) + ".tmp");
    auto settings = readSettings(settingsFilePath(), scratch);
    return settings ? settings->game : std::string();
}

// The palette of that name in the game folder, loose or in its archives.
library::Palette gamePalette(const std::string& game, const std::string& name)
{
    auto bytes = compiler::findGameFile(game, name, true);
    if (!bytes)
        throw Error("The game folder " + game + " has no " + name + ".");
    return library::readPalette(*bytes, name);
}

library::Shp readShpFile(const std::string& path)
{
    return library::readShp(readFile(toPath(path), library::kMaxShpFileBytes), path);
}

// The arguments without "--palette PAL"; without it, the game's palette.
std::vector<std::string> withoutPalette(const std::vector<std::string>& args, library::Palette& palette,
                                        std::ostream& err)
{
    auto option = std::find(args.begin(), args.end(), "--palette");
    if (option == args.end()) {
        auto game = defaultPalette(err);
        if (!game)
            wrongArguments(args);
        palette = std::move(*game);
        return args;
    }
    if (option + 1 == args.end())
        wrongArguments(args);
    palette = readPaletteFile(*(option + 1));
    std::vector<std::string> rest(args.begin(), option);
    rest.insert(rest.end(), option + 2, args.end());
    return rest;
}

int infoCommand(const std::vector<std::string>& args, std::ostream& out)
{
    expectArgs(args, 3);
    auto shp = readShpFile(args[2]);
    out << shp.frames.size() << (shp.frames.size() == 1 ? " frame" : " frames") << " of " << shp.width << "x"
        << shp.height << '\n';
    if (auto fault = library::unplayableFrame(shp.width, shp.height, args[2]))
        out << "warning: " << *fault << '\n';
    for (std::size_t i = 0; i < shp.kinds.size(); ++i)
        out << i << ": " << library::frameKindName(shp.kinds[i]) << '\n';
    return 0;
}

int framesOfShpCommand(const std::vector<std::string>& args, std::ostream& err)
{
    library::Palette palette;
    auto rest = withoutPalette(args, palette, err);
    expectArgs(rest, 4);
    auto shp = readShpFile(rest[2]);
    auto dir = toPath(rest[3]);
    fs::create_directories(dir);
    for (std::size_t i = 0; i < shp.frames.size(); ++i) {
        auto path = dir / frameFileName(i, shp.frames.size());
        auto png = pngOf(library::imageOf(shp.frames[i], shp.width, shp.height, palette));
        if (png.empty())
            throw Error("Cannot write " + toText(path) + ".");
        saveFile(path, png);
    }
    return 0;
}

// An indexed picture drawn in the palette keeps its indices; any other
// takes the nearest colours.
Bytes indicesOfPicture(const Picture& picture, const library::Palette& palette)
{
    auto colours = library::indexedPngColours(picture.bytes());
    if (colours && std::equal(colours->begin(), colours->end(), palette.colours.begin())) {
        if (auto indices = indexedPixels(picture.bytes()))
            return std::move(*indices);
    }
    return library::indicesOf(picture.decode(), palette);
}

int makeShpCommand(const std::vector<std::string>& args, std::ostream& err)
{
    library::Palette palette;
    auto rest = withoutPalette(args, palette, err);
    if (rest.size() < 4)
        wrongArguments(args);
    std::vector<Bytes> frames;
    int width = 0, height = 0;
    for (std::size_t i = 3; i < rest.size(); ++i) {
        Picture picture(rest[i]);
        if (frames.empty()) {
            width = picture.width();
            height = picture.height();
        } else if (picture.width() != width || picture.height() != height) {
            throw Error("The frame " + rest[i] + " is " + std::to_string(picture.width()) + "x" +
                        std::to_string(picture.height()) + ", not " + std::to_string(width) + "x" +
                        std::to_string(height) + " as the first frame.");
        }
        frames.push_back(indicesOfPicture(picture, palette));
    }
    library::requirePlayableFrame(width, height, rest[2]);
    saveFile(toPath(rest[2]), library::writeShp(width, height, frames));
    return 0;
}

}

library::Palette readPaletteFile(const std::string& path)
{
    constexpr std::string_view kGame = "game:";
    if (!path.starts_with(kGame))
        return library::readPalette(readFile(toPath(path), library::kMaxPaletteFileBytes), path);
    // A palette of the game folder that Quarvex's settings name.
    auto name = lowerCase(path.substr(kGame.size()));
    auto game = settingsGameFolder();
    if (game.empty())
        throw Error(path + " needs the game folder, and Quarvex's settings name none.");
    return gamePalette(game, name);
}

std::optional<library::Palette> defaultPalette(std::ostream& err)
{
    auto game = settingsGameFolder();
    if (game.empty())
        return std::nullopt;
    err << "qxtool: no --palette given: using game:" << compiler::kGamePalette << '\n';
    return gamePalette(game, compiler::kGamePalette);
}

int shpCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() < 2)
        wrongArguments(args);
    if (args[1] == "info")
        return infoCommand(args, out);
    if (args[1] == "frames")
        return framesOfShpCommand(args, err);
    if (args[1] == "make")
        return makeShpCommand(args, err);
    wrongArguments(args);
}

}
