#include "common/bytes.h"
#include "common/cp1252.h"
#include "common/save_file.h"
#include "library/image_list_stream.h"
#include "library/library_file.h"
#include "library/shp.h"
#include "project/encoder.h"
#include "tool/tool_commands.h"

#include "tool/pictures.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace qx::tool {
namespace {

// The colon between the SHP file and the frames; a drive letter's colon
// ("C:\mods\tank.shp") does not count.
std::size_t shpColon(const std::string& argument)
{
    auto isDrive = [&](std::size_t at) {
        return at + 2 < argument.size() && std::isalpha(static_cast<unsigned char>(argument[at])) &&
               argument[at + 1] == ':' && (argument[at + 2] == '\\' || argument[at + 2] == '/');
    };
    return argument.find(':', isDrive(0) ? 2 : 0);
}

// "SHPFILE:FRAME.png[,FRAME.png...]", or SHPFILE alone when a palette
// gives its previews.
// framesBefore: frames already in the list the image's frames join.
library::LibraryImage readImageArgument(const std::vector<std::string>& args, const std::string& argument,
                                        std::size_t framesBefore, const std::optional<library::Palette>& palette,
                                        library::LibraryKind kind)
{
    auto colon = shpColon(argument);
    if (colon == std::string::npos && palette)
        return library::imageFromShp(readFile(toPath(argument), library::kMaxShpFileBytes), argument, *palette, kind);
    if (colon == std::string::npos || colon + 1 == argument.size())
        wrongArguments(args);
    library::LibraryImage image{readFile(toPath(argument.substr(0, colon))), {}};
    // The frames stand in for the SHP's own, so only its head is read.
    if (image.shp.size() >= library::kShpHeadSize)
        library::requirePlayableFrame(u16At(image.shp, 6), u16At(image.shp, 8), argument.substr(0, colon));
    std::size_t start = colon + 1;
    while (start <= argument.size()) {
        auto comma = std::min(argument.find(',', start), argument.size());
        auto path = argument.substr(start, comma - start);
        Picture picture(path);
        auto& preview = image.preview;
        if (!preview.frames.empty() && (picture.width() != preview.width || picture.height() != preview.height))
            throw Error("The frames of " + argument.substr(0, colon) + " differ in size.");
        // Checked before decoding, so that no picture costs more memory
        // than the library it would go into.
        try {
            library::checkListSize(framesBefore + preview.frames.size() + 1, picture.width(), picture.height());
        } catch (const Error& error) {
            throw Error("The picture " + path + " cannot go into a library: " + error.what());
        }
        preview.width = picture.width();
        preview.height = picture.height();
        preview.frames.push_back(picture.decode());
        start = comma + 1;
    }
    return image;
}

std::size_t indexArgument(const std::string& text)
{
    std::size_t index = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
    if (error != std::errc() || end != text.data() + text.size())
        throw Usage("usage: INDEX is a whole number from 0");
    return index;
}

// The preview frames of image index: its own list, or the icon itself.
library::FrameList previewOf(const library::Library& lib, std::size_t index)
{
    if (index >= lib.table.size())
        throw Error("The library has no image " + std::to_string(index) + ".");
    if (lib.kind != library::LibraryKind::Icon)
        return lib.preview(index);
    auto icons = lib.preview(0);
    if (index >= icons.frames.size())
        throw Error("The library has no icon " + std::to_string(index) + ".");
    return {icons.width, icons.height, {icons.frames[index]}};
}

}

int makeLibraryCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err)
{
    std::string kind, title, outPath;
    std::optional<library::Palette> palette;
    std::vector<std::string> imageArguments;
    for (std::size_t i = 1; i < args.size(); ++i) {
        bool option = args[i] == "--kind" || args[i] == "--title" || args[i] == "--out" || args[i] == "--palette";
        if (option && i + 1 == args.size())
            wrongArguments(args);
        if (args[i] == "--kind")
            kind = args[++i];
        else if (args[i] == "--title")
            title = args[++i];
        else if (args[i] == "--out")
            outPath = args[++i];
        else if (args[i] == "--palette")
            palette = readPaletteFile(args[++i]);
        else
            imageArguments.push_back(args[i]);
    }
    const std::pair<const char*, library::LibraryKind> kinds[] = {
        {"icon", library::LibraryKind::Icon}, {"unit", library::LibraryKind::Unit},
        {"projectile", library::LibraryKind::Projectile}, {"building", library::LibraryKind::Building}};
    auto found = std::find_if(std::begin(kinds), std::end(kinds), [&](const auto& k) { return kind == k.first; });
    if (found == std::end(kinds) || outPath.empty())
        wrongArguments(args);
    auto title1252 = utf8ToCp1252(title);
    if (!title1252)
        throw Error("The title holds a character that has no Windows-1252 form.");
    if (imageArguments.size() > library::kMaxLibraryImages)
        throw Error("A library holds at most 255 images.");
    // The icons of an icon library share one list.
    bool shared = found->second == library::LibraryKind::Icon;
    bool bareShp = std::any_of(imageArguments.begin(), imageArguments.end(),
                               [](const auto& a) { return shpColon(a) == std::string::npos; });
    if (!palette && bareShp)
        palette = defaultPalette(err);
    std::vector<library::LibraryImage> images;
    for (const auto& argument : imageArguments)
        images.push_back(readImageArgument(args, argument, shared ? images.size() : 0, palette, found->second));
    auto plain = library::buildLibrary(found->second, *title1252, images);
    saveFile(toPath(outPath), encoder::coded(plain));
    return 0;
}

int libraryCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream&)
{
    expectArgs(args, 2);
    auto lib = library::openLibrary(toPath(args[1]));
    auto head = library::parseHead(lib.plain);
    out << cp1252ToUtf8(library::listLine(head)) << '\n';
    out << "images: " << lib.table.size() << '\n';
    for (std::size_t i = 0; i < lib.table.size(); ++i) {
        out << i << ": offset " << lib.table[i].offset << ", size " << lib.table[i].size;
        if (lib.kind == library::LibraryKind::Icon) {
            const auto& icons = lib.previews.at(0);
            out << ", 1 frame of " << icons.width << "x" << icons.height << '\n';
        } else {
            const auto& preview = lib.previews.at(i);
            out << ", " << preview.count << " frames of " << preview.width << "x" << preview.height << '\n';
        }
    }
    return 0;
}

int extractCommand(const std::vector<std::string>& args, std::ostream&, std::ostream&)
{
    expectArgs(args, 4);
    auto lib = library::openLibrary(toPath(args[1]));
    saveFile(toPath(args[3]), lib.image(indexArgument(args[2])));
    return 0;
}

int framesCommand(const std::vector<std::string>& args, std::ostream&, std::ostream&)
{
    expectArgs(args, 4);
    auto lib = library::openLibrary(toPath(args[1]));
    auto frames = previewOf(lib, indexArgument(args[2]));
    auto dir = toPath(args[3]);
    fs::create_directories(dir);
    for (std::size_t i = 0; i < frames.frames.size(); ++i) {
        auto path = dir / frameFileName(i, frames.frames.size());
        auto png = pngOf(frames.frames[i]);
        if (png.empty())
            throw Error("Cannot write " + toText(path) + ".");
        saveFile(path, png);
    }
    return 0;
}

}
